// The full report, the settings export and the CSV text against the prefix's registry and
// files: hostile entries stay text; a place that cannot be written sends the file to the
// documents folder, or says why; a failed write never truncates the earlier file; the export
// comes back value for value through the prefix's own regedit.
#include "app/start.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "reports/csv_export.h"
#include "reports/full_report.h"
#include "reports/report_text.h"
#include "reports/settings_export.h"
#include "support/call_hooks.h"
#include "support/cookie_bed.h"
#include "support/test_service.h"
#include "support/testing.h"
#include "support/views.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kScript[] = "<script>alert(1)</script>";

// A tag the report does not write, or a lone ">": machine text that escaped.
std::string ForeignMarkup(const std::string& html)
{
    const std::set<std::string> kOwn = {
        std::string("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + HtmlCharset(GetACP()) + "\">", "<html>", "<head>", "<title>", "</title>", "</head>", "<body bgcolor=FloralWhite>", "<H2 align='center'>",
        "</H2>", "<br>", "<b>", "</b>", "<i>", "</i>", "<center>", "</center>", "<BIG>", "</BIG>", "<li>", "<ol>",
        "</ol>", "</body>", "</html>"};
    for (size_t at = 0; at < html.size(); ++at) {
        if (html[at] == '>') return html.substr(at > 40 ? at - 40 : 0, 60);
        if (html[at] != '<') continue;
        size_t end = html.find('>', at);
        if (end == std::string::npos) return html.substr(at, 60);
        if (!kOwn.count(html.substr(at, end - at + 1))) return html.substr(at, end - at + 1);
        at = end;
    }
    return "";
}

class Report : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallSubjectTables();
        PutRegString(HKEY_CURRENT_USER, kRunKey, kScript, "C:\\evil\\script.exe");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "<img src=x onerror=alert(2)>", "\"C:\\Evil Folder\\<b>bold</b>.exe\" /x");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Tab\tTitle\r\nSecond line\nThird", "C:\\evil\\tab\there.exe");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Quote \"q\" 'x' & more", "C:\\evil\\quoted.exe");
        PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled\\Run"), "Off Tool", "C:\\tools\\off.exe");
        PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"), "Off Tool", "11");
        GetCurrentDirectoryA(sizeof directory_, directory_);
    }
    void TearDown() override { SetCurrentDirectoryA(directory_); }
    SavedKey run_{HKEY_CURRENT_USER, kRunKey};
    SavedTree disabled_{HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled")};
    char directory_[MAX_PATH] = "";
};

// A folder whose file of the given name cannot be made: a folder of that name is in the way.
struct BlockedName {
    BlockedName(const std::string& folder, const std::string& name) : path(folder + "\\" + name)
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        DeleteFileA(path.c_str());
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~BlockedName() { RemoveDirectoryA(path.c_str()); }
    std::string path;
};

std::string Documents()
{
    char folder[MAX_PATH] = "";
    DocumentsFolder(folder, sizeof folder);
    return folder;
}

std::string ExportName()
{
    char user[128] = "";
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    return std::string(user) + "-Vigilark.reg";
}

}  // namespace

// "IE Cookie Path" is the folder the Cookies page finds (how it is found is the cookies test's).
TEST_F(Report, HostileEntriesStayTextInTheHtmlPageWhichDeclaresItsCharsetAndNamesTheCookieFolder)
{
    cookiebed::Bed bed;
    std::string html = ReportText(REPORT_HTML);
    EXPECT_EQ("", ForeignMarkup(html));
    for (const char* escaped : {"<li><b>&lt;script&gt;alert(1)&lt;/script&gt;</b>", "Path:     C:\\Evil Folder\\&lt;b&gt;bold&lt;/b&gt;.exe /x<br>",
                                "<li><b>Quote &quot;q&quot; &#39;x&#39; &amp; more</b>", "\x95 Startup Programs \x95",
                                "<title>\r\nVigilark Report Log</title>", "<b>Platform:</b> "})
        EXPECT_NE(std::string::npos, html.find(escaped)) << escaped;
    EXPECT_EQ(html.size() - 16, html.rfind("</body></html>\r\n"));
    EXPECT_NE(std::string::npos, html.find(std::string("charset=") + HtmlCharset(GetACP()) + "\"></head>"));
    EXPECT_NE(std::string::npos, html.find("IE Cookie Path: " + bed.ieFolder + "\\ <br>"));
}

