// The notification-area icon and its menu (see tray.h).
#include "monitor/tray.h"

#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <shellapi.h>

#include <string>

namespace {

const UINT kIconId = 1;

// The console's pages the menu opens, with the command-line option that opens each.
const struct {
    int command;
    UINT text;
    const char* option;
} kPages[] = {
    {CMD_STARTUP_PAGE, IDS_TAB_STARTUP, "-START"},     {CMD_IEHELPERS_PAGE, IDS_TAB_IEHELPERS, "-BHO"},
    {CMD_SCHEDULED_PAGE, IDS_TAB_SCHEDULED, "-SCHEDULE"}, {CMD_SERVICES_PAGE, IDS_TAB_SERVICES, "-SERVICE"},
    {CMD_TASKS_PAGE, IDS_TAB_TASKS, "-TASK"},           {CMD_COOKIES_PAGE, IDS_TAB_COOKIES, "-NUT"},
    {CMD_FILETYPES_PAGE, IDS_TAB_FILETYPES, "-FILETYPE"}, {CMD_HOOKS_PAGE, IDS_TAB_HOOKS, "-HOOKS"},
    {CMD_OPTIONS_PAGE, IDS_TAB_OPTIONS, "-OPTION"},
};

// The oldest structure every shell knows (the Windows 95 shell's).
NOTIFYICONDATAA IconData(HWND window)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kIconId;
    return data;
}

std::string Trimmed(const char* text)
{
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed[0] == ' ') trimmed.erase(0, 1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    return trimmed;
}

void AppendItem(HMENU menu, int command, UINT text, UINT flags = MF_STRING)
{
    char label[128];
    LoadText(text, label);
    AppendMenuA(menu, flags, (UINT_PTR)command, Trimmed(label).c_str());
}

}  // namespace

void AddTrayIcon(HWND window, bool hidden)
{
    if (hidden) return;
    NOTIFYICONDATAA data = IconData(window);
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = MSG_TRAY;
    data.hIcon = static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    GetWindowTextA(window, data.szTip, sizeof data.szTip);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void RemoveTrayIcon(HWND window)
{
    NOTIFYICONDATAA data = IconData(window);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void SetTrayTip(HWND window, const char* text)
{
    SetWindowTextA(window, text);
    NOTIFYICONDATAA data = IconData(window);
    data.uFlags = NIF_TIP;
    CopyText(data.szTip, text);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void ShowTrayMenu(HWND window, int alertsWaiting)
{
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (const auto& page : kPages) AppendItem(menu, page.command, page.text);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, IDC_TRAY_PATROL_NOW, IDS_TRAY_PATROL_NOW);
    char label[128];
    FormatLoadedText(label, sizeof label, IDS_TRAY_SHOW_ALERTS, "d", alertsWaiting);
    AppendMenuA(menu, MF_STRING | (alertsWaiting > 0 ? 0 : MF_GRAYED), IDC_TRAY_SHOW_ALERTS, label);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, IDC_TRAY_EXIT, IDS_TRAY_EXIT);
    POINT at = {};
    GetCursorPos(&at);
    // The window must be in front, or the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenuEx(menu, TPM_RIGHTBUTTON, at.x, at.y, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

bool OpenConsoleFromMenu(int command)
{
    for (const auto& page : kPages) {
        if (page.command != command) continue;
        char directory[MAX_PATH];
        char program[MAX_PATH];
        if (ProgramDirectory(directory, sizeof directory) == 0) return true;
        FormatText(program, sizeof program, "%s\\VigilarkEx.exe", directory);
        std::string line = std::string("\"") + program + "\" " + page.option;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        return true;
    }
    return false;
}
