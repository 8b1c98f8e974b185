#pragma once

#include <filesystem>

// Where the manual is: beside the executable (the build tree, or a Windows
// installation), else in the installed data folder.
std::filesystem::path helpPathFor(const std::filesystem::path& exeDir);
