// The resident monitor's startup place (see startup_patrol.h): every entry in a Windows
// location against the known-programs list; Disable and Remove through the console's own
// actions, so the History dialog can undo them.
#include "startup/startup_patrol.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "history/history.h"
#include "options/sound.h"
#include "resource.h"
#include "startup/disabled_store.h"
#include "startup/startup_actions.h"
#include "startup/startup_locations.h"
#include "startup/startup_scan.h"

#include <string>
#include <vector>

namespace {

// A title without a marker is enabled: the markers are read once, not once per entry.
bool IsDisabledIndex(const KnownList& markers, int index)
{
    char title[ENTRY_TITLE_CHARS];
    char path[ENTRY_PATH_CHARS];
    char extra[ENTRY_EXTRA_CHARS];
    GetEntryTitle(index, title);
    GetEntryPath(index, path);
    GetEntryExtra(index, extra);
    bool folderItem = GetEntryKind(index) == KIND_GROUP_STARTUP;
    if (!markers.Has(title) && !(folderItem && InDisabledFolder(StartupItemFile(path, extra)))) return false;
    return IsEntryDisabled(index) != 0;
}

PatrolItem ItemOf(int index, const KnownList& known)
{
    PatrolItem item = EntryPatrolItem(index);
    item.identity = std::to_string(item.kind) + "|" + item.title + "|" + item.command;
    item.known = IsKnownStartupEntry(known, item.title.c_str(), item.command.c_str());
    if (item.known) return item;  // where it lives is read only for an alert
    char text[1024];
    StartupLocationText(index, text, sizeof text);
    item.location = text;
    ProgramPathAsWritten(item.command.c_str(), text, sizeof text);
    item.program = text;
    return item;
}

// The entries `collect` gathers, with the Run values disabled again on the way as settled items.
bool CollectEntries(int (*collect)(), std::vector<PatrolItem>& live)
{
    FillMemo memo;  // the paths' long forms, read by the collection, serve the comparison too
    KnownList known;
    KnownList markers;
    LoadKnownPrograms(known);
    markers.Load(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY);
    int count = collect();
    for (int index = 0; index < count; ++index)
        if (!IsDisabledIndex(markers, index))
            live.push_back(ItemOf(index, known));
    for (const EntryDisabledAgain& again : EntriesDisabledAgain()) {
        PatrolItem item;
        item.title = again.title;
        item.command = again.command;
        item.kind = again.kind;
        item.identity = "again|" + again.title;
        item.known = true;
        item.settledAction = ACTION_START_DISABLE;
        live.push_back(item);
    }
    FreeEntries();
    return true;
}

// The Run keys apart from the rest: a change of one of them is patrolled without reading
// the Startup folders' shortcuts and the programs' version resources again.
bool CollectRunValues(std::vector<PatrolItem>& live) { return CollectEntries(CollectRunKeyEntries, live); }
bool CollectOtherEntries(std::vector<PatrolItem>& live) { return CollectEntries(CollectOtherStartupEntries, live); }

void RecordKnown(const PatrolItem& item) { RecordKnownStartupProgram(item.command.c_str(), item.kind); }

unsigned Choices(const PatrolItem& item)
{
    const char* title = item.title.c_str();
    const char* command = item.command.c_str();
    const char* file = item.extra.c_str();
    unsigned choices = 0;
    if (CheckToggleStartupEntry(title, command, file, item.kind) == STARTUP_OK &&
        EntryDisabledState(title, command, file, item.kind) == ENTRY_ENABLED)
        choices |= CHOICE_DISABLE;
    if (CheckRemoveStartupEntry(title, command, file, item.kind) == STARTUP_OK) choices |= CHOICE_REMOVE;
    return choices;
}

bool Act(const PatrolItem& item, unsigned choice)
{
    const char* title = item.title.c_str();
    const char* command = item.command.c_str();
    const char* file = item.extra.c_str();
    if (choice == CHOICE_REMOVE) return RemoveStartupEntry(title, command, file, item.kind) == STARTUP_OK;
    // A toggle of an entry disabled meanwhile would enable it.
    if (choice != CHOICE_DISABLE || EntryDisabledState(title, command, file, item.kind) != ENTRY_ENABLED) return false;
    return ToggleStartupEntry(title, command, file, item.kind) == STARTUP_OK;
}

void RunKeyWatches(std::vector<PatrolWatch>& out)
{
    for (int base : {0, 10})
        for (int kind = base + 1; IsRunKind(kind); ++kind) {
            char subkey[MAX_PATH];
            RunKeyPath(kind, subkey, sizeof subkey);
            out.push_back(PatrolWatch::Key(RunKindHive(kind), subkey));
        }
}

void FolderWatches(std::vector<PatrolWatch>& out)
{
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        for (const char* name : {"Startup", "Common Startup"}) {
            char folder[MAX_PATH];
            if (ShellFolder(hive, name, folder, sizeof folder) == 0) continue;
            RemoveBackslash(folder, 1);
            out.push_back(PatrolWatch::Folder(folder));
        }
}

}  // namespace

bool LoadKnownPrograms(KnownList& known) { return known.Load(HKEY_CURRENT_USER, KNOWN_PROGRAMS_KEY); }

bool IsKnownStartupEntry(const KnownList& known, const char* title, const char* path)
{
    char name[ENTRY_PATH_CHARS];
    ColonForEquals(path, name, sizeof name);
    return known.Has(name) || (title[0] && known.Has(title));
}

void InstallStartupPatrol()
{
    PatrolPlace run = DescribePlace(1, "StartupRun", "Start", 2);
    run.titleId = IDS_ALERT_STARTUP;
    run.sound = SOUND_STARTUP_ALERT;
    run.history.found = ACTION_START_ALERT;  // a removal writes its own "*START_Remove"
    run.calls = {CollectRunValues, RecordKnown, Choices, Act, RunKeyWatches};
    AddPatrolPlace(run);

    PatrolPlace other = run;
    other.order = 2;
    other.name = "Startup";
    other.calls.collect = CollectOtherEntries;
    other.calls.watches = FolderWatches;
    AddPatrolPlace(other);
}
