#pragma once

// The layered-window colour key of a top-level window, in plain Win32. The
// window is passed as its HWND, opaque here so that callers need no
// <windows.h>; the colour is a COLORREF (0x00BBGGRR).
void setLayeredColorKey(void* window, bool enabled, unsigned long colorRef);
