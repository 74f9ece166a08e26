// Window placement (remembered in the registry), page layout on resize, the hover and
// click behaviour of the icon controls, owner-drawn link buttons and the status bar.
#pragma once

#include <windows.h>

// The four value names of a window family, e.g. "xPos", "yPos", "dxPos", "dyPos".
struct PlacementNames {
    const char* left;
    const char* top;
    const char* width;
    const char* height;
};
extern const PlacementNames SHEET_PLACEMENT;        // console sheet
extern const PlacementNames COOKIE_WINDOW_PLACEMENT;
extern const PlacementNames ADD_FILETYPE_PLACEMENT;
extern const PlacementNames PROPERTIES_PLACEMENT;

// Writes the window rectangle's left, top, width and height as decimal text.
void SavePlacement(HWND window, const PlacementNames& names);

// Reads one placement value; false when it is missing or empty.
bool ReadPlacementNumber(const char* name, int* value);

// Every page's WM_INITDIALOG: on the NT family the first page of a run installs the sheet
// subclass, the minimum track size and the status bar and restores the sheet's rectangle;
// otherwise the window is centred.
void FirstPlacement(HWND window, const PlacementNames& names);

// Moves a dialog to its stored left and top, or centres it.
void RestorePosition(HWND dialog, const char* leftName, const char* topName);

// x = (screen width - width) / 2, y = (screen height - height) / 3; no sizing, no activation.
void CentreWindow(HWND window);

void SaveCookieWindowPlacement(HWND window);
void RestoreCookieWindowPlacement(HWND window);

// The controls a page hands to the layout on MSG_RELAYOUT. Any may be missing (NULL).
const int LAYOUT_MAX_BUTTONS = 8;
struct PageLayout {
    HWND page;
    HWND helpIcon;
    HWND helpLabel;
    HWND monitorIcon;
    HWND monitorLabel;
    HWND list;
    int buttonCount;
    HWND buttons[LAYOUT_MAX_BUTTONS];     // left to right
    HWND alternates[LAYOUT_MAX_BUTTONS];  // a button sharing buttons[i]'s place, or NULL
};

// Fills a layout record from the usual control ids of a page (1077, 1134, 1112, 1135, 1000)
// and the given bottom buttons (ids; 0 for none) with their alternates.
PageLayout PageLayoutOf(HWND page, const int* buttonIds, int buttonCount, const int* alternateIds);

void LayOutPage(const PageLayout& layout);
void LayOutCookieWindow(const PageLayout& layout);

// The x positions of n bottom buttons of width bw on a list of width listWidth starting at
// left; the last button is 25 pixels further right (and 25 narrower). Pure arithmetic.
void BottomButtonPositions(int left, int listWidth, int buttonWidth, int count, int* xs);

// The layout arithmetic apart from the windows, so the numbers can be checked alone.
struct LayoutFrame {
    int width;           // the sheet's rectangle (page) or the window's own (cookie window)
    int height;
    RECT margins;        // the dialog rectangle (7, 44, 14, 90) in pixels
    int buttonLeft;      // L': 7 dialog units across
    int buttonBottom;    // B': 35 dialog units down
    bool oneTabRow;      // the sheet's tab control has exactly one row
    SIZE helpIcon;
    SIZE helpLabel;
    SIZE monitorIcon;
    SIZE monitorLabel;
    SIZE button;         // the first bottom button
    int buttonCount;
};
struct LayoutPlan {
    POINT helpIcon;
    POINT helpLabel;
    POINT monitorIcon;
    POINT monitorLabel;
    int listX;
    int listY;
    int listWidth;
    int listHeight;
    int buttonY;
    int buttonX[LAYOUT_MAX_BUTTONS];
    int lastButtonWidth;  // width of the last of two or more buttons
};
LayoutPlan PlanPageLayout(const LayoutFrame& frame);
LayoutPlan PlanCookieWindowLayout(const LayoutFrame& frame);

// For WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP and WM_LBUTTONDBLCLK of a page.
int IconMouseHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// WM_DRAWITEM of an owner-drawn link button; 1 when drawn.
int DrawLink(const DRAWITEMSTRUCT* item);

// WM_SETCURSOR: highlights the link button under the cursor, restores the last one.
void CursorOverControl(HWND window);

// Makes a button owner-drawn (the dialog itself when control is 0).
void MakeLink(HWND dialog, int control);

// The colour link buttons are drawn in: dark blue, pure blue while the mouse is over one.
const COLORREF LINK_COLOUR_REST = RGB(0, 0, 64);
const COLORREF LINK_COLOUR_HOVER = RGB(0, 0, 255);
COLORREF LinkColour();

// The status bar at the foot of the sheet (control 6050), or NULL before it exists.
HWND StatusBar();
void SetStatusText(const char* text);

// The sheet's minimum track size and previous window procedure (set by FirstPlacement).
POINT MinimumTrackSize();
WNDPROC PreviousSheetProc();
