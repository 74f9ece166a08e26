// The entry list (see entries.h). Each record is its own movable, zero-filled global
// block, locked only while it is read or written.
#include "foundations/entries.h"

#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/platform.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <cstring>
#include <string>

namespace {

struct EntryRecord {
    char title[ENTRY_TITLE_CHARS];
    char path[ENTRY_PATH_CHARS];
    char extra[ENTRY_EXTRA_CHARS];
    LONG kind;
    LONG value;
    char detail[ENTRY_DETAIL_CHARS];
};

HGLOBAL g_entries[MAX_ENTRIES];
int g_entryCount = 0;

// Locks a record for the life of the object.
class LockedEntry {
public:
    explicit LockedEntry(int index)
    {
        if (index >= 0 && index < g_entryCount) {
            block_ = g_entries[index];
            record_ = static_cast<EntryRecord*>(GlobalLock(block_));
        }
    }
    ~LockedEntry()
    {
        if (record_) GlobalUnlock(block_);
    }
    LockedEntry(const LockedEntry&) = delete;
    LockedEntry& operator=(const LockedEntry&) = delete;
    EntryRecord* operator->() const { return record_; }
    explicit operator bool() const { return record_ != nullptr; }

private:
    HGLOBAL block_ = nullptr;
    EntryRecord* record_ = nullptr;
};

const struct {
    int code;
    const char* keyword;
} kKindKeywords[] = {
    {1, "MACHINE_RUN"}, {2, "MACHINE_RUNONCE"}, {3, "MACHINE_RUNONCEEX"}, {4, "MACHINE_RUNSERVICES"},
    {5, "MACHINE_RUNSERVICESONCE"}, {11, "CURRENT_RUN"}, {12, "CURRENT_RUNONCE"}, {13, "CURRENT_RUNONCEEX"},
    {14, "CURRENT_RUNSERVICES"}, {15, "CURRENT_RUNSERVICESONCE"}, {21, "USERS_RUN"}, {22, "USERS_RUNONCE"},
    {23, "USERS_RUNONCEEX"}, {24, "USERS_RUNSERVICES"}, {25, "USERS_RUNSERVICESONCE"}, {31, "VIGILARK_RUN"},
    {32, "VIGILARK_RUNONCE"}, {33, "VIGILARK_RUNONCEEX"}, {34, "VIGILARK_RUNSERVICES"},
    {35, "VIGILARK_RUNSERVICESONCE"}, {100, "WIN_LOAD"}, {101, "WIN_RUN"}, {200, "GROUP_STARTUP"},
    {500, "INFO_COOKIE"}, {501, "INFO_NETCOOKIE"}, {502, "INFO_SAVECOOKIE"}, {503, "INFO_NUTS"},
    {600, "INFO_TASK"}, {700, "SERVICE_EXE"}, {701, "SERVICE_SVCHOST"}, {800, "TASK_SCHEDULED"},
    {900, "TYPE_BHO"}, {300, "RESTART_DELETE"}, {301, "RESTART_RENAMETYPE_TOOLBAR"},
    {901, "TYPE_EXTENSION"}, {902, "TYPE_MONITOR"}, {350, "TYPE_BLACKLIST"}, {360, "TYPE_PROSEARCH"},
    {450, "TYPE_FILETYPE"}, {370, "TYPE_HOSTS"}, {41, "MACHINE32_RUN"}, {42, "MACHINE32_RUNONCE"},
    {43, "MACHINE32_RUNONCEEX"},
    {44, "MACHINE32_RUNSERVICES"}, {45, "MACHINE32_RUNSERVICESONCE"}, {910, "TYPE_BHO32"},
    {911, "TYPE_EXTENSION32"}, {912, "TYPE_MONITOR32"}, {6, "MACHINE_POLICIESRUN"}, {16, "CURRENT_POLICIESRUN"},
    {46, "MACHINE32_POLICIESRUN"}, {1000, "HOOK_SHELL"}, {1001, "HOOK_USERINIT"}, {1002, "HOOK_USERSHELL"},
    {1003, "HOOK_NOTIFY"}, {1004, "HOOK_APPINIT"}, {1005, "HOOK_DEBUGGER"}, {1006, "HOOK_DELAYLOAD"},
    {1007, "HOOK_TASKSCHEDULER"}, {1008, "HOOK_ACTIVESETUP"}, {1010, "HOOK32_SHELL"}, {1011, "HOOK32_USERINIT"},
    {1013, "HOOK32_NOTIFY"}, {1014, "HOOK32_APPINIT"}, {1015, "HOOK32_DEBUGGER"}, {1016, "HOOK32_DELAYLOAD"},
    {1017, "HOOK32_TASKSCHEDULER"}, {1018, "HOOK32_ACTIVESETUP"},
};

// The kinds that have a place in each view: the 32-bit view's kind is the native one plus
// the offset.
const struct {
    int first;
    int last;
    int offset;
} kViewedKinds[] = {
    {KIND_MACHINE_RUN, KIND_MACHINE_POLICIES_RUN, KIND_MACHINE32_RUN - KIND_MACHINE_RUN},
    {KIND_TYPE_BHO, KIND_TYPE_EXTENSION, KIND_TYPE_BHO32 - KIND_TYPE_BHO},
    {KIND_HOOK_SHELL, KIND_HOOK_ACTIVE_SETUP, KIND_HOOK32_SHELL - KIND_HOOK_SHELL},
};

int CopyField(const char* field, char* out)
{
    size_t len = strlen(field);
    memcpy(out, field, len + 1);
    return (int)len;
}

}  // namespace

