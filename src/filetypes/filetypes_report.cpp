// The monitored file types' section of the full report and the CSV export.
#include "filetypes/filetypes.h"

#include "resource.h"
#include "shell/report_sections.h"

void InstallFileTypeReport()
{
    ReportSection section;
    section.order = 5;
    section.titleId = IDS_TAB_FILETYPES;
    section.keyword = "filetype";
    section.enumerate = EnumerateMonitoredTypes;
    AddReportSection(section);
}
