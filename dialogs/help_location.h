#pragma once

#include <filesystem>

// Where the manual's first page is. On Windows: zubelo.chm beside the
// executable. Elsewhere: help/ja/index.html beside the executable when that
// file exists (the build tree), else ja/index.html in the installed help
// folder found from the executable (<bin>/../share/zubelo/help) when it
// exists, else in the configured one (<prefix>/share/zubelo/help).
std::filesystem::path helpPathFor(const std::filesystem::path& exeDir);
