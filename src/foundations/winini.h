// The program lists of win.ini: the "load" and "run" lines of the [windows] section,
// each a list of commands separated by ";". Lines of any length are kept whole.
#pragma once

#include "foundations/winini_text.h"

#include <string>

// Reads a line of the [windows] section (empty when missing).
std::string ReadWinIniLine(const char* line);

// Removes every piece equal to command (ignoring case) and writes the line back, each
// remaining piece followed by ";". True when the line was written.
bool RemoveWinIniProgram(const char* line, const char* command);

// Appends ";" and the command (a leading ";" too when the line was empty).
bool AddWinIniProgram(const char* line, const char* command);

// The line without every piece equal to command: the text RemoveWinIniProgram writes.
std::string WinIniLineWithout(const std::string& text, const char* command);
