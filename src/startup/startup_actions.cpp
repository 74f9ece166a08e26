// Changing startup entries (see startup_actions.h).
#include "startup/startup_actions.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/platform.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/shortcut.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "foundations/winini.h"
#include "history/history.h"
#include "resource.h"
#include "startup/disabled_store.h"
#include "startup/startup_locations.h"
#include "startup/startup_patrol.h"
#include "startup/startup_scan.h"

#include <commdlg.h>
#include <cstring>

namespace {

const char* const kKnownProgramsKey = KNOWN_PROGRAMS_KEY;
const char* const kMachineRunKey = WINDOWS_CURRENT_VERSION_KEY "\\Run";
const int MAX_NAME_TRIES = 99;

// The machine's Run key of the native view: where programs are added and the monitor starts from.
RegRoot MachineRun() { return RunKindRoot(KIND_MACHINE_RUN); }

// What a removal leaves for the history line, exactly as it must be put back.
struct Removal {
    std::string command;
    std::string file;
    std::string identity;  // the command as Windows ran it (for the "Vigilark" test)
};

// A title that fills the entry's title field may have been cut from a longer name.
bool MayBeCut(const char* title) { return strlen(title) >= (size_t)ENTRY_TITLE_CHARS - 1; }

StartupResult NotFound(const char* title) { return MayBeCut(title) ? STARTUP_COMMAND_TOO_LONG : STARTUP_FAILED; }

// A command the history line can carry whole, so that the removal can be undone.
bool FitsHistory(const std::string& text) { return text.size() < (size_t)HISTORY_FIELD_CHARS; }

std::string WithTerminator(const std::string& text)
{
    std::string data = text;
    data.push_back('\0');
    return data;
}

bool HandledKind(int kind) { return IsOwnRunKind(kind) || IsWinIniKind(kind) || kind == KIND_GROUP_STARTUP; }

const char* OrEmpty(const char* text) { return text ? text : ""; }

// The refusals every change shares; STARTUP_OK when the entry may be changed. Another
// user's entry stays as it is, and no history line claims otherwise.
StartupResult ChangeableEntry(const char* title, int kind)
{
    if (IsOtherUserKind(kind)) return STARTUP_OTHER_USER;
    if (!HandledKind(kind)) return STARTUP_NOT_HANDLED;
    return *title ? STARTUP_OK : STARTUP_FAILED;
}

// ---- Run values -------------------------------------------------------------------

// The Windows key of a Run kind.
struct RunPlace {
    explicit RunPlace(int kind) : hive(RunKindRoot(kind)) { RunKeyPath(kind, subkey, sizeof subkey); }
    RegRoot hive;
    char subkey[MAX_PATH];
};

// With apply false these only decide whether the change would be refused.
StartupResult DisableRunEntry(const char* title, int kind, bool apply)
{
    RunPlace place(kind);
    std::string data;
    DWORD type = 0;
    if (!ReadRegRaw(place.hive, place.subkey, title, data, &type)) return NotFound(title);
    if (!apply) return STARTUP_OK;
    if (!SaveDisabledCommand(kind, title, data, type)) return STARTUP_FAILED;
    if (!DeleteRegValue(place.hive, place.subkey, title)) {
        DeleteSavedCommand(kind, title);
        return STARTUP_FAILED;
    }
    if (!WriteDisabledMarker(title, kind)) {
        WriteRegRaw(place.hive, place.subkey, title, data, type);
        DeleteSavedCommand(kind, title);
        return STARTUP_FAILED;
    }
    return STARTUP_OK;
}

StartupResult EnableRunEntry(const char* title, int kind)
{
    RunPlace place(kind);
    std::string data;
    DWORD type = 0;
    if (!ReadSavedCommand(kind, title, data, &type)) return NotFound(title);
    if (!CreateRegKey(place.hive, place.subkey) || !WriteRegRaw(place.hive, place.subkey, title, data, type))
        return STARTUP_FAILED;
    DeleteSavedCommand(kind, title);
    DeleteDisabledMarker(title);
    return STARTUP_OK;
}

StartupResult RemoveRunEntry(const char* title, int kind, bool disabled, bool apply, Removal& removal)
{
    RunPlace place(kind);
    std::string data;
    DWORD type = 0;
    bool found = disabled ? ReadSavedCommand(kind, title, data, &type)
                          : ReadRegRaw(place.hive, place.subkey, title, data, &type);
    if (!found) return NotFound(title);
    removal.command = data.c_str();
    removal.identity = removal.command;
    if (!FitsHistory(removal.command)) return STARTUP_COMMAND_TOO_LONG;
    if (!apply) return STARTUP_OK;

    if (disabled) {
        if (!DeleteSavedCommand(kind, title)) return STARTUP_FAILED;
        DeleteDisabledMarker(title);
    } else if (!DeleteRegValue(place.hive, place.subkey, title)) {
        return STARTUP_FAILED;
    }
    return STARTUP_OK;
}

// ---- win.ini programs -------------------------------------------------------------

// The piece of the line that the entry's command stands for, as the line holds it.
bool FindWinIniPiece(const char* line, const char* command, std::string& piece)
{
    std::string wanted = StoredCommandForm(command);
    for (const std::string& candidate : SplitWinIniLine(ReadWinIniLine(line))) {
        if (SameText(candidate.c_str(), command) || SameText(StoredCommandForm(candidate).c_str(), wanted.c_str())) {
            piece = candidate;
            return true;
        }
    }
    return false;
}

StartupResult DisableWinIniEntry(const char* title, const char* command, int kind, bool apply)
{
    const char* line = WinIniLineName(kind);
    std::string piece;
    if (!FindWinIniPiece(line, command, piece)) return STARTUP_FAILED;
    if (!apply) return STARTUP_OK;
    if (!SaveDisabledCommand(kind, title, WithTerminator(piece), REG_SZ)) return STARTUP_FAILED;
    if (!RemoveWinIniProgram(line, piece.c_str())) {
        DeleteSavedCommand(kind, title);
        return STARTUP_FAILED;
    }
    if (!WriteDisabledMarker(title, kind)) {
        AddWinIniProgram(line, piece.c_str());
        DeleteSavedCommand(kind, title);
        return STARTUP_FAILED;
    }
    return STARTUP_OK;
}

StartupResult EnableWinIniEntry(const char* title, int kind)
{
    std::string data;
    if (!ReadSavedCommand(kind, title, data, nullptr)) return STARTUP_FAILED;
    if (!AddWinIniProgram(WinIniLineName(kind), data.c_str())) return STARTUP_FAILED;
    DeleteDisabledMarker(title);
    DeleteSavedCommand(kind, title);
    return STARTUP_OK;
}

StartupResult RemoveWinIniEntry(const char* title, const char* command, int kind, bool disabled, bool apply,
                                Removal& removal)
{
    const char* line = WinIniLineName(kind);
    std::string piece;
    if (disabled) {
        std::string data;
        if (!ReadSavedCommand(kind, title, data, nullptr)) return STARTUP_FAILED;
        piece = data.c_str();
    } else if (!FindWinIniPiece(line, command, piece)) {
        return STARTUP_FAILED;
    }
    if (!FitsHistory(piece)) return STARTUP_COMMAND_TOO_LONG;
    if (!apply) return STARTUP_OK;

    if (disabled) {
        if (!DeleteSavedCommand(kind, title)) return STARTUP_FAILED;
        DeleteDisabledMarker(title);
        std::string present;
        if (FindWinIniPiece(line, piece.c_str(), present)) RemoveWinIniProgram(line, present.c_str());
    } else if (!RemoveWinIniProgram(line, piece.c_str())) {
        return STARTUP_FAILED;
    }
    removal.command = piece;
    removal.identity = piece;
    return STARTUP_OK;
}

// ---- Startup-folder files ---------------------------------------------------------

bool FolderExists(const char* folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The machine's Startup folder, else its Common Startup folder.
bool MachineStartupFolder(char* out, int capacity)
{
    if (ShellFolder(HKEY_LOCAL_MACHINE, "Startup", out, capacity) == 0 &&
        ShellFolder(HKEY_LOCAL_MACHINE, "Common Startup", out, capacity) == 0)
        return false;
    RemoveBackslash(out, 0);
    return true;
}

// Where a disabled file goes back to: the folder it came from, when that is still
// there, else the machine's Startup folder.
bool HomeOfDisabledFile(const char* fileName, char* out, int capacity)
{
    char origin[MAX_PATH];
    if (ReadStartupOrigin(fileName, origin, sizeof origin) && InStartupFolder(origin)) {
        char folder[MAX_PATH];
        if (DirectoryPart(origin, folder, sizeof folder) > 0 && FolderExists(folder))
            return FormatText(out, (size_t)capacity, "%s", origin) < (size_t)capacity - 1;
    }
    char folder[MAX_PATH];
    if (!MachineStartupFolder(folder, sizeof folder)) return false;
    return FormatText(out, (size_t)capacity, "%s\\%s", folder, fileName) < (size_t)capacity - 1;
}

bool FileNameOf(const char* path, char* out, int capacity) { return FileNamePart(path, out, capacity) > 0; }

// The marker of a Startup-folder file is only its own when it names that kind.
void DeleteStartupMarker(const char* title)
{
    if (DisabledMarkerKind(title) == KIND_GROUP_STARTUP) DeleteDisabledMarker(title);
}

StartupResult DisableStartupItem(const char* title, const char* item, bool apply)
{
    char name[MAX_PATH];
    char folder[MAX_PATH];
    char target[MAX_PATH];
    if (!FileNameOf(item, name, sizeof name) || DisabledFolder(folder, sizeof folder) == 0) return STARTUP_FAILED;
    if (!InStartupFolder(item)) return STARTUP_OUTSIDE_FOLDERS;
    if (FormatText(target, sizeof target, "%s\\%s", folder, name) >= sizeof target - 1) return STARTUP_COMMAND_TOO_LONG;
    if (!apply) return STARTUP_OK;
    CreateDirectoryA(folder, nullptr);
    if (!MoveFileA(item, target)) return STARTUP_FAILED;
    if (!RecordStartupOrigin(name, item) || !WriteDisabledMarker(title, KIND_GROUP_STARTUP)) {
        MoveFileA(target, item);
        DeleteStartupOrigin(name);
        return STARTUP_FAILED;
    }
    return STARTUP_OK;
}

StartupResult EnableStartupItem(const char* title, const char* item)
{
    char name[MAX_PATH];
    char folder[MAX_PATH];
    char source[MAX_PATH];
    char home[MAX_PATH];
    if (!FileNameOf(item, name, sizeof name) || DisabledFolder(folder, sizeof folder) == 0) return STARTUP_FAILED;
    FormatText(source, sizeof source, "%s\\%s", folder, name);
    if (!HomeOfDisabledFile(name, home, sizeof home)) return STARTUP_FAILED;
    if (!MoveFileA(source, home)) return STARTUP_FAILED;
    DeleteStartupMarker(title);
    DeleteStartupOrigin(name);
    return STARTUP_OK;
}

// Moves a program file out of the way into "Removed" under a name not yet taken there.
bool MoveAside(const char* file, std::string& movedTo)
{
    char folder[MAX_PATH];
    char name[MAX_PATH];
    if (RemovedFolder(folder, sizeof folder) == 0 || !FileNameOf(file, name, sizeof name)) return false;
    CreateDirectoryA(folder, nullptr);
    std::string base = name;
    std::string extension;
    size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        extension = base.substr(dot);
        base.resize(dot);
    }
    for (int n = 1; n <= MAX_NAME_TRIES; ++n) {
        char candidate[MAX_PATH];
        size_t len = n == 1 ? FormatText(candidate, sizeof candidate, "%s\\%s", folder, name)
                            : FormatText(candidate, sizeof candidate, "%s\\%s (%d)%s", folder, base.c_str(), n,
                                         extension.c_str());
        if (len >= (size_t)HISTORY_FIELD_CHARS - 1) return false;  // the undo could not find it again
        if (GetFileAttributesA(candidate) != INVALID_FILE_ATTRIBUTES) continue;
        if (!MoveFileA(file, candidate)) return false;
        movedTo = candidate;
        return true;
    }
    return false;
}

StartupResult RemoveStartupItem(const char* title, const char* command, const char* item, bool disabled, bool apply,
                                Removal& removal)
{
    char name[MAX_PATH];
    char home[MAX_PATH];
    if (!FileNameOf(item, name, sizeof name)) return STARTUP_FAILED;
    if (!InStartupFolder(item) && !InDisabledFolder(item)) return STARTUP_OUTSIDE_FOLDERS;
    if (!apply) return STARTUP_OK;
    // The undo puts the entry back where it ran from, also when it was disabled.
    if (disabled) {
        if (!HomeOfDisabledFile(name, home, sizeof home)) CopyText(home, item);
    } else {
        CopyText(home, item);
    }
    if (HasExtension(item, ".lnk")) {
        if (!ForceDeleteFile(item)) return STARTUP_FAILED;
        removal.command = command;
    } else if (!MoveAside(item, removal.command)) {
        return STARTUP_FAILED;
    }
    removal.file = home;
    removal.identity = command;
    if (disabled) {
        DeleteStartupMarker(title);
        DeleteStartupOrigin(name);
    }
    return STARTUP_OK;
}

// ---- known-programs list ------------------------------------------------------------

void ForgetKnownProgram(const char* command)
{
    if (!*command) return;
    std::string name(strlen(command) + 1, '\0');
    ColonForEquals(command, &name[0], (int)name.size());
    DeleteRegValue(HKEY_CURRENT_USER, kKnownProgramsKey, name.c_str());
}

bool RememberKnownProgram(const char* command)
{
    std::string name(strlen(command) + 1, '\0');
    ColonForEquals(command, &name[0], (int)name.size());
    return CreateRegKey(HKEY_CURRENT_USER, kKnownProgramsKey) &&
           SetRegString(HKEY_CURRENT_USER, kKnownProgramsKey, name.c_str(), "1");
}

// ---- adding a program ---------------------------------------------------------------

// The Run value name for a new program: its description, product name or file name,
// with " (2)", " (3)" ... when another value has that name. `same` tells that a value of
// that name already starts this very program.
bool FreeRunValueName(const char* path, std::string& name, bool* same)
{
    VersionFields fields;
    ReadVersionFields(path, &fields);
    char fileName[MAX_PATH];
    std::string base = fields.fileDescription[0] ? fields.fileDescription : fields.productName;
    if (base.empty()) base = FileNamePart(path, fileName, sizeof fileName) > 0 ? fileName : path;
    // Room for the suffix within the title field, so that the entry is listed whole.
    if (base.size() > (size_t)ENTRY_TITLE_CHARS - 8) base.resize(ENTRY_TITLE_CHARS - 8);

    *same = false;
    for (int n = 1; n <= MAX_NAME_TRIES; ++n) {
        name = base;
        if (n > 1) name += " (" + std::to_string(n) + ")";
        std::string existing;
        if (!RegValueExists(MachineRun(), kMachineRunKey, name.c_str())) return true;
        if (ReadRegText(MachineRun(), kMachineRunKey, name.c_str(), existing) &&
            SameText(existing.c_str(), path)) {
            *same = true;
            return true;
        }
    }
    return false;
}

void MonitorCommand(char* title, int titleCapacity, char* command, int commandCapacity)
{
    char directory[MAX_PATH];
    LoadText(IDS_APP_NAME, title, titleCapacity);
    ProgramDirectory(directory, sizeof directory);
    FormatText(command, (size_t)commandCapacity, "%s\\vigilark.exe", directory);
}

StartupResult Toggle(const char* title, const char* command, const char* file, int kind, bool apply)
{
    title = OrEmpty(title);
    command = OrEmpty(command);
    file = OrEmpty(file);
    StartupResult allowed = ChangeableEntry(title, kind);
    if (allowed != STARTUP_OK) return allowed;

    DisabledState state = EntryDisabledState(title, command, file, kind);
    if (state == ENTRY_TITLE_TAKEN) return STARTUP_TITLE_TAKEN;
    bool enable = state == ENTRY_DISABLED;
    if (enable && !apply) return STARTUP_OK;  // nothing runs that an enable would have to end
    if (IsOwnRunKind(kind)) return enable ? EnableRunEntry(title, kind) : DisableRunEntry(title, kind, apply);
    if (IsWinIniKind(kind))
        return enable ? EnableWinIniEntry(title, kind) : DisableWinIniEntry(title, command, kind, apply);
    const char* item = StartupItemFile(command, file);
    return enable ? EnableStartupItem(title, item) : DisableStartupItem(title, item, apply);
}

StartupResult Remove(const char* title, const char* command, const char* file, int kind, bool apply)
{
    title = OrEmpty(title);
    command = OrEmpty(command);
    file = OrEmpty(file);
    StartupResult allowed = ChangeableEntry(title, kind);
    if (allowed != STARTUP_OK) return allowed;

    // An entry whose title carries another entry's marker is removed from its own place;
    // the other entry keeps its saved command.
    bool disabled = EntryDisabledState(title, command, file, kind) == ENTRY_DISABLED;
    Removal removal;
    removal.file = file;
    StartupResult result;
    if (IsOwnRunKind(kind))
        result = RemoveRunEntry(title, kind, disabled, apply, removal);
    else if (IsWinIniKind(kind))
        result = RemoveWinIniEntry(title, command, kind, disabled, apply, removal);
    else
        result = RemoveStartupItem(title, command, StartupItemFile(command, file), disabled, apply, removal);
    if (result != STARTUP_OK || !apply) return result;

    if (!ContainsNoCase(command, "Vigilark") && !ContainsNoCase(removal.identity.c_str(), "Vigilark"))
        AppendHistory(title, removal.command.c_str(), removal.file.c_str(), kind, ACTION_START_REMOVE);
    ForgetKnownProgram(command);
    if (removal.identity != command) ForgetKnownProgram(removal.identity.c_str());
    DeleteRegValue(HKEY_CURRENT_USER, kKnownProgramsKey, title);
    return STARTUP_OK;
}

}  // namespace

