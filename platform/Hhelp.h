#pragma once

#include <filesystem>

// The help viewer: loaded once at start-up, asked to show the manual, released
// when the main window closes. Plain C++ so that the Windows implementation
// needs no Qt; the window is passed as its native handle (may be null).
void LoadHelp();
// False when nothing could be asked to show it (no viewer, no browser).
bool ShowHelp(void* window, const std::filesystem::path& file);
void FreeHelp();
