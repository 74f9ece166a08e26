// The list-view toolkit every page uses: columns as fractions of the width, the program
// icons, rows that carry the index of their entry record, selection helpers,
// click-to-sort with a remembered column, and the shared context menu.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <vector>

// Width of column `column` of a list kind for a list `listWidth` pixels wide, with the
// vertical scroll-bar metric `scrollWidth`. 0 for a column the kind does not have.
int ColumnWidth(int listKind, int column, int listWidth, int scrollWidth);

// Adds a left-aligned column sized from the table of the list kind.
bool AddListColumn(HWND list, int column, const char* title, int listKind);
// The same with the title from the string table.
bool AddListColumnById(HWND list, int column, UINT titleId, int listKind);

// Inserts a row whose item data is `row` (the entry index), with the not-known badge when
// `notKnown` (see below); the other columns are set with SetListCell. Returns 1.
int InsertListRow(HWND list, const char* text, int row, int image, bool notKnown = false);
void SetListCell(HWND list, int row, int column, const char* text);

// Two image-list slots; image 0 of each is the program's own icon. The slots own their
// image lists: the list view is given LVS_SHAREIMAGELISTS so it never destroys one, and a
// slot takes its list away from the list view before destroying it.
int CreateImageList(HWND list, int slot);
int DestroyImageList(int slot);
// Empties both slots, destroying what they hold (start-up and settings reload).
void ForgetImageLists();
// Adds the icon of the program a command names (icon 115 when it has none); -1 on failure.
// A program whose icon this image list already holds gets that image's index.
int AddProgramIcon(const char* command, int iconNumber, int slot);
// Icons read when a row is first drawn: a list of hundreds of rows shows a screenful.
// DeferProgramIcon notes the program of the row whose item data is `row` and returns the
// image to insert the row with (I_IMAGECALLBACK); ResolveDeferredIcon answers the list's
// LVN_GETDISPINFO for such a row with AddProgramIcon (true when it answered).
int DeferProgramIcon(int row, const char* command, int iconNumber, int slot);
// A row the resident monitor does not know yet carries a badge over its icon (overlay 1),
// given as it is inserted: changing a row's state afterwards costs a notification of its own.
const int NOT_KNOWN_OVERLAY = 1;
bool RowMarkedNotKnown(HWND list, int row);
bool ResolveDeferredIcon(NMHDR* header);

// The item data (entry index) of the first selected row, -1 when none.
int SelectedEntry(HWND list);
int SelectedEntry(HWND dialog, int control);
int FirstSelectedRow(HWND list);
// The item data (entry indexes) of every selected row, in row order: each row's own
// record, never one found again by its texts.
std::vector<int> SelectedEntries(HWND list);
// Selects only `row` and scrolls it into view; returns -1.
int SelectRow(HWND list, int row);

// Sorting: one direction flag per column (0 ascending), shared by all lists.
const int SORT_COLUMNS = 6;
void ResetSortDirections();
int SortDirection(int column);
void SetSortDirection(int column, int descending);
// The settings name of the list kind's remembered sort column ("SortStartup", ...).
const char* SortOptionName(int listKind);
// LVN_COLUMNCLICK: sorts by the column, flips its direction, stores column + 1.
void OnListColumnClick(HWND list, int listKind, int column);
// After a refill: sorts by the stored column, if any, in its current direction.
void ApplyStoredSort(HWND list, int listKind);
// A page's whole fill: under the wait cursor, `collect` fills the entry list and returns the
// count, the list is emptied (with a fresh image list in slot 0), `addRow` gives each entry
// its row, and the stored sort is applied; the list is drawn once, when every row is in.
void RefillList(HWND list, int (*collect)(), void (*addRow)(HWND list, int index), int listKind);
// The compare function of a list kind (LVM_SORTITEMS), NULL when the kind has none.
PFNLVCOMPARE CompareFunctionFor(int listKind);
// Sorts by a column (0 to 4) in its current direction, without flipping or storing it.
void SortList(HWND list, int listKind, int column);
// The cookie source the cookie lists compare by: 1 Internet Explorer, anything else a
// Mozilla-based browser. Internet Explorer until set.
void SetCookieCompareSource(int browser);
int CookieCompareSource();
// The text a list's type column shows for a kind ("BHO", ...), by which that column sorts;
// the subject that lists the kind sets it.
void SetKindTypeText(int kind, const char* text);

// The text id of a service's current state (dwCurrentState; "Stopped" for any other value).
// The Services list's Status column compares the state its fill stored in each entry's value
// (current state in the upper 16 bits, 0 when it was not read).
UINT ServiceStateTextId(DWORD state);

// NM_RCLICK: the shared context menu of a list kind; 0 when no row is selected.
int ShowListContextMenu(HWND page, int listKind, int listControl);
// The popup menu that ShowListContextMenu shows for an entry; the caller destroys it.
HMENU BuildListContextMenu(int listKind, int entry);
