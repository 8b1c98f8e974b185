#include "layered_window_win32.h"

#include <windows.h>

void setLayeredColorKey(void* window, bool enabled, unsigned long colorRef)
{
    const HWND hwnd = static_cast<HWND>(window);
    if (!hwnd)
        return;
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (enabled) {
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
        SetLayeredWindowAttributes(hwnd, static_cast<COLORREF>(colorRef), 0, LWA_COLORKEY);
    } else if (style & WS_EX_LAYERED) {
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        // Repaint: a window that stops being layered shows nothing until then.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}
