// The entry list: one process-wide list of fixed-size records that carries every item a
// page shows (startup entries, running programs, tasks, helpers, services, file types,
// cookies, history lines). List-view rows keep the index of their record.
#pragma once

#include "foundations/system_view.h"

#include <windows.h>

// Field capacities, terminator included.
const int ENTRY_TITLE_CHARS = 128;
const int ENTRY_PATH_CHARS = 260;
const int ENTRY_EXTRA_CHARS = 260;
const int ENTRY_DETAIL_CHARS = 1025;

const int MAX_ENTRIES = 4090;
const int MAX_ENTRIES_BEFORE_IE_COOKIE = 325;

// Kind codes: where an item comes from. Their keywords are the vocabulary of history.txt.
enum EntryKind {
    KIND_MACHINE_RUN = 1,            // HKLM ...\Run; 2-5 RunOnce, RunOnceEx, RunServices, RunServicesOnce
    KIND_MACHINE_RUNSERVICESONCE = 5,
    KIND_MACHINE_POLICIES_RUN = 6,   // HKLM ...\Policies\Explorer\Run
    KIND_CURRENT_RUN = 11,           // HKCU, same keys (11-16)
    KIND_CURRENT_RUNSERVICESONCE = 15,
    KIND_CURRENT_POLICIES_RUN = 16,
    KIND_USERS_RUN = 21,             // HKEY_USERS root, same keys (21-25)
    KIND_USERS_RUNSERVICESONCE = 25,
    KIND_MACHINE32_RUN = 41,         // HKLM Run keys in the 32-bit view of a 64-bit Windows (41-46)
    KIND_MACHINE32_RUNSERVICESONCE = 45,
    KIND_MACHINE32_POLICIES_RUN = 46,
    KIND_WIN_LOAD = 100,
    KIND_WIN_RUN = 101,
    KIND_GROUP_STARTUP = 200,
    KIND_RESTART_DELETE = 300,
    KIND_BLACKLIST = 350,
    KIND_PROSEARCH = 360,            // Internet Explorer's start and search pages
    KIND_HOSTS_FILE = 370,
    KIND_FILETYPE = 400,
    KIND_FILETYPE_KEYWORD = 450,
    KIND_INFO_COOKIE = 500,
    KIND_NET_COOKIE = 504,
    KIND_INFO_TASK = 600,
    KIND_SERVICE_EXE = 700,
    KIND_SERVICE_SVCHOST = 701,
    KIND_TASK_SCHEDULED = 800,
    KIND_TYPE_BHO = 900,
    KIND_TYPE_TOOLBAR = 901,
    KIND_TYPE_EXTENSION = 902,
    KIND_TYPE_BHO32 = 910,           // the add-ons of the 32-bit view of a 64-bit Windows
    KIND_TYPE_TOOLBAR32 = 911,
    KIND_TYPE_EXTENSION32 = 912,
    // The system hooks: programs hooked into the start of Windows, of log-on or of programs.
    KIND_HOOK_SHELL = 1000,          // HKLM Winlogon "Shell": a program beyond Windows' own shell
    KIND_HOOK_USERINIT = 1001,       // HKLM Winlogon "Userinit": a program beyond userinit.exe
    KIND_HOOK_USER_SHELL = 1002,     // HKCU Winlogon "Shell"
    KIND_HOOK_NOTIFY = 1003,         // HKLM Winlogon\Notify\<name> with a "DLLName"
    KIND_HOOK_APPINIT = 1004,        // one DLL of HKLM ...\Windows NT\CurrentVersion\Windows "AppInit_DLLs"
    KIND_HOOK_DEBUGGER = 1005,       // HKLM Image File Execution Options\<program> "Debugger"
    KIND_HOOK_DELAYLOAD = 1006,      // a value of HKLM ShellServiceObjectDelayLoad
    KIND_HOOK_TASK_SCHEDULER = 1007, // a value of HKLM ...\Explorer\SharedTaskScheduler
    KIND_HOOK_ACTIVE_SETUP = 1008,   // HKLM Active Setup\Installed Components\<id> with a "StubPath"
    KIND_HOOK32_SHELL = 1010,        // the same places in the 32-bit view of a 64-bit Windows (1010-1018)
    KIND_HOOK32_ACTIVE_SETUP = 1018,
};

// The registry view a kind's place is in: the 32-bit view for the kinds of it (41-46,
// 910-912), the native view for every other kind (so a history line of a kind keyword
// written before views existed acts on the native view).
RegistryView KindView(int kind);
// The kind of the same place in the native view (41 gives 1, 910 gives 900); other kinds
// are their own.
int BaseKind(int kind);
// The kind of a native kind's place in a view (1 and VIEW_32BIT give 41).
int KindInView(int baseKind, RegistryView view);

// Appends a record; 1 when appended, 0 when refused (list full, a field too long, or the
// cap on Internet Explorer cookies). An empty title is stored as "Unspecified Title";
// quotes are removed from path, and path and extra take their long-path form.
int AddEntry(const char* title, const char* path, const char* extra, const char* detail, int kind, int value);
// The same for a record whose path and extra are data, not file names (a cookie's path and
// value): stored exactly as given, never handed to a path function.
int AddEntryAsIs(const char* title, const char* path, const char* extra, const char* detail, int kind, int value);

// Copy a field into a buffer of the field's width; return its length (0 when not found).
int GetEntryTitle(int index, char* out);
int GetEntryPath(int index, char* out);
int GetEntryExtra(int index, char* out);
int GetEntryDetail(int index, char* out);
int GetEntryKind(int index);
int GetEntryValue(int index);

// A copy of every field of one record.
struct EntryCopy {
    char title[ENTRY_TITLE_CHARS];
    char path[ENTRY_PATH_CHARS];
    char extra[ENTRY_EXTRA_CHARS];
    char detail[ENTRY_DETAIL_CHARS];
    int kind;
    int value;
};
// False (and every field empty) when there is no such record.
bool CopyEntry(int index, EntryCopy& out);

// Frees every record; the count becomes 0.
void FreeEntries();
int EntryCount();

// The history keyword of a kind code ("MACHINE_RUN", ...), nullptr when it has none.
const char* KindKeyword(int kind);
// The kind code of a keyword (case-insensitive), 0 when it is not one.
int KindFromKeyword(const char* keyword);

// The long-path form of a path when the system can give one, else the text unchanged.
void LongPathForm(const char* path, char* out, int capacity);

// For a file that a folder listing just gave (name as listed): while a FillMemo is open,
// LongPathForm of folder + "\" + name is then answered from the folder's long form, so a
// folder of many files is looked up once per fill instead of once per file. `gone`: the caller
// has just deleted the file, whose text then stays as it is (as the system leaves the name of
// a file that is not there), without asking.
void PrepareFolderItemLongPath(const char* folder, const char* name, bool gone = false);
