// What the resident monitor patrols of the startup entries, and the known-programs list it
// compares them with (the console marks the rows that list does not hold yet).
#pragma once

#include "foundations/known_list.h"

// The known-programs list under HKEY_CURRENT_USER.
#define KNOWN_PROGRAMS_KEY "Software\\Brondlewick\\Vigilark\\Run"

// Reads the known-programs list.
bool LoadKnownPrograms(KnownList& known);

// An entry is known when the list names its command (with ":" for every "=") or its title.
bool IsKnownStartupEntry(const KnownList& known, const char* title, const char* path);

// Puts the startup place into the monitor's table.
void InstallStartupPatrol();
