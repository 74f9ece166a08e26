// Hands the report, the settings export and the CSV export to the console's commands.
#include "reports/reports_install.h"

#include "reports/csv_export.h"
#include "reports/full_report.h"
#include "reports/settings_export.h"
#include "shell/report_sections.h"

namespace {

void WriteReport(HWND owner) { WriteFullReport(owner); }

}  // namespace

void InstallReports()
{
    SetFullReportWriter(WriteReport);
    SetSettingsExporter(ExportSettings);
    SetCsvSaver(SaveListsAsCsv);
}
