// Drives the real VigilarkEx.exe: starts it, finds its main window and sheet, reads tabs and
// list rows across the process boundary, presses buttons, answers its dialogs and menus.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ConsoleRun {
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    HWND sheet = nullptr;
};

// Starts an executable beside the test program (not waiting); the console also waits for its
// main window and, unless told otherwise, its sheet.
bool StartProgram(const char* exe, const char* arguments, PROCESS_INFORMATION* process);
bool StartConsole(const char* arguments, ConsoleRun& run, bool expectSheet = true);
// The same for a copy of the console elsewhere (installed or unpacked): its full path.
bool StartProgramAt(const std::string& path, const char* arguments, PROCESS_INFORMATION* process);
bool StartConsoleAt(const std::string& path, const char* arguments, ConsoleRun& run, bool expectSheet = true);
// Waits for the process to end: its exit code, or -1 on time-out (then it is killed).
int WaitForExit(ConsoleRun& run, DWORD timeoutMs = 10000);
// Closes the console as a user would (the page's close) and waits for the process.
int CloseConsole(ConsoleRun& run);
// Ends every copy of the console and of the monitor that still runs (test clean-up).
void EndAllCopies();
// The visible property sheet owned by the console's main window; how many main windows exist.
HWND FindSheet(HWND mainWindow);
int ConsoleWindowCount();

int TabCount(HWND sheet);
int ActiveTab(HWND sheet);
std::string TabText(ConsoleRun& run, int index);
std::string ActiveTabText(ConsoleRun& run);
void SelectTab(HWND sheet, int index);
HWND ActivePage(HWND sheet);

// The text of a window of another process; a button of a page or dialog pressed (BN_CLICKED).
std::string WindowText(HWND window);
void PressButton(HWND page, int id);

// List views in the console's process.
std::string ListCell(ConsoleRun& run, HWND list, int row, int column);
std::vector<std::string> ListColumn(ConsoleRun& run, HWND list, int column);
int FindListRow(ConsoleRun& run, HWND list, int column, const std::string& text);
// Selects exactly the given rows and focuses the first.
void SelectListRows(ConsoleRun& run, HWND list, const std::vector<int>& rows);
// Checks or clears a row's check box (lists with LVS_EX_CHECKBOXES); a row's check state.
void SetListCheck(ConsoleRun& run, HWND list, int row, bool checked);
bool ListChecked(HWND list, int row);
// A column-header click (LVN_COLUMNCLICK) and a right-click (NM_RCLICK), as the list sends them.
void ClickListColumn(ConsoleRun& run, HWND page, HWND list, int column);
void RightClickList(ConsoleRun& run, HWND page, HWND list);
// A double-click (NM_DBLCLK) on the list, as the list sends it; returns once it was handled.
void DoubleClickList(ConsoleRun& run, HWND page, HWND list);

// A dialog ("#32770") other than the sheet, or a popup menu ("#32768"), of the console's
// process; NULL on time-out.
HWND WaitForWindow(ConsoleRun& run, const char* className = "#32770", DWORD timeoutMs = 5000);
// Picks the menu item at a position (separators count) with the keyboard, as a user would.
void ChooseMenuItem(HWND owner, int position);
