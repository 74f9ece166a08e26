// The tabbed console: one modal property sheet owned by the hidden main window, with
// one page per subject, and the protocol every page follows.
#pragma once

#include <windows.h>

// Builds and runs the sheet on the page of `command`, or raises it when already open.
// Returns when the sheet has closed (at once when it was already open).
void OpenConsole(HWND owner, int command);

// The common steps of every page's PSN_SETACTIVE and PSN_KILLACTIVE.
void PageActivated(HWND page);
void PageDeactivated(HWND page);

// Gives the Monitor icon its three images for the patrol state and shows the one at rest.
void SetMonitorIcon(HWND page, int control, bool on);

// Hides OK, drops the context-help button and names Cancel "Close" on the page's sheet.
void AdjustSheetFrame(HWND page);

// Lays out the sheet's frame controls and the page after a size change (NT family).
void ResizePages(HWND page);

// The page activated last (the sheet's subclass relays resizing to it).
HWND CurrentPage();

// Topmost message boxes owned by the main window, in the interface language.
void ErrorBox(UINT id);
void InfoBox(UINT id);
// A topmost box with the console caption and the given text and MB_ flags.
int ConsoleMessageBox(const char* text, UINT flags);

// True on the Windows NT family.
bool IsNT();

// major * 65536 + minor of the library's DllGetVersion; 0 when it has none.
DWORD CommonControlsVersion(const char* library);

// The sheet's window procedure wrapper, installed once per process (NT family).
LRESULT CALLBACK SheetSubclassProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam);

// Window properties of the Help and Monitor icons (image at rest, held, hover or the
// other patrol state, and the control's own id).
const int ICON_PROP_REST = 10000;
const int ICON_PROP_HELD = 10001;
const int ICON_PROP_ALT = 10002;
const int ICON_PROP_ID = 10003;
void SetIconProperties(HWND icon, HBITMAP rest, HBITMAP held, HBITMAP alt, int id);
void RemoveIconProperties(HWND icon);
