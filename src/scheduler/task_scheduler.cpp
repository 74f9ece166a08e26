// Task Scheduler access (see task_scheduler.h) through its COM interfaces.
#include "scheduler/task_scheduler.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/platform.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <initguid.h>
#include <mstask.h>
#include <winsvc.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kAgentClass[] = "SAGEWINDOWCLASS";
const char kAgentTitle[] = "SYSTEM AGENT COM WINDOW";
const char kAgentProgram[] = "mstask.exe";
const char kServiceName[] = "Schedule";
const char kTasksKey[] = VIGILARK_KEY "\\Tasks";

// Time the scheduler is given after this call started it.
const DWORD kListWaitMs = 10;
const DWORD kItemWaitMs = 1000;
const int kDeleteAttempts = 3;
const DWORD kDeleteRetryMs = 200;

// Set when StartScheduler launched the agent program (Windows 95 family); its process,
// so it can be ended even before its window is up.
bool g_startedHere = false;
DWORD g_agentProcess = 0;

class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle()
    {
        if (handle_) CloseServiceHandle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE get() const { return handle_; }

private:
    SC_HANDLE handle_;
};

// A failure result that is never 0, even when the system gave no error code.
DWORD LastErrorOr(DWORD fallback)
{
    DWORD error = GetLastError();
    return error ? error : fallback;
}

HWND AgentWindow() { return FindWindowA(kAgentClass, kAgentTitle); }

DWORD StartAgent(bool* startedNow)
{
    if (AgentWindow()) return 0;
    char path[MAX_PATH];
    char* file = nullptr;
    DWORD length = SearchPathA(nullptr, kAgentProgram, nullptr, sizeof path, path, &file);
    if (length == 0) return LastErrorOr(ERROR_FILE_NOT_FOUND);
    if (length >= sizeof path) return ERROR_FILENAME_EXCED_RANGE;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(path, nullptr, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP,
                        nullptr, nullptr, &startup, &process))
        return LastErrorOr(ERROR_FILE_NOT_FOUND);
    g_startedHere = true;
    g_agentProcess = process.dwProcessId;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    *startedNow = true;
    return 0;
}

// StartServiceA and QueryServiceStatus are looked up at run time: the Windows 95 family
// never comes here and need not have them.
DWORD StartScheduleService(bool* startedNow)
{
    typedef BOOL(WINAPI * QueryStatusFn)(SC_HANDLE, LPSERVICE_STATUS);
    typedef BOOL(WINAPI * StartFn)(SC_HANDLE, DWORD, LPCSTR*);
    ScopedLibrary advapi("advapi32.dll");
    QueryStatusFn queryStatus = advapi.Proc<QueryStatusFn>("QueryServiceStatus");
    StartFn start = advapi.Proc<StartFn>("StartServiceA");
    if (!queryStatus || !start) return ERROR_CALL_NOT_IMPLEMENTED;

    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.get()) return LastErrorOr(ERROR_ACCESS_DENIED);
    ServiceHandle service(OpenServiceA(manager.get(), kServiceName, SERVICE_QUERY_STATUS | SERVICE_START));
    if (!service.get()) return LastErrorOr(ERROR_SERVICE_DOES_NOT_EXIST);
    SERVICE_STATUS status = {};
    if (queryStatus(service.get(), &status) && status.dwCurrentState == SERVICE_RUNNING) return 0;
    if (start(service.get(), 0, nullptr)) {
        *startedNow = true;
        return 0;
    }
    // Another program started it a moment ago: it is coming up, so it gets its time too.
    if (GetLastError() == ERROR_SERVICE_ALREADY_RUNNING) {
        *startedNow = true;
        return 0;
    }
    return LastErrorOr(ERROR_SERVICE_NOT_ACTIVE);
}

// One work item's name: as the scheduler gives it, and in the ANSI code page.
struct WorkItemName {
    std::wstring wide;
    std::string ansi;
};