void LongPathForm(const char* path, char* out, int capacity)
{
    typedef DWORD(WINAPI * GetLongPathNameFn)(LPCSTR, LPSTR, DWORD);
    static GetLongPathNameFn getLongPathName = reinterpret_cast<GetLongPathNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
    if (!path) path = "";
    std::string key = std::string("long|") + path;
    std::string form;
    if (!RecallText(key, form)) {
        form = path;
        char converted[MAX_PATH];
        if (getLongPathName && !IsWindows95()) {
            DWORD n = getLongPathName(path, converted, sizeof converted);
            if (n > 0 && n < sizeof converted) form = converted;
        }
        RememberText(key, form);
    }
    CopyText(out, (size_t)capacity, form.c_str());
}

void PrepareFolderItemLongPath(const char* folder, const char* name, bool gone)
{
    // A "?" stands for a character the listing could not give in this code page: the
    // system would look that name up as a pattern, so it is left to the system.
    if (!FillMemoOpen() || !folder || !name || strpbrk(name, "?*")) return;
    std::string path = std::string(folder) + "\\" + name;
    std::string key = "long|" + path;
    std::string form;
    if (RecallText(key, form)) return;
    // The folder's long form and the name as listed, which is already the file's long name;
    // as the system does, a form that does not fit or a file that is gone leaves the text
    // as it is.
    if (gone) {
        RememberText(key, path);
        return;
    }
    char longFolder[MAX_PATH];
    LongPathForm(folder, longFolder, sizeof longFolder);
    form = std::string(longFolder) + "\\" + name;
    if (form.size() >= MAX_PATH || GetFileAttributesA(form.c_str()) == INVALID_FILE_ATTRIBUTES) form = path;
    RememberText(key, form);
}

namespace {

int AppendEntry(const char* title, const char* path, const char* extra, const char* detail, int kind, int value,
                bool paths)
{
    title = title ? title : "";
    path = path ? path : "";
    extra = extra ? extra : "";
    detail = detail ? detail : "";
    if (g_entryCount >= MAX_ENTRIES) return 0;
    if (!FitsText(title, ENTRY_TITLE_CHARS) || !FitsText(path, ENTRY_PATH_CHARS) ||
        !FitsText(extra, ENTRY_EXTRA_CHARS) || !FitsText(detail, ENTRY_DETAIL_CHARS))
        return 0;
    if (kind == KIND_INFO_COOKIE && g_entryCount >= MAX_ENTRIES_BEFORE_IE_COOKIE) return 0;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(EntryRecord));
    if (!block) return 0;
    EntryRecord* record = static_cast<EntryRecord*>(GlobalLock(block));
    if (!record) {
        GlobalFree(block);
        return 0;
    }

