// history.txt beside the program: one tab-separated line per change that the console
// (or the resident monitor, which shares the file) made to what starts automatically.
// Lines are written here, read back into records, and a removal can be undone.
#pragma once

#include "history/history_text.h"

#include <windows.h>
#include <string>
#include <vector>

// Action codes; those with "*" in their keyword can be undone from the History dialog.
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
    ACTION_HOOK_REMOVE = 24,      // a system hook removed (a Shell/Userinit program: the default restored)
    ACTION_HOOK_RESTORE = 25,     // a removed system hook put back
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
    char note[260];  // the seventh field: on a line that records an undo, what it undid
    int kind;        // 0 when the kind keyword is unknown
    int action;      // 0 when the action keyword is unknown
    bool undone;     // a later line of the same text records that this change was undone
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
// for its record field is left empty. Lines undone by a later line are marked (below).
// Returns the number of records.
int ParseHistoryText(const char* text, size_t length, std::vector<HistoryRecord>& records);
inline int ParseHistoryText(const std::string& text, std::vector<HistoryRecord>& records)
{
    return ParseHistoryText(text.data(), text.size(), records);
}

// An undo is recorded by a line of its own, which old readers list as an ordinary change:
// the action it amounted to ("START_Restore" for a removal put back, "START_Enable" for a
// disable undone...), the undone line's kind, title, command and extra, and the note
// "Undo of <action keyword> <date>" that names the undone line by its own text. Each such
// line marks the latest earlier line with that text as undone (identical lines are one
// change each, so one undo line marks one of them).
void MarkUndoneLines(std::vector<HistoryRecord>& records);
// The action an undo of `action` amounts to, as its line records it; -1 when it has none.
int UndoneAsAction(int action);

// The newest lines of a history text: all of it when it is no longer than `window`
// bytes, else what follows the first line feed of its last window + 1 bytes. The file is
// only ever appended to, so the changes a user may want to undo are at its end, and the
// window never starts inside a line.
std::string NewestHistoryLines(const std::string& bytes, size_t window);

// Reads history.txt (its newest 128 KiB) into the entry list: title, command as path,
// extra, date as detail, kind and action code as value. Returns the number of entries.
int LoadHistoryEntries();

// 1 when the entry's action can be undone with Restore ("*" in its keyword) and no later
// line records that it was undone, else 0.
int IsReversible(int index);

// How an undo went. Only UNDO_DONE changed anything.
enum UndoStatus {
    UNDO_FAILED = 0,          // tried and failed; the message says what is left
    UNDO_DONE = 1,
    UNDO_NOTHING_TO_DO = 2,   // things already stand as they did before the change
    UNDO_REFUSED = 3,         // the line asks for something this program will not do
    UNDO_ALREADY_UNDONE = 4,  // a later line records this undo already
    UNDO_LINE_GONE = 5,       // the file no longer holds the line
    UNDO_NOT_POSSIBLE = 6,    // the action has no undo
};
struct UndoOutcome {
    UndoStatus status = UNDO_FAILED;
    UINT message = 0;    // the string that tells the user; its one "%s", if any, is detail
    std::string detail;
};
UndoOutcome MakeUndoOutcome(UndoStatus status, UINT message, const std::string& detail);

// Each subject knows how to undo its own changes and puts that here at start-up, one
// function per action code; history itself knows no subject. The function gets the line
// exactly as the file holds it.
typedef UndoOutcome (*UndoFunction)(const HistoryRecord& record);
void SetUndoAction(int action, UndoFunction undo);

// Undoes the change of the entry that LoadHistoryEntries made, found again in the file by
// its own text (the file may have grown since, or lost the line), through the undo table.
// A change that was undone gets its undo line. The outcome always carries a message
// unless the undo was done.
UndoOutcome UndoHistoryLine(int index);
// The same; 1 when the change was undone.
int UndoHistoryEntry(int index);
