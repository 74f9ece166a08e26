// Collecting what Windows starts at log-on: the Run keys of the three hives, the
// Startup folders, the win.ini "load" and "run" lines and the console's own store of
// disabled entries, into the entry list.
#pragma once

#include <string>
#include <vector>

// Empties the entry list and collects every startup entry; returns the count.
int CollectStartupEntries();
// The same in two halves, which together collect what CollectStartupEntries does: the Run
// keys of the three hives (what a change of a Run key can change), and the rest.
int CollectRunKeyEntries();
int CollectOtherStartupEntries();

// A Run value that came back under a disabled title and was disabled again by the last
// collection, with its command as Windows had it.
struct EntryDisabledAgain {
    std::string title;
    std::string command;
    int kind;
};
// Those of the last collection (each collection starts the list anew).
const std::vector<EntryDisabledAgain>& EntriesDisabledAgain();

// The disabled marker's number (the kind the entry had before it was disabled) for the
// entry's title, 0 when it has none.
int IsEntryDisabled(int index);

// One line saying where the entry lives, e.g.
// "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run". Returns its length.
int StartupLocationText(int index, char* out, int capacity);

// Puts the startup entries' section into the full report's table.
void InstallStartupReport();