TEST_F(Report, EveryTextLineIsOneEntryOfNineFieldsAndTheCsvTextQuotesWhatItMust)
{
    std::vector<std::string> lines = Split(ReportText(REPORT_TEXT), "\r\n");
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ("Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\tSigner\tSignature", lines[0]);
    int hostile = 0;
    for (const std::string& line : lines) {
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << line;
        std::vector<std::string> fields = Split(line, "\t");
        if (fields.size() == 1) continue;  // a section title
        ASSERT_EQ(9u, fields.size()) << line;
        if (fields[0] == "Tab Title  Second line Third") hostile += fields[6] == "C:\\evil\\tab here.exe";
        if (fields[0] == kScript) hostile += fields[1] == "script.exe" && fields[6] == "C:\\evil\\script.exe" && !fields[5].empty();
    }
    EXPECT_EQ(2, hostile);
    // The CSV text quotes what it must and gives each entry's kind and state.
    TestService service("VgkCsvOff", "Vgk Csv Off");
    ASSERT_TRUE(service.Registered());
    ASSERT_EQ(1, SetRegDword(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VgkCsvOff", "Start", SERVICE_DISABLED));
    std::string csv = CsvText();
    EXPECT_EQ(0u, csv.find("Title,Program,Description,Version,Copyright,Location,Path,Kind,Disabled,Signer,Signature\r\n"));
    for (const char* row : {"\r\n\"Tab\tTitle\r\nSecond line\nThird\",tab\there.exe,", "\r\n\"Quote \"\"q\"\" 'x' & more\",quoted.exe,",
                            ",C:\\evil\\script.exe,startup,no,,\r\n", ",C:\\tools\\off.exe,startup,yes,,\r\n", ",task,"})
        EXPECT_NE(std::string::npos, csv.find(row)) << row;
    const size_t off = csv.find("\r\nVgk Csv Off,");
    ASSERT_NE(std::string::npos, off);
    EXPECT_NE(std::string::npos, csv.substr(off, csv.find("\r\n", off + 2) - off).find(",service,yes,"));
}

// A failed write or a refused move into place (import hook) leaves the earlier file and no temporary
// one; a place that cannot be written sends the file to the documents folder, or says why.
TEST_F(Report, NothingIsTruncatedFirstAndAnUnwritablePlaceSendsTheFileToTheDocumentsFolderOrSaysWhy)
{
    const std::string folder = TempPath("replace"), inDocuments = Documents() + "\\VigilarkLog.txt";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const std::string files[] = {folder + "\\lists.csv", folder + "\\VigilarkLog.txt", BesideTestProgram(ExportName().c_str())};
    DeleteFileA(inDocuments.c_str());
    for (const std::string& file : files) WriteWholeFile(file, "earlier");
    DWORD error = 0;
    for (FailingCalls::Call call : {FailingCalls::WRITE, FailingCalls::MOVE}) {
        FailingCalls failing(call, 0, ERROR_DISK_FULL);
        EXPECT_FALSE(WriteCsvFile(files[0].c_str(), &error));
        EXPECT_EQ(ERROR_DISK_FULL, error);
        EXPECT_EQ(1, failing.Failed());
    }
    OutputFile report, exported;
    {
        FailingCalls failing(FailingCalls::WRITE, 0, ERROR_DISK_FULL);  // the documents folder's too
        EXPECT_FALSE(WriteReportFile(REPORT_TEXT, report));
        EXPECT_FALSE(WriteSettingsExport(exported));
    }
    for (const std::string& file : files) EXPECT_EQ("earlier", ReadWholeFile(file)) << file;
    EXPECT_FALSE(Exists(inDocuments));
    {  // failing after the usual place's file was made: on to the documents folder
        FailingCalls failing(FailingCalls::WRITE, 0, ERROR_DISK_FULL, 1);
        EXPECT_TRUE(WriteReportFile(REPORT_TEXT, report));
    }
    EXPECT_EQ(files[1] + "|" + inDocuments, std::string(report.firstTried) + "|" + report.path);
    EXPECT_EQ("earlier", ReadWholeFile(files[1]));
    EXPECT_EQ(0u, ReadWholeFile(inDocuments).find("Title\tProgram\t"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.~*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "a temporary file left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    // A name the usual place cannot take (a folder in the way) sends the report there too;
    // with the documents folder's name taken as well, nothing is written and the reason is kept.
    DeleteFileA(files[1].c_str());
    DeleteFileA(inDocuments.c_str());
    BlockedName here(folder, "VigilarkLog.txt");
    ASSERT_TRUE(WriteReportFile(REPORT_TEXT, report)) << report.path << " error " << report.error;
    EXPECT_TRUE(report.inDocuments);
    EXPECT_EQ(inDocuments, report.path);
    DeleteFileA(inDocuments.c_str());
    BlockedName there(Documents(), "VigilarkLog.txt");
    OutputFile none;
    EXPECT_FALSE(WriteReportFile(REPORT_TEXT, none));
    EXPECT_FALSE(none.inDocuments);
    EXPECT_NE(0u, none.error) << "a reason to show";
    for (const std::string& file : files) DeleteFileA(file.c_str());
}

TEST(SettingsExport, TheProgramsKeysComeBackValueForValueThroughRegedit)
{
    const std::string kMaker = In32BitView("SOFTWARE\\Brondlewick");
    SavedTree user(HKEY_CURRENT_USER, VIGILARK_KEY), machine(HKEY_LOCAL_MACHINE, kMaker);
    const std::string kUser = VIGILARK_KEY "\\RoundTrip";
    const std::string kDeep = kMaker + "\\Vigilark\\Disabled\\Deep\\Deeper\\Deepest";
    std::string binary, longText(2000, 'x');
    for (int n = 0; n < 256; ++n) binary += (char)n;
    for (size_t n = 0; n < longText.size(); n += 7) longText[n] = (char)('a' + n % 26);
    const DWORD number = 0x89ABCDEF;
    const struct { HKEY hive; std::string key; const char* name; std::string data; DWORD type; } values[] = {
        {HKEY_CURRENT_USER, kUser, "Expand", std::string("%SystemRoot%\\system32\\x.exe\0", 29), REG_EXPAND_SZ},
        {HKEY_CURRENT_USER, kUser, "Number", std::string(reinterpret_cast<const char*>(&number), 4), REG_DWORD},
        {HKEY_CURRENT_USER, kUser, "Bytes", binary, REG_BINARY},
        {HKEY_CURRENT_USER, kUser, "Multi", std::string("one\0two words\0\0", 15), REG_MULTI_SZ},
        {HKEY_CURRENT_USER, kUser, "Long", longText + '\0', REG_SZ},
        {HKEY_CURRENT_USER, kUser, "Lines", std::string("first\r\nsecond\nthird\0", 20), REG_SZ},
        {HKEY_CURRENT_USER, kUser, "", std::string("default\0", 8), REG_SZ},
        {HKEY_CURRENT_USER, kUser, "Na\"me\\x", std::string("\"C:\\P F\\t.exe\" -x\0", 18), REG_SZ},
        {HKEY_CURRENT_USER, kUser, "Empty", std::string("\0", 1), REG_SZ},
        {HKEY_CURRENT_USER, kUser, "Quad", std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8), REG_QWORD},
        {HKEY_LOCAL_MACHINE, kDeep, "Tool", std::string("%ProgramFiles%\\tool.exe /s\0", 27), REG_EXPAND_SZ},
        {HKEY_LOCAL_MACHINE, kMaker + "\\Vigilark\\Users\\guest", "HideAlerts", std::string("1\0", 2), REG_SZ},
    };
    for (const auto& value : values)
        ASSERT_TRUE(CreateRegKey(value.hive, value.key.c_str()) && WriteRegRaw(value.hive, value.key.c_str(), value.name, value.data, value.type))
            << value.key << " " << value.name;
    auto both = [&] { return DumpRegTree(HKEY_CURRENT_USER, VIGILARK_KEY) + DumpRegTree(HKEY_LOCAL_MACHINE, kMaker); };
    const std::string before = both();
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    // The file Export Settings writes (Version 5.00, UTF-16LE), and the 95 family's form (REGEDIT4, ANSI).
    for (RegFileForm form : {REG_FILE_UNICODE, REG_FILE_ANSI}) {
        SCOPED_TRACE(form);
        std::string file = TempPath("round-trip.reg");
        OutputFile written;
        std::vector<std::string> leftOut;  // a name with a line break, which a registry file cannot hold
        PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\RoundTrip", "Line\r\nBreak", "gone");
        if (form == REG_FILE_UNICODE) {
            ASSERT_TRUE(WriteSettingsExport(written, &leftOut));
            file = written.path;
            EXPECT_EQ(0u, ReadWholeFile(file).find("\xFF\xFEW\0i\0n\0", 0, 8)) << "UTF-16 with its byte-order mark";
        } else {
            ASSERT_TRUE(WriteWholeFile(file, RegFileBytes(SettingsExportText(form, &leftOut), form)));
        }
        EXPECT_EQ(std::vector<std::string>{"HKEY_CURRENT_USER\\" VIGILARK_KEY "\\RoundTrip\\Line\\r\\nBreak"}, leftOut);
        DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kMaker);
        ASSERT_NE(-1, RunAndWait("\"" + std::string(windows) + "\\regedit.exe\" /s \"" + file + "\""));
        // Wine's regedit widens the hex(2) and hex(7) bytes of a REGEDIT4 file but stores hex(1)
        // bytes as they are, so a string with line breaks comes back as narrow bytes there; the
        // 95 family, the only user of this form, keeps its registry in ANSI.
        auto compared = [&](std::string text) {
            size_t at = text.find("\nLines ");
            return form != REG_FILE_ANSI || at == std::string::npos ? text : text.erase(at, text.find('\n', at + 1) - at);
        };
        EXPECT_EQ(compared(before), compared(both()));
        DeleteFileA(file.c_str());
    }
}
