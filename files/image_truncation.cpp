#include "image_truncation.h"

#include <cstring>
#include <limits>

namespace {

using Bytes = std::span<const std::uint8_t>;

enum class Walk { Complete, Truncated, Unknown };

std::uint32_t le16(Bytes b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8;
}

std::uint32_t le32(Bytes b, std::size_t at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

// Markers, each 0xFF and a code; all but the stand-alone ones carry a
// two-byte big-endian length that counts itself. A scan's coded data
// follows its header up to the next marker; inside it 0xFF is followed by
// 0x00 (a data byte) or a restart code.
Walk walkJpeg(Bytes b)
{
    std::size_t at = 2;
    for (;;) {
        if (at >= b.size())
            return Walk::Truncated;
        if (b[at] != 0xFF)
            return Walk::Unknown;
        while (at < b.size() && b[at] == 0xFF)
            ++at; // fill bytes before a marker code
        if (at >= b.size())
            return Walk::Truncated;
        const std::uint8_t code = b[at++];
        if (code == 0xD9)
            return Walk::Complete; // end of image; what follows is not the picture's
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7))
            continue;
        if (at + 2 > b.size())
            return Walk::Truncated;
        const std::size_t length = std::size_t(b[at]) << 8 | b[at + 1];
        if (length < 2)
            return Walk::Unknown;
        if (at + length > b.size())
            return Walk::Truncated;
        at += length;
        if (code != 0xDA)
            continue;
        // Coded data, up to the 0xFF of the next marker.
        for (;;) {
            const void* ff = std::memchr(b.data() + at, 0xFF, b.size() - at);
            if (!ff)
                return Walk::Truncated;
            at = std::size_t(static_cast<const std::uint8_t*>(ff) - b.data());
            if (at + 1 >= b.size())
                return Walk::Truncated;
            const std::uint8_t next = b[at + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                at += 2;
            else if (next == 0xFF)
                at += 1;
            else
                break;
        }
    }
}

// Header, screen descriptor and global colour table; then blocks:
// extensions (0x21) and pictures (0x2C), each with sub-blocks that end in an
// empty one, and the trailer (0x3B). Only the first picture is shown, so the
// walk ends with its data.
Walk walkGif(Bytes b)
{
    if (b.size() < 13)
        return Walk::Truncated;
    const auto colourTable = [](std::uint8_t flags) {
        return (flags & 0x80) ? std::size_t(3) << ((flags & 7) + 1) : 0;
    };
    std::size_t at = 13 + colourTable(b[10]);
    const auto skipSubBlocks = [&b, &at] {
        for (;;) {
            if (at >= b.size())
                return false;
            const std::size_t length = b[at++];
            if (length == 0)
                return true;
            at += length;
        }
    };
    for (;;) {
        if (at >= b.size())
            return Walk::Truncated;
        switch (b[at++]) {
        case 0x21:
            ++at; // the extension's label
            if (!skipSubBlocks())
                return Walk::Truncated;
            break;
        case 0x2C:
            if (at + 9 > b.size())
                return Walk::Truncated;
            at += 9 + colourTable(b[at + 8]);
            ++at; // the code size
            return skipSubBlocks() ? Walk::Complete : Walk::Truncated;
        case 0x3B:
            return Walk::Complete; // no picture at all: the reader refuses it
        default:
            return Walk::Unknown;
        }
    }
}

// File header (14 bytes), then an info header of 12 (OS/2) or at least 40
// bytes. Uncompressed rows are padded to four bytes; run-length data says
// its own size.
Walk walkBmp(Bytes b)
{
    if (b.size() < 26)
        return Walk::Unknown;
    const std::uint64_t offset = le32(b, 10);
    const std::uint32_t infoSize = le32(b, 14);
    std::uint64_t width = 0, height = 0;
    std::uint32_t bits = 0, compression = 0, dataSize = 0;
    if (infoSize == 12) {
        width = le16(b, 18);
        height = le16(b, 20);
        bits = le16(b, 24);
    } else if (infoSize >= 40) {
        if (b.size() < 38)
            return Walk::Truncated;
        const auto w = std::int32_t(le32(b, 18));
        const auto h = std::int32_t(le32(b, 22));
        if (w <= 0 || h == 0 || h == std::numeric_limits<std::int32_t>::min())
            return Walk::Unknown;
        width = std::uint64_t(w);
        height = std::uint64_t(h < 0 ? -h : h);
        bits = le16(b, 28);
        compression = le32(b, 30);
        dataSize = le32(b, 34);
    } else {
        return Walk::Unknown;
    }
    // An OS/2 header's sides are unsigned 16-bit values and may be 0: a
    // picture without pixels is the reader's to refuse.
    if (bits == 0 || bits > 64 || width == 0 || height == 0)
        return Walk::Unknown;
    std::uint64_t end = offset;
    if (compression == 0 || compression == 3 || compression == 6) {
        const std::uint64_t row = (width * bits + 31) / 32 * 4;
        // More than any file holds, without overflowing.
        if (height > (std::numeric_limits<std::uint64_t>::max() - offset) / row)
            return Walk::Truncated;
        end += row * height;
    } else if (compression == 1 || compression == 2) {
        end += dataSize;
    }
    return b.size() < end ? Walk::Truncated : Walk::Complete;
}

bool startsWith(Bytes b, const char* magic)
{
    const std::size_t n = std::strlen(magic);
    return b.size() >= n && std::memcmp(b.data(), magic, n) == 0;
}

} // namespace

bool isTruncatedImage(Bytes bytes)
{
    Walk walk = Walk::Unknown;
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        walk = walkJpeg(bytes);
    else if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a"))
        walk = walkGif(bytes);
    else if (startsWith(bytes, "BM"))
        walk = walkBmp(bytes);
    return walk == Walk::Truncated;
}
