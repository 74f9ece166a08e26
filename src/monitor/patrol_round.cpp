// One patrol of one place (see patrol_round.h).
#include "monitor/patrol_round.h"

#include "foundations/trace.h"
#include "history/history.h"
#include "monitor/findings.h"

namespace {

void WriteLine(const PatrolPlace& place, const PatrolItem& item, FindingEvent event)
{
    FindingLine line;
    if (FindingLineFor(place, item, event, line))
        AppendHistory(line.title.c_str(), line.command.c_str(), line.extra.c_str(), line.kind, line.action);
}

}  // namespace

PatrolResult PatrolOnce(const PatrolPlace& place, PatrolMemory& memory, const std::string& ownFolder, bool hideAlerts)
{
    PatrolResult result;
    std::vector<PatrolItem> live;
    result.read = place.calls.collect && place.calls.collect(live);
    if (!result.read) {
        Trace("Patrol not read", place.name);
        return result;
    }
    for (const PatrolItem& item : live) {
        std::string key = FindingKey(place, item);
        bool own = !item.known && IsOwnProgram(item.command, ownFolder);
        switch (DecideFinding(place, item, own, memory.Reported(key), hideAlerts)) {
        case FATE_NONE: break;
        case FATE_SETTLED: WriteLine(place, item, EVENT_SETTLED); break;
        case FATE_AUTOMATIC:
            if (place.calls.act && place.calls.act(item, place.automatic))
                WriteLine(place, item, EventOfChoice(place.automatic));
            break;
        case FATE_HIDDEN:
            memory.Remember(key);
            WriteLine(place, item, EVENT_FOUND);
            ++result.found;
            ++result.hidden;
            break;
        case FATE_ALERT: {
            memory.Remember(key);
            WriteLine(place, item, EVENT_FOUND);
            Finding finding;
            finding.place = &place;
            finding.item = item;
            finding.choices = OfferedChoices(place.calls.choices ? place.calls.choices(item) : 0, item);
            result.alerts.push_back(finding);
            ++result.found;
            break;
        }
        }
    }
    return result;
}

bool CarryOutChoice(const Finding& finding, unsigned choice)
{
    const PatrolPlace& place = *finding.place;
    if (!(finding.choices & choice)) return false;
    bool record = choice == CHOICE_ALLOW || choice == CHOICE_ACCEPT;
    if (!record && (!place.calls.act || !place.calls.act(finding.item, choice))) return false;
    // A disabled entry is decided on too: enabled again later by the user, it is not new.
    if ((record || choice == CHOICE_DISABLE) && place.calls.recordKnown) place.calls.recordKnown(finding.item);
    WriteLine(place, finding.item, EventOfChoice(choice));
    return true;
}
