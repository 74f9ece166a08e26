// What the resident monitor patrols of the Task Scheduler, and the list of the tasks it
// knows (by work-item name, as the first run records them).
#pragma once

#include "foundations/known_list.h"

bool LoadKnownTasks(KnownList& known);

// Puts the scheduled-task place into the monitor's table.
void InstallScheduledTaskPatrol();
