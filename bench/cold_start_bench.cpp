// The console's cold start on a typical machine's startup entries (50, and 500): from the
// creation of its process until its first page, Startup Programs, is shown with its list
// filled and nothing left to paint (with sounds off: see PlantCold). The floor: a bare program that shows a property sheet
// with an empty list the same way, plus the startup floor (listing the same entries, with
// the icons of the rows the console draws).
#include "bench.h"
#include "startup_bench.h"
#include "timing.h"

#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "resource.h"
#include "support/console_driver.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

const int kFloorList = 1000;  // the list of the floor program's page
const double kGiveUpMs = 30000;

int g_expectedRows = 0;
double g_startMs = -1;
std::string g_why;

std::string BesideHarness(const char* name)
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

bool Painted(HWND window) { return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE); }

// The process's visible property sheet (a top-level dialog with tabs) and its shown page.
HWND ShownPage(DWORD processId, HWND* sheetOut)
{
    for (HWND sheet = nullptr; (sheet = FindWindowExA(nullptr, sheet, "#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(sheet, &owner);
        if (owner != processId || !IsWindowVisible(sheet) || !FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr))
            continue;
        for (HWND page = nullptr; (page = FindWindowExA(sheet, page, "#32770", nullptr)) != nullptr;)
            if (IsWindowVisible(page)) {
                *sheetOut = sheet;
                return page;
            }
    }
    return nullptr;
}

// Starts a program beside the harness and waits until its sheet shows a page whose list
// holds `rows` rows, with nothing of the sheet, the page or the list left to paint. The
// milliseconds from the start, or -1 (the process is then ended).
double TimeUntilDrawn(const char* program, int listControl, int rows, ConsoleRun& run, HWND& list)
{
    run = ConsoleRun();
    Stopwatch started;
    if (!StartProgramAt(BesideHarness(program), "", &run.process)) return -1;
    while (started.Milliseconds() < kGiveUpMs) {
        HWND sheet = nullptr;
        HWND page = ShownPage(run.process.dwProcessId, &sheet);
        list = page ? GetDlgItem(page, listControl) : nullptr;
        if (list && Painted(sheet) && Painted(page) && Painted(list)) {
            double ms = started.Milliseconds();
            DWORD_PTR count = 0;
            // Asked only now: a message would wait for the program to finish what it does.
            if (SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) && (int)count == rows) {
                run.sheet = sheet;
                return ms;
            }
        }
        Sleep(1);
    }
    WaitForExit(run, 0);
    return -1;
}

// The rows the console shows: as many as its list has room for, and the row cut at its foot.
int ShownRows(HWND list)
{
    DWORD_PTR perPage = 0;
    SendMessageTimeoutA(list, LVM_GETCOUNTPERPAGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &perPage);
    int rows = (int)perPage + 1;
    return rows < g_expectedRows ? rows : g_expectedRows;
}

// The shown rows and a sample of the others, read from the console's list.
bool CheckConsoleRows(ConsoleRun& run, HWND list)
{
    int shown = ShownRows(list);
    int step = g_expectedRows / 16 > 0 ? g_expectedRows / 16 : 1;
    for (int row = 0; row < g_expectedRows; row = row < shown ? row + 1 : row + step) {
        std::vector<std::string> cells;
        for (int column = 0; column < 3; ++column) cells.push_back(ListCell(run, list, row, column));
        RowWanted wanted;
        std::string why;
        if (!JudgeStartupRow(cells, wanted, why)) {
            g_why = "row " + std::to_string(row) + ": " + why;
            return false;
        }
    }
    return true;
}

int ColdStart()
{
    ConsoleRun run;
    HWND list = nullptr;
    g_why = "the console did not show its list with the planted rows within 30 s";
    g_startMs = TimeUntilDrawn("VigilarkEx.exe", IDC_LIST, g_expectedRows, run, list);
    if (g_startMs < 0) return -1;
    SetStartupDrawnRows(ShownRows(list));
    int rows = CheckConsoleRows(run, list) ? g_expectedRows : -1;
    if (rows >= 0) g_why.clear();
    CloseConsole(run);
    return rows;
}

double ColdStartMs() { return g_startMs; }

bool CheckColdStart(std::string& why)
{
    why = g_why;
    return why.empty();
}

bool PlantCold(int n, Planted& planted)
{
    // A typical start, not the first: the first run records what it finds and registers
    // the monitor's own startup entry. Without the opening sound: it is played to its end
    // before the console shows (0.4 s, where the bed's sound device plays at all), which
    // is the sound's length, not the console's work.
    CreateProgramKeysOnFirstRun();
    if (!CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY) || !SetOption("Sound", 0) || GetOption("Sound", 1) != 0) {
        fprintf(stderr, "bench: the console's sounds cannot be switched off\n");
        return false;
    }
    if (!PlantStartupWorkload(n, planted)) return false;
    g_expectedRows = planted.expectedRows;
    return true;
}

bool ColdFloor(FloorParts& parts)
{
    if (!StartupFloor(parts)) return false;
    ConsoleRun run;
    HWND list = nullptr;
    double sheet = TimeUntilDrawn("bench_cold_floor.exe", kFloorList, 0, run, list);
    if (sheet < 0) {
        fprintf(stderr, "bench: the cold-start floor program did not show its sheet\n");
        return false;
    }
    parts["sheet"] = sheet;
    PostMessageA(run.sheet, WM_COMMAND, IDCANCEL, 0);
    WaitForExit(run);
    return true;
}

}  // namespace

BenchWorkload ColdStartWorkload()
{
    return BenchWorkload{
        "startup-cold",
        {50, 500},
        {50},
        PlantCold,
        ColdFloor,
        {
            {"console-cold-start", ColdStart, {"sheet", "enumerate", "titles", "versions", "long-paths", "icons-drawn", "list-rows"},
             nullptr, nullptr, CheckColdStart, ColdStartMs},
        },
        "sheet = a bare program started until its property sheet shows one page with an empty list and nothing left "
        "to paint; the startup floor's parts (see startup) for the same entries, icons-drawn for the rows the "
        "console shows",
    };
}
