// The resident monitor's file-type place (see filetypes_patrol.h).
#include "filetypes/filetypes_patrol.h"

#include "filetypes/association_copy.h"
#include "filetypes/filetypes.h"
#include "foundations/entries.h"
#include "foundations/patrol_places.h"
#include "history/history.h"
#include "options/sound.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

MonitoredType TypeOf(const PatrolItem& item)
{
    MonitoredType type;
    type.extension = item.title;
    type.className = item.extra;
    type.command = item.command;
    type.kind = item.value;
    return type;
}

// An extension the snapshot does not hold yet, or holds without its exact copy (an older
// snapshot), is recorded as it is: there is nothing to compare it with.
bool CollectLive(std::vector<PatrolItem>& live)
{
    for (const MonitoredType& type : ReadMonitoredTypes(false)) {
        bool recorded = false;
        bool matches = SnapshotMatches(type, &recorded);
        if (!recorded || (matches && !HasAssociationCopy(type.extension))) {
            WriteSnapshotOf(type);
            continue;
        }
        PatrolItem item;
        item.title = type.extension;
        item.command = type.command;
        item.extra = type.className;
        item.location = "HKEY_CLASSES_ROOT\\" + type.extension;
        item.value = type.kind;
        item.identity = type.extension + "|" + type.className + "|" + type.command;
        item.kind = KIND_FILETYPE_KEYWORD;
        item.known = matches;
        item.changed = true;
        live.push_back(item);
    }
    return true;
}

void RecordKnown(const PatrolItem& item) { WriteSnapshotOf(TypeOf(item)); }

unsigned Choices(const PatrolItem& item)
{
    return HasAssociationCopy(item.title) ? CHOICE_RESTORE : 0;
}

bool Act(const PatrolItem& item, unsigned choice)
{
    return choice == CHOICE_RESTORE && RestoreAssociationCopy(item.title);
}

}  // namespace

void InstallFileTypePatrol()
{
    PatrolPlace place = DescribePlace(6, "FileType", "FileType", 10);
    place.titleId = IDS_ALERT_FILETYPE;
    place.sound = SOUND_STARTUP_ALERT;
    place.history = {ACTION_MONITOR_ALERT, -1, ACTION_MONITOR_RESTORE};
    place.calls = {CollectLive, RecordKnown, Choices, Act, nullptr};  // HKCR changes all the time: timers only
    AddPatrolPlace(place);
}
