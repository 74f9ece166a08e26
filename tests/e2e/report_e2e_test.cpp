// The report commands of the real console: Full Report and Save as CSV from a list's menu,
// "-csv FILE" from the command line (parsed back as RFC 4180), and the records of a first
// start on fresh program keys, none of them written again by the second start.
#include "foundations/registry.h"
#include "resource.h"
#include "support/addon.h"
#include "support/console_driver.h"
#include "support/reg_tree.h"
#include "support/scheduled_task.h"
#include "support/test_service.h"
#include "support/testing.h"
#include "support/text_parse.h"
#include "support/views.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstring>

#include <string>
#include <vector>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kScript[] = "<script>alert(1)</script>";

typedef std::vector<std::vector<std::string>> CsvRecords;

// A strict RFC 4180 reader: false on a quote inside an unquoted field, an unclosed quote,
// or a record not ended by CRLF.
bool ParseCsv(const std::string& text, CsvRecords& records)
{
    records.clear();
    std::vector<std::string> record;
    std::string field;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '"') {
            for (++at;; ++at) {
                if (at >= text.size()) return false;
                if (text[at] != '"') field += text[at];
                else if (at + 1 < text.size() && text[at + 1] == '"') field += text[++at];
                else break;
            }
            ++at;
        } else {
            while (at < text.size() && text[at] != ',' && text[at] != '\r') {
                if (text[at] == '"' || text[at] == '\n') return false;
                field += text[at++];
            }
        }
        record.push_back(field);
        field.clear();
        if (at < text.size() && text[at] == ',') {
            ++at;
            continue;
        }
        if (text.compare(at, 2, "\r\n") != 0) return false;
        at += 2;
        records.push_back(record);
        record.clear();
    }
    return true;
}

const std::vector<std::string>* FindRecord(const CsvRecords& records, const std::string& title)
{
    for (const auto& record : records)
        if (!record.empty() && record[0] == title) return &record;
    return nullptr;
}

// The shell opens the text report in the prefix's Notepad: wait for it and close it.
bool CloseNotepad()
{
    HWND notepad = nullptr;
    if (!WaitFor([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }, 15000)) return false;
    DWORD id = 0;
    GetWindowThreadProcessId(notepad, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended;
}

class ReportCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"));
        PutRegString(HKEY_CURRENT_USER, kRunKey, kScript, "C:\\evil\\script.exe");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool", "C:\\tools\\zulu.exe /quiet");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Comma, \"Tool\"", "C:\\tools\\comma.exe");
        // A disabled entry as the disabled store keeps it.
        PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled\\Run"), "Off Tool", "C:\\tools\\off.exe");
        PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"), "Off Tool", "11");
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"));
    }
    void Open()
    {
        ASSERT_TRUE(StartConsole("-START", run_));
        page_ = ActivePage(run_.sheet);
        list_ = GetDlgItem(page_, IDC_LIST);
        ASSERT_TRUE(WaitFor([&] { return Row("Alpha Tool") >= 0; }));
    }
    int Row(const char* title) { return FindListRow(run_, list_, 0, title); }
    // The text of the console's message box, which is then answered with OK ("" when none came).
    std::string AnswerMessage()
    {
        HWND box = WaitForWindow(run_);
        if (!box || !WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); })) return "";
        std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        PressButton(box, IDOK);
        return text;
    }
    void ChooseFromMenu(const char* title, int position)
    {
        SelectListRows(run_, list_, {Row(title)});
        RightClickList(run_, page_, list_);
        ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
        ChooseMenuItem(page_, position);
    }
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    SavedKey run_key_{HKEY_CURRENT_USER, kRunKey};
    ConsoleRun run_;
    HWND page_ = nullptr, list_ = nullptr;
};

// Startup rows' menu: Info, Add, Remove, Disable, Delete File on Reboot, then (past the
// separator, which the arrow keys skip) these.
const int kFullReportItem = 5;
const int kSaveCsvItem = 6;

}  // namespace

