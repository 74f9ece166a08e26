// The rules for one finding (see findings.h).
#include "monitor/findings.h"

#include "foundations/strings.h"
#include "history/history.h"

namespace {

const unsigned kAlertButtons = CHOICE_ALLOW | CHOICE_DISABLE | CHOICE_REMOVE | CHOICE_RESTORE | CHOICE_ACCEPT;

bool SameProgram(const std::string& command, const std::string& folder, const char* name)
{
    char own[MAX_PATH * 2];
    char canonical[MAX_PATH * 2];
    std::string path = folder + "\\" + name;
    CanonicalProgramPath(path.c_str(), own, sizeof own);
    CanonicalProgramPath(command.c_str(), canonical, sizeof canonical);
    return canonical[0] && lstrcmpiA(own, canonical) == 0;
}

}  // namespace

FindingFate DecideFinding(const PatrolPlace& place, const PatrolItem& item, bool ownProgram, bool reported,
                          bool hideAlerts)
{
    if (item.settledAction >= 0) return FATE_SETTLED;
    if (item.known || ownProgram || reported) return FATE_NONE;
    if (place.automatic) return FATE_AUTOMATIC;
    return hideAlerts ? FATE_HIDDEN : FATE_ALERT;
}

unsigned OfferedChoices(unsigned subjectChoices, const PatrolItem& item)
{
    unsigned recorded = item.changed ? CHOICE_ACCEPT : CHOICE_ALLOW;
    unsigned offered = (subjectChoices & kAlertButtons & ~(CHOICE_ALLOW | CHOICE_ACCEPT)) | recorded;
    if (!item.changed) offered &= ~CHOICE_RESTORE;  // nothing recorded to put back
    return offered;
}

FindingEvent EventOfChoice(unsigned choice)
{
    switch (choice) {
    case CHOICE_DISABLE: return EVENT_DISABLED;
    case CHOICE_REMOVE: return EVENT_REMOVED;
    case CHOICE_RESTORE: return EVENT_RESTORED;
    case CHOICE_END: return EVENT_ENDED;
    default: return EVENT_ALLOWED;
    }
}

bool FindingLineFor(const PatrolPlace& place, const PatrolItem& item, FindingEvent event, FindingLine& line)
{
    switch (event) {
    case EVENT_FOUND: line.action = place.history.found; break;
    case EVENT_SETTLED: line.action = item.settledAction; break;
    case EVENT_ALLOWED: line.action = place.history.found >= 0 ? ACTION_MONITOR_ALLOW : -1; break;
    case EVENT_DISABLED: line.action = ACTION_START_DISABLE; break;  // only startup entries are disabled
    case EVENT_REMOVED: line.action = place.history.removed; break;
    case EVENT_RESTORED: line.action = place.history.restored; break;
    case EVENT_ENDED: line.action = -1; break;  // EndProgram writes its own line
    }
    if (line.action < 0) return false;
    line.kind = item.kind;
    line.title = item.title;
    line.command = item.command;
    line.extra = item.extra;
    return true;
}

bool IsOwnProgram(const std::string& command, const std::string& ownFolder)
{
    return SameProgram(command, ownFolder, "Vigilark.exe") || SameProgram(command, ownFolder, "VigilarkEx.exe");
}

std::string FindingKey(const PatrolPlace& place, const PatrolItem& item)
{
    return std::string(place.name) + "|" + item.identity;
}
