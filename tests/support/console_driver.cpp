// Drives the real VigilarkEx.exe from a test (see console_driver.h).
#include "support/console_driver.h"

#include "resource.h"
#include "support/testing.h"

#include <commctrl.h>

namespace {

const char kConsoleClass[] = "VigilarkEx";

// Memory in the console's process for the records that list-view and tab messages point to.
struct RemoteBuffer {
    RemoteBuffer(HANDLE process, size_t size)
            : process(process), at((char*)VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {}
    ~RemoteBuffer() { VirtualFreeEx(process, at, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    void Put(const void* data, size_t size, size_t offset = 0)
    {
        WriteProcessMemory(process, at + offset, data, size, 0);
    }
    HANDLE process;
    char* at;
};

// Sends a message whose record and text buffer live in the console's memory and returns
// the text the control wrote there.
template <typename Item>
std::string RemoteText(ConsoleRun& run, HWND window, UINT message, WPARAM wParam, Item item, LPSTR Item::*text,
                       int Item::*capacity)
{
    char buffer[1024] = "";
    RemoteBuffer remote(run.process.hProcess, sizeof item + sizeof buffer);
    item.*text = remote.at + sizeof item;
    item.*capacity = sizeof buffer - 1;
    remote.Put(&item, sizeof item);
    remote.Put(buffer, sizeof buffer, sizeof item);
    SendMessageA(window, message, wParam, (LPARAM)remote.at);
    ReadProcessMemory(remote.process, remote.at + sizeof item, buffer, sizeof buffer - 1, nullptr);
    return buffer;
}

HWND Tabs(HWND sheet) { return FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr); }

}  // namespace

bool StartProgram(const char* exe, const char* arguments, PROCESS_INFORMATION* process)
{
    return StartProgramAt(BesideTestProgram(exe), arguments, process);
}

bool StartProgramAt(const std::string& path, const char* arguments, PROCESS_INFORMATION* process)
{
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // Wine very rarely refuses to start a program at all (seen once in many runs): once more.
    for (int attempt = 0; attempt < 2; ++attempt)
        if (CreateProcessA(path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                           path.substr(0, path.find_last_of('\\')).c_str(), &startup, process))
            return true;
    return false;
}

HWND FindSheet(HWND mainWindow)
{
    HWND window = nullptr;
    while (mainWindow && (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr)
        if (GetWindow(window, GW_OWNER) == mainWindow && IsWindowVisible(window) && Tabs(window)) return window;
    return nullptr;
}

bool StartConsole(const char* arguments, ConsoleRun& run, bool expectSheet)
{
    return StartConsoleAt(BesideTestProgram("VigilarkEx.exe"), arguments, run, expectSheet);
}

bool StartConsoleAt(const std::string& path, const char* arguments, ConsoleRun& run, bool expectSheet)
{
    run = ConsoleRun();
    if (!StartProgramAt(path, arguments, &run.process)) return false;
    WaitFor(
        [&] {
            for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, kConsoleClass, nullptr)) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == run.process.dwProcessId) return (run.main = window) != nullptr;
            }
            return false;
        },
        expectSheet ? 15000 : 3000);
    if (expectSheet) WaitFor([&] { return (run.sheet = FindSheet(run.main)) && ActivePage(run.sheet); }, 15000);
    return true;
}

int WaitForExit(ConsoleRun& run, DWORD timeoutMs)
{
    DWORD code = (DWORD)-1;
    if (!run.process.hProcess) return -1;
    if (WaitForSingleObject(run.process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(run.process.hProcess, &code);
    else
        TerminateProcess(run.process.hProcess, 99);
    WaitForSingleObject(run.process.hProcess, 5000);
    CloseHandle(run.process.hProcess);
    CloseHandle(run.process.hThread);
    run = ConsoleRun();
    return (int)code;
}

int CloseConsole(ConsoleRun& run)
{
    PostMessageA(ActivePage(run.sheet) ? ActivePage(run.sheet) : run.main, WM_CLOSE, 0, 0);
    return WaitForExit(run);
}

void EndAllCopies()
{
    CloseWindowsOfClass(kConsoleClass, WM_COMMAND, CMD_QUIT, 3000);
    CloseWindowsOfClass("Vigilark", WM_CLOSE, 0, 3000);
}

int ConsoleWindowCount()
{
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, kConsoleClass, nullptr)) != nullptr;) ++count;
    return count;
}

int TabCount(HWND sheet) { return (int)SendMessageA(Tabs(sheet), TCM_GETITEMCOUNT, 0, 0); }
int ActiveTab(HWND sheet) { return Tabs(sheet) ? (int)SendMessageA(Tabs(sheet), TCM_GETCURSEL, 0, 0) : -1; }
void SelectTab(HWND sheet, int index) { SendMessageA(sheet, PSM_SETCURSEL, (WPARAM)index, 0); }
HWND ActivePage(HWND sheet) { return sheet ? (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) : nullptr; }
std::string ActiveTabText(ConsoleRun& run) { return TabText(run, ActiveTab(run.sheet)); }

