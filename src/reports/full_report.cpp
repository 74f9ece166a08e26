// The full report (see full_report.h). Every text taken from the machine is escaped in
// the HTML page and kept on one line in the text file: a program may name its startup
// entry "<script>...".
#include "reports/full_report.h"

#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "reports/report_rows.h"
#include "reports/report_text.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/help.h"

#include <shellapi.h>
#include <cstring>

namespace {

const char* const kReportTitle = "Vigilark Report Log";
const char* const kHtmlLineEnd = "<br>\r\n";

std::string Html(const char* text) { return HtmlEscaped(text); }

void AppendTimeLine(std::string& out)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char version[128] = "";
    char time[32];
    char date[32];
    VersionText(version, sizeof version);
    FormatReportTime(now, time, sizeof time);
    FormatReportDate(now, date, sizeof date);
    AppendFormat(out, "Report created by %s version %s", Html(ConsoleCaption()).c_str(), Html(version).c_str());
    AppendFormat(out, " at %s, on %s%s", time, date, kHtmlLineEnd);
}

void AppendBrowserLine(std::string& out)
{
    char browser[512];
    DefaultBrowserProgram(browser, sizeof browser);
    if (browser[0] && FindProgramFile(browser, sizeof browser)) {
        VersionFields fields;
        ReadVersionFields(browser, &fields);
        AppendFormat(out, "<b>Browser:</b> %s - <i>%s</i> version %s%s", Html(fields.productName).c_str(),
                     Html(fields.fileDescription).c_str(), Html(fields.productVersion).c_str(), kHtmlLineEnd);
    } else {
        AppendFormat(out, "Browser: Unable to find default browser.%s", kHtmlLineEnd);
    }
}

void AppendInternetExplorerLines(std::string& out)
{
    char key[260];
    char program[600] = "";
    LoadText(IDS_IE_APP_PATH_KEY, key);
    ReadRegString(HKEY_LOCAL_MACHINE, key, "Path", program, 513);
    size_t length = strlen(program);
    if (length > 0 && program[length - 1] == ';') program[length - 1] = '\0';
    AppendText(program, "\\IExplore.exe");
    if (!FindProgramFile(program, sizeof program)) {
        AppendFormat(out, "MSIE: Internet Explorer Not found.%s", kHtmlLineEnd);
        return;
    }
    VersionFields fields;
    ReadVersionFields(program, &fields);
    AppendFormat(out, "MSIE: %s (%s)%s", Html(fields.fileDescription).c_str(), Html(fields.productVersion).c_str(),
                 kHtmlLineEnd);
    char cookies[MAX_PATH] = "";
    ReportCookieFolder(cookies, sizeof cookies);
    AppendFormat(out, "IE Cookie Path: %s %s", Html(cookies).c_str(), kHtmlLineEnd);
}

void AppendOtherBrowserLines(std::string& out)
{
    static const struct { const char* program; const char* name; } kBrowsers[] = {
        {"firefox.exe", "Firefox"}, {"Mozilla.exe", "Mozilla"}, {"Netscp.exe", "Netscape"}};
    char version[128];
    char folder[MAX_PATH];
    if (FindAppPathProgram("AOL.EXE", version, sizeof version, folder, sizeof folder))
        AppendFormat(out, "America Online version %s%s", Html(version).c_str(), kHtmlLineEnd);
    for (const auto& browser : kBrowsers)
        if (FindAppPathProgram(browser.program, version, sizeof version, folder, sizeof folder))
            AppendFormat(out, "%s %s installed in %s%s", browser.name, Html(version).c_str(), Html(folder).c_str(),
                         kHtmlLineEnd);
}

struct RegistryLine {
    HKEY hive;
    const char* value;
    const char* label;  // written before " = " or "="
};

void AppendRegistryLines(std::string& out, const char* key, const RegistryLine* lines, size_t count,
                         const char* separator)
{
    for (size_t n = 0; n < count; ++n) {
        std::string value;
        if (ReadRegText(lines[n].hive, key, lines[n].value, value) && !value.empty())
            AppendFormat(out, "%s%s%s%s", lines[n].label, separator, Html(value.c_str()).c_str(), kHtmlLineEnd);
    }
}

void AppendStartPageLines(std::string& out)
{
    static const RegistryLine kLines[] = {
        {HKEY_CURRENT_USER, "Window Title", "HKCU Window Title"},
        {HKEY_CURRENT_USER, "Default_Page_URL", "HKCU Default_Page_URL"},
        {HKEY_LOCAL_MACHINE, "Default_Page_URL", "HKLM Default_Page_URL"},
        {HKEY_CURRENT_USER, "Start Page", "HKCU Start Page"},
        {HKEY_LOCAL_MACHINE, "Start Page", "HKLM Start Page"}};
    char key[260];
    LoadText(IDS_IE_MAIN_KEY, key);
    AppendRegistryLines(out, key, kLines, sizeof kLines / sizeof kLines[0], " = ");
}

