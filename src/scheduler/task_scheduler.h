// The work items of the Windows Task Scheduler: listed into the entry list, deleted, and
// their status and comment read. Every operation first makes sure the scheduler runs: the
// "Schedule" service on the NT family, the scheduler agent program on the Windows 95
// family (which an operation that launched it ends again before it returns).
#pragma once

#include <windows.h>

// 0 when the scheduler runs (already, or started by this call), else the system's error
// code. *startedNow (may be nullptr) tells whether this call started it, so that only
// then the caller gives it time to come up.
DWORD StartScheduler(bool* startedNow = nullptr);

// Windows 95 family: ends the scheduler agent program. 1 when there is none to end, else 0.
int StopScheduler();

// Empties the entry list and adds one entry per work item that can be activated (kind
// 800, title the work item's name as enumerated, path its program, extra the next and
// detail the last run time as date text). Returns the number of entries; 0 or a negative
// COM error when the scheduler cannot be reached.
int EnumerateScheduledTasks();

// Deletes the work item of that name (case-insensitive, as the entry's title has it).
// S_OK on success; a failure when the scheduler cannot be started, when no work item has
// the name, or when the scheduler refuses.
HRESULT DeleteScheduledTask(const char* name);

// The work item's comment; empty when it has none or is not found. Returns the length.
int GetTaskComment(const char* name, char* out, int capacity);
// "Status: Running", "Status: Not Scheduled" or "Status: Ready"; empty when the status
// cannot be read or the work item is not found. Returns the length.
int GetTaskStatusText(const char* name, char* out, int capacity);

// The Name column's text: the work item's name without its ".job" extension.
int TaskDisplayName(const char* title, char* out, int capacity);

// Where a task entry lives ("Windows Task Scheduler"). Returns the length.
int ScheduledTaskLocationText(int index, char* out, int capacity);

// First run: every current task recorded as known under the program's "Tasks" key.
void RecordKnownTasks();

// Puts the tasks' section into the full report's table.
void InstallScheduledTaskReport();
