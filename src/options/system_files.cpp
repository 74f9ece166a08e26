// The HOSTS file and the restart commands of wininit.ini (see system_files.h).
#include "options/system_files.h"

#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/layout.h"

#include <shellapi.h>
#include <cstring>

namespace {

const DWORD kViewerBytes = 16384;

void NoticeBox(UINT id, UINT icon = MB_ICONINFORMATION)
{
    char text[512];
    LoadText(id, text);
    ConsoleMessageBox(text, MB_OK | icon);
}

bool WindowsFile(const char* name, char* out, int capacity)
{
    char folder[255];
    UINT n = GetWindowsDirectoryA(folder, sizeof folder);
    if (n == 0 || n >= sizeof folder) return false;
    FormatText(out, (size_t)capacity, "%s\\%s", folder, name);
    return true;
}

void OnViewerInit(HWND dialog, const char* path)
{
    char caption[128];
    LoadText(IDS_WININIT_TITLE, caption);
    SetWindowTextA(dialog, caption);
    SetItemTextById(dialog, IDS_DELETE, IDC_WININIT_DELETE);
    SetItemTextById(dialog, IDS_CLOSE, IDOK);
    SetItemTextById(dialog, IDS_WININIT_LEGEND, IDC_WININIT_LEGEND);
    DWORD size = kViewerBytes;
    char* text = LoadTextFile(path, &size);
    SetDlgItemTextA(dialog, IDC_WININIT_TEXT, text ? text : "");
    FreeTextFile(text);
    CentreWindow(dialog);
}

// Deleting the file cancels every pending restart command. When it stays (another program
// holds it open, or Windows refuses), the commands would still run: say so and keep showing
// them, with the file's attributes as they were.
void OnViewerDelete(HWND dialog)
{
    const char* path = reinterpret_cast<const char*>(GetWindowLongPtrA(dialog, DWLP_USER));
    DWORD attributes = GetFileAttributesA(path);
    if (ForceDeleteFile(path) || !FileExists(path)) {
        EndDialog(dialog, IDC_WININIT_DELETE);
        return;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path, attributes);
    NoticeBox(IDS_WININIT_DELETE_FAILED, MB_ICONSTOP);
}

INT_PTR CALLBACK RestartViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnViewerInit(dialog, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_WININIT_DELETE:
            OnViewerDelete(dialog);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, IDOK);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

int HostsPath(char* out, int capacity)
{
    char folder[255];
    UINT n = IsNT() ? GetSystemDirectoryA(folder, sizeof folder) : GetWindowsDirectoryA(folder, sizeof folder);
    if (n == 0 || n >= sizeof folder) {
        if (capacity > 0) out[0] = '\0';
        return 0;
    }
    return (int)FormatText(out, (size_t)capacity, IsNT() ? "%s\\drivers\\etc\\HOSTS" : "%s\\HOSTS", folder);
}

void ViewHostsFile()
{
    char path[MAX_PATH];
    HostsPath(path, sizeof path);
    if (!FindProgramFile(path, sizeof path)) {
        NoticeBox(IDS_ERR_NO_HOSTS);
        return;
    }
    char folder[MAX_PATH];
    CopyText(folder, path);
    size_t len = strlen(folder);
    if (len > 6) folder[len - 6] = '\0';  // without "\HOSTS"
    ShellExecuteA(MainWindow(), "open", "notepad.exe", path, folder, SW_SHOWNORMAL);
}

int HostsLock(int request)
{
    char path[MAX_PATH];
    HostsPath(path, sizeof path);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return HOSTS_MISSING;
    switch (request) {
    case HOSTS_UNLOCK:
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
        return 0;
    case HOSTS_LOCK:
        SetFileAttributesA(path, attributes | FILE_ATTRIBUTE_READONLY);
        return 1;
    default:
        return (attributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0;
    }
}

void WinInitPath(char* out, int capacity)
{
    if (!WindowsFile("wininit.ini", out, capacity) && capacity > 0) out[0] = '\0';
}

int ShowRestartCommands(bool silent)
{
    char program[MAX_PATH];
    // Without wininit.exe the system has no restart commands to show.
    if (!WindowsFile("wininit.exe", program, sizeof program) || !FileExists(program)) return 0;

    char path[MAX_PATH];
    WinInitPath(path, sizeof path);
    DWORD size = 0;
    {
        ScopedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.valid()) size = GetFileSize(file.get(), nullptr);
    }
    if (size > 0 && size != INVALID_FILE_SIZE) {
        if (!silent) {
            Trace("WinInit22", "bSilent NOT True?");
            DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_WININIT_VIEWER), MainWindow(), RestartViewerProc,
                            reinterpret_cast<LPARAM>(path));
        }
        return 1;
    }
    Trace("WinInit23", "No sign of Wininit.ini");
    if (!silent) NoticeBox(IDS_NO_WININIT_COMMANDS);
    return 0;
}