void AppendLogonLines(std::string& out)
{
    static const RegistryLine kLines[] = {
        {HKEY_LOCAL_MACHINE, "DefaultUserName", "WinLogon DefaultUserName"},
        {HKEY_LOCAL_MACHINE, "DefaultDomainName", "WinLogon DefaultDomainName"},
        {HKEY_LOCAL_MACHINE, "Shell", "WinLogon Shell"},
        {HKEY_LOCAL_MACHINE, "UserInit", "WinLogon UserInit"}};
    AppendRegistryLines(out, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", kLines,
                        sizeof kLines / sizeof kLines[0], "=");
}

void AppendHeader(std::string& out)
{
    AppendTimeLine(out);
    out += kHtmlLineEnd;
    char platform[256];
    WindowsVersionText(platform, sizeof platform);
    AppendFormat(out, "<b>Platform:</b> %s%s", Html(platform).c_str(), kHtmlLineEnd);
    AppendBrowserLine(out);
    MEMORYSTATUS memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    AppendFormat(out, "Memory currently in use: %ld%%%s%s", (long)memory.dwMemoryLoad, kHtmlLineEnd, "<br>");
    AppendInternetExplorerLines(out);
    out += "\r\n";
    AppendOtherBrowserLines(out);
    out += kHtmlLineEnd;
    AppendStartPageLines(out);
    out += kHtmlLineEnd;
    AppendLogonLines(out);
    AppendFormat(out, "%s%s", kHtmlLineEnd, "<br>");
}

class HtmlReport : public ReportVisitor {
public:
    explicit HtmlReport(std::string& out) : out_(out) {}
    void Section(const ReportSection& section) override
    {
        char title[128];
        LoadText(section.titleId, title);
        AppendFormat(out_, "<center><b><BIG><BIG> \x95 %s \x95 </BIG></BIG></b></center>\r\n", Html(title).c_str());
    }
    void Row(const ReportSection& section, int index, const ReportRow& row) override
    {
        const EntryCopy& entry = row.entry;
        const VersionFields& version = row.version;
        AppendFormat(out_,
                     "<li><b>%s</b>\r\n\t<ol>%s&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp&nbsp;&nbsp;&nbsp;&nbsp;"
                     "&nbsp;&nbsp;&nbsp;&nbsp\r\n",
                     entry.title[0] ? Html(entry.title).c_str() : "No Description available", Html(row.program).c_str());
        if (version.fileDescription[0]) AppendFormat(out_, "\t%s<br>", Html(version.fileDescription).c_str());
        if (version.productVersion[0])
            AppendFormat(out_, "\tVersion: %s&nbsp;&nbsp;&nbsp;&nbsp&nbsp;&nbsp;&nbsp;&nbsp\r\n",
                         Html(version.productVersion).c_str());
        if (version.legalCopyright[0]) AppendFormat(out_, "\t%s<br>\r\n", Html(version.legalCopyright).c_str());
        if (!version.fileDescription[0] && !version.legalCopyright[0]) out_ += "<br>";
        if (row.location[0]) AppendFormat(out_, "\tLocation: %s<br>\r\n", Html(row.location).c_str());
        if (entry.path[0]) AppendFormat(out_, "\tPath:     %s<br>\r\n", Html(entry.path).c_str());
        if (row.signer[0]) AppendFormat(out_, "\tSigner: %s<br>\r\n", Html(row.signer).c_str());
        if (row.signature[0]) AppendFormat(out_, "\tSignature: %s<br>\r\n", Html(row.signature).c_str());
        if (entry.detail[0]) AppendFormat(out_, "\t%s<br>\r\n", Html(entry.detail).c_str());
        AppendFields(section, index);
        out_ += "\t</ol><br>\r\n\r\n";
    }

private:
    void AppendFields(const ReportSection& section, int index)
    {
        if (!section.fields) return;
        ReportField fields[8];
        int count = section.fields(index, fields, 8);
        for (int n = 0; n < count && n < 8; ++n)
            AppendFormat(out_, "\t%s: %s<br>\r\n", Html(fields[n].label).c_str(), Html(fields[n].value).c_str());
    }
    std::string& out_;
};