std::string TabText(ConsoleRun& run, int index)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    return RemoteText(run, Tabs(run.sheet), TCM_GETITEMA, index, item, &TCITEMA::pszText, &TCITEMA::cchTextMax);
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 3000, nullptr);
    return text;
}

void PressButton(HWND page, int id)
{
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(page, id));
}

std::string ListCell(ConsoleRun& run, HWND list, int row, int column)
{
    LVITEMA item = {};
    item.iSubItem = column;
    return RemoteText(run, list, LVM_GETITEMTEXTA, row, item, &LVITEMA::pszText, &LVITEMA::cchTextMax);
}

std::vector<std::string> ListColumn(ConsoleRun& run, HWND list, int column)
{
    std::vector<std::string> cells;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) cells.push_back(ListCell(run, list, row, column));
    return cells;
}

int FindListRow(ConsoleRun& run, HWND list, int column, const std::string& text)
{
    std::vector<std::string> cells = ListColumn(run, list, column);
    for (size_t row = 0; row < cells.size(); ++row)
        if (cells[row] == text) return (int)row;
    return -1;
}

void SelectListRows(ConsoleRun& run, HWND list, const std::vector<int>& rows)
{
    RemoteBuffer remote(run.process.hProcess, sizeof(LVITEMA));
    for (size_t i = 0; i <= rows.size(); ++i) {  // first every row cleared, then the given ones set
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = i == 0 ? 0 : LVIS_SELECTED | (i == 1 ? LVIS_FOCUSED : 0);
        remote.Put(&item, sizeof item);
        SendMessageA(list, LVM_SETITEMSTATE, i == 0 ? -1 : rows[i - 1], (LPARAM)remote.at);
    }
}

void SetListCheck(ConsoleRun& run, HWND list, int row, bool checked)
{
    RemoteBuffer remote(run.process.hProcess, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    remote.Put(&item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, row, (LPARAM)remote.at);
}

bool ListChecked(HWND list, int row)
{
    return ((SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

namespace {

// Wine passes WM_NOTIFY to another process only as an asynchronous send, so notifications
// go through SendMessageCallback; the record lives in the console's process until the
// callback says the page has handled it.
struct PendingNotify {
    RemoteBuffer buffer;
    bool done = false;
};

void CALLBACK NotifyHandled(HWND, UINT, ULONG_PTR data, LRESULT)
{
    reinterpret_cast<PendingNotify*>(data)->done = true;
}

PendingNotify* SendListNotify(ConsoleRun& run, HWND page, HWND list, UINT code, int column)
{
    PendingNotify* pending = new PendingNotify{RemoteBuffer(run.process.hProcess, sizeof(NMITEMACTIVATE))};
    NMITEMACTIVATE notify = {};
    notify.hdr = {list, (UINT_PTR)GetDlgCtrlID(list), code};
    notify.iItem = -1;
    notify.iSubItem = column;
    pending->buffer.Put(&notify, sizeof notify);
    SendMessageCallbackA(page, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)pending->buffer.at, NotifyHandled,
                         (ULONG_PTR)pending);
    return pending;
}

void NotifyAndWait(ConsoleRun& run, HWND page, HWND list, UINT code, int column)
{
    PendingNotify* pending = SendListNotify(run, page, list, code, column);
    WaitFor([&] { return pending->done; });
    delete pending;
}

}  // namespace

void ClickListColumn(ConsoleRun& run, HWND page, HWND list, int column)
{
    NotifyAndWait(run, page, list, LVN_COLUMNCLICK, column);
}

void DoubleClickList(ConsoleRun& run, HWND page, HWND list) { NotifyAndWait(run, page, list, NM_DBLCLK, 0); }

void RightClickList(ConsoleRun& run, HWND page, HWND list)
{
    // The page shows a modal menu from inside this notification; the test goes on meanwhile.
    // The record is left to the console's process (a few bytes for the test's life).
    SendListNotify(run, page, list, NM_RCLICK, 0);
}

HWND WaitForWindow(ConsoleRun& run, const char* className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindVisibleWindow(className, run.process.dwProcessId, 0, run.sheet)) != nullptr; },
            timeoutMs);
    return found;
}

void ChooseMenuItem(HWND owner, int position)
{
    for (int i = 0; i <= position + 1; ++i) PostMessageA(owner, WM_KEYDOWN, i <= position ? VK_DOWN : VK_RETURN, 0);
}
