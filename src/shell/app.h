// Process-wide state of the console: the hidden main window, its class name and the
// console caption, the active-page identifier and the drawing objects every page shares.
#pragma once

#include <windows.h>

const int CLASS_NAME_CHARS = 32;
const int CAPTION_CHARS = 32;

// Active-page identifier: 0 while no console is open, 1 while it is being built,
// otherwise the command identifier of the active page.
const int ACTIVE_PAGE_NONE = 0;
const int ACTIVE_PAGE_BUILDING = 1;

HWND MainWindow();
void SetMainWindow(HWND window);

// "VigilarkEx": the main window's class, by which a second copy finds the first.
char* MainClassName();
// The console caption (string 2 once the console is built; "Loading..." before).
char* ConsoleCaption();

int ActivePage();
void SetActivePage(int command);

// Fonts and bitmaps made once when the main window is created and kept for the run.
struct SharedDrawing {
    HFONT linkFont;
    HFONT aboutHeadingFont;
    HFONT boldDialogFont;
    HFONT aboutTextFont;
    HFONT smallDialogFont;
    HBITMAP helpBitmaps[3];     // at rest, held, hover (133-135)
    HBITMAP monitorBitmaps[3];  // off, held, on (154-156)
    HBITMAP cookieBitmaps[3];   // 158-160
};
const SharedDrawing& Drawing();
void CreateSharedDrawing(HINSTANCE instance);
