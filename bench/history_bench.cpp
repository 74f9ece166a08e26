// The history workload: history.txt beside the program with 10,000 lines, as the console
// writes them, naming 200 programs (one in ten of them missing). The loader reads only the
// file's newest 128 KiB, so the rows expected are the complete lines within those bytes.
// Cases: loading the file into the entry list, and the History dialog's fill, from its
// opening until its list is drawn with the icons of the rows it shows. The floor reads the
// newest 128 KiB and splits them into lines and fields, takes the long form of each
// distinct command and extra, and reads the icons of the programs on the rows drawn.
#include "bench.h"
#include "bench_page.h"
#include "timing.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/text.h"
#include "history/history.h"
#include "history/history_dialog.h"
#include "resource.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

const char kToolFolder[] = "C:\\VkBench\\history";
const int kTools = 200;
const char kTitlePrefix[] = "History Entry ";
const int kKinds[] = {KIND_MACHINE_RUN, KIND_CURRENT_RUN, KIND_USERS_RUN, KIND_WIN_RUN,
                      KIND_GROUP_STARTUP, KIND_SERVICE_EXE, KIND_TYPE_BHO, KIND_TASK_SCHEDULED};
const int kActions[] = {ACTION_START_REMOVE, ACTION_START_DISABLE, ACTION_START_ENABLE,
                        ACTION_TASK_KILL, ACTION_SERVICE_STOP, ACTION_IEHELPER_REMOVE};

std::vector<std::string> g_dates;  // the date field of each planted line
int g_drawnRows = 0;               // rows the dialog drew in its last fill

std::string Tool(int i) { return "Tool" + std::to_string(1000 + i % kTools) + ".exe"; }
bool ToolExists(int i) { return (i % kTools) % 10 != 9; }

bool PlantTools()
{
    char directory[MAX_PATH];
    if (!ProgramDirectory(directory, sizeof directory)) return false;
    std::string program = std::string(directory) + "\\bench_workload_program.exe";
    SHCreateDirectoryExA(nullptr, kToolFolder, nullptr);
    for (int i = 0; i < kTools; ++i) {
        std::string tool = std::string(kToolFolder) + "\\" + Tool(i);
        if (!ToolExists(i) || GetFileAttributesA(tool.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (!CopyFileA(program.c_str(), tool.c_str(), TRUE)) {
            fprintf(stderr, "bench: cannot copy the workload program to %s\n", tool.c_str());
            return false;
        }
    }
    return true;
}

bool PlantHistory(int n, Planted& planted)
{
    if (!PlantTools()) return false;
    std::string text;
    g_dates.clear();
    SYSTEMTIME time = {2024, 3, 0, 4, 9, 0, 0, 0};
    for (int i = 0; i < n; ++i) {
        time.wHour = (WORD)(8 + i % 10);
        time.wMinute = (WORD)(i % 60);
        time.wDay = (WORD)(1 + i % 28);
        std::string title = kTitlePrefix + std::to_string(i);
        std::string command = std::string(kToolFolder) + "\\" + Tool(i) + " /background";
        std::string extra = i % 4 == 0 ? "C:\\Users\\Bench\\Start Menu\\Tool" + std::to_string(i) + ".lnk" : "";
        std::string line;
        if (!FormatHistoryLine(time, title.c_str(), command.c_str(), extra.c_str(), kKinds[i % 8], kActions[i % 6],
                               line)) {
            fprintf(stderr, "bench: history line %d does not fit\n", i);
            return false;
        }
        g_dates.push_back(line.substr(0, line.find('\t')));
        text += line;
        text += "\r\n";
    }
    char path[MAX_PATH];
    if (HistoryFilePath(path, sizeof path) == 0) return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "bench: cannot write %s\n", path);
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr) && written == text.size();
    CloseHandle(file);
    if (!ok) return false;

    // A record per line feed of the newest 128 KiB: the lines that follow the first line
    // feed at or after the window's first byte - 1. The entry list holds at most MAX_ENTRIES.
    size_t from = 0;
    if (text.size() > HISTORY_READ_BYTES) {
        from = text.find('\n', text.size() - HISTORY_READ_BYTES - 1);
        from = from == std::string::npos ? text.size() : from + 1;
    }
    int lines = 0;
    for (size_t i = from; i < text.size(); ++i)
        if (text[i] == '\n') ++lines;
    planted.items = n;
    planted.expectedRows = lines < MAX_ENTRIES ? lines : MAX_ENTRIES;
    char note[200];
    FormatText(note, sizeof note, "%d lines on %d programs, %lu bytes; the loader reads the newest %lu bytes: %d complete lines", n,
               kTools, (unsigned long)text.size(), (unsigned long)HISTORY_READ_BYTES, lines);
    planted.note = note;
    return true;
}

// ---- The floor ---------------------------------------------------------------------------

// The newest 128 KiB of the file, from its first line feed on, split at line feeds and tabs.
bool ReadNewestLines(std::vector<std::vector<std::string>>& lines)
{
    char path[MAX_PATH];
    if (HistoryFilePath(path, sizeof path) == 0) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, nullptr);
    DWORD window = size > HISTORY_READ_BYTES ? HISTORY_READ_BYTES + 1 : size;
    SetFilePointer(file, (LONG)(size - window), nullptr, FILE_BEGIN);
    std::string bytes(window, '\0');
    DWORD got = 0;
    bool ok = ReadFile(file, &bytes[0], window, &got, nullptr) && got == window;
    CloseHandle(file);
    if (!ok) return false;
    size_t at = size > HISTORY_READ_BYTES ? bytes.find('\n') + 1 : 0;
    for (size_t end; (end = bytes.find('\n', at)) != std::string::npos; at = end + 1) {
        std::vector<std::string> fields;
        size_t stop = end > at && bytes[end - 1] == '\r' ? end - 1 : end;
        for (size_t field = at, tab; field <= stop; field = tab + 1) {
            tab = bytes.find('\t', field);
            if (tab == std::string::npos || tab > stop) tab = stop;
            fields.push_back(bytes.substr(field, tab - field));
            if (tab == stop) break;
        }
        lines.push_back(fields);
    }
    return true;
}

