#pragma once

#include <filesystem>
#include <string>

// Where the manual's first page is. On Windows: zubelo.chm beside the
// executable. Elsewhere: help/<language>/index.html beside the executable
// when that file exists (the build tree), else <language>/index.html in the
// installed help folder found from the executable (<bin>/../share/zubelo/help)
// when it exists, else in the configured one (<prefix>/share/zubelo/help).
// <language> is "ja" or "en".
std::filesystem::path helpPathFor(const std::filesystem::path& exeDir, const std::string& language = "ja");

// The manual's language for the interface's: "ja", or "en" while the
// interface is English. It comes with the catalogue in use, so the manual
// always matches the texts on the screen.
std::string manualLanguage();
