// history.txt beside the program: one tab-separated line per change that the console
// (or the resident monitor, which shares the file) made to what starts automatically.
// Lines are written here, read back into records, and a removal can be undone.
#pragma once

#include "history/history_text.h"

#include <windows.h>
#include <string>
#include <vector>

// Action codes; only ACTION_START_REMOVE can be undone ("*" in its keyword).
enum HistoryAction {
    ACTION_START_REMOVE = 0,
    ACTION_START_DISABLE = 1,
    ACTION_START_ENABLE = 2,
    ACTION_IEHELPER_REMOVE = 3,
    ACTION_TASK_REMOVE = 4,
    ACTION_TASK_KILL = 5,
    ACTION_START_ALERT = 6,
    ACTION_TASK_ALERT = 7,
    ACTION_IEHELPER_ALERT = 8,
    ACTION_SERVICE_STOP = 9,
    ACTION_SERVICE_AUTOMATIC = 10,
    ACTION_SERVICE_MANUAL = 11,
    ACTION_SERVICE_DISABLED = 12,
    ACTION_START_RESTORE = 13,
    ACTION_TASK_RESTORE = 14,
    ACTION_IEHELPER_RESTORE = 15,
    ACTION_SCHEDULED_TASK_REMOVE = 17,
    ACTION_SERVICE_FROM_AUTOMATIC = 18,
    ACTION_SERVICE_FROM_MANUAL = 19,
    ACTION_SERVICE_FROM_DISABLED = 20,
    // The resident monitor's own, where no code above fits (the kind keyword tells what):
    ACTION_MONITOR_ALERT = 21,    // a new service, a changed file type, HOSTS file or restart file
    ACTION_MONITOR_ALLOW = 22,    // a finding allowed or a change accepted: now on the record
    ACTION_MONITOR_RESTORE = 23,  // a file type or the HOSTS file put back as recorded
};

// The keyword of an action code ("*START_Remove", ...), nullptr when it has none.
const char* ActionKeyword(int action);
// The code of an action keyword (case-insensitive), 0 when it is not one.
int ActionFromKeyword(const char* keyword);

const DWORD HISTORY_READ_BYTES = 131072;  // only the newest 128 KiB are read

// One line of history.txt.
struct HistoryRecord {
    char date[HISTORY_DATE_CHARS];
    char title[128];
    char command[260];
    char extra[260];
    int kind;    // 0 when the kind keyword is unknown
    int action;  // 0 when the action keyword is unknown
};

// The line for one change (without its line end): date, action keyword, kind keyword
// ("UNKNOWN_TYPE" for a kind without one), title, command, extra, joined by tabs. Tabs
// and line breaks inside the texts become blanks, so a name can never forge a line.
// False when the line would not fit 1024 characters.
bool FormatHistoryLine(const SYSTEMTIME& time, const char* title, const char* command, const char* extra, int kind,
                       int action, std::string& line);

// Appends one line to history.txt with the local time; 1 when written, 0 when the
// option History is off or the file cannot be opened.
int AppendHistory(const char* title, const char* command, const char* extra, int kind, int action);

// history.txt beside the program; its length.
int HistoryFilePath(char* out, int capacity);

// Parses history text into records, one per line feed (the carriage returns that end a
// line are dropped); a last line without a line feed is not a record. A field too long
// for its record field is left empty. Returns the number of records.
int ParseHistoryText(const char* text, size_t length, std::vector<HistoryRecord>& records);
inline int ParseHistoryText(const std::string& text, std::vector<HistoryRecord>& records)
{
    return ParseHistoryText(text.data(), text.size(), records);
}

// The newest lines of a history text: all of it when it is no longer than `window`
// bytes, else what follows the first line feed of its last window + 1 bytes. The file is
// only ever appended to, so the changes a user may want to undo are at its end, and the
// window never starts inside a line.
std::string NewestHistoryLines(const std::string& bytes, size_t window);

// Reads history.txt (its newest 128 KiB) into the entry list: title, command as path,
// extra, date as detail, kind and action code as value. Returns the number of entries.
int LoadHistoryEntries();

// 1 when the entry's action can be undone (only "*START_Remove"), else 0.
int IsReversible(int index);

// Each subject knows how to undo its own changes and puts that here at start-up, one
// function per action code; history itself knows no subject. The function gets the line
// exactly as the file holds it and returns 1 when the change was undone.
typedef int (*UndoFunction)(const HistoryRecord& record);
void SetUndoAction(int action, UndoFunction undo);

// Undoes the entry's change through the undo table, using the line exactly as the file
// holds it (the entry list keeps commands without their quotes). 1 when something was
// done, 0 when the action has no undo or the undo failed.
int UndoHistoryEntry(int index);
