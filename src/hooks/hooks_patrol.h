// The resident monitor's System Hooks place: a new hook is an alert (Remove, through the
// page's own removal); a changed Winlogon Shell or Userinit value is an alert that offers to
// put the recorded value back exactly.
#pragma once

#include "foundations/known_list.h"

#include <string>

#define HOOKS_KNOWN_KEY VIGILARK_KEY "\\Hooks"

// The name an entry is known by: its kind keyword, key, piece or value name, and file.
std::string HookIdentity(int index);
bool LoadKnownHooks(KnownList& known);
void RecordKnownHook(int index);
// The Shell and Userinit values of today as the record the patrol compares with.
void RecordHookValues();

void InstallHookPatrol();
