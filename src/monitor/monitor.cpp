// Vigilark.exe, the resident monitor. For now it owns the top-level window of class
// "Vigilark" by which the console finds it, and runs until it is closed (WM_CLOSE) or a
// second start with "-Q" asks the running copy to end.
#include <windows.h>

static const char kMonitorClass[] = "Vigilark";

static LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static bool HasOption(const char* line, const char* option)
{
    size_t n = lstrlenA(option);
    for (const char* p = line; *p; ++p)
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, p, (int)n, option, (int)n) == CSTR_EQUAL) return true;
    return false;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    HWND running = FindWindowA(kMonitorClass, nullptr);
    if (running) {
        // One monitor per session; "-Q" ends the one that runs.
        if (HasOption(commandLine ? commandLine : "", "-Q")) PostMessageA(running, WM_CLOSE, 0, 0);
        return 0;
    }
    if (HasOption(commandLine ? commandLine : "", "-Q")) return 0;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MonitorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(101));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMonitorClass;
    if (!RegisterClassA(&windowClass)) return 1;

    // The monitor has no visible window of its own yet: a hidden top-level window is enough
    // for the console to find it and for WM_CLOSE to reach it.
    HWND window = CreateWindowExA(0, kMonitorClass, "Vigilark", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return 1;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
