// The running state in the Properties dialog (see running_state.h).
#include "processes/running_state.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "processes/processes.h"
#include "resource.h"
#include "shell/properties_dialog.h"

namespace {

struct Program {
    char title[ENTRY_TITLE_CHARS];
    char path[1024];
};

Program ProgramOf(int index)
{
    Program program = {};
    char path[ENTRY_PATH_CHARS];
    GetEntryTitle(index, program.title);
    GetEntryPath(index, path);
    CanonicalProgramPath(path, program.path, sizeof program.path);
    return program;
}

void FillTask(HWND dialog, int index)
{
    SetPropertiesLocation(dialog, "");
    FillRunningState(dialog, index);
}

}  // namespace

void FillRunningState(HWND dialog, int index)
{
    Program program = ProgramOf(index);
    bool running = IsProgramRunning(program.path);
    bool present = !running && FileExists(program.path);
    SetPropertiesStatus(dialog, running ? IDS_SVC_RUNNING : present ? IDS_READY : IDS_FILE_NOT_FOUND);
    ShowPropertiesButton(dialog, IDC_PROP_KILL, running);
    ShowPropertiesButton(dialog, IDC_PROP_RUN, present);
}

bool RunningStateCommand(HWND, int index, int command)
{
    Program program = ProgramOf(index);
    switch (command) {
    case IDC_PROP_KILL:
        EndProgram(program.path, program.title, false);
        return true;
    case IDC_PROP_RUN: {
        char line[1100];
        FormatText(line, sizeof line, "\"%s\"", program.path);
        WinExec(line, SW_SHOWNORMAL);
        return true;
    }
    default:
        return false;
    }
}

void InstallTaskProperties() { AddPropertiesKind({KIND_INFO_TASK, KIND_INFO_TASK, FillTask, RunningStateCommand}); }
