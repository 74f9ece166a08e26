// What the resident monitor patrols of the Internet Explorer add-ons, and the list of the
// add-ons it knows (by title, as the first run records them).
#pragma once

#include "foundations/known_list.h"

bool LoadKnownIeHelpers(KnownList& known);

// Puts the add-on place into the monitor's table.
void InstallIeHelperPatrol();
