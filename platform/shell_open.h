#pragma once

#include <string>

// Asks the desktop to open an address (a web page, or a file URL such as the
// manual) with whatever program is registered for it. Nothing is reported
// back: if no program takes the address, nothing happens. The owner window is
// a native window handle, used on Windows as the parent of any message the
// shell shows; it may be null.
void openAddress(void* ownerWindow, const std::string& utf8Address);
