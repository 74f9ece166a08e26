// A real service for the tests: registered with CreateService by a test, it reports
// "running", answers interrogation and stops when told. With "--refuse-stop" it accepts
// no stop (only pause and continue), so a stop is refused by the service control manager;
// the user-defined control 200 ends it then (the tests' clean-up).
#include <windows.h>

#include <cstring>

namespace {

SERVICE_STATUS_HANDLE g_handle = nullptr;
SERVICE_STATUS g_status = {};
HANDLE g_stopped = nullptr;
bool g_refuseStop = false;
const DWORD kEndControl = 200;

void Report(DWORD state)
{
    g_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    g_status.dwCurrentState = state;
    g_status.dwControlsAccepted =
        state == SERVICE_RUNNING ? (g_refuseStop ? SERVICE_ACCEPT_PAUSE_CONTINUE : SERVICE_ACCEPT_STOP) : 0;
    g_status.dwWin32ExitCode = NO_ERROR;
    SetServiceStatus(g_handle, &g_status);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
        if (g_refuseStop) return ERROR_INVALID_SERVICE_CONTROL;
        Report(SERVICE_STOP_PENDING);
        SetEvent(g_stopped);
        return NO_ERROR;
    case kEndControl:
        Report(SERVICE_STOP_PENDING);
        SetEvent(g_stopped);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        SetServiceStatus(g_handle, &g_status);
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD argc, char** argv)
{
    for (DWORD i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--refuse-stop") == 0) g_refuseStop = true;
    g_stopped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_handle = RegisterServiceCtrlHandlerExA(argc > 0 ? argv[0] : "", Handler, nullptr);
    if (!g_handle) return;
    Report(SERVICE_RUNNING);
    WaitForSingleObject(g_stopped, INFINITE);
    Report(SERVICE_STOPPED);
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--refuse-stop") == 0) g_refuseStop = true;
    char name[] = "";
    SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
