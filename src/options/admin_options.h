// The admin options dialog (171): per-user behaviour of the resident monitor.
#pragma once

#include <windows.h>

// Runs the dialog modally over `owner`.
void ShowAdminOptions(HWND owner);
