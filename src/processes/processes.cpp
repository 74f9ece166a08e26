// Process enumeration and termination (see processes.h).
#include "processes/processes.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "history/history.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/questions.h"

#include <tlhelp32.h>
#include <cstring>
#include <map>
#include <vector>

namespace {

// The rights of the Windows versions this program was first written for; newer systems
// accept them as a subset of theirs.
const DWORD kQueryRights = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
const DWORD kAllRights = 0x1F0FFF;
const DWORD kKilledExitCode = 1;
const DWORD kEndWaitMs = 50;

typedef BOOL(WINAPI* EnumProcessesFn)(DWORD*, DWORD, DWORD*);
typedef BOOL(WINAPI* EnumProcessModulesFn)(HANDLE, HMODULE*, DWORD, DWORD*);
typedef DWORD(WINAPI* GetModuleFileNameExFn)(HANDLE, HMODULE, LPSTR, DWORD);
typedef BOOL(WINAPI* TaskEnumProcEx)(DWORD, WORD, WORD, PSZ, PSZ, LPARAM);
typedef INT(WINAPI* VdmEnumTaskWowExFn)(DWORD, TaskEnumProcEx, LPARAM);
typedef HANDLE(WINAPI* CreateSnapshotFn)(DWORD, DWORD);
typedef BOOL(WINAPI* Process32Fn)(HANDLE, LPPROCESSENTRY32);

// The 16-bit task walk of one virtual DOS machine.
struct TaskWalk {
    ProcessVisitor visitor;
    void* context;
    DWORD processId;
    bool ended;
};

BOOL WINAPI VisitTask(DWORD, WORD, WORD task, PSZ, PSZ fileName, LPARAM param)
{
    TaskWalk* walk = reinterpret_cast<TaskWalk*>(param);
    if (!walk->visitor(walk->processId, task, fileName ? fileName : "", walk->context)) {
        walk->ended = true;
        return TRUE;  // TRUE ends the task walk
    }
    return FALSE;
}

bool EndsWithNoCase(const char* text, const char* tail)
{
    size_t len = strlen(text);
    size_t tailLen = strlen(tail);
    return len >= tailLen && SameText(text + len - tailLen, tail);
}

// The process ids, the buffer doubled until it holds them all.
bool ProcessIds(EnumProcessesFn enumProcesses, std::vector<DWORD>& ids)
{
    DWORD capacity = 256;
    for (;;) {
        ids.assign(capacity, 0);
        DWORD bytes = 0;
        if (!enumProcesses(ids.data(), capacity * sizeof(DWORD), &bytes)) return false;
        if (bytes < capacity * sizeof(DWORD)) {
            ids.resize(bytes / sizeof(DWORD));
            return true;
        }
        capacity *= 2;
    }
}

// The program file of a process whose modules this program cannot read: the 32-bit build
// reads none of a 64-bit process. Windows from Vista on names it (looked up at run time).
void ImageFileName(HANDLE process, char* out, DWORD capacity)
{
    typedef BOOL(WINAPI * QueryImageNameFn)(HANDLE, DWORD, LPSTR, PDWORD);
    static QueryImageNameFn queryImageName = reinterpret_cast<QueryImageNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    DWORD length = capacity;
    if (!queryImageName || !queryImageName(process, 0, out, &length)) out[0] = '\0';
}

bool EnumerateNtProcesses(ProcessVisitor visitor, void* context)
{
    ScopedLibrary psapi("PSAPI.DLL");
    auto enumProcesses = psapi.Proc<EnumProcessesFn>("EnumProcesses");
    auto enumModules = psapi.Proc<EnumProcessModulesFn>("EnumProcessModules");
    auto moduleFileName = psapi.Proc<GetModuleFileNameExFn>("GetModuleFileNameExA");
    if (!enumProcesses || !enumModules || !moduleFileName) return false;
    // Only the 16-bit task walk needs VDMDBG; without it every process is still listed.
    ScopedLibrary vdmdbg("VDMDBG.DLL");
    auto enumTasks = vdmdbg.Proc<VdmEnumTaskWowExFn>("VDMEnumTaskWOWEx");

    std::vector<DWORD> ids;
    if (!ProcessIds(enumProcesses, ids)) return false;
    for (DWORD id : ids) {
        char path[MAX_PATH] = "";
        ScopedHandle process(OpenProcess(kQueryRights, FALSE, id));
        if (process.valid()) {
            HMODULE module = nullptr;
            DWORD needed = 0;
            if (enumModules(process.get(), &module, sizeof module, &needed) &&
                moduleFileName(process.get(), module, path, sizeof path) == 0)
                path[0] = '\0';
            if (!path[0]) ImageFileName(process.get(), path, sizeof path);
        }
        process.Reset(nullptr);
        if (!visitor(id, 0, path, context)) break;
        // Only a virtual DOS machine has 16-bit tasks to walk.
        if (enumTasks && EndsWithNoCase(path, "NTVDM.EXE")) {
            TaskWalk walk = {visitor, context, id, false};
            enumTasks(id, VisitTask, reinterpret_cast<LPARAM>(&walk));
            if (walk.ended) break;
        }
    }
    return true;
}

bool EnumerateToolhelpProcesses(ProcessVisitor visitor, void* context)
{
    ScopedLibrary kernel("Kernel32.DLL");
    auto createSnapshot = kernel.Proc<CreateSnapshotFn>("CreateToolhelp32Snapshot");
    auto first = kernel.Proc<Process32Fn>("Process32First");
    auto next = kernel.Proc<Process32Fn>("Process32Next");
    if (!createSnapshot || !first || !next) return false;

    ScopedHandle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = first(snapshot.get(), &entry); more; more = next(snapshot.get(), &entry)) {
        if (!visitor(entry.th32ProcessID, 0, entry.szExeFile, context)) break;
        entry.dwSize = sizeof entry;
    }
    return true;
}

