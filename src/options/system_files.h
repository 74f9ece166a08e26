// The HOSTS file (place, Notepad, read-only lock) and the restart commands of wininit.ini.
#pragma once

#include <windows.h>

// The HOSTS file: drivers\etc of the system folder on the NT family, the Windows folder
// elsewhere. Returns the length of the path.
int HostsPath(char* out, int capacity);

// Opens the HOSTS file in Notepad, or says it is missing.
void ViewHostsFile();

enum HostsLockRequest { HOSTS_UNLOCK = 0, HOSTS_LOCK = 1, HOSTS_QUERY = 2 };
const int HOSTS_MISSING = 2;
// Unlock returns 0, lock 1, query 1 when locked and 0 when not; 2 when there is no file.
int HostsLock(int request);

// The restart-command file "<Windows>\wininit.ini".
void WinInitPath(char* out, int capacity);

// 1 when restart commands are pending. Unless silent, shows them (with the choice to
// delete them all) or says there are none.
int ShowRestartCommands(bool silent);