TEST_F(ReportCommands, FullReportInTextFormatThenThePageActsOnItsOwnRows)
{
    // The test prefix associates no program with .txt; Windows opens it in Notepad.
    SavedKey txt(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt");
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt", nullptr, "txtfile"));
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Format", "1");
    const std::string report = BesideTestProgram("VigilarkLog.txt");
    DeleteFileA(report.c_str());
    Open();
    ChooseFromMenu("Alpha Tool", kFullReportItem);
    EXPECT_TRUE(CloseNotepad()) << "the report is opened with the shell";
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(report).find("Alpha Tool\t") != std::string::npos; }));

    std::string text = ReadWholeFile(report);
    EXPECT_EQ(0u, text.find("Title\tProgram\tDescription\tVersion\tCopyright\tLocation\tPath\tSigner\tSignature\r\n"));
    bool script = false;
    for (const std::string& line : CrlfLines(text)) {
        std::vector<std::string> fields = SplitFields(line);
        if (fields.size() == 1) continue;
        EXPECT_EQ(9u, fields.size()) << line;
        if (fields[0] == kScript) script = fields[6] == "C:\\evil\\script.exe";
    }
    EXPECT_TRUE(script);

    // The report rebuilt the entry list under the page: the page filled again, so Disable
    // acts on the chosen row's own entry.
    ASSERT_GE(Row("Alpha Tool"), 0);
    SelectListRows(run_, list_, {Row("Alpha Tool")});
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool") == "<missing>"; }));
    EXPECT_EQ("C:\\tools\\zulu.exe /quiet",
              GetRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled\\Run"), "Alpha Tool"));
    EXPECT_EQ("C:\\evil\\script.exe", GetRegString(HKEY_CURRENT_USER, kRunKey, kScript));
    DeleteFileA(report.c_str());
}

