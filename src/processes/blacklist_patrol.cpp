// The resident monitor's black-list place (see blacklist_patrol.h).
#include "processes/blacklist_patrol.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/version_info.h"
#include "processes/processes.h"
#include "options/sound.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

bool CollectRunning(std::vector<PatrolItem>& live)
{
    std::vector<RegValue> values;
    ReadRegValues(HKEY_CURRENT_USER, BLACKLIST_KEY, values);
    for (const RegValue& value : values) {
        std::string data;
        // A value without data is not (or no longer) black-listed: EndProgram records nothing there.
        if (!RegDataText(value.data, value.type, data) || data.empty() || value.name.empty()) continue;
        if (!IsProgramRunning(value.name.c_str())) continue;
        PatrolItem item;
        char title[VERSION_FIELD_CHARS] = "";
        FileDescriptionOf(value.name.c_str(), title, sizeof title);
        if (!title[0]) FileNamePart(value.name.c_str(), title, sizeof title);
        item.title = title;
        item.command = value.name;
        item.program = value.name;
        item.kind = KIND_INFO_TASK;
        item.identity = value.name;
        live.push_back(item);
    }
    return true;
}

void RecordNothing(const PatrolItem&) {}

unsigned Choices(const PatrolItem&) { return CHOICE_END; }

bool End(const PatrolItem& item, unsigned choice)
{
    EndOutcome outcome = END_NOT_RUNNING;
    if (choice == CHOICE_END) EndProgram(item.command.c_str(), item.title.c_str(), false, &outcome);
    return outcome == END_ENDED;
}

}  // namespace

void InstallBlacklistPatrol()
{
    // Black-listed programs are looked for with the startup programs.
    PatrolPlace place = DescribePlace(10, "Blacklist", "Start", 2);
    place.titleId = IDS_ALERT_BLACKLIST;
    place.automatic = CHOICE_END;
    place.calls = {CollectRunning, RecordNothing, Choices, End, nullptr};
    AddPatrolPlace(place);
}