// The program path reduced once for a whole walk.
struct ProgramSearch {
    char program[1024];
    DWORD processId;
    char path[MAX_PATH];  // the file the process found runs
};

void NormalisedLongForm(const char* path, char* out, int capacity)
{
    char canonical[1024];
    CanonicalProgramPath(path, canonical, sizeof canonical);
    LongPathForm(canonical, out, capacity);
}

bool MatchesNormalised(const char* executablePath, const char* normalisedProgram)
{
    if (!executablePath || !*executablePath || !*normalisedProgram) return false;
    char executable[1024];
    NormalisedLongForm(executablePath, executable, sizeof executable);
    if (SameText(executable, normalisedProgram)) return true;
    char fileName[MAX_PATH];
    return FileNamePart(executablePath, fileName, sizeof fileName) > 0 && SameText(fileName, normalisedProgram);
}

bool FindVisitor(DWORD processId, WORD, const char* path, void* context)
{
    ProgramSearch* search = static_cast<ProgramSearch*>(context);
    if (!MatchesNormalised(path, search->program)) return true;
    search->processId = processId;
    CopyText(search->path, path);
    return false;
}

// When each listed process was created, as the last fill of the task list saw it.
std::map<DWORD, FILETIME> g_listedCreation;

// The creation time of an open process; false where the system does not tell it (the
// Windows 95 family).
bool CreationTime(HANDLE process, FILETIME* created)
{
    typedef BOOL(WINAPI * GetProcessTimesFn)(HANDLE, FILETIME*, FILETIME*, FILETIME*, FILETIME*);
    static GetProcessTimesFn getProcessTimes = reinterpret_cast<GetProcessTimesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessTimes")));
    FILETIME exited, kernel, user;
    return getProcessTimes && getProcessTimes(process, created, &exited, &kernel, &user);
}

bool CreationTimeOf(DWORD processId, FILETIME* created)
{
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    return process.valid() && CreationTime(process.get(), created);
}

// The program file of a process id as a walk finds it; empty when there is none.
struct PathSearch {
    DWORD processId;
    std::string path;
};

bool PathVisitor(DWORD processId, WORD task, const char* path, void* context)
{
    PathSearch* search = static_cast<PathSearch*>(context);
    if (processId != search->processId || task != 0) return true;
    search->path = path ? path : "";
    return false;
}

std::string ProgramOfProcess(DWORD processId)
{
    PathSearch search = {processId, std::string()};
    EnumerateProcesses(PathVisitor, &search);
    return search.path;
}

