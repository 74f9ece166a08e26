// Help topics, the web addresses of the maker's server and the About page's actions.
#pragma once

#include <windows.h>

// Opens the help topic of a page command (local file first, then the web); returns 1.
int OpenHelp(HWND page, int command);

// The topic file of a command with the language prefix of `language` (a primary
// language id), e.g. "de_scheduler.html".
void HelpTopicFile(int command, WORD language, char* out, int capacity);

// True when the AOL client is running.
bool IsAolRunning();

// Opens an address in the default browser (or the AOL client when it runs).
void OpenWebAddress(const char* address);

// The version text "<monitor version>[:<console version>]"; its length.
int VersionText(char* out, int capacity);

// The maker's server address (ends with "/").
void ServerAddress(char* out, int capacity);

void CheckForNewVersion();
void LookUpProgram(int type, const char* text);

// The About page.
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
