// The benchmark's table of cases. A workload is planted for real in the prefix at each of
// its sizes; every case of the workload is then timed on it, and so is the workload's floor:
// a bare loop doing only the work that cannot be avoided. A case names the floor parts it is
// judged against. A page added later brings its own workload (or joins one) in
// BenchWorkloads() with its cases and its floor.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// What a workload planted, and how many rows every case of it must produce.
struct Planted {
    int items = 0;         // items planted
    int expectedRows = 0;  // rows the program must show for them (after the items it skips by its rules)
    std::string note;      // one line for the report: what was planted and what is skipped
};

// One run of a floor: milliseconds by part, e.g. "enumerate", "versions", "icons".
typedef std::map<std::string, double> FloorParts;

struct BenchCase {
    const char* name;                     // the name in results.json
    int (*run)();                         // one timed run; returns the rows (entries) it produced
    std::vector<std::string> floorParts;  // the floor parts it is judged against; empty: no floor
    void (*settle)() = nullptr;           // before each run, untimed (e.g. let a window draw)
    void (*inspect)() = nullptr;          // after the last run, untimed (e.g. --dump)
};

struct BenchWorkload {
    const char* name;
    std::vector<int> sizes;       // sizes of a full run
    std::vector<int> quickSizes;  // sizes of a --quick run
    // Empties what the workload's cases read and plants n items; false (with a message on
    // stderr) when planting failed.
    bool (*plant)(int n, Planted& planted);
    // One run of the floor; false (with a message) when it did not find what was planted.
    // nullptr for a workload without a floor.
    bool (*floor)(FloorParts& parts);
    std::vector<BenchCase> cases;
    const char* floorNote;  // what the floor does, for the report
};

// Every workload, in the order they run.
std::vector<BenchWorkload> BenchWorkloads();

// The workloads (one file each).
BenchWorkload StartupWorkload();
BenchWorkload SharedStartupWorkload();
BenchWorkload HistoryWorkload();
BenchWorkload ServicesWorkload();
BenchWorkload MonitorWorkload();
// "--idle": the harness as a bare resident window, the memory floor of the resident monitor.
int BenchIdleWindow();

// The page fill's rows, written to a file for comparing two builds (--dump).
void SetRowDumpFolder(const std::string& folder);
// The folder given to --dump, empty when rows are not written.
const std::string& RowDumpFolder();

// A page of the console in a plain top-level window, as the tests host one; nullptr when it
// cannot be made.
HWND MakeBenchPage(int dialog, DLGPROC procedure);
// Lets the page draw what the last fill left (before the next fill is timed).
void PumpBenchMessages();
// The fill as the sheet starts it: the page is told it became the active page, and the list
// is drawn. The rows it holds.
int ActivateBenchPage(HWND page);
