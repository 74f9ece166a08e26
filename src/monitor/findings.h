// The resident monitor's rules for one finding, apart from any window or registry: what
// becomes of a thing a patrol met, which choices its alert offers, and how it is written to
// history.txt.
#pragma once

#include "foundations/patrol_places.h"

#include <string>

// What becomes of an item a patrol met.
enum FindingFate {
    FATE_NONE,       // known, its own program, or already reported this session
    FATE_SETTLED,    // the patrol acted already (re-disabled): a history line
    FATE_AUTOMATIC,  // the place acts at once without asking (the black list)
    FATE_HIDDEN,     // alerts are hidden for this user: a history line, left as it is
    FATE_ALERT,      // a history line and an alert
};
FindingFate DecideFinding(const PatrolPlace& place, const PatrolItem& item, bool ownProgram, bool reported,
                          bool hideAlerts);

// The alert's choices: Allow for a new thing or Accept for a changed one, and those of the
// subject's choices the alert has a button for.
unsigned OfferedChoices(unsigned subjectChoices, const PatrolItem& item);

// What happened to a finding, as history.txt records it.
enum FindingEvent {
    EVENT_FOUND,
    EVENT_SETTLED,
    EVENT_ALLOWED,   // Allow or Accept
    EVENT_DISABLED,
    EVENT_REMOVED,
    EVENT_RESTORED,
    EVENT_ENDED,
};

struct FindingLine {
    int action = -1;
    int kind = 0;
    std::string title;
    std::string command;
    std::string extra;
};
// The history line of an event; false when none is written by the monitor (the subject's
// own action writes it, or the place records no such event).
bool FindingLineFor(const PatrolPlace& place, const PatrolItem& item, FindingEvent event, FindingLine& line);

// The event a choice carried out stands for.
FindingEvent EventOfChoice(unsigned choice);

// Whether the command runs the console or the monitor from the given folder: those entries
// are never reported or acted on.
bool IsOwnProgram(const std::string& command, const std::string& ownFolder);

// One finding's name within a session, so that it is reported once.
std::string FindingKey(const PatrolPlace& place, const PatrolItem& item);