StartupResult ToggleStartupEntry(const char* title, const char* command, const char* file, int kind)
{
    return Toggle(title, command, file, kind, true);
}

StartupResult CheckToggleStartupEntry(const char* title, const char* command, const char* file, int kind)
{
    return Toggle(title, command, file, kind, false);
}

StartupResult RemoveStartupEntry(const char* title, const char* command, const char* file, int kind)
{
    return Remove(title, command, file, kind, true);
}

StartupResult CheckRemoveStartupEntry(const char* title, const char* command, const char* file, int kind)
{
    return Remove(title, command, file, kind, false);
}

std::string RemovalFile(const char* command, const char* file, int kind)
{
    return kind == KIND_GROUP_STARTUP ? StartupItemFile(OrEmpty(command), OrEmpty(file)) : std::string();
}

namespace {

// What putting a removed entry back found.
enum RestoreResult {
    RESTORE_DONE,
    RESTORE_ALREADY,      // the entry is there as it was
    RESTORE_OCCUPIED,     // something else has its place
    RESTORE_OUTSIDE,      // a file outside the Startup folders or "Removed"
    RESTORE_FAILED,
    RESTORE_NOT_HANDLED,  // no location of this console's
};

RestoreResult RestoreRunValue(const char* title, const char* command, int kind)
{
    if (!*title) return RESTORE_FAILED;
    RunPlace place(kind);
    if (RegValueExists(place.hive, place.subkey, title)) {
        // Never overwrite: the value is back only when it holds this very command.
        std::string data;
        return ReadRegRaw(place.hive, place.subkey, title, data, nullptr) && strcmp(data.c_str(), command) == 0
                   ? RESTORE_ALREADY
                   : RESTORE_OCCUPIED;
    }
    DWORD type = strchr(command, '%') ? REG_EXPAND_SZ : REG_SZ;
    return CreateRegKey(place.hive, place.subkey) &&
                   WriteRegRaw(place.hive, place.subkey, title, WithTerminator(command), type)
               ? RESTORE_DONE
               : RESTORE_FAILED;
}

RestoreResult RestoreWinIniProgram(const char* command, int kind)
{
    const char* line = WinIniLineName(kind);
    for (const std::string& piece : SplitWinIniLine(ReadWinIniLine(line)))
        if (SameText(piece.c_str(), command)) return RESTORE_ALREADY;
    return AddWinIniProgram(line, command) ? RESTORE_DONE : RESTORE_FAILED;
}

// A history line names both files: only a Startup folder receives, only "Removed" gives.
RestoreResult RestoreStartupFile(const char* title, const char* command, const char* file)
{
    if (!*file || !InStartupFolder(file)) return RESTORE_OUTSIDE;
    if (GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES) return RESTORE_OCCUPIED;
    if (HasExtension(file, ".lnk")) {
        char directory[MAX_PATH] = "";
        DirectoryPart(command, directory, sizeof directory);
        return SUCCEEDED(CreateShortcut(file, command, "", directory, title, command, 0)) ? RESTORE_DONE
                                                                                         : RESTORE_FAILED;
    }
    // A program file taken out of a Startup folder: the command is where it was kept.
    char removed[MAX_PATH];
    if (RemovedFolder(removed, sizeof removed) == 0 || !PathInsideFolder(command, removed)) return RESTORE_OUTSIDE;
    return FileExists(command) && MoveFileA(command, file) ? RESTORE_DONE : RESTORE_FAILED;
}

RestoreResult RestoreRemoved(const char* title, const char* command, const char* file, int kind)
{
    title = OrEmpty(title);
    command = OrEmpty(command);
    file = OrEmpty(file);
    if (!*command) return RESTORE_FAILED;
    if (IsOwnRunKind(kind)) return RestoreRunValue(title, command, kind);
    if (IsWinIniKind(kind)) return RestoreWinIniProgram(command, kind);
    if (kind == KIND_GROUP_STARTUP) return RestoreStartupFile(title, command, file);
    return RESTORE_NOT_HANDLED;
}

}  // namespace

