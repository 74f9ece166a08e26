// A console page hosted for the bench as the tests host one, filled as the sheet fills it,
// and the checks of what its list drew: a fast fill that shows default icons, draws nothing
// or shows other texts fails the run like a wrong row count.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A page of the console in a plain top-level window; nullptr when it cannot be made.
HWND MakeBenchPage(int dialog, DLGPROC procedure);
// The top-level window every bench page lives in (made on first use).
HWND BenchHost();
// Lets the page draw what the last fill left (before the next fill is timed).
void PumpBenchMessages();
// The fill as the sheet starts it: the page is told it became the active page, and the list
// is drawn. The rows it holds.
int ActivateBenchPage(HWND page);
// The same for a page made on first use (and again after another page took the host); -1
// when it cannot be made.
int FillBenchPage(HWND& page, int dialog, DLGPROC procedure);

// A modal dialog over the host, timed from its opening until it is shown with nothing left
// to paint (its owner hears when the dialog's loop has nothing left to do); `drawn` then
// runs, untimed, before the dialog is closed. The milliseconds, or -1 when it never got there.
double TimeModalDialog(void (*open)(HWND host), void (*drawn)(HWND dialog));

// The list-view work of a fill of `rows` rows, for comparison: as many rows of `columns`
// short texts put into a bare report list the size of `like` (a page's list; nullptr for a
// default size), drawn once when every row is in. Milliseconds. (No case is judged against
// it: the floors have no list view.)
double TimeBareList(HWND like, int rows, int columns);

// The rows the list shows now: from its top row, each row whose rectangle meets its client
// area. `whole` gets how many of them are shown whole.
std::vector<int> DrawnRows(HWND list, int* whole = nullptr);
std::string CellText(HWND list, int row, int column);
std::vector<std::string> RowCells(HWND list, int row, int columns);

// What one row must show, as the workload planted it.
struct RowWanted {
    std::string program;  // the program whose icon it shows (rows of one program share one extraction)
    bool extracted;       // its icon is read from the file (false: the file is missing)
    bool ownIcon;         // the image is the program's own (false: the default icon)
};
// The workload's judgement of a row from its texts: false (with why) when the texts are not
// those planted for it.
typedef bool (*RowJudge)(const std::vector<std::string>& cells, RowWanted& wanted, std::string& why);

// After a fill: every drawn row and a sample of the others judged by their texts; the icon
// extractions of the fill (the counted ExtractIconExA calls) one per program of the drawn
// rows; every drawn row's image its program's own or the default as wanted, and at least one
// drawn row with an icon of its own. False with the reason in why.
bool CheckDrawnList(HWND list, int columns, RowJudge judge, std::string& why);

// A hash of the row's image as the list draws it, to compare icons between two builds.
unsigned long ImageHash(HWND list, int row);
// The rows of the last fill, written for comparing two builds (--dump): texts and icon hash.
void DumpListRows(HWND list, int columns, const std::string& name);
