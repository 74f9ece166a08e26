// Drives a modal dialog of the test's own thread from a helper thread: the test calls the
// function that shows the dialog, the helper finds the dialog, acts in it as a user would
// (keys, clicks) and ends it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

inline BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM data)
{
    char name[16];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible dialog window (class "#32770") of a thread; NULL after the timeout.
inline HWND WaitForThreadDialog(DWORD threadId, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = nullptr;
        EnumThreadWindows(threadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
        if (found || GetTickCount() - start > timeoutMs) return found;
        Sleep(20);
    }
}

// Calls run() on this thread while act(dialog) runs on a helper thread once the dialog is
// shown; act must end the dialog. Returns what run() returns.
inline int RunWithDialog(const std::function<int()>& run, const std::function<void(HWND)>& act)
{
    DWORD self = GetCurrentThreadId();
    std::thread helper([&] {
        HWND dialog = WaitForThreadDialog(self);
        if (dialog) act(dialog);
    });
    int result = run();
    helper.join();
    return result;
}

inline std::string TextOf(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Types into an edit as the keyboard would (the edit's limit applies); "\b" is a backspace.
inline void TypeInto(HWND edit, const char* keys)
{
    for (const char* p = keys; *p; ++p) SendMessageA(edit, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
}

// Selects the whole text of an edit and types over it.
inline void ReplaceText(HWND edit, const char* keys)
{
    SendMessageA(edit, EM_SETSEL, 0, -1);
    TypeInto(edit, *keys ? keys : "\b");
}

inline void PressKey(HWND window, UINT key)
{
    SendMessageA(window, WM_KEYDOWN, key, 1);
    SendMessageA(window, WM_KEYUP, key, (LPARAM)0xC0000001);
}

inline void Click(HWND dialog, int button)
{
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}