class TextReport : public ReportVisitor {
public:
    explicit TextReport(std::string& out) : out_(out) {}
    void Section(const ReportSection& section) override
    {
        char title[128];
        LoadText(section.titleId, title);
        AppendFormat(out_, "%s\r\n", OneLineField(title).c_str());
    }
    void Row(const ReportSection&, int, const ReportRow& row) override
    {
        const char* fields[] = {row.entry.title,           row.program,  row.version.fileDescription,
                                row.version.productVersion, row.version.legalCopyright, row.location,
                                row.entry.path,             row.signer,   row.signature};
        for (size_t n = 0; n < sizeof fields / sizeof fields[0]; ++n) {
            out_ += OneLineField(fields[n]);
            out_ += n + 1 < sizeof fields / sizeof fields[0] ? "\t" : "\r\n";
        }
    }

private:
    std::string& out_;
};

void ShowReportPlace(const OutputFile& file, bool written)
{
    char text[1400];
    if (!written) {
        ShowNotWritten(IDS_REPORT_NOT_WRITTEN, file);
        return;
    }
    FormatLoadedText(text, sizeof text, IDS_REPORT_IN_DOCUMENTS, "ss", file.firstTried, file.path);
    ConsoleMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

const char* ReportFileName(int format)
{
    return format == REPORT_HTML ? "VigilarkLog.html" : "VigilarkLog.txt";
}

std::string ReportText(int format)
{
    std::string out;
    if (format == REPORT_HTML) {
        // Declared, so that no browser takes the machine's texts for another encoding.
        const char* charset = HtmlCharset(GetACP());
        AppendFormat(out, "<html><head><title>\r\n%s</title>", kReportTitle);
        if (charset[0])
            AppendFormat(out, "\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=%s\">", charset);
        out += "</head>\r\n<body bgcolor=FloralWhite>\r\n";
        AppendFormat(out, "<H2 align='center'> %s </H2>\r\n", kReportTitle);
        AppendHeader(out);
        HtmlReport report(out);
        VisitReportSections(report);
        out += "</body></html>\r\n";
    } else {
        out += "Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\tSigner\tSignature\r\n";
        TextReport report(out);
        VisitReportSections(report);
    }
    return out;
}

bool WriteReportFile(int format, OutputFile& out)
{
    return WriteOutputFile(nullptr, ReportFileName(format), ReportText(format), out);
}

int WriteFullReport(HWND owner)
{
    int format = CurrentOptions().format == REPORT_HTML ? REPORT_HTML : REPORT_TEXT;
    OutputFile file;
    if (!WriteReportFile(format, file)) {
        ShowReportPlace(file, false);
        return 0;
    }
    if (file.inDocuments) ShowReportPlace(file, true);
    // No program for .html or .txt (a bare system): the user must still learn where it is.
    INT_PTR opened = (INT_PTR)ShellExecuteA(owner, "open", file.path, nullptr, nullptr, SW_SHOWNORMAL);
    if (opened <= 32) {
        char text[1400];
        FormatLoadedText(text, sizeof text, IDS_REPORT_NOT_OPENED, "s", file.path);
        ConsoleMessageBox(text, MB_OK | MB_ICONINFORMATION);
    }
    return 1;
}

namespace {

void ReadVersionFacts(WindowsVersionFacts& facts, char* productType, int productTypeCapacity)
{
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    facts.extended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != 0;
    if (!facts.extended) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return;
    }
    facts.read = true;
    facts.platform = info.dwPlatformId;
    facts.major = info.dwMajorVersion;
    facts.minor = info.dwMinorVersion;
    facts.build = info.dwBuildNumber;
    CopyText(facts.servicePack, info.szCSDVersion);
    if (facts.extended) {
        facts.productType = info.wProductType;
        facts.suiteMask = info.wSuiteMask;
    } else if (ReadRegString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                             productType, productTypeCapacity) > 0) {
        facts.productTypeText = productType;
    }
    RegKey hotfix;
    facts.servicePack6a = hotfix.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
                                      KEY_READ) == ERROR_SUCCESS;
}

}  // namespace

int WindowsVersionText(char* out, int capacity)
{
    WindowsVersionFacts facts;
    char productType[256] = "";
    ReadVersionFacts(facts, productType, sizeof productType);
    return DescribeWindowsVersion(facts, out, capacity);
}

bool FindAppPathProgram(const char* name, char* version, int versionCapacity, char* folder, int folderCapacity)
{
    version[0] = '\0';
    folder[0] = '\0';
    char key[512];
    char program[MAX_PATH] = "";
    FormatText(key, sizeof key, WINDOWS_CURRENT_VERSION_KEY "\\App Paths\\%s", name);
    ReadRegString(HKEY_LOCAL_MACHINE, key, nullptr, program, sizeof program);
    if (!program[0] || !FindProgramFile(program, sizeof program)) return false;
    VersionFields fields;
    ReadVersionFields(program, &fields);
    CopyText(version, (size_t)versionCapacity, fields.productVersion);
    ReadRegString(HKEY_LOCAL_MACHINE, key, "Path", folder, folderCapacity);
    return true;
}
