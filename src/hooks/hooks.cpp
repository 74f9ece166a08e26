// Listing the system hooks (see hooks.h).
#include "hooks/hooks.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "hooks/hook_places.h"
#include "hooks/hook_text.h"
#include "resource.h"

#include <vector>

namespace {

#define NT_CURRENT_VERSION "Software\\Microsoft\\Windows NT\\CurrentVersion"
#define WINLOGON_KEY NT_CURRENT_VERSION "\\Winlogon"

const HookPlace kPlaces[] = {
    {KIND_HOOK_SHELL, HKEY_LOCAL_MACHINE, WINLOGON_KEY, "Shell", SHAPE_PROGRAMS},
    {KIND_HOOK_USERINIT, HKEY_LOCAL_MACHINE, WINLOGON_KEY, "Userinit", SHAPE_PROGRAMS},
    {KIND_HOOK_USER_SHELL, HKEY_CURRENT_USER, WINLOGON_KEY, "Shell", SHAPE_PROGRAMS},
    {KIND_HOOK_NOTIFY, HKEY_LOCAL_MACHINE, WINLOGON_KEY "\\Notify", "DLLName", SHAPE_SUBKEYS},
    {KIND_HOOK_APPINIT, HKEY_LOCAL_MACHINE, NT_CURRENT_VERSION "\\Windows", "AppInit_DLLs", SHAPE_DLLS},
    {KIND_HOOK_DEBUGGER, HKEY_LOCAL_MACHINE, NT_CURRENT_VERSION "\\Image File Execution Options", "Debugger",
     SHAPE_DEBUGGERS},
    {KIND_HOOK_DELAYLOAD, HKEY_LOCAL_MACHINE, WINDOWS_CURRENT_VERSION_KEY "\\ShellServiceObjectDelayLoad", nullptr,
     SHAPE_CLASSES},
    {KIND_HOOK_TASK_SCHEDULER, HKEY_LOCAL_MACHINE, WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\SharedTaskScheduler",
     nullptr, SHAPE_CLASSES},
    {KIND_HOOK_ACTIVE_SETUP, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Active Setup\\Installed Components",
     "StubPath", SHAPE_SUBKEYS},
};

std::string Text(RegRoot root, const std::string& key, const char* name)
{
    std::string text;
    ReadRegText(root, key.c_str(), name, text);
    return text;
}

// The file name of a path, for a DLL's title.
std::string FileName(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Cut(const std::string& text, int capacity)
{
    return text.size() < (size_t)capacity ? text : text.substr(0, (size_t)capacity - 1);
}

// As the registry has them: the extra text is a key, never a file name to look up.
void Add(const std::string& title, const std::string& path, const std::string& key, const std::string& detail, int kind)
{
    AddEntryAsIs(Cut(title, ENTRY_TITLE_CHARS).c_str(), Cut(path, ENTRY_PATH_CHARS).c_str(), key.c_str(), detail.c_str(),
             kind, 0);
}

// Windows' own program of a Winlogon value.
bool IsWindowsOwn(const HookPlace& place, const std::string& piece)
{
    SystemFolders folders = CurrentSystemFolders();
    if (SameText(place.value, "Userinit")) return IsWindowsUserinit(piece, folders.system);
    return IsWindowsShell(piece, folders.windows);
}

void ListValuePieces(const HookPlace& place, int kind, RegRoot root)
{
    std::string data;
    DWORD type = 0;
    if (!ReadRegRaw(root, place.key, place.value, data, &type) || (type != REG_SZ && type != REG_EXPAND_SZ)) return;
    bool programs = place.shape == SHAPE_PROGRAMS;
    for (const TextPiece& piece : programs ? SplitProgramList(data) : SplitDllList(data)) {
        std::string text = data.substr(piece.start, piece.length);
        if (programs && IsWindowsOwn(place, text)) continue;
        Add(programs ? text : FileName(text), text, place.key, text, kind);
    }
}

void ListSubkeys(const HookPlace& place, int kind, RegRoot root)
{
    std::vector<std::string> names;
    if (!RegSubkeyNames(root, place.key, names)) return;
    for (const std::string& name : names) {
        std::string key = std::string(place.key) + "\\" + name;
        std::string file = Text(root, key, place.value);
        if (file.empty()) continue;
        if (place.shape == SHAPE_DEBUGGERS) {
            char title[ENTRY_TITLE_CHARS];
            FormatLoadedText(title, sizeof title, IDS_HOOK_DEBUGGER_TITLE, "ss", name.c_str(), file.c_str());
            Add(title, file, key, "", kind);
            continue;
        }
        // An Active Setup component names itself in its default value.
        std::string title = Text(root, key, "");
        Add(title.empty() ? name : title, file, key, "", kind);
    }
}

void ListClasses(const HookPlace& place, int kind, RegistryView view)
{
    std::vector<RegValue> values;
    if (!ReadRegValues(RootInView(HKEY_LOCAL_MACHINE, view), place.key, values)) return;
    for (const RegValue& value : values) {
        // ShellServiceObjectDelayLoad names the class in the data, SharedTaskScheduler in the name.
        std::string data;
        RegDataText(value.data, value.type, data);
        bool idInName = !value.name.empty() && value.name[0] == '{';
        const std::string& id = idInName ? value.name : data;
        if (id.empty()) continue;
        std::string server = Text(RootInView(HKEY_CLASSES_ROOT, view), "CLSID\\" + id + "\\InprocServer32", "");
        std::string title = idInName ? (data.empty() ? id : data) : (value.name.empty() ? id : value.name);
        Add(title, server.empty() ? id : FileOfView(server, view), place.key, value.name, kind);
    }
}

void ListPlace(const HookPlace& place, RegistryView view)
{
    int kind = KindInView(place.kind, view);
    RegRoot root = HookRoot(kind);
    switch (place.shape) {
    case SHAPE_PROGRAMS:
    case SHAPE_DLLS: ListValuePieces(place, kind, root); break;
    case SHAPE_SUBKEYS:
    case SHAPE_DEBUGGERS: ListSubkeys(place, kind, root); break;
    case SHAPE_CLASSES: ListClasses(place, kind, view); break;
    }
}

}  // namespace

const HookPlace* HookPlaceOf(int kind)
{
    for (const HookPlace& place : kPlaces)
        if (place.kind == BaseKind(kind)) return &place;
    return nullptr;
}

RegRoot HookRoot(int kind)
{
    const HookPlace* place = HookPlaceOf(kind);
    if (!place) return RegRoot(HKEY_LOCAL_MACHINE);
    return place->hive == HKEY_LOCAL_MACHINE ? RootInView(HKEY_LOCAL_MACHINE, KindView(kind)) : RegRoot(place->hive);
}

bool IsHookKind(int kind) { return HookPlaceOf(kind) != nullptr; }

bool RestoresDefault(int kind)
{
    const HookPlace* place = HookPlaceOf(kind);
    return place && place->shape == SHAPE_PROGRAMS;
}

std::string HookLocationText(int kind, const char* key)
{
    const HookPlace* place = HookPlaceOf(kind);
    if (!place) return std::string();
    char text[600];
    FormatText(text, sizeof text, "%s\\%s", place->hive == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE",
               key);
    // A list value's items all live in the one value: it is named too.
    if (place->shape == SHAPE_PROGRAMS || place->shape == SHAPE_DLLS) {
        AppendText(text, sizeof text, "\\");
        AppendText(text, sizeof text, place->value);
    }
    AppendViewMark(KindView(kind), text, sizeof text);
    return text;
}

std::vector<int> ListedHookKinds()
{
    std::vector<int> kinds;
    for (const HookPlace& place : kPlaces) {
        for (RegistryView view : ListedViews()) {
            // The user's hive and the keys a system shares between its views have one view.
            if (view == VIEW_32BIT && (place.hive != HKEY_LOCAL_MACHINE || ViewsShareKey(place.hive, place.key)))
                continue;
            kinds.push_back(KindInView(place.kind, view));
        }
    }
    return kinds;
}

int EnumerateSystemHooks()
{
    FillMemo memo;
    FreeEntries();
    for (int kind : ListedHookKinds()) ListPlace(*HookPlaceOf(kind), KindView(kind));
    return EntryCount();
}
