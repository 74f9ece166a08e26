// Real windows on the test's own thread: a stand-in sheet with a page from the program's dialog
// resources, the commands it receives, and dialogs and menus driven from a helper thread.
#pragma once

#include "foundations/strings.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <commctrl.h>
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace shell_fixture {

// Every WM_COMMAND id a page made here received, in order.
inline std::vector<int>& Commands()
{
    static std::vector<int> commands;
    return commands;
}
inline INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) Commands().push_back(LOWORD(wParam));
    return message == WM_INITDIALOG || message == WM_COMMAND;
}

inline void InitControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    SetAppInstance(GetModuleHandleA(nullptr));
}

inline HWND CreateHost(int x, int y, int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "VigilarkTestHost";
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    return CreateWindowExA(WS_EX_CONTROLPARENT, windowClass.lpszClassName, "Sheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                           y, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// A dialog of the console: a page inside the host, or a top-level window without one.
inline HWND CreatePage(HWND host, int dialog)
{
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), host, RecordingDialogProc, 0);
    if (page && host) {  // pages are made disabled, as a property sheet enables its active one
        EnableWindow(page, TRUE);
        ShowWindow(page, SW_SHOW);
    }
    return page;
}

// Returns run() called on this thread while act(window), which must end it, runs on a helper
// thread once run() shows a window of the class (a dialog unless told).
inline int RunWithDialog(const std::function<int()>& run, const std::function<void(HWND)>& act,
                         const char* className = "#32770")
{
    DWORD self = GetCurrentThreadId();
    std::thread helper([&] {
        HWND window = nullptr;
        if (WaitFor([&] { return (window = FindVisibleWindow(className, 0, self)) != nullptr; })) act(window);
    });
    int result = run();
    helper.join();
    return result;
}

inline std::string TextOf(HWND window) { return WindowText(window); }

// From a helper thread: answers the message box over the window; its text, "" when none came.
inline std::string AnswerBoxOver(HWND window, int button)
{
    HWND box = nullptr;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!WaitFor([&] { return (box = FindVisibleWindow("#32770", 0, thread, window)) != nullptr; })) return "";
    std::string text;
    WaitFor([&] { return !(text = TextOf(GetDlgItem(box, 0xFFFF))).empty(); });
    PostMessageA(box, WM_COMMAND, button, 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}

inline void Click(HWND dialog, int button) { SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

}  // namespace shell_fixture
