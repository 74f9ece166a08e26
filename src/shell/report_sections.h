// The full report and the CSV export visit every list of the console. The report knows no
// subject: each subject adds its section to this table at start-up (InstallSubjectTables),
// and the report's writer is handed in by the application.
#pragma once

#include <windows.h>

// One labelled line the HTML report adds after an entry's detail (a service's startup
// type and state, an add-on's registry location).
struct ReportField {
    char label[64];
    char value[520];
};

struct ReportSection {
    int order = 0;                  // place in the report, 1 first
    UINT titleId = 0;               // section title (string table)
    const char* keyword = "";       // the kind column of the CSV export ("startup", "service", ...)
    int (*enumerate)() = nullptr;   // rebuilds the entry list; the number of entries
    // The entry's location line (the text report's sixth field); may be nullptr.
    int (*location)(int index, char* out, int capacity) = nullptr;
    // Lines after the entry's detail in the HTML report; returns how many were filled.
    // May be nullptr.
    int (*fields)(int index, ReportField* out, int capacity) = nullptr;
    // Whether the entry is disabled (CSV export); may be nullptr (never disabled).
    bool (*disabled)(int index) = nullptr;
};

// Adds or replaces (same order) a section.
void AddReportSection(const ReportSection& section);
// The sections by order; nullptr past the last.
int ReportSectionCount();
const ReportSection* ReportSectionAt(int position);

// The report's "IE Cookie Path": the folder the Cookies page uses, found by the cookies
// subject (0, with "Cookie Folder Not Found" in out, when there is none).
typedef int (*CookieFolderFinder)(char* out, int capacity);
void SetReportCookieFolder(CookieFolderFinder finder);
int ReportCookieFolder(char* out, int capacity);

// Command 9 ("Full Report") on any list page reaches this one place.
typedef void (*FullReportWriter)(HWND owner);
void SetFullReportWriter(FullReportWriter writer);
// Writes the report (when a writer is set), then asks the page to fill its list again:
// the report rebuilt the shared entry list under the page's rows.
void StartFullReport(HWND page);

// The Options page's Export Settings button reaches the exporter the same way.
typedef void (*SettingsExporter)(HWND owner);
void SetSettingsExporter(SettingsExporter exporter);
void StartSettingsExport(HWND page);

// "Save as CSV" in the lists' context menu: every list as CSV, then the page fills again.
typedef void (*CsvSaver)(HWND owner);
void SetCsvSaver(CsvSaver saver);
void StartCsvSave(HWND page);