int RestoreStartupEntry(const char* title, const char* command, const char* file, int kind)
{
    RestoreResult result = RestoreRemoved(title, command, file, kind);
    return result == RESTORE_DONE || result == RESTORE_ALREADY;
}

bool AddStartupProgram(HWND owner, char* path, int capacity)
{
    char title[128];
    char filter[256];
    LoadText(IDS_ADD_PROGRAM_TITLE, title);
    int filterLength = LoadText(IDS_ADD_PROGRAM_FILTER, filter);
    for (int i = 0; i < filterLength; ++i)
        if (filter[i] == '%') filter[i] = '\0';

    char file[512] = "Path";
    OPENFILENAMEA dialog = {};
    // The structure size of the oldest systems this program runs on.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = "C:\\Program Files";
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog) || strlen(file) <= 4 || !FitsText(file, (size_t)capacity)) return false;
    CopyText(path, (size_t)capacity, file);
    return true;
}

StartupResult RegisterStartupProgram(const char* path)
{
    if (!path || strlen(path) <= 4) return STARTUP_FAILED;
    // A longer path would be listed cut and could not be removed with an undo record.
    if (!FitsText(path, ENTRY_PATH_CHARS)) return STARTUP_COMMAND_TOO_LONG;
    if (!CreateRegKey(MachineRun(), kMachineRunKey)) return STARTUP_FAILED;
    std::string name;
    bool same = false;
    if (!FreeRunValueName(path, name, &same)) return STARTUP_FAILED;
    if (!same && !SetRegString(MachineRun(), kMachineRunKey, name.c_str(), path)) return STARTUP_FAILED;
    RememberKnownProgram(path);
    return STARTUP_OK;
}

