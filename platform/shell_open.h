#pragma once

#include <string>

// Asks the desktop to open an address (a web page, or a file URL such as the
// manual) with whatever program is registered for it. False when no program
// could be asked to (none registered, none to be started). The owner window is
// a native window handle, used on Windows as the parent of any message the
// shell shows; it may be null.
bool openAddress(void* ownerWindow, const std::string& utf8Address);