// The dialog itself, bare: its template, with the list's columns and no rows.
INT_PTR CALLBACK BareDialogProcedure(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG) return FALSE;
    HWND list = GetDlgItem(dialog, IDC_LIST);
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNA header = {};
        header.mask = LVCF_WIDTH | LVCF_TEXT;
        header.cx = 120;
        header.pszText = const_cast<char*>("Column");
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)column, reinterpret_cast<LPARAM>(&header));
    }
    return TRUE;
}

void OpenBareDialog(HWND host)
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HISTORY), host, BareDialogProcedure, 0);
}

std::string Unquoted(const std::string& text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"' ? text.substr(1, text.size() - 2) : text;
}

bool HistoryFloor(FloorParts& parts)
{
    std::vector<std::vector<std::string>> lines;
    Stopwatch read;
    if (!ReadNewestLines(lines)) return false;
    parts["read"] = read.Milliseconds();

    // Command and extra are the fifth and sixth fields.
    Stopwatch longPaths;
    std::set<std::string> done;
    for (const auto& fields : lines)
        for (size_t field = 4; field < 6 && field < fields.size(); ++field) {
            std::string path = Unquoted(fields[field]);
            if (path.size() <= 3 || !done.insert(path).second) continue;
            char converted[MAX_PATH];
            GetLongPathNameA(path.c_str(), converted, sizeof converted);
        }
    parts["long-paths"] = longPaths.Milliseconds();

    // The dialog shows its newest rows: the last lines.
    Stopwatch icons;
    std::set<std::string> extracted;
    int drawn = g_drawnRows > 0 ? g_drawnRows : 20;
    for (size_t line = lines.size() > (size_t)drawn ? lines.size() - drawn : 0; line < lines.size(); ++line) {
        if (lines[line].size() < 5) continue;
        std::string command = lines[line][4];
        std::string program = command.substr(0, command.find(".exe") + 4);
        if (!extracted.insert(program).second) continue;
        HICON icon = nullptr;
        if (ExtractIconExA(program.c_str(), 0, nullptr, &icon, 1) && icon) DestroyIcon(icon);
    }
    parts["icons-drawn"] = icons.Milliseconds();

    double dialog = TimeModalDialog(OpenBareDialog, nullptr);
    parts["dialog"] = dialog;
    parts["list-rows"] = TimeBareList(nullptr, (int)lines.size(), 4);
    return !lines.empty() && dialog >= 0;
}

// ---- The cases ---------------------------------------------------------------------------

int LoadOnce() { return LoadHistoryEntries(); }

// A planted line's row: its title, action and kind keywords and date as written.
bool JudgeRow(const std::vector<std::string>& cells, RowWanted& wanted, std::string& why)
{
    if (cells[0].compare(0, sizeof kTitlePrefix - 1, kTitlePrefix) != 0) {
        why = "\"" + cells[0] + "\" was not planted";
        return false;
    }
    int i = atoi(cells[0].c_str() + sizeof kTitlePrefix - 1);
    const char* action = ActionKeyword(kActions[i % 6]);
    const char* kind = KindKeyword(kKinds[i % 8]);
    if (i < 0 || i >= (int)g_dates.size() || cells[1] != action || cells[2] != kind || cells[3] != g_dates[i]) {
        why = cells[0] + " shows \"" + cells[1] + "\", \"" + cells[2] + "\", \"" + cells[3] + "\"";
        return false;
    }
    wanted = RowWanted{Tool(i), ToolExists(i), ToolExists(i)};
    return true;
}

double g_fillMs = 0;
int g_rows = -1;
bool g_drawnOk = false;
std::string g_why;

void OpenHistory(HWND host) { ShowHistoryDialog(host); }

void InspectHistory(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_LIST);
    g_rows = ListView_GetItemCount(list);
    g_drawnRows = (int)DrawnRows(list).size();
    g_drawnOk = CheckDrawnList(list, 4, JudgeRow, g_why);
}

int OpenDialog()
{
    g_rows = -1;
    g_drawnOk = false;
    g_why = "the dialog never finished drawing";
    g_fillMs = TimeModalDialog(OpenHistory, InspectHistory);
    return g_rows;
}

// The time from the dialog's opening to its drawn list, not to its closing.
double DialogFillMs() { return g_fillMs; }

bool CheckDialog(std::string& why)
{
    why = g_why;
    return g_drawnOk;
}

}  // namespace

BenchWorkload HistoryWorkload()
{
    return BenchWorkload{
        "history",
        {10000},
        {10000},
        PlantHistory,
        HistoryFloor,
        {
            {"history-load", LoadOnce, {"read", "long-paths"}},
            {"history-dialog-fill", OpenDialog, {"read", "long-paths", "icons-drawn", "dialog", "list-rows"}, PumpBenchMessages, nullptr,
             CheckDialog, DialogFillMs},
        },
        "read = the newest 128 KiB of history.txt read and split into lines and fields; long-paths = the long form "
        "of each distinct command and extra; icons-drawn = the small icon of each distinct program on the rows the "
        "dialog draws (its newest); dialog = the dialog's own template opened with the list's four columns and no "
        "rows, until it is shown and painted; list-rows = as many rows put into a bare report list and drawn once",
    };
}
