// Deleting a file when Windows restarts: MoveFileEx on the NT family, a "NUL=" line in
// wininit.ini on the Windows 95 family.
#pragma once

#include "foundations/restart_text.h"

// Arranges for the file to be deleted when Windows restarts; 1 when arranged, 0 when the
// system refused (the page then shows IDS_DELETE_ON_RESTART_FAILED).
int DeleteFileOnRestart(const char* file);

