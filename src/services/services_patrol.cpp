// The resident monitor's service place (see services_patrol.h): a new service is reported;
// what to do with it is the user's business on the Services page.
#include "services/services_patrol.h"

#include "foundations/entries.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "history/history.h"
#include "options/sound.h"
#include "resource.h"
#include "services/services.h"

#include <string>
#include <vector>

namespace {

const char kKnownKey[] = VIGILARK_KEY "\\Services";
const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";

bool CollectLive(std::vector<PatrolItem>& live)
{
    KnownList known;
    LoadKnownServices(known);
    size_t first = live.size();
    AddEntryItems(EnumerateServices(), known, live);
    for (size_t at = first; at < live.size(); ++at) live[at].location = std::string("HKEY_LOCAL_MACHINE\\") + kServicesKey;
    return true;
}

void RecordKnown(const PatrolItem& item) { KnownList::Record(HKEY_CURRENT_USER, kKnownKey, item.title, item.kind); }

unsigned Choices(const PatrolItem&) { return 0; }

void Watches(std::vector<PatrolWatch>& out)
{
    out.push_back(PatrolWatch::Key(HKEY_LOCAL_MACHINE, kServicesKey));  // a new service is a new subkey
}

}  // namespace

bool LoadKnownServices(KnownList& known) { return known.Load(HKEY_CURRENT_USER, kKnownKey); }

void InstallServicePatrol()
{
    PatrolPlace place = DescribePlace(5, "Services", "Services", 7);
    place.titleId = IDS_ALERT_SERVICE;
    place.sound = SOUND_TASK_ALERT;
    place.history.found = ACTION_MONITOR_ALERT;
    place.calls = {CollectLive, RecordKnown, Choices, nullptr, Watches};
    AddPatrolPlace(place);
}
