// The Add File Type Extension dialog: the user names an extension to monitor.
#pragma once

#include <windows.h>

// Runs the dialog modally over the page until the user closes it or an extension was added;
// the dialog comes back where it was last closed. Returns 1.
INT_PTR RunAddFileTypeDialog(HWND page);