// True while the open process is the one that was found: created at the same time (where
// the system tells that) and running the same program file.
bool StillTheProcess(HANDLE process, const FoundProcess& found)
{
    FILETIME now;
    if (found.createdKnown &&
        (!CreationTime(process, &now) || now.dwLowDateTime != found.created.dwLowDateTime ||
         now.dwHighDateTime != found.created.dwHighDateTime))
        return false;
    char expected[1024];
    char actual[1024];
    NormalisedLongForm(found.path.c_str(), expected, sizeof expected);
    NormalisedLongForm(ProgramOfProcess(found.id).c_str(), actual, sizeof actual);
    return expected[0] && SameText(expected, actual);
}

bool TaskVisitor(DWORD processId, WORD, const char* path, void*)
{
    if (!path || !*path) return true;
    char canonical[1024];
    if (CanonicalProgramPath(path, canonical, sizeof canonical) == 0) return true;
    if (!FitsText(canonical, ENTRY_PATH_CHARS)) return true;
    char stored[ENTRY_PATH_CHARS];
    LongPathForm(canonical, stored, sizeof stored);
    char existing[ENTRY_PATH_CHARS];
    for (int i = 0; i < EntryCount(); ++i)
        if (GetEntryPath(i, existing) > 0 && SameText(existing, stored)) return true;
    VersionFields fields;
    ReadVersionFields(canonical, &fields);
    if (!AddEntry(fields.fileDescription, canonical, "", "", KIND_INFO_TASK, (int)processId)) return true;
    FILETIME created;
    if (CreationTimeOf(processId, &created)) g_listedCreation[processId] = created;
    return true;
}

void RepaintTaskbar()
{
    HWND tray = FindWindowA("Shell_TrayWnd", "");
    if (tray) InvalidateRect(tray, nullptr, TRUE);
}

enum Termination { ALREADY_ENDED, TERMINATED, NOT_TERMINATED };

// Terminates an open process that still runs and waits briefly for it to go.
// The process is given exit code 1: ending it with the STILL_ACTIVE code it reports
// while running would make it look alive to everyone who asks afterwards.
Termination TerminateRunning(HANDLE process)
{
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code)) return NOT_TERMINATED;
    if (code != STILL_ACTIVE) return ALREADY_ENDED;
    if (!TerminateProcess(process, kKilledExitCode)) return NOT_TERMINATED;
    WaitForSingleObject(process, kEndWaitMs);
    return TERMINATED;
}

void SetOutcome(EndOutcome* outcome, EndOutcome value)
{
    if (outcome) *outcome = value;
}

}  // namespace

bool EnumerateProcesses(ProcessVisitor visitor, void* context)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!visitor || !GetVersionExA(&version)) return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return EnumerateNtProcesses(visitor, context);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return EnumerateToolhelpProcesses(visitor, context);
    return false;
}

int BuildTaskList()
{
    FreeEntries();
    g_listedCreation.clear();
    EnumerateProcesses(TaskVisitor, nullptr);
    return EntryCount();
}

bool ProgramPathMatches(const char* executablePath, const char* programPath)
{
    char program[1024];
    NormalisedLongForm(programPath ? programPath : "", program, sizeof program);
    return MatchesNormalised(executablePath, program);
}

namespace {

// The first process that runs the program; its id, 0 when none does.
DWORD FindFirstProcess(const char* programPath, ProgramSearch& search)
{
    search = ProgramSearch{};
    NormalisedLongForm(programPath ? programPath : "", search.program, sizeof search.program);
    if (!search.program[0]) return 0;
    EnumerateProcesses(FindVisitor, &search);
    return search.processId;
}

}  // namespace

DWORD FindRunningProgram(const char* programPath)
{
    ProgramSearch search;
    return FindFirstProcess(programPath, search);
}

bool IsProgramRunning(const char* programPath) { return FindRunningProgram(programPath) != 0; }

bool FindProgramProcess(const char* programPath, FoundProcess& found)
{
    found = FoundProcess();
    ProgramSearch search;
    if (FindFirstProcess(programPath, search) == 0) return false;
    found.id = search.processId;
    found.path = search.path;
    found.createdKnown = CreationTimeOf(found.id, &found.created);
    return true;
}

