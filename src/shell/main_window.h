// The hidden main window: it owns the console, carries the taskbar button and turns
// commands (from this copy or from others) into actions.
#pragma once

#include <windows.h>

// The command a command line asks for: options are found anywhere, in any case; the one
// lowest in the option table wins; none (or "-START") gives CMD_STARTUP_PAGE.
int CommandFromCommandLine(const char* line);

// True when "-Q" (quit a running copy) is on the command line.
bool HasQuitOption(const char* line);

// Registers the window class (name from string 9) and creates the hidden main window.
HWND CreateMainWindow(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Makes sure only one copy becomes the running copy, also when two start at the same
// instant. Returns the running copy's main window when another copy runs (the caller
// forwards its command there), or NULL when this copy is to become the running copy.
// *gaveUp is set when another copy holds the start-up lock but shows no window within
// ten seconds; the caller tells the user. When the lock cannot be made at all (another
// program holds an object of its name), the window class alone decides.
HWND FindOrClaimRunningCopy(const char* className, bool* gaveUp);
