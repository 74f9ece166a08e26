// The hidden main window and the command line (see main_window.h).
#include "shell/main_window.h"

#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "options/system_files.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "startup/startup_actions.h"

namespace {

const struct {
    const char* option;
    int command;  // 0: leaves the command as it is
} kOptions[] = {
    {"-START", 0},
    {"-RORO", CMD_ABOUT_PAGE},
    {"-SERVICE", CMD_SERVICES_PAGE},
    {"-BHO", CMD_IEHELPERS_PAGE},
    {"-COOKIE", CMD_VIEW_COOKIES},
    {"-NUT", CMD_COOKIES_PAGE},
    {"-OPTION", CMD_OPTIONS_PAGE},
    {"-SCHEDULE", CMD_SCHEDULED_PAGE},
    {"-TASK", CMD_TASKS_PAGE},
    {"-FILETYPE", CMD_FILETYPES_PAGE},
    {"-HOOKS", CMD_HOOKS_PAGE},
    {"-MONITOR", CMD_MONITOR},
    {"-BLACKLIST", CMD_BLACKLIST},
    {"-EXIT", CMD_EXIT},
    {"-RESTART", CMD_STARTUP_PAGE},
};

// The resident monitor's window class and program.
const char kMonitorClass[] = "Vigilark";
const char kMonitorProgram[] = "Vigilark.exe";

// The lock that decides which of several copies started together becomes the running one.
const char kStartupMutex[] = "Brondlewick.VigilarkEx.Startup";
// How long a starting copy waits for the copy that holds the lock to show its window.
const DWORD kClaimWaitMs = 10000;

bool IsPageCommand(int command)
{
    switch (command) {
    case CMD_STARTUP_PAGE:
    case CMD_ABOUT_PAGE:
    case CMD_COOKIES_PAGE:
    case CMD_TASKS_PAGE:
    case CMD_OPTIONS_PAGE:
    case CMD_SERVICES_PAGE:
    case CMD_SCHEDULED_PAGE:
    case CMD_IEHELPERS_PAGE:
    case CMD_FILETYPES_PAGE:
    case CMD_HOOKS_PAGE:
    case CMD_MONITOR:
    case CMD_BLACKLIST:
        return true;
    default:
        return false;
    }
}

void OnViewCookies(HWND window)
{
    // The Cookies page shows its cookie list when ViewCookies is set; the user's own
    // choice comes back afterwards and is what is saved at exit.
    Options& options = CurrentOptions();
    int remembered = options.viewCookies;
    options.viewCookies = 1;
    OpenConsole(window, CMD_COOKIES_PAGE);
    options.viewCookies = remembered;
}

void OnExitRequest(HWND window)
{
    Options& options = CurrentOptions();
    options.confirmExit = GetOption("ConfirmExit", 0);
    if (options.confirmExit == 0) {
        DestroyWindow(window);
        return;
    }
    if (!FindWindowA(kMonitorClass, nullptr)) {
        WinExec(kMonitorProgram, SW_SHOW);
        return;
    }
    OpenConsole(window, CMD_STARTUP_PAGE);
}

void OnMainCommand(HWND window, int command)
{
    if (IsPageCommand(command)) {
        OpenConsole(window, command);
        return;
    }
    switch (command) {
    case CMD_VIEW_COOKIES:
        OnViewCookies(window);
        break;
    case CMD_QUIT:
        DestroyWindow(window);
        break;
    case CMD_TOGGLE_AUTORUN:
        SetMonitorAutostart(!MonitorStartsAutomatically());
        break;
    case CMD_SHOW_WININIT:
        ShowRestartCommands(false);
        break;
    case CMD_EXIT:
        OnExitRequest(window);
        break;
    default:
        break;  // list kinds and unknown ids are not requests
    }
}

}  // namespace

int CommandFromCommandLine(const char* line)
{
    int command = CMD_STARTUP_PAGE;
    if (!line || !*line) return command;
    for (const auto& row : kOptions)
        if (ContainsNoCase(line, row.option) && row.command != 0) command = row.command;
    return command;
}

bool HasQuitOption(const char* line)
{
    return ContainsNoCase(line ? line : "", "-Q") != 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnMainCommand(window, LOWORD(wParam));
        return 0;
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

HWND CreateMainWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = MainClassName();
    if (!RegisterClassA(&windowClass)) return nullptr;

    // Zero-sized and above the screen: the window is never seen, but it carries the
    // taskbar button and owns the console.
    return CreateWindowExA(WS_EX_APPWINDOW, MainClassName(), ConsoleCaption(), WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
                           0, -200, 0, 0, nullptr, nullptr, instance, nullptr);
}

HWND FindOrClaimRunningCopy(const char* className, bool* gaveUp)
{
    *gaveUp = false;
    // The mutex is owned by the running copy for its whole life and is never closed here,
    // so it dies with the process.
    HANDLE lock = CreateMutexA(nullptr, TRUE, kStartupMutex);
    // Any program may hold an object of that name: without the lock the window class
    // alone decides, as it did before copies could start at the same instant.
    if (!lock || GetLastError() != ERROR_ALREADY_EXISTS) return FindWindowA(className, nullptr);

    // Another copy holds the lock: it runs, or it is creating its window right now.
    DWORD start = GetTickCount();
    for (;;) {
        HWND running = FindWindowA(className, nullptr);
        if (running) return running;
        DWORD wait = WaitForSingleObject(lock, 100);
        // WAIT_OBJECT_0 or WAIT_ABANDONED: that copy ended without a window and the lock
        // is this copy's now. WAIT_FAILED: the lock is no use; the class decides.
        if (wait != WAIT_TIMEOUT) return FindWindowA(className, nullptr);
        if (GetTickCount() - start >= kClaimWaitMs) break;
    }
    *gaveUp = true;
    return nullptr;
}
