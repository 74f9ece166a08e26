// The scheduled tasks' section of the full report and the CSV export.
#include "scheduler/task_scheduler.h"

#include "resource.h"
#include "shell/report_sections.h"

void InstallScheduledTaskReport()
{
    ReportSection section;
    section.order = 3;
    section.titleId = IDS_TAB_SCHEDULED;
    section.keyword = "scheduled";
    section.enumerate = EnumerateScheduledTasks;
    section.location = ScheduledTaskLocationText;
    AddReportSection(section);
}
