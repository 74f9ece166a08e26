// The table of report sections (see report_sections.h).
#include "shell/report_sections.h"

#include "shell/pages.h"

namespace {

const int MAX_SECTIONS = 16;
ReportSection sections[MAX_SECTIONS];
int sectionCount = 0;
FullReportWriter reportWriter = nullptr;
SettingsExporter settingsExporter = nullptr;
CsvSaver csvSaver = nullptr;
CookieFolderFinder cookieFolder = nullptr;

}  // namespace

void AddReportSection(const ReportSection& section)
{
    int at = 0;
    while (at < sectionCount && sections[at].order < section.order) ++at;
    if (at < sectionCount && sections[at].order == section.order) {
        sections[at] = section;
        return;
    }
    if (sectionCount >= MAX_SECTIONS) return;
    for (int n = sectionCount; n > at; --n) sections[n] = sections[n - 1];
    sections[at] = section;
    ++sectionCount;
}

int ReportSectionCount() { return sectionCount; }

const ReportSection* ReportSectionAt(int position)
{
    return position >= 0 && position < sectionCount ? &sections[position] : nullptr;
}

void SetReportCookieFolder(CookieFolderFinder finder) { cookieFolder = finder; }

int ReportCookieFolder(char* out, int capacity)
{
    if (capacity > 0) out[0] = '\0';
    return cookieFolder ? cookieFolder(out, capacity) : 0;
}

void SetFullReportWriter(FullReportWriter writer) { reportWriter = writer; }

void StartFullReport(HWND page)
{
    if (!reportWriter) return;
    reportWriter(GetParent(page));  // the sheet
    SendMessageA(page, MSG_REFILL, 0, 0);
}

void SetSettingsExporter(SettingsExporter exporter) { settingsExporter = exporter; }

void StartSettingsExport(HWND page)
{
    if (settingsExporter) settingsExporter(GetParent(page));
}

void SetCsvSaver(CsvSaver saver) { csvSaver = saver; }

void StartCsvSave(HWND page)
{
    if (!csvSaver) return;
    csvSaver(GetParent(page));
    SendMessageA(page, MSG_REFILL, 0, 0);
}
