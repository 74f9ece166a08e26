// Collecting startup entries (see startup_scan.h).
#include "startup/startup_scan.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/shortcut.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "foundations/winini.h"
#include "resource.h"
#include "startup/disabled_store.h"
#include "startup/startup_locations.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const HKEY kHives[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS};

std::vector<EntryDisabledAgain> g_disabledAgain;

// The command shown for a value run through RUNDLL32: what follows the RUNDLL32
// program (and its closing quote), wherever it stands in the command.
std::string AfterRundll(const std::string& command, bool* isRundll)
{
    static const char kRundll[] = "RUNDLL32.exe";
    size_t at = FindNoCase(command, kRundll);
    *isRundll = at != std::string::npos;
    if (!*isRundll) return command;
    size_t rest = at + sizeof kRundll - 1;
    if (rest < command.size() && command[rest] == '"') ++rest;
    while (rest < command.size() && command[rest] == ' ') ++rest;
    return command.substr(rest);
}

// A value that reappeared under its disabled title in the same key: the program put
// itself back. Its current command replaces the saved one and the value leaves the key
// again. True when that was done.
bool DisableAgain(RegRoot hive, const char* subkey, int kind, const RegValue& value)
{
    if (!IsOwnRunKind(kind) || DisabledMarkerKind(value.name.c_str()) != kind) return false;
    if (!SaveDisabledCommand(kind, value.name.c_str(), value.data, value.type)) return false;
    if (!DeleteRegValue(hive, subkey, value.name.c_str())) return false;
    std::string command;
    RegDataText(value.data, value.type, command);
    g_disabledAgain.push_back({value.name, command, kind});
    return true;
}

// The value listed last: a value equal to it (name and command, any case) in the same view
// is listed once; the same value in the other view is an entry of its own.
struct PreviousValue {
    std::string name;
    std::string command;
    RegistryView view = VIEW_NATIVE;
};

void ScanRunKey(int kind, PreviousValue& previous)
{
    char subkey[MAX_PATH];
    RunKeyPath(kind, subkey, sizeof subkey);
    RegRoot hive = RunKindRoot(kind);
    if (KindView(kind) == VIEW_32BIT && ViewsShareKey(RunKindHive(kind), subkey)) return;
    std::vector<RegValue> values;
    if (!ReadRegValues(hive, subkey, values)) return;

    for (const RegValue& value : values) {
        std::string command;
        if (!RegDataText(value.data, value.type, command)) continue;
        const std::string& name = value.name;
        if (previous.view == KindView(kind) && SameText(name.c_str(), previous.name.c_str()) &&
            SameText(command.c_str(), previous.command.c_str()))
            continue;
        if (HasDisabledMarker(name.c_str()) && DisableAgain(hive, subkey, kind, value)) continue;

        if (name.size() > 1 && command.size() > 4 && (unsigned char)name[0] < 128) {
            bool isRundll = false;
            std::string shown = AfterRundll(command, &isRundll);
            AddEntry(DisplayTitle(name).c_str(), DisplayCommand(shown).c_str(), "", "", kind, isRundll ? 1 : 0);
        }
        previous.name = name;
        previous.command = command;
        previous.view = KindView(kind);
    }
}

// The machine's keys in each of its views (the 32-bit one on 64-bit Windows), then the
// current user's and the other users'.
void ScanRunKeys()
{
    PreviousValue previous;
    for (int base : {0, 10, 20}) {
        std::vector<RegistryView> views = base == 0 ? ListedViews() : std::vector<RegistryView>{VIEW_NATIVE};
        for (RegistryView view : views)
            for (int kind = base + 1; IsRunKind(kind); ++kind) ScanRunKey(KindInView(kind, view), previous);
    }
}

// A title from the version fields: the file description, else the product name.
void VersionTitle(const char* file, char* title, int capacity)
{
    VersionFields fields;
    ReadVersionFields(file, &fields);
    CopyText(title, (size_t)capacity, fields.fileDescription[0] ? fields.fileDescription : fields.productName);
}

void AddStartupItem(const char* file)
{
    if (HasExtension(file, ".lnk")) {
        char target[MAX_PATH];
        char description[MAX_PATH];
        if (ResolveShortcut(nullptr, file, target, sizeof target, description, sizeof description) == S_FALSE) return;
        std::string title = description;
        if (title.empty()) {
            // Read under the long name the entry keeps, the name the page's version column
            // reads in the same fill.
            char longTarget[MAX_PATH];
            LongPathForm(target, longTarget, sizeof longTarget);
            char fromVersion[VERSION_FIELD_CHARS];
            VersionTitle(longTarget, fromVersion, sizeof fromVersion);
            title = fromVersion;
        }
        AddEntry(DisplayTitle(title).c_str(), target, file, "", KIND_GROUP_STARTUP, 0);
    } else if (HasExtension(file, ".exe")) {
        char longFile[MAX_PATH];
        LongPathForm(file, longFile, sizeof longFile);
        char title[VERSION_FIELD_CHARS];
        VersionTitle(longFile, title, sizeof title);
        AddEntry(title, file, file, "", KIND_GROUP_STARTUP, 0);
    } else if (HasExtension(file, ".pif")) {
        AddEntry("", file, "", "", KIND_GROUP_STARTUP, 0);
    }
}

