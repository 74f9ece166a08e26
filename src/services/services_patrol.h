// What the resident monitor patrols of the services, and the list of the services it knows
// (by display name, as the first run records them).
#pragma once

#include "foundations/known_list.h"

bool LoadKnownServices(KnownList& known);

// Puts the service place into the monitor's table.
void InstallServicePatrol();