void RecordKnownStartupEntries()
{
    int count = CollectStartupEntries();
    for (int i = 0; i < count; ++i) {
        char path[ENTRY_PATH_CHARS];
        GetEntryPath(i, path);
        RecordKnownStartupProgram(path, GetEntryKind(i));
    }
    FreeEntries();
}

void RecordKnownStartupProgram(const char* path, int kind)
{
    char name[ENTRY_PATH_CHARS];
    ColonForEquals(path, name, sizeof name);
    KnownList::Record(HKEY_CURRENT_USER, kKnownProgramsKey, name, kind);
}

namespace {

UndoOutcome UndoRemoval(const HistoryRecord& record)
{
    switch (RestoreRemoved(record.title, record.command, record.extra, record.kind)) {
    case RESTORE_DONE: return MakeUndoOutcome(UNDO_DONE, 0, "");
    case RESTORE_ALREADY: return MakeUndoOutcome(UNDO_NOTHING_TO_DO, 0, record.title);
    case RESTORE_OCCUPIED:
        return MakeUndoOutcome(UNDO_FAILED, IDS_UNDO_OCCUPIED, record.kind == KIND_GROUP_STARTUP ? record.extra : record.title);
    case RESTORE_OUTSIDE:
        return MakeUndoOutcome(UNDO_REFUSED, IDS_UNDO_OUTSIDE_STORES, std::string(record.extra) + "\n" + record.command);
    case RESTORE_NOT_HANDLED:
        return MakeUndoOutcome(UNDO_REFUSED, StartupResultMessage(ChangeableEntry(record.title, record.kind)), "");
    case RESTORE_FAILED:
    default: return MakeUndoOutcome(UNDO_FAILED, 0, record.title);
    }
}

// The monitor's disable is undone by enabling the entry, its enable by disabling it; an
// entry that already stands as before the change is left alone.
UndoOutcome UndoToggle(const HistoryRecord& record, bool enable)
{
    DisabledState state = EntryDisabledState(record.title, record.command, record.extra, record.kind);
    if (state == ENTRY_TITLE_TAKEN) return MakeUndoOutcome(UNDO_REFUSED, IDS_STARTUP_TITLE_TAKEN, "");
    if ((state == ENTRY_DISABLED) != enable) return MakeUndoOutcome(UNDO_NOTHING_TO_DO, 0, record.title);
    StartupResult result = ToggleStartupEntry(record.title, record.command, record.extra, record.kind);
    if (result == STARTUP_OK) return MakeUndoOutcome(UNDO_DONE, 0, "");
    if (result == STARTUP_FAILED) return MakeUndoOutcome(UNDO_FAILED, 0, record.title);
    return MakeUndoOutcome(UNDO_REFUSED, StartupResultMessage(result), "");
}

UndoOutcome UndoDisable(const HistoryRecord& record) { return UndoToggle(record, true); }
UndoOutcome UndoEnable(const HistoryRecord& record) { return UndoToggle(record, false); }

}  // namespace

