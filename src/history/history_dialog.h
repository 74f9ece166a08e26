// The History dialog: history.txt listed, a recorded change undone, the file cleared.
#pragma once

#include <windows.h>

// Shows the modal History dialog over `owner`; returns when it is closed.
void ShowHistoryDialog(HWND owner);
