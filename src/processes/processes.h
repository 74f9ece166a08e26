// Running programs: walking the processes with whatever interface the system offers
// (PSAPI on the NT family, the Tool Help functions on the Windows 95 family), the task
// list, telling whether a program runs, and ending it with a history line and the
// black-list record that the resident monitor keeps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#define BLACKLIST_KEY VIGILARK_KEY "\\Blacklist"

// Called once per process (and once per 16-bit task of a virtual DOS machine, with its
// task handle); path may be empty when the process could not be opened. Return false to
// end the walk.
typedef bool (*ProcessVisitor)(DWORD processId, WORD task, const char* path, void* context);

// Walks the running processes; false when no enumeration interface is available or the
// process list could not be had.
bool EnumerateProcesses(ProcessVisitor visitor, void* context);

// Refills the entry list with one entry per running program (kind 600, value = process
// id of its first process); returns the count.
int BuildTaskList();

// Puts the running programs' section into the full report's table.
void InstallTaskReport();

// True when a process's executable path names the program: its long, normalised form
// equals the normalised program path, or the program path is just its file name.
bool ProgramPathMatches(const char* executablePath, const char* programPath);

// The id of the first process running the program, 0 when none.
DWORD FindRunningProgram(const char* programPath);
bool IsProgramRunning(const char* programPath);

// What EndProgram did.
enum EndOutcome {
    END_NOT_RUNNING = 0,   // no process runs the program
    END_DECLINED = 1,      // the user answered No
    END_ENDED = 2,         // the process was terminated
    END_FAILED = 3,        // it could not be opened or terminated
    END_CHANGED = 4,       // its id no longer belongs to the process that was found
};

// One running process as it was found: its id, its program file as the system names it and
// when it was created (where the system tells it), which together tell it apart from a
// later process that gets the same id.
struct FoundProcess {
    DWORD id = 0;
    std::string path;
    FILETIME created = {};
    bool createdKnown = false;
};

// The first process that runs the program (see ProgramPathMatches); false when none does.
bool FindProgramProcess(const char* programPath, FoundProcess& found);

// Asks once before ending programs, naming each by the file it runs: text 707 for one,
// the list of them for several. True on Yes; true without asking when there are none.
bool ConfirmEndPrograms(const std::vector<FoundProcess>& processes);

// Ends exactly the process found, when its id still belongs to it; then as EndProgram:
// the history line (title, programPath), the taskbar, the black-list record.
EndOutcome EndFoundProcess(const FoundProcess& process, const char* programPath, const char* title);

// Kill Task on an entry of the task list: the process is ended only while its id still
// belongs to the program the list showed, created when the fill saw it; then one history
// line is written.
enum TaskEnd { TASK_ENDED, TASK_NOT_AS_LISTED, TASK_NOT_ENDED };
TaskEnd EndListedTask(int index);

// Ends the first process of the program. With confirm, asks first (text 707 naming the
// file that process runs). Writes a history line only when the process was really
// terminated, repaints the taskbar and records the outcome in the program's black-list
// value. Returns the process id (also when the user declined or the termination failed),
// 0 when none matched.
DWORD EndProgram(const char* programPath, const char* title, bool confirm, EndOutcome* outcome = nullptr);

// Terminates one process without asking or recording; true when it was terminated.
bool EndProcess(DWORD processId);

// Overwrites the program's black-list value (only one that exists with non-empty data)
// with the time of the kill in UTC, or with "code:message" of the last error.
void RecordKillResult(const char* programPath, bool success);