void InstallStartupUndo()
{
    SetUndoAction(ACTION_START_REMOVE, UndoRemoval);
    SetUndoAction(ACTION_START_DISABLE, UndoDisable);
    SetUndoAction(ACTION_START_ENABLE, UndoEnable);
}

int SetMonitorAutostart(bool on)
{
    char title[64];
    char command[MAX_PATH];
    MonitorCommand(title, sizeof title, command, sizeof command);
    if (on) {
        int written = CreateRegKey(MachineRun(), kMachineRunKey) &&
                      SetRegString(MachineRun(), kMachineRunKey, title, command);
        if (written) SetMonitorStartsAutomatically(true);
        RememberKnownProgram(command);
        return written;
    }
    int removed = RemoveStartupEntry(title, command, "", KIND_MACHINE_RUN) == STARTUP_OK;
    if (removed || !RegValueExists(MachineRun(), kMachineRunKey, title)) SetMonitorStartsAutomatically(false);
    return removed;
}

UINT StartupResultMessage(StartupResult result)
{
    switch (result) {
    case STARTUP_OK: return 0;
    case STARTUP_OTHER_USER: return IDS_STARTUP_OTHER_USER;
    case STARTUP_TITLE_TAKEN: return IDS_STARTUP_TITLE_TAKEN;
    case STARTUP_COMMAND_TOO_LONG: return IDS_STARTUP_TOO_LONG;
    case STARTUP_NOT_HANDLED: return IDS_STARTUP_NOT_HANDLED;
    case STARTUP_OUTSIDE_FOLDERS: return IDS_STARTUP_OUTSIDE_FOLDERS;
    case STARTUP_FAILED:
    default: return IDS_STARTUP_CHANGE_FAILED;
    }
}
