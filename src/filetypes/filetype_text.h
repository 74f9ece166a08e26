// The text rules of file-type associations, apart from the registry and any window: the
// monitored list ("AVI;BAT;"), an extension as the user typed it, the "file,index" text of
// a DefaultIcon value and the program a shell command names. Plain C++ over bytes, so each
// rule can be checked (and fed arbitrary input) on its own.
#pragma once

#include <string>
#include <vector>

// At most this many characters of one piece of the monitored list are taken.
const size_t FILETYPE_PIECE_CHARS = 256;

// The pieces of a ";"-separated monitored list, empty pieces left out, each cut to
// FILETYPE_PIECE_CHARS characters.
std::vector<std::string> SplitMonitoredList(const char* list);
// True when a piece of the list equals the extension (without its dot), ignoring case.
bool MonitoredListHas(const char* list, const std::string& extension);
// The list rebuilt from every piece that differs from the extension, each followed by ";".
std::string MonitoredListWithout(const char* list, const std::string& extension);

// The extension as typed, without one leading dot.
std::string ExtensionWithoutDot(const char* typed);
// True when the extension (without dot) can be a piece of the list and the name of one
// registry key: not empty, no ";" (the list's separator), no "\" (a key path) and no
// control character.
bool IsUsableExtension(const std::string& extension);

// Splits a DefaultIcon text at its last comma: the icon file before it (blanks and double
// quotes around it removed) and the decimal index after it (a leading "-" names a resource
// id). Without a comma the whole text is the file and the index 0. True when a comma was found.
bool ParseIconLocation(const char* text, std::string& file, int* index);

enum CommandShape {
    COMMAND_EMPTY,       // no associated file
    COMMAND_EXECUTABLE,  // "%1 %*" or "%1 /S": the file runs itself
    COMMAND_PROGRAM,     // a program path, perhaps with arguments
};
CommandShape ClassifyCommand(const char* command);

// Where the program of a command starts: after "rundll32.exe" (with any path, closing quote
// and blanks) when the command runs one, for the library it loads is the program of interest;
// else the command itself.
const char* CommandProgramStart(const char* command);

// The text after the last backslash, or the whole text when it has none.
std::string TextAfterLastBackslash(const char* path);

// ASCII case-insensitive equality (extension and class names).
bool SameNameNoCase(const std::string& a, const std::string& b);
