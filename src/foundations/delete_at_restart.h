// Deleting a file when Windows restarts: MoveFileEx on the NT family, a "NUL=" line in
// wininit.ini on the Windows 95 family.
#pragma once

#include <string>

// Arranges for the file to be deleted when Windows restarts; 1 when arranged, 0 when the
// system refused (the page then shows IDS_DELETE_ON_RESTART_FAILED).
int DeleteFileOnRestart(const char* file);

// wininit.ini text with the line "NUL=<short path>" added to its [rename] section (the
// section is added at the end when missing); every other line is kept as it was.
std::string WinInitWithDeleteLine(const std::string& text, const char* shortPath);
