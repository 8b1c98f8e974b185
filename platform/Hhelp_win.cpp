#include "Hhelp.h"

#include <windows.h>

#include <string>

// The manual is a compiled HTML help file, shown by the HTML Help control
// (HHCTRL.OCX). The control is loaded at run time so that the program still
// starts where it is missing; help then just does nothing.

namespace {

// HtmlHelpA as HHCTRL.OCX exports it (declared here instead of taking
// htmlhelp.h, which not every tool chain ships).
using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// HH_DISPLAY_TOPIC: open the file at its default topic.
constexpr UINT DisplayTopic = 0;

HMODULE HelpModule = nullptr;
HtmlHelpProc HtmlHelpEntry = nullptr;

void showMessage(const wchar_t* text)
{
    MessageBoxW(nullptr, text, L"Zubelo", MB_OK);
}

// The file name in the active ANSI code page, as HtmlHelpA expects it.
std::string toAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int wideLength = static_cast<int>(wide.size());
    const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

} // namespace

void LoadHelp()
{
    HelpModule = LoadLibraryA("HHCTRL.OCX");
    if (!HelpModule) {
        // "HHCTRL.OCXが見つかりません" (escaped, so that any compiler reads it the same)
        showMessage(L"HHCTRL.OCX\u304C\u898B\u3064\u304B\u308A\u307E\u305B\u3093");
        return;
    }
    // GetProcAddress hands back a generic function pointer; going through
    // void (*)() keeps the compiler from warning about the cast.
    const FARPROC entry = GetProcAddress(HelpModule, "HtmlHelpA");
    HtmlHelpEntry = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void (*)()>(entry));
    if (!HtmlHelpEntry) {
        // "HtmlHelpA のアドレス取得に失敗しました。"; the library stays loaded
        // and is released by FreeHelp as usual.
        showMessage(L"HtmlHelpA \u306E\u30A2\u30C9\u30EC\u30B9\u53D6\u5F97\u306B\u5931\u6557\u3057\u307E\u3057\u305F\u3002");
    }
}

bool ShowHelp(void* window, const std::filesystem::path& file)
{
    if (!HtmlHelpEntry)
        return false;
    const std::string ansi = toAnsi(file.wstring());
    return HtmlHelpEntry(static_cast<HWND>(window), ansi.c_str(), DisplayTopic, 0) != nullptr;
}

void FreeHelp()
{
    if (HelpModule) {
        FreeLibrary(HelpModule);
        HelpModule = nullptr;
        HtmlHelpEntry = nullptr;
    }
}
