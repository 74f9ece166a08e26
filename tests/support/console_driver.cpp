// Drives the real VigilarkEx.exe from a test (see console_driver.h).
#include "support/console_driver.h"

#include "support/testing.h"
#include "resource.h"

#include <commctrl.h>
#include <cstring>

namespace {

// Memory in the console's process for the records list-view and tab messages point to.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size) : process_(process), size_(size)
    {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(size_t offset, const void* data, size_t size)
    {
        return address_ && WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return address_ && ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_;
    size_t size_;
    void* address_ = nullptr;
};

struct DialogSearch {
    DWORD processId;
    HWND except;
    HWND found;
    const char* className;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM lParam)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || window == search->except || !IsWindowVisible(window)) return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

const char kConsoleClass[] = "VigilarkEx";
const char kMonitorClass[] = "Vigilark";

}  // namespace

bool StartProgram(const char* exe, const char* arguments, PROCESS_INFORMATION* process)
{
    std::string path = BesideTestProgram(exe);
    std::string commandLine = "\"" + path + "\"";
    if (arguments && *arguments) commandLine += std::string(" ") + arguments;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string folder = path.substr(0, path.find_last_of('\\'));
    return CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          process) != 0;
}

HWND FindSheet(HWND mainWindow)
{
    if (!mainWindow) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(mainWindow, &pid);
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        if (GetWindow(window, GW_OWNER) == mainWindow && IsWindowVisible(window) &&
            FindWindowExA(window, nullptr, "SysTabControl32", nullptr))
            return window;
    }
    return nullptr;
}

bool StartConsole(const char* arguments, ConsoleRun& run, bool expectSheet)
{
    run = ConsoleRun();
    if (!StartProgram("VigilarkEx.exe", arguments, &run.process)) return false;
    DWORD pid = run.process.dwProcessId;
    WaitFor([&] {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, kConsoleClass, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == pid) {
                run.main = window;
                return true;
            }
        }
        return false;
    }, expectSheet ? 15000 : 3000);
    if (expectSheet) {
        WaitFor([&] { return (run.sheet = FindSheet(run.main)) != nullptr && ActivePage(run.sheet) != nullptr; },
                15000);
    }
    return true;
}

int WaitForProcessExit(PROCESS_INFORMATION& process, DWORD timeoutMs)
{
    if (!process.hProcess) return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
        code = (DWORD)-1;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = PROCESS_INFORMATION();
    return (int)code;
}

int WaitForExit(ConsoleRun& run, DWORD timeoutMs) { return WaitForProcessExit(run.process, timeoutMs); }

int CloseConsole(ConsoleRun& run)
{
    HWND page = run.sheet ? ActivePage(run.sheet) : nullptr;
    if (page)
        PostMessageA(page, WM_CLOSE, 0, 0);
    else if (run.main)
        PostMessageA(run.main, WM_CLOSE, 0, 0);
    return WaitForExit(run);
}

void EndAllCopies()
{
    for (const char* className : {kConsoleClass, kMonitorClass}) {
        for (int tries = 0; tries < 20; ++tries) {
            HWND window = FindWindowA(className, nullptr);
            if (!window) break;
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            PostMessageA(window, className == kConsoleClass ? WM_COMMAND : WM_CLOSE,
                         className == kConsoleClass ? CMD_QUIT : 0, 0);
            if (process) {
                if (WaitForSingleObject(process, 3000) != WAIT_OBJECT_0) {
                    TerminateProcess(process, 98);
                    WaitForSingleObject(process, 3000);
                }
                CloseHandle(process);
            } else {
                Sleep(200);
            }
        }
    }
}

int TabCount(HWND sheet)
{
    HWND tabs = FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
    return tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
}

int ActiveTab(HWND sheet)
{
    HWND tabs = FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
    return tabs ? (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0) : -1;
}

// Sends a message whose record and text buffer live in the console's memory and returns
// the text the control wrote there.
template <typename Item>
std::string RemoteItemText(ConsoleRun& run, HWND window, UINT message, WPARAM wParam, Item item,
                           LPSTR Item::*text, int Item::*capacity)
{
    const int kChars = 1024;
    RemoteBuffer remote(run.process.hProcess, sizeof(Item) + kChars);
    item.*text = remote.at(sizeof item);
    item.*capacity = kChars - 1;
    char buffer[kChars] = "";
    remote.Write(0, &item, sizeof item);
    remote.Write(sizeof item, buffer, sizeof buffer);
    SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote.at(0)));
    remote.Read(sizeof item, buffer, sizeof buffer);
    buffer[kChars - 1] = '\0';
    return buffer;
}

std::string TabText(ConsoleRun& run, int index)
{
    HWND tabs = FindWindowExA(run.sheet, nullptr, "SysTabControl32", nullptr);
    if (!tabs) return std::string();
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    return RemoteItemText(run, tabs, TCM_GETITEMA, (WPARAM)index, item, &TCITEMA::pszText, &TCITEMA::cchTextMax);
}

