// The places the resident monitor patrols. The monitor knows no subject and no registry
// path: each subject that has something to watch adds a row here at start-up
// (InstallPatrolPlaces), as the report sections are added, and the monitor visits the rows.
#pragma once

#include "foundations/known_list.h"

#include <windows.h>

#include <string>
#include <vector>

// What an alert can offer for a finding, and what a place may do by itself.
enum PatrolChoice {
    CHOICE_ALLOW = 1,     // recorded as known, never asked again
    CHOICE_DISABLE = 2,   // through the subject's own toggle (undone from the History dialog)
    CHOICE_REMOVE = 4,    // through the subject's own removal
    CHOICE_RESTORE = 8,   // the recorded state put back
    CHOICE_ACCEPT = 16,   // the changed state becomes the record
    CHOICE_END = 32,      // a running program ended (the black list, never asked)
};

// One thing a place holds now, as its subject describes it.
struct PatrolItem {
    std::string title;
    std::string command;   // command, program path, value or file
    std::string extra;     // the history line's extra field
    std::string location;  // where it lives, one line of the alert
    std::string program;   // the file whose publisher and version the alert shows; may be empty
    std::string identity;  // what tells this finding from another of the place (never empty)
    int kind = 0;          // the history line's kind
    int value = 0;         // the subject's own number (an association's kind)
    bool known = false;    // on the place's known list, or equal to its record
    bool changed = false;  // a known thing that differs from its record (Restore / Accept)
    int settledAction = -1;  // the patrol already acted (re-disabled): the history action to record
};

// A change notification: a registry key (hive set) or a folder (folder set).
struct PatrolWatch {
    HKEY hive = nullptr;
    std::string subkey;
    bool subtree = false;
    std::string folder;

    static PatrolWatch Key(HKEY hive, const std::string& subkey, bool subtree = false)
    {
        PatrolWatch watch;
        watch.hive = hive;
        watch.subkey = subkey;
        watch.subtree = subtree;
        return watch;
    }
    static PatrolWatch Folder(const std::string& folder)
    {
        PatrolWatch watch;
        watch.folder = folder;
        return watch;
    }
};

// The history action codes a place's findings and decisions are written with; -1 where
// nothing is written (the subject's own action writes its line).
struct PatrolHistory {
    int found = -1;
    int removed = -1;
    int restored = -1;
};

// What the subject does for its place.
struct PatrolCalls {
    // What the place holds now, each item's `known` set from the place's record. False when
    // the place could not be read (the patrol is tried again later).
    bool (*collect)(std::vector<PatrolItem>& live) = nullptr;
    // Puts the item on the known list (or makes its state the record).
    void (*recordKnown)(const PatrolItem& item) = nullptr;
    // The choices the subject can carry out for the item (besides the automatic one).
    unsigned (*choices)(const PatrolItem& item) = nullptr;
    // Carries out Disable, Remove, Restore or End; true when done. May be nullptr.
    bool (*act)(const PatrolItem& item, unsigned choice) = nullptr;
    // The keys and folders whose change makes the place due at once; may be nullptr.
    void (*watches)(std::vector<PatrolWatch>& out) = nullptr;
};

struct PatrolPlace {
    int order = 0;               // patrol order, 1 first
    const char* name = "";       // for the trace
    const char* setting = "";    // patrol time in minutes (option), 0 = off
    int defaultMinutes = 0;
    UINT titleId = 0;            // the alert's heading (string table)
    int sound = 0;               // sound event of its alerts
    PatrolHistory history;
    unsigned automatic = 0;      // a choice taken at once for every finding, without an alert
    PatrolCalls calls;
};

// A place with its order, name and patrol time; the subject sets the rest by name.
PatrolPlace DescribePlace(int order, const char* name, const char* setting, int defaultMinutes);

// An entry of the entry list as an item: title, path as command and program, extra, kind;
// the title tells it from the others.
PatrolItem EntryPatrolItem(int index);

// The first `count` entries of the entry list as items (title, path as command and program,
// extra, kind; known when the list names the title; the title tells it from the others),
// then the list emptied.
void AddEntryItems(int count, const KnownList& known, std::vector<PatrolItem>& live);

// Adds or replaces (same order) a place.
void AddPatrolPlace(const PatrolPlace& place);
int PatrolPlaceCount();
// The places by order; nullptr past the last.
const PatrolPlace* PatrolPlaceAt(int position);
