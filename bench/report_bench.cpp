// The full report at N startup entries, with the 200 planted services and 50 planted
// Internet Explorer helpers beside the prefix's own items, in both of its forms. Each
// section's rows are counted in the file written, and the rows of the planted items are
// checked against what was planted. The floor runs the sections' own enumerations (each
// judged by its own case where it has one), reads each distinct program's version resource
// once (those the enumerations read for titles are not read again), verifies each distinct
// program's signature once, asks each listed service for its state once (the HTML page shows
// it) and writes the same bytes as safely.
#include "bench.h"
#include "floor_work.h"
#include "services_bench.h"
#include "startup_bench.h"
#include "timing.h"

#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "iehelpers/iehelpers.h"
#include "reports/full_report.h"
#include "shell/report_sections.h"
#include "support/testing.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const int kServices = 200;
const int kHelpers = 50;
const char kHelperFolder[] = "C:\\VkBench\\helpers";
const char kRunning[] = "Service Status: Running";

int g_startupRows = 0;
int g_serviceRows = 0;
int g_runningServices = 0;
std::string g_bytes[2];  // the last report of each form
double g_writeMs[2] = {-1, -1};
std::map<std::string, int> g_textRows;  // rows by section title in the last text report
std::string g_why[2];

std::string Format(const char* format, int number)
{
    char text[MAX_PATH];
    FormatText(text, sizeof text, format, number);
    return text;
}

bool SetDefault(HKEY hive, const std::string& subkey, const std::string& text)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(hive, subkey.c_str(), &key) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), (DWORD)text.size() + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// Browser helper objects whose in-process servers are copies of the workload program.
bool PlantHelpers()
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    std::string program = std::string(directory) + "\\bench_workload_program.exe";
    SHCreateDirectoryExA(nullptr, kHelperFolder, nullptr);
    for (int i = 0; i < kHelpers; ++i) {
        std::string server = std::string(kHelperFolder) + Format("\\Helper%02d.dll", i);
        std::string id = Format("{5EB1A000-0000-4000-8000-%012d}", i);
        if (GetFileAttributesA(server.c_str()) == INVALID_FILE_ATTRIBUTES && !CopyFileA(program.c_str(), server.c_str(), TRUE))
            return false;
        if (!SetDefault(HKEY_LOCAL_MACHINE, std::string(IE_BHO_KEY) + "\\" + id, "") ||
            !SetDefault(HKEY_CLASSES_ROOT, "CLSID\\" + id, Format("Bench Helper %02d", i)) ||
            !SetDefault(HKEY_CLASSES_ROOT, "CLSID\\" + id + "\\InprocServer32", server))
            return false;
    }
    return true;
}

bool PlantReport(int n, Planted& planted)
{
    // The report is written into the current directory: the harness's own folder.
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    SetCurrentDirectoryA(directory);
    InstallSubjectTables();
    Planted startup, services;
    if (!PlantStartupWorkload(n, startup) || !PlantServiceWorkload(kServices, services)) return false;
    if (!PlantHelpers()) {
        fprintf(stderr, "bench: the browser helpers could not be planted\n");
        return false;
    }
    g_startupRows = startup.expectedRows;
    g_serviceRows = services.expectedRows;
    g_runningServices = kServices / 10;
    planted.items = n + kServices + kHelpers;
    planted.expectedRows = startup.expectedRows + services.expectedRows + kHelpers;
    planted.note = startup.note + "; " + services.note + "; " + std::to_string(kHelpers) +
                   " browser helpers; the rows counted are those of these three sections' planted items";
    return true;
}

// ---- The floor ---------------------------------------------------------------------------