TEST_F(ReportCommands, AnHtmlReportNoProgramCanOpenIsNamedInAMessage)
{
    SavedKey html(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html");
    html.Clear();  // no program for .html
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Format", "0");
    const std::string report = BesideTestProgram("VigilarkLog.html");
    DeleteFileA(report.c_str());
    Open();
    ChooseFromMenu("Alpha Tool", kFullReportItem);
    const std::string message = AnswerMessage();
    EXPECT_NE(std::string::npos, message.find(report)) << message;
    std::string page = ReadWholeFile(report);
    EXPECT_EQ(0u, page.find("<html><head><title>\r\nVigilark Report Log</title>"));
    EXPECT_NE(std::string::npos, page.find("<li><b>&lt;script&gt;alert(1)&lt;/script&gt;</b>"));
    EXPECT_EQ(std::string::npos, page.find(kScript));
    DeleteFileA(report.c_str());
}

TEST_F(ReportCommands, SaveAsCsvFromTheMenuSaysWhereTheListsWent)
{
    const std::string file = BesideTestProgram("VigilarkLog.csv");
    DeleteFileA(file.c_str());
    Open();
    ChooseFromMenu("Alpha Tool", kSaveCsvItem);
    const std::string message = AnswerMessage();
    EXPECT_NE(std::string::npos, message.find(file)) << message;

    CsvRecords records;
    ASSERT_TRUE(ParseCsv(ReadWholeFile(file), records));
    ASSERT_NE(nullptr, FindRecord(records, "Alpha Tool"));
    EXPECT_EQ("startup", (*FindRecord(records, "Alpha Tool"))[7]);
    EXPECT_GE(Row("Alpha Tool"), 0) << "the page filled again";
    DeleteFileA(file.c_str());
}

TEST_F(ReportCommands, TheCsvOptionWritesEveryListAsRfc4180AndExitsWithZero)
{
    const std::string file = TempPath("lists, all.csv");
    DeleteFileA(file.c_str());
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(StartProgram("VigilarkEx.exe", ("-csv \"" + file + "\"").c_str(), &process));
    ConsoleRun csv;
    csv.process = process;
    ASSERT_EQ(0, WaitForExit(csv, 60000));

    CsvRecords records;
    ASSERT_TRUE(ParseCsv(ReadWholeFile(file), records)) << ReadWholeFile(file);
    ASSERT_GT(records.size(), 3u);
    EXPECT_EQ((std::vector<std::string>{"Title", "Program", "Description", "Version", "Copyright", "Location", "Path",
                                        "Kind", "Disabled", "Signer", "Signature"}),
              records[0]);
    for (const auto& record : records) EXPECT_EQ(11u, record.size()) << record[0];
    const struct { const char* title; const char* path; const char* kind; const char* disabled; } rows[] = {
        {kScript, "C:\\evil\\script.exe", "startup", "no"},
        {"Comma, \"Tool\"", "C:\\tools\\comma.exe", "startup", "no"},
        {"Off Tool", "C:\\tools\\off.exe", "startup", "yes"},
    };
    for (const auto& row : rows) {
        const std::vector<std::string>* record = FindRecord(records, row.title);
        ASSERT_NE(nullptr, record) << row.title;
        EXPECT_EQ(row.path, (*record)[6]) << row.title;
        EXPECT_EQ(row.kind, (*record)[7]) << row.title;
        EXPECT_EQ(row.disabled, (*record)[8]) << row.title;
    }
    bool task = false;
    for (const auto& record : records)
        task = task || (record[7] == "task" && _stricmp(record[1].c_str(), "VigilarkEx.exe") == 0);
    EXPECT_TRUE(task) << "the running programs, the exporting program among them";
    DeleteFileA(file.c_str());

    // Nothing written: a non-zero exit and no file.
    const char* failures[] = {"-csv \"C:\\no such folder\\x.csv\"", "-csv"};
    for (const char* line : failures) {
        ConsoleRun failed;
        ASSERT_TRUE(StartProgram("VigilarkEx.exe", line, &failed.process));
        EXPECT_NE(0, WaitForExit(failed, 60000)) << line;
    }
    EXPECT_FALSE(Exists("C:\\no such folder\\x.csv"));
}

namespace {

// One record a first start must make. The lead adds rows as subjects record more.
struct FirstRunRecord {
    HKEY hive;
    std::string key;
    std::string name;
    std::string data;  // exactly this text
};

std::vector<FirstRunRecord> FirstRunRecords()
{
    std::vector<FirstRunRecord> rows = {
        // A startup entry as known, "=" in its command recorded as ":".
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\Run", "C:\\tools\\first:run.exe /a:b", "11"},
        // A scheduled task as known (made before the first start, below).
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\Tasks", "Vgk First.job", "800"},
        // A service of its own, registered before the first start.
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\Services", "Vgk First Service", "700"},
        // The test add-on's helper object, by the product name its file gives.
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers", TEST_ADDON_PRODUCT, "900"},
        // The file-type snapshot: a monitored extension's class and that class's command.
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\Ext", ".scr", "VgkFirstClass"},
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\Class", "VgkFirstClass", "C:\\tools\\first.exe /s"},
        // The monitor in the machine's Run key.
        {HKEY_LOCAL_MACHINE, kRunKey, "Vigilark", BesideTestProgram("vigilark.exe")},
    };
    for (const char* word : {"180S", "2o7", "AdServ", "atwola", "Banner", "bfast", "CGI-Bin", "Click", "Commission",
                             "gator", "hitbox", "kazaa", "metric", "ru4"})
        rows.push_back({HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", word, "1"});
    return rows;
}

}  // namespace

TEST(FirstRun, TheFirstStartRecordsEachSubjectAndTheSecondNoneAgain)
{
    EndAllCopies();
    SavedTree program(HKEY_CURRENT_USER, VIGILARK_KEY);
    SavedKey machineRun(HKEY_LOCAL_MACHINE, kRunKey);
    SavedKey userRun(HKEY_CURRENT_USER, kRunKey);
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    DeleteFileA(BesideTestProgram("Vigilark.ini").c_str());
    PutRegString(HKEY_CURRENT_USER, kRunKey, "First Tool", "C:\\tools\\first=run.exe /a=b");
    struct Task {
        ~Task() { RemoveScheduledTask("Vgk First"); }
    } task;
    ASSERT_TRUE(CreateScheduledTask({"Vgk First", "C:\\tools\\first.exe", "", true}));
    TestService service("VgkFirstSvc", "Vgk First Service");
    ASSERT_TRUE(service.Registered());
    struct Addon {
        ~Addon() { RemoveAddonRegistrations(); }
    } addon;
    ASSERT_TRUE(InstallAddon(AddonPath()));
    // Only the helper object: the toolbar and the button share its product name.
    DeleteRegValue(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR);
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    SavedTree screensavers(HKEY_CLASSES_ROOT, ".scr");
    SavedTree firstClass(HKEY_CLASSES_ROOT, "VgkFirstClass");
    DeleteRegTree(HKEY_CLASSES_ROOT, ".scr");
    PutRegString(HKEY_CLASSES_ROOT, ".scr", "", "VgkFirstClass");
    PutRegString(HKEY_CLASSES_ROOT, "VgkFirstClass\\shell\\open\\command", "", "C:\\tools\\first.exe /s");

    const std::vector<FirstRunRecord> rows = FirstRunRecords();
    ConsoleRun first;
    ASSERT_TRUE(StartConsole("-START", first));
    EXPECT_EQ(0, CloseConsole(first));
    EndAllCopies();
    for (const auto& row : rows)
        EXPECT_EQ(row.data, GetRegString(row.hive, row.key, row.name.c_str())) << row.key << " " << row.name;

    // Take the records away again: a second start must not make them anew.
    for (const auto& row : rows) DeleteRegValue(row.hive, row.key.c_str(), row.name.c_str());
    ConsoleRun second;
    ASSERT_TRUE(StartConsole("-START", second));
    EXPECT_EQ(0, CloseConsole(second));
    EndAllCopies();
    for (const auto& row : rows)
        EXPECT_EQ("<missing>", GetRegString(row.hive, row.key, row.name.c_str())) << row.key << " " << row.name;
}
