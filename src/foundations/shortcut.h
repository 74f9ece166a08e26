// Shell shortcut files (.lnk): written when a removed Startup-folder entry is put back,
// resolved to name the program behind a Startup-folder item. COM must be initialised
// by the caller's thread.
#pragma once

#include <windows.h>

// Writes a shortcut; returns the result of saving it (or of the step that failed).
HRESULT CreateShortcut(const char* linkFile, const char* target, const char* arguments, const char* workingDirectory,
                       const char* description, const char* iconFile, int iconIndex);

// Loads and resolves a shortcut without any user interface (500 ms at most).
// S_OK: target holds the target path in short form and description the link's
// description. S_FALSE: the target no longer exists; description is "File no longer
// exists" and target is empty. A failure code: both outputs are empty.
HRESULT ResolveShortcut(HWND owner, const char* linkFile, char* target, int targetCapacity, char* description,
                        int descriptionCapacity);