bool ReportFloor(FloorParts& parts)
{
    // As in the report, the programs the enumerations read for their titles are not read
    // again: one memo spans the enumerations and the versions.
    FillMemo memo;
    std::map<std::string, std::string> programs;  // by the name in upper case, the name as written
    for (int position = 0; position < ReportSectionCount(); ++position) {
        const ReportSection& section = *ReportSectionAt(position);
        Stopwatch enumeration;
        int count = section.enumerate ? section.enumerate() : 0;
        parts[std::string("list-") + section.keyword] = enumeration.Milliseconds();
        for (int index = 0; index < count; ++index) {
            char path[ENTRY_PATH_CHARS];
            char file[ENTRY_PATH_CHARS];
            GetEntryPath(index, path);
            ProgramPathAsWritten(path, file, sizeof file);
            std::string key = file;
            CharUpperA(&key[0]);
            if (file[0]) programs.emplace(key, file);
        }
    }

    Stopwatch versions;
    for (const auto& program : programs) {
        VersionFields fields;
        ReadVersionFields(program.second.c_str(), &fields);
    }
    parts["versions"] = versions.Milliseconds();

    // Each distinct program's file, found where the report finds it, and its signature.
    Stopwatch signatures;
    std::vector<std::string> files;
    for (const auto& program : programs) {
        char file[1024];
        CopyText(file, program.second.c_str());
        if (FindProgramFile(file, sizeof file)) files.push_back(file);
    }
    VerifySignatures(files);
    parts["signatures"] = signatures.Milliseconds();

    FloorParts services;
    if (!ServicesFloor(services)) return false;
    parts["status"] = services["status"];

    for (int format : {REPORT_HTML, REPORT_TEXT}) {
        Stopwatch write;
        if (!WriteReplacing("bench-report-floor.out", g_bytes[format])) return false;
        parts[format == REPORT_HTML ? "write-html" : "write-text"] = write.Milliseconds();
    }
    return true;
}

// ---- The cases ---------------------------------------------------------------------------

std::string SectionTitle(const char* keyword)
{
    for (int position = 0; position < ReportSectionCount(); ++position)
        if (SameText(ReportSectionAt(position)->keyword, keyword)) {
            char title[128];
            LoadText(ReportSectionAt(position)->titleId, title);
            return title;
        }
    return "";
}

std::vector<std::string> Split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    size_t at = 0;
    for (size_t end; (end = line.find(separator, at)) != std::string::npos; at = end + 1) fields.push_back(line.substr(at, end - at));
    fields.push_back(line.substr(at));
    return fields;
}

// The text report: a line of column names, then per section its title and a line of as many
// fields per row. Counts the rows of each section; the startup rows are judged as the page's.
int ReadTextReport(const std::string& bytes, std::string& why)
{
    std::string startup = SectionTitle("startup");
    std::string services = SectionTitle("service");
    std::string helpers = SectionTitle("iehelper");
    std::string section;
    g_textRows.clear();
    int helperRows = 0;
    std::vector<std::string> lines = Split(bytes, '\n');
    if (lines.empty()) {
        why = "the report is empty";
        return -1;
    }
    std::string names = lines[0];
    if (!names.empty() && names.back() == '\r') names.pop_back();
    const size_t columns = Split(names, '\t').size();
    if (columns < 7) {
        why = "the line of column names has " + std::to_string(columns) + " fields";
        return -1;
    }
    for (size_t n = 1; n < lines.size(); ++n) {
        std::string line = lines[n];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() == 1) {
            section = line;
            continue;
        }
        if (fields.size() != columns) {
            why = "line " + std::to_string(n + 1) + " has " + std::to_string(fields.size()) + " fields";
            return -1;
        }
        ++g_textRows[section];
        if (section == startup) {
            RowWanted wanted;
            std::string reason;
            if (!JudgeStartupRow({fields[0], fields[1], fields[3].empty() ? "?" : fields[3]}, wanted, reason)) {
                why = "startup section: " + reason;
                return -1;
            }
        } else if (section == helpers && fields[6].find(std::string(kHelperFolder) + "\\Helper") == 0) {
            ++helperRows;
        }
    }
    if (g_textRows[startup] != g_startupRows || g_textRows[services] != g_serviceRows || helperRows != kHelpers) {
        why = "rows: startup " + std::to_string(g_textRows[startup]) + ", services " +
              std::to_string(g_textRows[services]) + ", planted helpers " + std::to_string(helperRows);
        return -1;
    }
    return g_textRows[startup] + g_textRows[services] + helperRows;
}