std::string ToAnsi(const wchar_t* text)
{
    if (!text) return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string out((size_t)size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize((size_t)size - 1);
    return out;
}

// A text the scheduler allocated, converted and freed.
std::string TakeAnsi(LPWSTR text)
{
    std::string out = ToAnsi(text);
    if (text) CoTaskMemFree(text);
    return out;
}

bool EndsWithJob(const std::wstring& name)
{
    if (name.size() <= 4) return false;
    const wchar_t* tail = name.c_str() + name.size() - 4;
    for (int i = 0; i < 4; ++i) {
        wchar_t c = tail[i] >= L'A' && tail[i] <= L'Z' ? (wchar_t)(tail[i] + (L'a' - L'A')) : tail[i];
        if (c != L".job"[i]) return false;
    }
    return true;
}

// The names as the scheduler enumerates them: five at a time, each batch taken from its
// last name to its first.
std::vector<WorkItemName> ReadNames(ITaskScheduler* scheduler, HRESULT* result)
{
    std::vector<WorkItemName> names;
    ComRef<IEnumWorkItems> items;
    *result = scheduler->Enum(items.put());
    if (FAILED(*result) || !items) return names;
    LPWSTR* batch = nullptr;
    ULONG fetched = 0;
    while (SUCCEEDED(items->Next(5, &batch, &fetched)) && batch && fetched > 0) {
        for (ULONG i = fetched; i-- > 0;) {
            if (batch[i]) names.push_back({batch[i], ToAnsi(batch[i])});
            CoTaskMemFree(batch[i]);
        }
        CoTaskMemFree(batch);
        batch = nullptr;
        fetched = 0;
    }
    return names;
}

// The scheduler's own calls take the name without ".job" (Windows and Wine alike; Wine
// refuses the enumerated form); the enumerated form is tried when that fails.
template <typename Call> HRESULT WithItemName(const WorkItemName& name, Call call)
{
    HRESULT result = E_INVALIDARG;
    if (EndsWithJob(name.wide)) {
        result = call(name.wide.substr(0, name.wide.size() - 4).c_str());
        if (SUCCEEDED(result)) return result;
    }
    HRESULT whole = call(name.wide.c_str());
    return SUCCEEDED(whole) || !EndsWithJob(name.wide) ? whole : result;
}

HRESULT ActivateTask(ITaskScheduler* scheduler, const WorkItemName& name, ComRef<ITask>& task)
{
    return WithItemName(name, [&](LPCWSTR itemName) {
        return scheduler->Activate(itemName, IID_ITask, reinterpret_cast<IUnknown**>(task.put()));
    });
}

// The work item a title names: the one whose name is equal (case-insensitive); for a
// title cut to the entry's width, the one work item whose name begins with it.
const WorkItemName* FindName(const std::vector<WorkItemName>& names, const char* title)
{
    for (const WorkItemName& name : names)
        if (SameText(name.ansi.c_str(), title)) return &name;
    size_t length = strlen(title);
    if (length != (size_t)ENTRY_TITLE_CHARS - 1) return nullptr;
    const WorkItemName* found = nullptr;
    for (const WorkItemName& name : names) {
        if (name.ansi.size() <= length || !SameText(name.ansi.substr(0, length).c_str(), title)) continue;
        if (found) return nullptr;  // two would fit: neither is touched
        found = &name;
    }
    return found;
}

// The common frame of every operation: the scheduler started (and given time only when
// this call started it), COM, the names, the action, and the agent ended again when this
// call launched it.
template <typename Action> HRESULT WithScheduler(DWORD waitMs, Action action)
{
    bool startedNow = false;
    DWORD error = StartScheduler(&startedNow);
    if (error != 0) return HRESULT_FROM_WIN32(error);
    if (startedNow) Sleep(waitMs);
    HRESULT com = CoInitialize(nullptr);
    HRESULT result;
    {
        ComRef<ITaskScheduler> scheduler;
        result = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                  scheduler.put_void());
        if (SUCCEEDED(result) && scheduler) {
            std::vector<WorkItemName> names = ReadNames(scheduler.get(), &result);
            if (SUCCEEDED(result)) result = action(scheduler.get(), names);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    if (g_startedHere) StopScheduler();
    return result;
}

std::string RunTimeText(ITask* task, HRESULT (STDMETHODCALLTYPE ITask::*read)(SYSTEMTIME*))
{
    SYSTEMTIME time = {};
    // Any other answer than S_OK (never ran, no valid trigger, ...) has no time to show.
    if ((task->*read)(&time) != S_OK) time = SYSTEMTIME();
    char text[64];
    FormatDateText(&time, text, sizeof text);
    return text;
}

void AddTaskEntry(ITaskScheduler* scheduler, const WorkItemName& name)
{
    ComRef<ITask> task;
    if (FAILED(ActivateTask(scheduler, name, task)) || !task) return;  // a damaged task file is left out
    LPWSTR application = nullptr;
    std::string program = SUCCEEDED(task->GetApplicationName(&application)) ? TakeAnsi(application) : std::string();
    std::string next = RunTimeText(task.get(), &ITask::GetNextRunTime);
    std::string last = RunTimeText(task.get(), &ITask::GetMostRecentRunTime);
    // Names and programs wider than the record are cut, not left out: a task must not
    // hide from the list by its length. (FindName finds a cut name again.)
    char title[ENTRY_TITLE_CHARS];
    char path[ENTRY_PATH_CHARS];
    CopyText(title, name.ansi.c_str());
    CopyText(path, program.c_str());
    AddEntry(title, path, next.c_str(), last.c_str(), KIND_TASK_SCHEDULED, 0);
}

UINT StatusTextId(HRESULT status)
{
    switch (status) {
    case SCHED_S_TASK_RUNNING: return IDS_TASK_STATUS_RUNNING;
    case SCHED_S_TASK_NOT_SCHEDULED: return IDS_TASK_STATUS_NOT_SCHEDULED;
    default: return IDS_TASK_STATUS_READY;
    }
}

// Activates the named work item and hands it to `read`.
template <typename Read> void ReadTask(const char* title, Read read)
{
    WithScheduler(kItemWaitMs, [&](ITaskScheduler* scheduler, const std::vector<WorkItemName>& names) {
        const WorkItemName* name = FindName(names, title ? title : "");
        ComRef<ITask> task;
        if (name && SUCCEEDED(ActivateTask(scheduler, *name, task)) && task) read(task.get());
        return S_OK;
    });
}

}  // namespace

DWORD StartScheduler(bool* startedNow)
{
    bool started = false;
    g_startedHere = false;
    DWORD result = IsNtFamily() ? StartScheduleService(&started) : StartAgent(&started);
    if (startedNow) *startedNow = started;
    return result;
}

int StopScheduler()
{
    HWND window = AgentWindow();
    DWORD processId = 0;
    if (window)
        GetWindowThreadProcessId(window, &processId);
    else if (g_startedHere)
        processId = g_agentProcess;
    g_startedHere = false;
    g_agentProcess = 0;
    if (!processId) return 1;
    ScopedHandle process(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    if (process.valid()) {
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        TerminateProcess(process.get(), code);
    }
    // The agent's tray icon would stay until the taskbar is drawn again.
    HWND tray = FindWindowA("Shell_TrayWnd", "");
    if (tray) InvalidateRect(tray, nullptr, TRUE);
    return 0;
}

int EnumerateScheduledTasks()
{
    FreeEntries();
    HRESULT result = WithScheduler(kListWaitMs, [](ITaskScheduler* scheduler, const std::vector<WorkItemName>& names) {
        for (const WorkItemName& name : names) AddTaskEntry(scheduler, name);
        return S_OK;
    });
    if (FAILED(result)) {
        FreeEntries();
        return (int)result;
    }
    return EntryCount();
}

HRESULT DeleteScheduledTask(const char* name)
{
    return WithScheduler(kItemWaitMs, [&](ITaskScheduler* scheduler, const std::vector<WorkItemName>& names) {
        const WorkItemName* item = FindName(names, name ? name : "");
        if (!item) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        // The scheduler service reads a task file a moment after it changed and may hold it
        // meanwhile: a refusal other than "not found" is tried again before it is reported.
        HRESULT deleted = E_FAIL;
        for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
            if (attempt) Sleep(kDeleteRetryMs);
            deleted = WithItemName(*item, [&](LPCWSTR itemName) { return scheduler->Delete(itemName); });
            if (SUCCEEDED(deleted) || deleted == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) break;
        }
        return deleted;
    });
}

int GetTaskComment(const char* name, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    ReadTask(name, [&](ITask* task) {
        LPWSTR comment = nullptr;
        if (SUCCEEDED(task->GetComment(&comment))) CopyText(out, (size_t)capacity, TakeAnsi(comment).c_str());
    });
    return (int)strlen(out);
}

int GetTaskStatusText(const char* name, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    ReadTask(name, [&](ITask* task) {
        HRESULT status = S_OK;
        if (SUCCEEDED(task->GetStatus(&status))) LoadText(StatusTextId(status), out, capacity);
    });
    return (int)strlen(out);
}

int TaskDisplayName(const char* title, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    size_t length = CopyText(out, (size_t)capacity, title ? title : "");
    if (length > 4 && SameText(out + length - 4, ".job")) out[length -= 4] = '\0';
    return (int)length;
}

int ScheduledTaskLocationText(int index, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    if (GetEntryKind(index) != KIND_TASK_SCHEDULED) return 0;
    return LoadText(IDS_LOC_TASK_SCHEDULER, out, capacity);
}

void RecordKnownTasks()
{
    char kind[16];
    FormatText(kind, sizeof kind, "%d", (int)KIND_TASK_SCHEDULED);
    for (int index = 0, count = EnumerateScheduledTasks(); index < count; ++index) {
        char title[ENTRY_TITLE_CHARS];
        GetEntryTitle(index, title);
        SetRegString(HKEY_CURRENT_USER, kTasksKey, title, kind);
    }
    FreeEntries();
}
