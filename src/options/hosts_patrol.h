// What the resident monitor patrols of the HOSTS file: its bytes against a recorded copy
// (the file "HOSTS.saved" beside the program), and the lock the user asked for (value
// "Locked" of the program's HostFile key, written when the Options page locks or unlocks).
#pragma once

// Records the lock the user asked for, so that the monitor can put it back.
void RecordHostsLockWish(bool locked);

// Puts the HOSTS place into the monitor's table.
void InstallHostsPatrol();
