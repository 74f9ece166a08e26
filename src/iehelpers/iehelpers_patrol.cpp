// The resident monitor's add-on place (see iehelpers_patrol.h): every registered add-on
// against the known list; Remove through the console's own removal (with its undo).
#include "iehelpers/iehelpers_patrol.h"

#include "foundations/entries.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/text.h"
#include "history/history.h"
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_actions.h"
#include "options/sound.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

const char kKnownKey[] = VIGILARK_KEY "\\IEHelpers";

// Through the entry list, so titles are those the first run recorded and the page shows.
bool CollectLive(std::vector<PatrolItem>& live)
{
    KnownList known;
    LoadKnownIeHelpers(known);
    size_t first = live.size();
    AddEntryItems(EnumerateIeHelpers(), known, live);
    for (size_t at = first; at < live.size(); ++at) {
        PatrolItem& item = live[at];
        item.location = std::string("HKEY_LOCAL_MACHINE\\") + IeHelperRegistryKey(item.kind);
        item.identity = std::to_string(item.kind) + "|" + item.extra;  // one DLL may serve several add-ons
    }
    return true;
}

void RecordKnown(const PatrolItem& item) { KnownList::Record(HKEY_CURRENT_USER, kKnownKey, item.title, item.kind); }

unsigned Choices(const PatrolItem&) { return CHOICE_REMOVE; }

// The removal works on the entry list: the add-on is found again there by kind and class.
bool Act(const PatrolItem& item, unsigned choice)
{
    if (choice != CHOICE_REMOVE) return false;
    int removed = 0;
    for (int index = 0, count = EnumerateIeHelpers(); index < count && !removed; ++index) {
        EntryCopy entry;
        CopyEntry(index, entry);
        if (entry.kind == item.kind && SameText(entry.extra, item.extra.c_str()))
            removed = RemoveIeHelper(item.command.c_str(), index);
    }
    FreeEntries();
    return removed != 0;
}

void Watches(std::vector<PatrolWatch>& out)
{
    out.push_back(PatrolWatch::Key(HKEY_LOCAL_MACHINE, IE_BHO_KEY, true));
    out.push_back(PatrolWatch::Key(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY));  // its add-ons are values
    out.push_back(PatrolWatch::Key(HKEY_LOCAL_MACHINE, IE_EXTENSION_KEY, true));
}

}  // namespace

bool LoadKnownIeHelpers(KnownList& known) { return known.Load(HKEY_CURRENT_USER, kKnownKey); }

void InstallIeHelperPatrol()
{
    PatrolPlace place = DescribePlace(3, "IEHelpers", "IEHelpers", 2);
    place.titleId = IDS_ALERT_IEHELPER;
    place.sound = SOUND_TASK_ALERT;
    place.history.found = ACTION_IEHELPER_ALERT;
    place.calls = {CollectLive, RecordKnown, Choices, Act, Watches};
    AddPatrolPlace(place);
}
