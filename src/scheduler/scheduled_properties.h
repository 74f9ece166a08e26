// What the Properties dialog shows for a scheduled task: where it comes from, whether its
// program runs, and the task's status and comment from the Task Scheduler.
#pragma once

#include <windows.h>

// The task's status text, a line break when it is not empty, and its comment.
int ScheduledTaskNotes(const char* title, char* out, int capacity);

// Puts the scheduled tasks' part of the Properties dialog into its table.
void InstallScheduledTaskProperties();
