// The table of patrolled places (see patrol_places.h).
#include "foundations/patrol_places.h"

#include "foundations/entries.h"

#include <cstddef>

namespace {

std::vector<PatrolPlace> g_places;

}  // namespace

void AddPatrolPlace(const PatrolPlace& place)
{
    size_t at = 0;
    while (at < g_places.size() && g_places[at].order < place.order) ++at;
    if (at < g_places.size() && g_places[at].order == place.order) {
        g_places[at] = place;
        return;
    }
    g_places.insert(g_places.begin() + (std::ptrdiff_t)at, place);
}

int PatrolPlaceCount() { return (int)g_places.size(); }

const PatrolPlace* PatrolPlaceAt(int position)
{
    return position >= 0 && position < (int)g_places.size() ? &g_places[(size_t)position] : nullptr;
}

PatrolPlace DescribePlace(int order, const char* name, const char* setting, int defaultMinutes)
{
    PatrolPlace place;
    place.order = order;
    place.name = name;
    place.setting = setting;
    place.defaultMinutes = defaultMinutes;
    return place;
}

PatrolItem EntryPatrolItem(int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    PatrolItem item;
    item.title = entry.title;
    item.command = entry.path;
    item.program = entry.path;
    item.extra = entry.extra;
    item.kind = entry.kind;
    item.identity = entry.title;
    return item;
}

void AddEntryItems(int count, const KnownList& known, std::vector<PatrolItem>& live)
{
    for (int index = 0; index < count; ++index) {
        live.push_back(EntryPatrolItem(index));
        live.back().known = known.Has(live.back().title);
    }
    FreeEntries();
}
