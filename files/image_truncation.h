#pragma once

#include <cstdint>
#include <span>

// Whether the bytes of a picture file stop before their own structure says
// the picture is complete. Image readers fill what is missing of a cut-off
// JPEG, GIF or BMP file with grey or black and call the picture read; these
// three are walked here. A JPEG must reach its end marker, a GIF the end of
// its first picture's data, a BMP the pixel data its header promises.
// Anything else, or bytes too damaged to walk, is not called truncated: the
// reader decides about those.
bool isTruncatedImage(std::span<const std::uint8_t> bytes);
