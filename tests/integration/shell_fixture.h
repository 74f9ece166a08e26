// Real windows for the console-frame tests: a stand-in sheet (a plain top-level window) with
// a page from the program's own dialog resources, the commands that page receives, and
// registry values put back as they were.
#pragma once

#include "foundations/registry.h"
#include "foundations/strings.h"
#include "shell/layout.h"

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

// A registry value that is put back (or removed again) when the test ends.
class ScratchValue {
public:
    ScratchValue(HKEY hive, const char* subkey, const char* name) : hive_(hive), subkey_(subkey), name_(name)
    {
        existed_ = RegValueExists(hive, subkey, name);
        if (existed_) ReadRegText(hive, subkey, name, old_);
    }
    ~ScratchValue()
    {
        if (existed_)
            SetRegString(hive_, subkey_.c_str(), name_.c_str(), old_.c_str());
        else
            DeleteRegValue(hive_, subkey_.c_str(), name_.c_str());
    }
    ScratchValue(const ScratchValue&) = delete;
    ScratchValue& operator=(const ScratchValue&) = delete;

private:
    HKEY hive_;
    std::string subkey_;
    std::string name_;
    std::string old_;
    bool existed_ = false;
};

// A key that exists for the test and is removed afterwards when the test made it.
class ScratchKey {
public:
    ScratchKey(HKEY hive, const char* subkey) : hive_(hive), subkey_(subkey)
    {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(hive, subkey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        if (!existed_) CreateRegKey(hive, subkey);
    }
    ~ScratchKey()
    {
        if (!existed_) RegDeleteKeyA(hive_, subkey_.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

private:
    HKEY hive_;
    std::string subkey_;
    bool existed_ = false;
};

// The program's key and the four values of a placement family, put back as they were.
class ScratchPlacement {
public:
    explicit ScratchPlacement(const PlacementNames& names)
        : left_(HKEY_CURRENT_USER, VIGILARK_KEY, names.left), top_(HKEY_CURRENT_USER, VIGILARK_KEY, names.top),
          width_(HKEY_CURRENT_USER, VIGILARK_KEY, names.width), height_(HKEY_CURRENT_USER, VIGILARK_KEY, names.height)
    {
    }

private:
    ScratchKey maker_{HKEY_CURRENT_USER, "Software\\Brondlewick"};
    ScratchKey program_{HKEY_CURRENT_USER, VIGILARK_KEY};
    ScratchValue left_;
    ScratchValue top_;
    ScratchValue width_;
    ScratchValue height_;
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
    ScratchKey maker_{HKEY_LOCAL_MACHINE, "Software\\Brondlewick"};
    ScratchKey program_{HKEY_LOCAL_MACHINE, VIGILARK_KEY};
    ScratchKey disabled_{HKEY_LOCAL_MACHINE, kDisabled};
    ScratchValue marker_;
    bool written_ = false;
};

inline std::string ReadValue(HKEY hive, const char* subkey, const char* name)
{
    std::string text;
    ReadRegText(hive, subkey, name, text);
    return text;
}

}  // namespace shell_fixture