size_t Occurrences(const std::string& text, const std::string& word, size_t from = 0, size_t to = std::string::npos)
{
    size_t count = 0;
    for (size_t at = from; (at = text.find(word, at)) != std::string::npos && at < to; at += word.size()) ++count;
    return count;
}

// The HTML page: per section a centred title and a list item per row. Each section has the
// rows the text report had, and every planted running service shows its state.
int ReadHtmlReport(const std::string& bytes, std::string& why)
{
    const std::string heading = "<center><b><BIG><BIG> \x95 ";
    for (size_t at = bytes.find(heading); at != std::string::npos;) {
        size_t titleEnd = bytes.find(" \x95 ", at + heading.size());
        std::string title = bytes.substr(at + heading.size(), titleEnd - at - heading.size());
        size_t next = bytes.find(heading, titleEnd);
        int rows = (int)Occurrences(bytes, "<li><b>", at, next);
        if (!g_textRows.empty() && rows != g_textRows[title]) {
            why = "section " + title + " has " + std::to_string(rows) + " rows, the text report " +
                  std::to_string(g_textRows[title]);
            return -1;
        }
        at = next;
    }
    int running = (int)Occurrences(bytes, kRunning);
    if (running < g_runningServices) {
        why = std::to_string(running) + " services shown running, " + std::to_string(g_runningServices) + " run";
        return -1;
    }
    if (Occurrences(bytes, "Bench Run 0000") != 1 || Occurrences(bytes, "Vigilark Bench Service 0001") != 1) {
        why = "the planted names are not each shown once";
        return -1;
    }
    return g_startupRows + g_serviceRows + kHelpers;
}

int WriteReport(int format)
{
    OutputFile out;
    g_why[format] = "the report was not written";
    Stopwatch write;
    bool written = WriteReportFile(format, out);
    g_writeMs[format] = write.Milliseconds();
    if (!written) return -1;
    g_bytes[format] = ReadWholeFile(out.path);
    g_why[format].clear();
    return format == REPORT_TEXT ? ReadTextReport(g_bytes[format], g_why[format])
                                 : ReadHtmlReport(g_bytes[format], g_why[format]);
}

int WriteText() { return WriteReport(REPORT_TEXT); }
int WriteHtml() { return WriteReport(REPORT_HTML); }
double TextMs() { return g_writeMs[REPORT_TEXT]; }
double HtmlMs() { return g_writeMs[REPORT_HTML]; }

bool CheckText(std::string& why)
{
    why = g_why[REPORT_TEXT];
    return why.empty();
}

bool CheckHtml(std::string& why)
{
    why = g_why[REPORT_HTML];
    return why.empty();
}

// Every section's enumeration, the versions, and the given parts.
std::vector<std::string> SectionParts(const char* part, const char* last = nullptr)
{
    std::vector<std::string> parts = {"list-startup",  "list-task", "list-scheduled", "list-iehelper", "list-service",
                                      "list-filetype", "versions",  "signatures",     part};
    if (last) parts.push_back(last);
    return parts;
}

}  // namespace

BenchWorkload ReportWorkload()
{
    return BenchWorkload{
        "report",
        {500},
        {100},
        PlantReport,
        ReportFloor,
        {
            {"full-report-text", WriteText, SectionParts("write-text"), nullptr, nullptr, CheckText, TextMs},
            {"full-report-html", WriteHtml, SectionParts("status", "write-html"), nullptr, nullptr, CheckHtml, HtmlMs},
        },
        "list-<section> = each section's own enumeration (startup, task = running programs, scheduled, iehelper, "
        "service, filetype); versions = the version resource of each distinct program they list, those read for "
        "titles by the enumerations not again; signatures = each distinct program's file found as the report "
        "finds it and its signature verified (WinVerifyTrust, the signer read, or the catalogs searched by SHA-256 and "
        "SHA-1 hash); status = one manager handle, then one open and one interrogation per listed service (the HTML page shows the state); "
        "write-html / write-text = the bytes of the last report of that form written to a temporary file, "
        "flushed and moved in place (as every file the program writes)",
    };
}
