// What the resident monitor patrols of the monitored file types: each association against
// the snapshot, with Restore (the exact copy put back) and Accept (a new snapshot).
#pragma once

// Puts the file-type place into the monitor's table.
void InstallFileTypePatrol();
