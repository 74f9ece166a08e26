// The store of disabled startup entries (see disabled_store.h).
#include "startup/disabled_store.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "startup/startup_locations.h"

#include <cstdlib>

namespace {

const char* const kOriginKey = DISABLED_STORE_KEY "\\StartupGroup";
const int MARKER_CHARS = 32;

int FolderBesideProgram(const char* name, char* out, int capacity)
{
    char directory[MAX_PATH];
    if (ProgramDirectory(directory, sizeof directory) == 0) {
        if (capacity > 0) out[0] = '\0';
        return 0;
    }
    return (int)FormatText(out, (size_t)capacity, "%s\\%s", directory, name);
}

bool SameFolder(const char* a, const char* b)
{
    char longA[MAX_PATH];
    char longB[MAX_PATH];
    LongPathForm(a, longA, sizeof longA);
    LongPathForm(b, longB, sizeof longB);
    RemoveBackslash(longA, 1);
    RemoveBackslash(longB, 1);
    return SameText(longA, longB);
}

// During a fill every row asks for the marker of its title; a store without any marker
// is known after one look. False outside a fill, or when there are markers to read.
bool NoMarkersAtAll()
{
    static const char kKey[] = "disabled|markers";
    std::string known;
    if (RecallText(kKey, known)) return known == "none";
    if (!FillMemoOpen()) return false;
    RegKey key;
    DWORD values = 0;
    bool none = key.Open(ProgramMachineRoot(), DISABLED_STORE_KEY, KEY_READ) != ERROR_SUCCESS ||
                (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                                  nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                 values == 0);
    RememberText(kKey, none ? "none" : "some");
    return none;
}

}  // namespace

const char* SavedCommandKey(int kind)
{
    static const char* const kRunKeys[] = {
        DISABLED_STORE_KEY "\\Run", DISABLED_STORE_KEY "\\RunOnce", DISABLED_STORE_KEY "\\RunOnceEx",
        DISABLED_STORE_KEY "\\RunServices", DISABLED_STORE_KEY "\\RunServicesOnce", DISABLED_STORE_KEY "\\PoliciesRun"};
    if (IsOwnRunKind(kind)) return kRunKeys[(kind % 10) - 1];
    if (kind == KIND_WIN_LOAD) return DISABLED_STORE_KEY "\\WinLoad";
    if (kind == KIND_WIN_RUN) return DISABLED_STORE_KEY "\\WinRun";
    return nullptr;
}

bool HasDisabledMarker(const char* title)
{
    if (NoMarkersAtAll()) return false;
    char marker[MARKER_CHARS];
    return ReadRegString(ProgramMachineRoot(), DISABLED_STORE_KEY, title, marker, sizeof marker) > 0;
}

int DisabledMarkerKind(const char* title)
{
    if (NoMarkersAtAll()) return 0;
    char marker[MARKER_CHARS];
    if (ReadRegString(ProgramMachineRoot(), DISABLED_STORE_KEY, title, marker, sizeof marker) == 0) return 0;
    return atoi(marker);
}

bool WriteDisabledMarker(const char* title, int kind)
{
    char marker[16];
    FormatText(marker, sizeof marker, "%d", kind);
    return CreateRegKey(ProgramMachineRoot(), DISABLED_STORE_KEY) &&
           SetRegString(ProgramMachineRoot(), DISABLED_STORE_KEY, title, marker);
}

void DeleteDisabledMarker(const char* title) { DeleteRegValue(ProgramMachineRoot(), DISABLED_STORE_KEY, title); }

bool SaveDisabledCommand(int kind, const char* title, const std::string& data, DWORD type)
{
    const char* key = SavedCommandKey(kind);
    return key && CreateRegKey(ProgramMachineRoot(), key) && WriteRegRaw(ProgramMachineRoot(), key, title, data, type);
}

bool ReadSavedCommand(int kind, const char* title, std::string& data, DWORD* type)
{
    const char* key = SavedCommandKey(kind);
    return key && ReadRegRaw(ProgramMachineRoot(), key, title, data, type);
}

bool DeleteSavedCommand(int kind, const char* title)
{
    const char* key = SavedCommandKey(kind);
    return key && DeleteRegValue(ProgramMachineRoot(), key, title);
}

int DisabledFolder(char* out, int capacity) { return FolderBesideProgram("Disabled", out, capacity); }

int RemovedFolder(char* out, int capacity) { return FolderBesideProgram("Removed", out, capacity); }

bool RecordStartupOrigin(const char* fileName, const char* originalPath)
{
    return CreateRegKey(ProgramMachineRoot(), kOriginKey) &&
           SetRegString(ProgramMachineRoot(), kOriginKey, fileName, originalPath);
}

bool ReadStartupOrigin(const char* fileName, char* out, int capacity)
{
    return ReadRegString(ProgramMachineRoot(), kOriginKey, fileName, out, capacity) > 0;
}

void DeleteStartupOrigin(const char* fileName) { DeleteRegValue(ProgramMachineRoot(), kOriginKey, fileName); }

const char* StartupItemFile(const char* command, const char* file)
{
    return file && *file ? file : (command ? command : "");
}

bool InDisabledFolder(const char* path)
{
    char folder[MAX_PATH];
    char directory[MAX_PATH];
    return DisabledFolder(folder, sizeof folder) > 0 && DirectoryPart(path, directory, sizeof directory) > 0 &&
           SameFolder(folder, directory);
}

DisabledState EntryDisabledState(const char* title, const char* command, const char* file, int kind)
{
    bool marked = HasDisabledMarker(title);
    // A Startup-folder file is disabled by where it lies; a marker of that title that
    // names another kind belongs to another entry and stays untouched.
    if (kind == KIND_GROUP_STARTUP) {
        if (InDisabledFolder(StartupItemFile(command, file))) return ENTRY_DISABLED;
        return marked ? ENTRY_TITLE_TAKEN : ENTRY_ENABLED;
    }
    if (!marked) return ENTRY_ENABLED;
    if (DisabledMarkerKind(title) != kind) return ENTRY_TITLE_TAKEN;
    if (IsWinIniKind(kind)) {
        std::string saved;
        if (!ReadSavedCommand(kind, title, saved, nullptr)) return ENTRY_TITLE_TAKEN;
        std::string savedForm = StoredCommandForm(saved.c_str());
        std::string entryForm = StoredCommandForm(command ? command : "");
        return SameText(savedForm.c_str(), entryForm.c_str()) ? ENTRY_DISABLED : ENTRY_TITLE_TAKEN;
    }
    return ENTRY_DISABLED;
}
