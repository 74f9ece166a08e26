// The resident monitor's scheduled-task place (see scheduled_patrol.h).
#include "scheduler/scheduled_patrol.h"

#include "foundations/entries.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "history/history.h"
#include "options/sound.h"
#include "resource.h"
#include "scheduler/task_scheduler.h"

#include <string>
#include <vector>

namespace {

const char kKnownKey[] = VIGILARK_KEY "\\Tasks";

bool CollectLive(std::vector<PatrolItem>& live)
{
    KnownList known;
    LoadKnownTasks(known);
    int count = EnumerateScheduledTasks();
    if (count < 0) return false;  // the scheduler could not be reached: tried again later
    char location[128];
    LoadText(IDS_LOC_TASK_SCHEDULER, location);
    size_t first = live.size();
    AddEntryItems(count, known, live);
    for (size_t at = first; at < live.size(); ++at) live[at].location = location;
    return true;
}

void RecordKnown(const PatrolItem& item) { KnownList::Record(HKEY_CURRENT_USER, kKnownKey, item.title, item.kind); }

unsigned Choices(const PatrolItem&) { return CHOICE_REMOVE; }

bool Act(const PatrolItem& item, unsigned choice)
{
    return choice == CHOICE_REMOVE && SUCCEEDED(DeleteScheduledTask(item.title.c_str()));
}

// The scheduler keeps one file per work item in the Tasks folder of Windows.
void Watches(std::vector<PatrolWatch>& out)
{
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return;
    out.push_back(PatrolWatch::Folder(std::string(folder) + "\\Tasks"));
}

}  // namespace

bool LoadKnownTasks(KnownList& known) { return known.Load(HKEY_CURRENT_USER, kKnownKey); }

void InstallScheduledTaskPatrol()
{
    PatrolPlace place = DescribePlace(4, "Tasks", "Tasks", 11);
    place.titleId = IDS_ALERT_TASK;
    place.sound = SOUND_TASK_ALERT;
    place.history = {ACTION_TASK_ALERT, ACTION_SCHEDULED_TASK_REMOVE, -1};
    place.calls = {CollectLive, RecordKnown, Choices, Act, Watches};
    AddPatrolPlace(place);
}
