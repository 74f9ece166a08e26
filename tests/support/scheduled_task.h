// Real work items in the test prefix's Task Scheduler, made through its own COM interface,
// and their .job files.
#pragma once

#include <string>

struct TaskSpec {
    std::string name;         // without ".job"
    std::string program;      // empty: no application name
    std::string comment;
    bool daily = true;        // a daily trigger (else none: the task is not scheduled)
};

// Creates (or replaces) the work item; true when its .job file was written.
bool CreateScheduledTask(const TaskSpec& wanted);
// Deletes it through the scheduler; true when it was there.
bool RemoveScheduledTask(const std::string& name);
// The work item's file: C:\windows\tasks\<name>.job.
std::string TaskFile(const std::string& name);
