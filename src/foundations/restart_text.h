// The text of wininit.ini, the file the Windows 95 family reads at restart to rename and
// delete files. Pure: no system calls, so it also builds natively for the fuzz targets.
#pragma once

#include <string>
#include <vector>

// wininit.ini text with the line "NUL=<short path>" added to its [rename] section (the
// section is added at the end when missing); every other line is kept as it was.
std::string WinInitWithDeleteLine(const std::string& text, const char* shortPath);

// The command lines of wininit.ini ("NUL=...", "REN=..." and the like): every line with an
// "=" that is no section header or comment, without its line end and closing blanks.
std::vector<std::string> RestartCommandLines(const std::string& text);
