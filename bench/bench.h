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

// One run of a floor: milliseconds by part, e.g. "enumerate", "versions", "icons-drawn".
typedef std::map<std::string, double> FloorParts;

struct BenchCase {
    const char* name;                     // the name in results.json
    int (*run)();                         // one timed run; returns the rows (entries) it produced
    std::vector<std::string> floorParts;  // the floor parts it is judged against; empty: no floor
    void (*settle)() = nullptr;           // before each run, untimed (e.g. let a window draw)
    void (*inspect)() = nullptr;          // after the last run, untimed (e.g. --dump)
    // After each run, untimed: what the run drew or wrote, against what was planted. False
    // (with the reason in `why`) fails the run like a wrong row count.
    bool (*check)(std::string& why) = nullptr;
    // The time the run measured itself, in milliseconds, when not all of it counts (a
    // dialog's fill ends when its list is drawn, not when it is closed); nullptr: all of it.
    double (*measured)() = nullptr;
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
BenchWorkload ColdStartWorkload();
BenchWorkload HistoryWorkload();
BenchWorkload ServicesWorkload();
BenchWorkload ReportWorkload();
BenchWorkload CookieFileWorkload();
BenchWorkload CookieFolderWorkload();
BenchWorkload MonitorWorkload();
// "--idle": the harness as a bare resident window, the memory floor of the resident monitor.
int BenchIdleWindow();

// The page fill's rows, written to a file for comparing two builds (--dump).
void SetRowDumpFolder(const std::string& folder);
// The folder given to --dump, empty when rows are not written.
const std::string& RowDumpFolder();
// True for a --quick run (the smallest sizes).
bool QuickRun();
