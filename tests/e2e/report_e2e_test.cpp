// The report commands of the real console: Full Report and Save as CSV from a list's menu, and
// "-csv FILE" from the command line. What the files hold is the report integration tests'.
#include "support/console_fixture.h"

namespace {

class ReportCommands : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool", "C:\\tools\\zulu.exe /quiet");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Beta Tool", "C:\\tools\\beta.exe");
    }
    // The menu of the row; past the separator (which the arrow keys skip) come Full Report and
    // Save as CSV after Info, Add, Remove, Disable and Delete File on Reboot.
    void ChooseFromMenu(int position)
    {
        Open("-START");  // after the test's settings, which the console reads as it starts
        ASSERT_TRUE(WaitForRow("Alpha Tool"));
        Select({"Alpha Tool"});
        RightClickList(run_, page_, list_);
        ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
        ChooseMenuItem(page_, position);
    }
};

const int kFullReportItem = 5;
const int kSaveCsvItem = 6;

}  // namespace

TEST_F(ReportCommands, FullReportInTextIsOpenedAndThePageStillActsOnItsOwnRows)
{
    // The test prefix associates no program with .txt; Windows opens it in Notepad.
    SavedKey txt(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt");
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt", nullptr, "txtfile"));
    SetOption("Format", "1");
    const std::string report = BesideTestProgram("VigilarkLog.txt");
    DeleteFileA(report.c_str());
    ChooseFromMenu(kFullReportItem);
    EXPECT_TRUE(WaitFor([] { return FindWindowA("Notepad", nullptr) != nullptr; }, 15000));
    EXPECT_EQ(1, CloseWindowsOfClass("Notepad")) << "the report is opened with the shell";
    EXPECT_NE(std::string::npos, ReadWholeFile(report).find("Alpha Tool\t"));
    // The report rebuilt the entry list under the page: the page filled again, so Disable
    // acts on the chosen row's own entry.
    Select({"Beta Tool"});
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, kRunKey, "Beta Tool") == "<missing>"; }));
    EXPECT_EQ("C:\\tools\\zulu.exe /quiet", GetRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool"));
    DeleteFileA(report.c_str());
}

TEST_F(ReportCommands, SaveAsCsvFromTheMenuSaysWhereTheListsWent)
{
    const std::string file = BesideTestProgram("VigilarkLog.csv");
    DeleteFileA(file.c_str());
    ChooseFromMenu(kSaveCsvItem);
    const std::string message = AnswerBox(IDOK);
    EXPECT_NE(std::string::npos, message.find(file)) << message;
    EXPECT_NE(std::string::npos, ReadWholeFile(file).find("\r\nBeta Tool,beta.exe,"));
    EXPECT_GE(Row("Alpha Tool"), 0) << "the page filled again";
    DeleteFileA(file.c_str());
}

// "-csv FILE" changes nothing on the machine: on a fresh user account (no program keys) the
// registry is the same after the export as before it, and the lists are still whole.
TEST_F(ReportCommands, TheCsvOptionWritesTheListsChangingNothingAndExitsWithZeroOrSaysNothingWasWritten)
{
    SavedTree program(HKEY_CURRENT_USER, "Software\\Brondlewick");
    SavedKey machineRun(HKEY_LOCAL_MACHINE, kRunKey);
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\Brondlewick");
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    auto state = [&] {
        return DumpRegTree(HKEY_CURRENT_USER, "Software") +
               DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView("Software\\Brondlewick")) +
               DumpRegTree(HKEY_LOCAL_MACHINE, kRunKey);
    };
    const std::string before = state();
    const std::string file = TempPath("lists, all.csv");
    DeleteFileA(file.c_str());
    const std::string console = "\"" + BesideTestProgram("VigilarkEx.exe") + "\" ";
    ASSERT_EQ(0, RunAndWait(console + "-csv \"" + file + "\""));
    EXPECT_EQ(before, state());
    std::string text = ReadWholeFile(file);
    EXPECT_EQ(0u, text.find("Title,Program,Description,Version,Copyright,Location,Path,Kind,Disabled,Signer,Signature\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\nBeta Tool,beta.exe,")) << text.substr(0, 400);
    EXPECT_NE(std::string::npos, text.find(",task,")) << "the running programs too";
    EXPECT_NE(std::string::npos, text.find(",filetype,")) << "the default file types, without a snapshot";
    DeleteFileA(file.c_str());
    for (const char* line : {"-csv \"C:\\no such folder\\x.csv\"", "-csv"})
        EXPECT_NE(0, RunAndWait(console + line)) << line;
    EXPECT_FALSE(Exists("C:\\no such folder\\x.csv"));
}
