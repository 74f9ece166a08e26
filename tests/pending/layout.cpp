// Stand-ins for window placement and the status bar until they are built (see ../CMakeLists.txt).
#include "shell/layout.h"

extern const PlacementNames SHEET_PLACEMENT = {"xPos", "yPos", "dxPos", "dyPos"};
void SavePlacement(HWND, const PlacementNames&) {}
HWND StatusBar() { return nullptr; }
void SetStatusText(const char*) {}
POINT MinimumTrackSize() { return POINT{0, 0}; }
WNDPROC PreviousSheetProc() { return nullptr; }
