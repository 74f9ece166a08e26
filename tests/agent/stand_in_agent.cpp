// A stand-in for the Windows 95 family's scheduler agent program (Wine has none): it only
// shows the agent's hidden COM window until it is ended, as the console expects of it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "SAGEWINDOWCLASS";
    if (!RegisterClassA(&windowClass)) return 1;
    if (!CreateWindowA("SAGEWINDOWCLASS", "SYSTEM AGENT COM WINDOW", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                       instance, nullptr))
        return 2;
    // Never outlives a test run that forgot it.
    SetTimer(nullptr, 0, 120000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) break;
        DispatchMessageA(&message);
    }
    return 0;
}