    if (*title)
        CopyText(record->title, title);
    else
        LoadText(IDS_UNSPECIFIED_TITLE, record->title, ENTRY_TITLE_CHARS);
    CopyText(record->detail, detail);

    char unquoted[ENTRY_PATH_CHARS];
    if (paths) {
        StripQuotes(path, unquoted, sizeof unquoted);
        path = unquoted;
    }
    if (paths && strlen(path) > 3)
        LongPathForm(path, record->path, ENTRY_PATH_CHARS);
    else
        CopyText(record->path, path);
    if (paths && strlen(extra) > 3)
        LongPathForm(extra, record->extra, ENTRY_EXTRA_CHARS);
    else
        CopyText(record->extra, extra);

    record->kind = kind;
    record->value = value;
    GlobalUnlock(block);
    g_entries[g_entryCount++] = block;
    return 1;
}

}  // namespace

int AddEntry(const char* title, const char* path, const char* extra, const char* detail, int kind, int value)
{
    return AppendEntry(title, path, extra, detail, kind, value, true);
}

int AddEntryAsIs(const char* title, const char* path, const char* extra, const char* detail, int kind, int value)
{
    return AppendEntry(title, path, extra, detail, kind, value, false);
}

int GetEntryTitle(int index, char* out)
{
    LockedEntry entry(index);
    return entry ? CopyField(entry->title, out) : 0;
}

int GetEntryPath(int index, char* out)
{
    LockedEntry entry(index);
    return entry ? CopyField(entry->path, out) : 0;
}

int GetEntryExtra(int index, char* out)
{
    LockedEntry entry(index);
    return entry ? CopyField(entry->extra, out) : 0;
}

int GetEntryDetail(int index, char* out)
{
    LockedEntry entry(index);
    return entry ? CopyField(entry->detail, out) : 0;
}

int GetEntryKind(int index)
{
    LockedEntry entry(index);
    return entry ? entry->kind : 0;
}

int GetEntryValue(int index)
{
    LockedEntry entry(index);
    return entry ? entry->value : 0;
}

bool CopyEntry(int index, EntryCopy& out)
{
    out = EntryCopy{};
    LockedEntry entry(index);
    if (!entry) return false;
    CopyField(entry->title, out.title);
    CopyField(entry->path, out.path);
    CopyField(entry->extra, out.extra);
    CopyField(entry->detail, out.detail);
    out.kind = entry->kind;
    out.value = entry->value;
    return true;
}

void FreeEntries()
{
    for (int i = 0; i < g_entryCount; ++i) {
        GlobalFree(g_entries[i]);
        g_entries[i] = nullptr;
    }
    g_entryCount = 0;
}

int EntryCount() { return g_entryCount; }

RegistryView KindView(int kind) { return BaseKind(kind) != kind ? VIEW_32BIT : VIEW_NATIVE; }

int BaseKind(int kind)
{
    for (const auto& row : kViewedKinds)
        if (kind >= row.first + row.offset && kind <= row.last + row.offset) return kind - row.offset;
    return kind;
}

int KindInView(int baseKind, RegistryView view)
{
    if (view != VIEW_32BIT) return baseKind;
    for (const auto& row : kViewedKinds)
        if (baseKind >= row.first && baseKind <= row.last) return baseKind + row.offset;
    return baseKind;
}

const char* KindKeyword(int kind)
{
    for (const auto& row : kKindKeywords)
        if (row.code == kind) return row.keyword;
    return nullptr;
}

int KindFromKeyword(const char* keyword)
{
    for (const auto& row : kKindKeywords)
        if (SameText(row.keyword, keyword)) return row.code;
    return 0;
}
