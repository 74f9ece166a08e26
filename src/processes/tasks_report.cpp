// The running programs' section of the full report and the CSV export.
#include "processes/processes.h"

#include "resource.h"
#include "shell/report_sections.h"

void InstallTaskReport()
{
    ReportSection section;
    section.order = 2;
    section.titleId = IDS_TAB_TASKS;
    section.keyword = "task";
    section.enumerate = BuildTaskList;
    AddReportSection(section);
}