bool ConfirmEndPrograms(const std::vector<FoundProcess>& processes)
{
    if (processes.empty()) return true;
    std::vector<std::string> files;
    for (const FoundProcess& process : processes) files.push_back(process.path);
    std::string text;
    if (files.size() == 1) {
        char one[1024];
        FormatLoadedText(one, sizeof one, IDS_CONFIRM_END_PROGRAM, "s", files[0].c_str());
        text = one;
    } else {
        text = FormatWithTargets(IDS_CONFIRM_END_PROGRAMS, files);
    }
    return ConsoleMessageBox(text.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

EndOutcome EndFoundProcess(const FoundProcess& found, const char* programPath, const char* title)
{
    ScopedHandle process(OpenProcess(kAllRights, FALSE, found.id));
    if (!process.valid()) {
        RecordKillResult(programPath, false);
        return END_FAILED;
    }
    if (!StillTheProcess(process.get(), found)) return END_CHANGED;
    Termination result = TerminateRunning(process.get());
    DWORD error = GetLastError();
    process.Reset(nullptr);
    if (result == ALREADY_ENDED) return END_NOT_RUNNING;  // it ended by itself in the meantime

    bool ended = result == TERMINATED;
    if (ended) AppendHistory(title, programPath, "", KIND_INFO_TASK, ACTION_TASK_KILL);
    RepaintTaskbar();
    SetLastError(error);
    RecordKillResult(programPath, ended);
    return ended ? END_ENDED : END_FAILED;
}

DWORD EndProgram(const char* programPath, const char* title, bool confirm, EndOutcome* outcome)
{
    SetOutcome(outcome, END_NOT_RUNNING);
    FoundProcess found;
    if (!FindProgramProcess(programPath, found)) return 0;
    if (confirm && !ConfirmEndPrograms({found})) {
        SetOutcome(outcome, END_DECLINED);
        return found.id;
    }
    SetOutcome(outcome, EndFoundProcess(found, programPath, title));
    return found.id;
}

TaskEnd EndListedTask(int index)
{
    EntryCopy entry;
    if (!CopyEntry(index, entry) || entry.kind != KIND_INFO_TASK || entry.value == 0) return TASK_NOT_AS_LISTED;
    FoundProcess listed;
    listed.id = (DWORD)entry.value;
    listed.path = entry.path;
    auto seen = g_listedCreation.find(listed.id);
    if (seen != g_listedCreation.end()) {
        listed.created = seen->second;
        listed.createdKnown = true;
    }
    ScopedHandle process(OpenProcess(kAllRights, FALSE, listed.id));
    if (!process.valid()) return GetLastError() == ERROR_INVALID_PARAMETER ? TASK_NOT_AS_LISTED : TASK_NOT_ENDED;
    if (!StillTheProcess(process.get(), listed)) return TASK_NOT_AS_LISTED;
    if (TerminateRunning(process.get()) != TERMINATED) return TASK_NOT_ENDED;
    char program[1024];
    CanonicalProgramPath(entry.path, program, sizeof program);
    AppendHistory(entry.title, program, entry.detail, KIND_INFO_TASK, ACTION_TASK_KILL);
    return TASK_ENDED;
}

bool EndProcess(DWORD processId)
{
    ScopedHandle process(OpenProcess(kAllRights, FALSE, processId));
    return process.valid() && TerminateRunning(process.get()) == TERMINATED;
}

void RecordKillResult(const char* programPath, bool success)
{
    DWORD error = GetLastError();  // before anything below replaces it
    char current[512];
    if (!programPath || ReadRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, programPath, current, sizeof current) == 0)
        return;

    char text[1024];
    if (success) {
        SYSTEMTIME now;
        GetSystemTime(&now);
        FormatDateText(&now, text, sizeof text);
    } else {
        char* message = nullptr;
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&message), 0, nullptr);
        size_t len = FormatText(text, sizeof text, "%d:%s", (int)error, message ? message : "");
        // Drop the message's closing line break.
        while (len > 0 && (unsigned char)text[len - 1] < ' ') text[--len] = '\0';
        if (message) LocalFree(message);
    }
    SetRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, programPath, text);
}
