// The entry list: one process-wide list of fixed-size records that carries every item a
// page shows (startup entries, running programs, tasks, helpers, services, file types,
// cookies, history lines). List-view rows keep the index of their record.
#pragma once

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
    KIND_CURRENT_RUN = 11,           // HKCU, same keys (11-15)
    KIND_CURRENT_RUNSERVICESONCE = 15,
    KIND_USERS_RUN = 21,             // HKEY_USERS root, same keys (21-25)
    KIND_USERS_RUNSERVICESONCE = 25,
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
};

// Appends a record; 1 when appended, 0 when refused (list full, a field too long, or the
// cap on Internet Explorer cookies). An empty title is stored as "Unspecified Title";
// quotes are removed from path, and path and extra take their long-path form.
int AddEntry(const char* title, const char* path, const char* extra, const char* detail, int kind, int value);

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
// folder of many files is looked up once per fill instead of once per file.
void PrepareFolderItemLongPath(const char* folder, const char* name);
