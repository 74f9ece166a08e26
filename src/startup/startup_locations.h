// Where startup entries live, by kind: the Run keys of the three hives, the win.ini
// lines and the Startup folders; and the form in which the entry list shows a command.
#pragma once

#include "foundations/handles.h"

#include <windows.h>
#include <string>
#include <vector>

// Kinds 1-6 (HKEY_LOCAL_MACHINE), 41-46 (its 32-bit view on 64-bit Windows), 11-16
// (HKEY_CURRENT_USER), 21-25 (HKEY_USERS). The sixth of a hive is its policies' Run key.
bool IsRunKind(int kind);
// The kinds this console may change: 1-6, 41-46 and 11-16.
bool IsOwnRunKind(int kind);
// Kinds 21-25: another user's entries, listed only.
bool IsOtherUserKind(int kind);
bool IsWinIniKind(int kind);

// The hive of a Run kind (nullptr for other kinds), and that hive in the kind's view. Only
// the machine's keys have two views: the user's are shared by 32-bit and 64-bit programs.
HKEY RunKindHive(int kind);
RegRoot RunKindRoot(int kind);
// "Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce" or "Policies\Explorer\Run"
// by the kind's last digit.
const char* RunKeyName(int kind);
// "Software\Microsoft\Windows\CurrentVersion\" + RunKeyName; false for other kinds.
bool RunKeyPath(int kind, char* out, int capacity);

// "load" for kind 100, "run" for 101, nullptr otherwise.
const char* WinIniLineName(int kind);

// A Startup folder named under the Explorer "Shell Folders" key of a hive
// ("Startup" or "Common Startup"); its length, 0 when the value is missing.
int ShellFolder(HKEY hive, const char* valueName, char* out, int capacity);

// True when the path is a full path (drive or network share) that lies below the folder,
// compared without regard to case on the folders' long forms. A path with a "." or ".."
// part is never below anything: the text must say where the file is.
bool PathInsideFolder(const char* path, const char* folder);
// True when the path lies below one of the Startup folders the scan walks (the "Startup"
// and "Common Startup" shell folders of each hive).
bool InStartupFolder(const char* path);

// The command as the entry list shows it: quotes removed and, when it is longer than
// the path field holds, cut to fit (the entry list then takes its long-path form).
std::string DisplayCommand(const std::string& command);
// The same text the entry list stores for the command, long-path form included.
std::string StoredCommandForm(const std::string& command);

// Cuts a title to what the entry list holds, so that a long name is still listed.
std::string DisplayTitle(const std::string& title);

// Position of word in text ignoring case (texts of any length), npos when absent.
size_t FindNoCase(const std::string& text, const char* word);

// True when the text ends with the extension (".lnk"), ignoring case.
bool HasExtension(const char* path, const char* extension);
