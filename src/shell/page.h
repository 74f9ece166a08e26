// The protocol every page of the console follows (initialise, activate, deactivate,
// destroy, relayout, icons), and a description-driven page for the list pages.
#pragma once

#include <windows.h>

struct ControlText {
    int control;
    UINT text;  // string-table id
};

// What a list page is made of. The page's own logic fills the list and handles its
// buttons; the common protocol is done here. A page starts from DescribePage and sets
// the rest field by field, so no count is ever typed by hand.
struct PageDescription {
    int command = 0;                      // page identifier, list kind and help topic
    const ControlText* texts = nullptr;   // control texts set on WM_INITDIALOG
    int textCount = 0;
    const UINT* columns = nullptr;        // column titles (string ids), in order
    int columnCount = 0;
    UINT patrolKind = 0;                  // title id of the Set Patrol Time dialog; 0 = no Monitor icon
    const int* buttons = nullptr;         // bottom buttons, left to right (layout)
    int buttonCount = 0;
    const int* alternates = nullptr;      // a button sharing each button's place, or nullptr
    bool relayout = false;                // false: keeps the dialog's own layout on resize
    void (*fill)(HWND page) = nullptr;    // fills the list from the entry list (may be nullptr)

    // What the page does beyond the common protocol; every one may be nullptr.
    BOOL (*onInit)(HWND page) = nullptr;                             // after the common initialisation
    void (*onActivated)(HWND page) = nullptr;                        // after the common activation
    void (*onCommand)(HWND page, int command, int code) = nullptr;   // commands the protocol leaves
    bool (*onListNotify)(HWND page, const NMHDR* header) = nullptr;  // list notices; true when handled
    bool sharedContextMenu = false;   // right-click on the list shows the toolkit's menu
};

template <size_t N> PageDescription DescribePage(int command, const ControlText (&texts)[N])
{
    PageDescription page;
    page.command = command;
    page.texts = texts;
    page.textCount = (int)N;
    return page;
}

// A list page: its columns and its bottom buttons (with the buttons sharing their places),
// laid out again when the sheet is resized.
template <size_t T, size_t C, size_t B>
PageDescription DescribeListPage(int command, const ControlText (&texts)[T], const UINT (&columns)[C],
                                 const int (&buttons)[B], const int (*alternates)[B] = nullptr)
{
    PageDescription page = DescribePage(command, texts);
    page.columns = columns;
    page.columnCount = (int)C;
    page.buttons = buttons;
    page.buttonCount = (int)B;
    page.alternates = alternates ? *alternates : nullptr;
    page.relayout = true;
    return page;
}

// WM_INITDIALOG: texts, columns, Close button, active page, first placement. Returns TRUE.
BOOL PageOnInitDialog(HWND page, const PageDescription& description);

// PSN_SETACTIVE: fill, select the first row, common activation, active page, Monitor icon.
void PageOnSetActive(HWND page, const PageDescription& description);

// Fills the page's list again and selects its first row (after a change the page made).
void PageRefill(HWND page, const PageDescription& description);

// PSN_KILLACTIVE.
void PageOnKillActive(HWND page);

// WM_CLOSE / WM_DESTROY: image list, placement, active page 0, close the main window.
void PageOnDestroy(HWND page);

// MSG_RELAYOUT: lays the page out from its description.
void PageOnRelayout(HWND page, const PageDescription& description);

// The Help icon (1077), the Monitor icon (1112), the Close button (1004) and Full Report
// (9, from the list's menu), clicked (notification code 0; other pages use these ids for
// edits and texts). Returns true when
// the command was one of them.
bool PageOnCommonCommand(HWND page, const PageDescription& description, int command, int code);

// The buttons every list page of programs shares: Info (and Enter) opens Properties for the
// selected row, Delete File on Reboot offers its file. True when the command was one of them.
bool PageOnListButtons(HWND page, int command, int code);

// Cursor, owner-draw and mouse messages for the icons and link buttons. True when handled;
// *result is the dialog procedure's return value.
bool PageOnCommonMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

// The path of the selected row's entry in the console's status bar, when the bar exists.
void PageShowSelectedPath(HWND page);

// When the selected row carries the mark of what the resident monitor does not know yet,
// the status line says so after what the page shows there.
void PageShowNotKnown(HWND page);

// Shows the Monitor icon on or off for the page's patrol time.
void PageShowPatrolState(HWND page, const PageDescription& description);

// For a list of programs: a selection change, a click or a key shows the selected entry's
// path in the status bar; a double click opens Properties. True when handled.
bool ProgramListNotify(HWND page, const NMHDR* header);

// A complete dialog procedure for a page that needs nothing beyond its description.
INT_PTR StandardPageProc(const PageDescription& description, HWND page, UINT message, WPARAM wParam, LPARAM lParam);
