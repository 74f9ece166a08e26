// The startup entries' section of the full report and the CSV export.
#include "startup/startup_scan.h"

#include "resource.h"
#include "shell/report_sections.h"

namespace {

bool IsDisabled(int index) { return IsEntryDisabled(index) != 0; }

}  // namespace

void InstallStartupReport()
{
    ReportSection section;
    section.order = 1;
    section.titleId = IDS_TAB_STARTUP;
    section.keyword = "startup";
    section.enumerate = CollectStartupEntries;
    section.location = StartupLocationText;
    section.disabled = IsDisabled;
    AddReportSection(section);
}
