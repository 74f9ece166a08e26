// One patrol of one place: what it holds now against its record, each item sorted by the
// rules of findings.h into what is written to history, acted on at once or alerted. No
// window: the scheduler runs it one place per message, the benchmark runs it directly.
#pragma once

#include "foundations/patrol_places.h"

#include <set>
#include <string>
#include <vector>

// A finding waiting for the user's choice.
struct Finding {
    const PatrolPlace* place = nullptr;
    PatrolItem item;
    unsigned choices = 0;  // OfferedChoices
};

// The findings this session reported already: each is reported once.
class PatrolMemory {
public:
    bool Reported(const std::string& key) const { return keys_.count(key) != 0; }
    void Remember(const std::string& key) { keys_.insert(key); }

private:
    std::set<std::string> keys_;
};

struct PatrolResult {
    bool read = false;            // false: the place could not be read (try again later)
    int found = 0;                // new findings, alerted or hidden
    int hidden = 0;               // of those, recorded without an alert
    std::vector<Finding> alerts;  // to show, in the order found
};

PatrolResult PatrolOnce(const PatrolPlace& place, PatrolMemory& memory, const std::string& ownFolder, bool hideAlerts);

// The user's choice for a finding: Allow and Accept put it on the record, the others go to
// the subject. Writes the history line; true when done.
bool CarryOutChoice(const Finding& finding, unsigned choice);
