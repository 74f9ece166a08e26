// The scheduled tasks' part of the Properties dialog (see scheduled_properties.h).
#include "scheduler/scheduled_properties.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "processes/running_state.h"
#include "resource.h"
#include "scheduler/task_scheduler.h"
#include "shell/properties_dialog.h"

namespace {

void FillScheduledTask(HWND dialog, int index)
{
    char line[600];
    char location[256];
    LoadText(IDS_STARTUP_LOCATION, line);
    ScheduledTaskLocationText(index, location, sizeof location);
    AppendText(line, location);
    SetPropertiesLocation(dialog, line);
    FillRunningState(dialog, index);

    char title[ENTRY_TITLE_CHARS];
    char notes[ENTRY_DETAIL_CHARS + 160];
    GetEntryTitle(index, title);
    ScheduledTaskNotes(title, notes, sizeof notes);
    SetPropertiesNotes(dialog, notes);
}

}  // namespace

int ScheduledTaskNotes(const char* title, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    char comment[ENTRY_DETAIL_CHARS];
    GetTaskStatusText(title, out, capacity);
    GetTaskComment(title, comment, sizeof comment);
    if (out[0]) AppendText(out, (size_t)capacity, "\r\n");
    return (int)AppendText(out, (size_t)capacity, comment);
}

void InstallScheduledTaskProperties()
{
    AddPropertiesKind({KIND_TASK_SCHEDULED, KIND_TASK_SCHEDULED, FillScheduledTask, RunningStateCommand});
}
