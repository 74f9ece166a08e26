// Help topics, the web addresses of the maker's server and the About page's actions.
#pragma once

#include <windows.h>

// Opens the help topic of a page command (local file first, then the web); returns 1.
int OpenHelp(HWND page, int command);

// The topic file of a command with the language prefix of `language` (a primary
// language id), e.g. "de_scheduler.html". (Built in help_addresses.cpp.)
void HelpTopicFile(int command, WORD language, char* out, int capacity);

// Where the help of a command is: 1 with the local file's name in out (found by its bare
// name as FindProgramFile looks, else beside the program), or 0 with the topic's address
// on the server.
int HelpTarget(int command, WORD language, char* out, int capacity);

// True when the AOL client is running.
bool IsAolRunning();

// The AOL client's command line for an address, with its folder from AppPath of the
// [WAOL] section of win.ini (read up to appPathChars characters); 0 when it cannot be run
// safely (see AolCommandLine).
int AolCommandFor(const char* address, int appPathChars, char* out, int capacity);

// Opens an address in the default browser (or the AOL client when it runs).
void OpenWebAddress(const char* address);

// The version text "<monitor version>[:<console version>]"; its length.
int VersionText(char* out, int capacity);
// The same for the files "Vigilark.exe" and "VigilarkEx.exe" in a given folder. Empty (0)
// when the monitor's version cannot be read.
int VersionTextIn(const char* directory, char* out, int capacity);

// The maker's server address (string IDS_SERVER; ends with "/").
void ServerAddress(char* out, int capacity);

void CheckForNewVersion();
void LookUpProgram(int type, const char* text);

// The complete program-lookup address for a program text, with its version fields read
// from the file (escapeName: blanks of the name as "%20"). Its length, 0 when too long.
int LookUpAddress(int type, const char* text, bool escapeName, char* out, int capacity);

// The About page.
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
