// The history workload: history.txt beside the program with 10,000 lines, as the console
// writes them; the case loads it into the entry list. The loader reads only the file's newest
// 128 KiB, so the rows expected are the complete lines within those bytes.
#include "bench.h"

#include "foundations/entries.h"
#include "foundations/text.h"
#include "history/history.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int LoadOnce() { return LoadHistoryEntries(); }

bool PlantHistory(int n, Planted& planted)
{
    static const int kKinds[] = {KIND_MACHINE_RUN, KIND_CURRENT_RUN, KIND_USERS_RUN, KIND_WIN_RUN,
                                 KIND_GROUP_STARTUP, KIND_SERVICE_EXE, KIND_TYPE_BHO, KIND_TASK_SCHEDULED};
    static const int kActions[] = {ACTION_START_REMOVE, ACTION_START_DISABLE, ACTION_START_ENABLE,
                                   ACTION_TASK_KILL, ACTION_SERVICE_STOP, ACTION_IEHELPER_REMOVE};
    std::string text;
    SYSTEMTIME time = {2024, 3, 0, 4, 9, 0, 0, 0};
    for (int i = 0; i < n; ++i) {
        time.wHour = (WORD)(8 + i % 10);
        time.wMinute = (WORD)(i % 60);
        time.wDay = (WORD)(1 + i % 28);
        std::string title = "History Entry " + std::to_string(i);
        std::string command = "C:\\Program Files\\Bench Tools\\Tool" + std::to_string(i % 500) + ".exe /background";
        std::string extra = i % 4 == 0 ? "C:\\Users\\Bench\\Start Menu\\Tool" + std::to_string(i) + ".lnk" : "";
        std::string line;
        if (!FormatHistoryLine(time, title.c_str(), command.c_str(), extra.c_str(), kKinds[i % 8], kActions[i % 6],
                               line)) {
            fprintf(stderr, "bench: history line %d does not fit\n", i);
            return false;
        }
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
    FormatText(note, sizeof note, "%d lines, %lu bytes; the loader reads the newest %lu bytes: %d complete lines", n,
               (unsigned long)text.size(), (unsigned long)HISTORY_READ_BYTES, lines);
    planted.note = note;
    return true;
}

}  // namespace

BenchWorkload HistoryWorkload()
{
    return BenchWorkload{
        "history",
        {10000},
        {10000},
        PlantHistory,
        nullptr,
        {
            {"history-load", LoadOnce, {}},
        },
        "",
    };
}