std::string ActiveTabText(ConsoleRun& run) { return TabText(run, ActiveTab(run.sheet)); }

void SelectTab(HWND sheet, int index) { SendMessageA(sheet, PSM_SETCURSEL, (WPARAM)index, 0); }

HWND ActivePage(HWND sheet)
{
    return sheet ? reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000,
                        nullptr);
    return text;
}

void PressButton(HWND page, int id)
{
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

int ListRowCount(HWND list) { return (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); }

std::string ListCell(ConsoleRun& run, HWND list, int row, int column)
{
    LVITEMA item = {};
    item.iSubItem = column;
    return RemoteItemText(run, list, LVM_GETITEMTEXTA, (WPARAM)row, item, &LVITEMA::pszText, &LVITEMA::cchTextMax);
}

LPARAM ListItemData(ConsoleRun& run, HWND list, int row)
{
    RemoteBuffer remote(run.process.hProcess, sizeof(LVITEMA));
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = -1;
    remote.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0)));
    remote.Read(0, &item, sizeof item);
    return item.lParam;
}

std::vector<std::string> ListColumn(ConsoleRun& run, HWND list, int column)
{
    std::vector<std::string> cells;
    int rows = ListRowCount(list);
    for (int row = 0; row < rows; ++row) cells.push_back(ListCell(run, list, row, column));
    return cells;
}

static void SetRowState(ConsoleRun& run, HWND list, int row, UINT state, UINT mask)
{
    RemoteBuffer remote(run.process.hProcess, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    remote.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)row, reinterpret_cast<LPARAM>(remote.at(0)));
}

void SelectListRows(ConsoleRun& run, HWND list, const std::vector<int>& rows)
{
    SetRowState(run, list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (size_t i = 0; i < rows.size(); ++i)
        SetRowState(run, list, rows[i], LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0), LVIS_SELECTED | LVIS_FOCUSED);
}

int FindListRow(ConsoleRun& run, HWND list, int column, const std::string& text)
{
    int rows = ListRowCount(list);
    for (int row = 0; row < rows; ++row)
        if (ListCell(run, list, row, column) == text) return row;
    return -1;
}

// Wine passes WM_NOTIFY to another process only as an asynchronous send, so notifications
// go through SendMessageCallback; the record lives in the console's process until the
// callback says the page has handled it.
struct PendingNotify {
    RemoteBuffer buffer;
    bool done = false;
    PendingNotify(HANDLE process) : buffer(process, sizeof(NMITEMACTIVATE)) {}
};

static void CALLBACK NotifyHandled(HWND, UINT, ULONG_PTR data, LRESULT)
{
    reinterpret_cast<PendingNotify*>(data)->done = true;
}

static PendingNotify* SendListNotify(ConsoleRun& run, HWND page, HWND list, UINT code, int column)
{
    PendingNotify* pending = new PendingNotify(run.process.hProcess);
    NMITEMACTIVATE notify = {};
    notify.hdr.hwndFrom = list;
    notify.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(list);
    notify.hdr.code = code;
    notify.iItem = -1;
    notify.iSubItem = column;
    pending->buffer.Write(0, &notify, sizeof notify);
    SendMessageCallbackA(page, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(pending->buffer.at(0)),
                         NotifyHandled, reinterpret_cast<ULONG_PTR>(pending));
    return pending;
}

void ClickListColumn(ConsoleRun& run, HWND page, HWND list, int column)
{
    PendingNotify* pending = SendListNotify(run, page, list, LVN_COLUMNCLICK, column);
    WaitFor([&] { return pending->done; });
    delete pending;
}

void RightClickList(ConsoleRun& run, HWND page, HWND list)
{
    // The page shows a modal menu from inside this notification; the test goes on meanwhile.
    // The record is left to the console's process (a few bytes for the test's life).
    SendListNotify(run, page, list, NM_RCLICK, 0);
}

// A visible top-level window of the console's process with that class, other than `except`.
static HWND WaitForWindowOfClass(ConsoleRun& run, const char* className, HWND except, DWORD timeoutMs)
{
    DialogSearch search = {run.process.dwProcessId, except, nullptr, className};
    WaitFor([&] {
        search.found = nullptr;
        EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

HWND WaitForDialog(ConsoleRun& run, DWORD timeoutMs, HWND except)
{
    return WaitForWindowOfClass(run, "#32770", except ? except : run.sheet, timeoutMs);
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void AnswerDialog(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

HWND WaitForPopupMenu(ConsoleRun& run, DWORD timeoutMs)
{
    return WaitForWindowOfClass(run, "#32768", nullptr, timeoutMs);
}

void ChooseMenuItem(HWND owner, int position)
{
    for (int i = 0; i <= position; ++i) {
        PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(owner, WM_KEYUP, VK_DOWN, 0);
    }
    PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(owner, WM_KEYUP, VK_RETURN, 0);
}

void CancelMenu(HWND owner) { PostMessageA(owner, WM_CANCELMODE, 0, 0); }
