// Drives the real VigilarkEx.exe from a test: starts it with a command line, finds its
// hidden main window and its property sheet, reads tabs and list rows across the
// process boundary, presses buttons and answers its message boxes.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

struct ConsoleRun {
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    HWND sheet = nullptr;
};

// Starts an executable beside the test program with the given arguments (not waiting).
bool StartProgram(const char* exe, const char* arguments, PROCESS_INFORMATION* process);

// Starts the console and waits for its main window and sheet (sheet stays NULL when no
// console should open, e.g. "-Q"). False when the process did not start.
bool StartConsole(const char* arguments, ConsoleRun& run, bool expectSheet = true);

// Waits for the process to end; its exit code, or -1 on time-out (then it is killed).
int WaitForExit(ConsoleRun& run, DWORD timeoutMs = 10000);
int WaitForProcessExit(PROCESS_INFORMATION& process, DWORD timeoutMs = 10000);

// Closes the console as a user would (the sheet's close) and waits for the process.
int CloseConsole(ConsoleRun& run);

// Ends every copy of the console and of the monitor that still runs (test clean-up).
void EndAllCopies();

// The visible property sheet owned by the console's main window, NULL when none.
HWND FindSheet(HWND mainWindow);

// Tabs of the sheet.
int TabCount(HWND sheet);
int ActiveTab(HWND sheet);
std::string TabText(ConsoleRun& run, int index);
std::string ActiveTabText(ConsoleRun& run);
void SelectTab(HWND sheet, int index);
HWND ActivePage(HWND sheet);

// The window text of a window in another process.
std::string WindowText(HWND window);

// Presses a button (or sends a command id) to a page.
void PressButton(HWND page, int id);

// List views in the console's process.
int ListRowCount(HWND list);
std::string ListCell(ConsoleRun& run, HWND list, int row, int column);
LPARAM ListItemData(ConsoleRun& run, HWND list, int row);
std::vector<std::string> ListColumn(ConsoleRun& run, HWND list, int column);
// Selects exactly the given rows (clears the others) and focuses the first.
void SelectListRows(ConsoleRun& run, HWND list, const std::vector<int>& rows);
int FindListRow(ConsoleRun& run, HWND list, int column, const std::string& text);
// Sends a column-header click (LVN_COLUMNCLICK) as the list would.
void ClickListColumn(ConsoleRun& run, HWND page, HWND list, int column);
// Sends a right-click (NM_RCLICK) as the list would.
void RightClickList(ConsoleRun& run, HWND page, HWND list);

// A message box (or other dialog) of the process that is not the sheet; NULL on time-out.
HWND WaitForDialog(ConsoleRun& run, DWORD timeoutMs = 5000, HWND except = nullptr);
// The text of a message box.
std::string MessageBoxText(HWND box);
// Presses IDOK, IDYES, IDNO, IDCANCEL... in a message box or dialog.
void AnswerDialog(HWND box, int id);

// The popup menu window ("#32768") the process shows; NULL on time-out.
HWND WaitForPopupMenu(ConsoleRun& run, DWORD timeoutMs = 3000);
// Picks the menu item at a position (separators count) with the keyboard, as a user would.
void ChooseMenuItem(HWND owner, int position);
// Closes the menu without choosing.
void CancelMenu(HWND owner);
