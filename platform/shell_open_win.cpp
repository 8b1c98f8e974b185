#include "shell_open.h"

#include <windows.h>

#include <shellapi.h>

namespace {

// The address as the active ANSI code page spells it, for ShellExecuteA. Plain
// ASCII is the same in both and is passed as it is; text that is not valid
// UTF-8 is passed unchanged too.
std::string toAnsi(const std::string& utf8)
{
    bool ascii = true;
    for (const char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return utf8;

    const int length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return utf8;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), wideLength);

    const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return utf8;
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

} // namespace

bool openAddress(void* ownerWindow, const std::string& utf8Address)
{
    const std::string ansi = toAnsi(utf8Address);
    // More than 32: the shell took it.
    return reinterpret_cast<INT_PTR>(
               ShellExecuteA(static_cast<HWND>(ownerWindow), nullptr, ansi.c_str(), nullptr, nullptr, SW_SHOW))
        > 32;
}
