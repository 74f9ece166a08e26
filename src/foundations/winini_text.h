// The pieces of a win.ini program line ("load" or "run"): commands separated by ";".
// Pure: no system calls, so it also builds natively for the fuzz targets.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The text without leading and trailing blanks and tabs.
std::string TrimBlanks(const std::string& text);

// The pieces of a line between ";" separators, as written (blanks kept), leaving out
// pieces that are empty or only blanks.
std::vector<std::string> SplitWinIniPieces(const char* text, size_t length);

// The same pieces with their surrounding blanks removed.
std::vector<std::string> SplitWinIniLine(const std::string& line);