void WalkFolder(const char* folder, int depth)
{
    char pattern[MAX_PATH];
    FormatText(pattern, sizeof pattern, "%s\\*.*", folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        char path[MAX_PATH];
        if (FormatText(path, sizeof path, "%s\\%s", folder, found.cFileName) >= sizeof path - 1) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (found.cFileName[0] != '.' && depth > 0) WalkFolder(path, depth - 1);
        } else {
            PrepareFolderItemLongPath(folder, found.cFileName);
            AddStartupItem(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void ScanStartupFolders()
{
    for (HKEY hive : kHives) {
        char folder[MAX_PATH];
        if (ShellFolder(hive, "Startup", folder, sizeof folder) > 0) {
            RemoveBackslash(folder, 0);
            WalkFolder(folder, 0);
        }
        if (ShellFolder(hive, "Common Startup", folder, sizeof folder) > 0) {
            RemoveBackslash(folder, 0);
            WalkFolder(folder, 1);
        }
    }
}

void ScanWinIniLine(const char* line, int kind)
{
    for (const std::string& piece : SplitWinIniLine(ReadWinIniLine(line))) {
        VersionFields fields;
        ReadVersionFields(piece.c_str(), &fields);
        const char* title = fields.productName[0] ? fields.productName : line;
        AddEntry(title, DisplayCommand(piece).c_str(), "", "", kind, 0);
    }
}

void ScanWinIni()
{
    ScanWinIniLine("run", KIND_WIN_RUN);
    ScanWinIniLine("load", KIND_WIN_LOAD);
}

void ScanDisabled()
{
    static const int kStoreKinds[] = {1, 2, 3, 4, 5, KIND_MACHINE_POLICIES_RUN, KIND_WIN_LOAD, KIND_WIN_RUN};
    for (int storeKind : kStoreKinds) {
        const char* key = SavedCommandKey(storeKind);
        std::vector<RegValue> values;
        if (!ReadRegValues(ProgramMachineRoot(), key, values)) continue;
        for (const RegValue& value : values) {
            if (value.name.empty()) continue;
            int kind = DisabledMarkerKind(value.name.c_str());
            // A saved command counts only when its marker names a kind saved in this key.
            const char* markerKey = SavedCommandKey(kind);
            if (!markerKey || !SameText(markerKey, key)) continue;
            std::string command;
            RegDataText(value.data, value.type, command);
            AddEntry(DisplayTitle(value.name).c_str(), DisplayCommand(command).c_str(), "", "", kind, 0);
        }
    }
    char folder[MAX_PATH];
    if (DisabledFolder(folder, sizeof folder) > 0) WalkFolder(folder, 0);
}

}  // namespace

int CollectStartupEntries()
{
    // A program named by several entries, and the folders of their paths, are read once.
    FillMemo memo;
    FreeEntries();
    g_disabledAgain.clear();
    ScanRunKeys();
    ScanStartupFolders();
    ScanWinIni();
    ScanDisabled();
    return EntryCount();
}

int CollectRunKeyEntries()
{
    FillMemo memo;
    FreeEntries();
    g_disabledAgain.clear();
    ScanRunKeys();
    return EntryCount();
}

int CollectOtherStartupEntries()
{
    FillMemo memo;
    FreeEntries();
    g_disabledAgain.clear();
    ScanStartupFolders();
    ScanWinIni();
    ScanDisabled();
    return EntryCount();
}

const std::vector<EntryDisabledAgain>& EntriesDisabledAgain() { return g_disabledAgain; }

int IsEntryDisabled(int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    // The marker holds the entry's own kind whenever the entry is the disabled one.
    return EntryDisabledState(entry.title, entry.path, entry.extra, entry.kind) == ENTRY_DISABLED ? entry.kind : 0;
}

int StartupLocationText(int index, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    int kind = GetEntryKind(index);
    switch (kind) {
    case KIND_TASK_SCHEDULED: return LoadText(IDS_LOC_TASK_SCHEDULER, out, capacity);
    case KIND_TYPE_BHO: return LoadText(IDS_LOC_IE_BHO, out, capacity);
    case KIND_TYPE_TOOLBAR: return LoadText(IDS_LOC_IE_TOOLBAR, out, capacity);
    default: break;
    }
    if (kind > KIND_GROUP_STARTUP) return 0;

    if (IsEntryDisabled(index)) {
        char disabled[64];
        LoadText(IDS_DISABLED_MARK, disabled);
        FormatText(out, (size_t)capacity, " * %s * ", disabled);
    }
    static const char* const kHiveNames[] = {"HKEY_LOCAL_MACHINE\\", "HKEY_CURRENT_USER\\", "HKEY_USER\\"};
    if (IsRunKind(kind)) {
        AppendText(out, (size_t)capacity, kHiveNames[BaseKind(kind) / 10]);
        AppendText(out, (size_t)capacity, WINDOWS_CURRENT_VERSION_KEY "\\");
        AppendText(out, (size_t)capacity, RunKeyName(kind));
        AppendViewMark(KindView(kind), out, capacity);
    } else if (kind == KIND_WIN_LOAD) {
        AppendText(out, (size_t)capacity, "WIN.INI     [Load] Section");
    } else if (kind == KIND_WIN_RUN) {
        AppendText(out, (size_t)capacity, "WIN.INI     [Run] Section");
    } else if (kind == KIND_GROUP_STARTUP) {
        AppendText(out, (size_t)capacity, "Windows Startup Group");
    }
    return (int)strlen(out);
}
