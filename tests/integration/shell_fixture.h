// Real windows for the console-frame tests: a stand-in sheet (a plain top-level window) with
// a page from the program's own dialog resources, the commands that page receives, and
// registry values put back as they were.
#pragma once

#include "foundations/registry.h"
#include "foundations/strings.h"
#include "shell/layout.h"
#include "support/scratch_registry.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace shell_fixture {

// Every WM_COMMAND id a page or window made by this fixture received, in order.
inline std::vector<int>& Commands()
{
    static std::vector<int> commands;
    return commands;
}

inline INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND) {
        Commands().push_back(LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

inline void InitControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    SetAppInstance(GetModuleHandleA(nullptr));
}

// A visible top-level window of the given outer size at (x, y).
inline HWND CreateHost(int x, int y, int width, int height)
{
    static const char kClass[] = "VigilarkTestHost";
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    return CreateWindowExA(WS_EX_CONTROLPARENT, kClass, "Sheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A page of the console (a child dialog template) inside the host.
inline HWND CreatePage(HWND host, int dialog)
{
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), host, RecordingDialogProc, 0);
    if (page) {
        EnableWindow(page, TRUE);
        ShowWindow(page, SW_SHOW);
    }
    return page;
}

// A top-level dialog of the console (a popup template).
inline HWND CreateTopLevelDialog(int dialog)
{
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), nullptr, RecordingDialogProc, 0);
}

// The control's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline SIZE WindowSize(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

inline void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The program's key and the four values of a placement family, put back as they were.
class ScratchPlacement {
public:
    explicit ScratchPlacement(const PlacementNames& names)
        : left_(HKEY_CURRENT_USER, VIGILARK_KEY, names.left), top_(HKEY_CURRENT_USER, VIGILARK_KEY, names.top),
          width_(HKEY_CURRENT_USER, VIGILARK_KEY, names.width), height_(HKEY_CURRENT_USER, VIGILARK_KEY, names.height)
    {
    }

private:
    ScratchKey program_{HKEY_CURRENT_USER, VIGILARK_KEY};
    SavedValue left_;
    SavedValue top_;
    SavedValue width_;
    SavedValue height_;
};

// A disabled marker of the startup store (named by the entry's title, holding its former
// kind), removed again afterwards.
class ScratchDisabledMarker {
public:
    ScratchDisabledMarker(const char* title, const char* kind) : marker_(HKEY_LOCAL_MACHINE, kDisabled, title)
    {
        written_ = SetRegString(HKEY_LOCAL_MACHINE, kDisabled, title, kind) == 1;
    }
    bool written() const { return written_; }

private:
    static constexpr const char* kDisabled = VIGILARK_KEY "\\Disabled";
    ScratchKey disabled_{HKEY_LOCAL_MACHINE, kDisabled};
    SavedValue marker_;
    bool written_ = false;
};

inline std::string ReadValue(HKEY hive, const char* subkey, const char* name)
{
    std::string text;
    ReadRegText(hive, subkey, name, text);
    return text;
}

}  // namespace shell_fixture
