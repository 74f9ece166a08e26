// A window that only waits. As testbed_keeper.exe it keeps the test bed's virtual desktop alive
// for a whole ctest run (Wine ends the desktop with its last window and starts it again, about
// a second per test program). Copied as mstask.exe it stands in for the Windows 95 family's
// scheduler agent, which Wine has not: the agent's hidden COM window, as the console expects.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    const char* name = strrchr(path, '\\');
    bool agent = name && lstrcmpiA(name + 1, "mstask.exe") == 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = agent ? "SAGEWINDOWCLASS" : "VigilarkTestbedKeeper";
    if (!RegisterClassA(&windowClass) ||
        !CreateWindowA(windowClass.lpszClassName, agent ? "SYSTEM AGENT COM WINDOW" : "", WS_OVERLAPPED, 0, 0, 10, 10,
                       nullptr, nullptr, instance, nullptr))
        return 1;
    if (agent) SetTimer(nullptr, 0, 120000, nullptr);  // never outlives a test run that forgot it
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) DispatchMessageA(&message);
    return 0;
}
