// The Startup Programs page of the real console: Disable, Enable and Remove from the buttons and
// the menu act on the chosen rows' own entries, one row or several, after sorting; refusals come
// before any offer to end a program, and the questions name their targets; Delete File on Reboot
// schedules the row's program; removals are undone from the History dialog, which says when an
// undo has nothing to do. (Remove's question is the list pages' test's.)
#include "support/console_fixture.h"
#include "support/probe.h"

#include <shlwapi.h>

namespace {

const char kSession[] = "System\\CurrentControlSet\\Control\\Session Manager";
// Programs that do not run, so nothing asks to end them; sorted by command the rows are
// Gamma (alpha.exe), Beta, Delta, Alpha (zulu.exe), not the entries' order.
const char* const kTools[][2] = {{"Alpha Tool", "C:\\tools\\zulu.exe /quiet"},
                                 {"Beta Tool", "\"C:\\Program Files\\Beta\\beta.exe\" -b"},
                                 {"Gamma Tool", "C:\\tools\\alpha.exe"},
                                 {"Delta Tool", "C:\\tools\\mid.exe"}};

bool Names(const std::string& text, const std::string& path) { return StrStrIA(text.c_str(), path.c_str()) != nullptr; }

class StartupPage : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        SetOption("SortStartup", "2");
        for (const auto& tool : kTools) PutRegString(HKEY_CURRENT_USER, kRunKey, tool[0], tool[1]);
        Open();
        ASSERT_TRUE(WaitForRow("Alpha Tool"));
    }
    static std::string Run(const char* name) { return GetRegString(HKEY_CURRENT_USER, kRunKey, name); }
    // The first letter of each of the test's programs whose Run value is there as planted, "-"
    // for each whose is not: "ABGD" when nothing changed.
    static std::string Planted()
    {
        std::string letters;
        for (const auto& tool : kTools) letters += Run(tool[0]) == tool[1] ? tool[0][0] : '-';
        return letters;
    }
    bool WaitForCell(const char* title, const std::string& text)
    {
        return WaitFor([&] { return Row(title) >= 0 && ListCell(run_, list_, Row(title), 2) == text; });
    }
    void Reopen()
    {
        CloseConsole(run_);
        Open();
    }
    // Answers the question a removal of several rows may ask.
    void AnswerYesIfAsked()
    {
        if (HWND box = WaitForDialog(nullptr, 1500)) {
            PressButton(box, IDYES);
            WaitGone(box);
        }
    }
};

}  // namespace

TEST_F(StartupPage, OneRowIsDisabledFromTheButtonAndEnabledFromTheMenuOnItsOwnEntry)
{
    Select({"Alpha Tool"});
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitForCell("Alpha Tool", "Disabled "));
    EXPECT_EQ("-BGD", Planted());
    // On the disabled row the Enable button shows, and the fourth menu item is Enable.
    Select({"Alpha Tool"});
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(page_, IDC_ENABLE)) != 0; }));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, IDC_DISABLE)));
    RightClickList(run_, page_, list_);
    ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
    ChooseMenuItem(page_, 3);  // Info..., &Add, &Remove, &Enable
    ASSERT_TRUE(WaitForCell("Alpha Tool", "?"));
    EXPECT_EQ("ABGD", Planted());
}

TEST_F(StartupPage, SeveralSelectedRowsAreActedOnExactly)
{
    Select({"Alpha Tool", "Gamma Tool"});  // the last row and the first
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitForCell("Alpha Tool", "Disabled ") && WaitForCell("Gamma Tool", "Disabled "));
    EXPECT_EQ("-B-D", Planted());
    Select({"Gamma Tool", "Beta Tool", "Alpha Tool"});  // Enable passes over the enabled Beta
    PressButton(page_, IDC_ENABLE);
    ASSERT_TRUE(WaitForCell("Alpha Tool", "?") && WaitForCell("Gamma Tool", "?"));
    EXPECT_EQ("ABGD", Planted());
    Select({"Delta Tool", "Beta Tool"});
    PressButton(page_, IDC_REMOVE);
    AnswerYesIfAsked();
    ASSERT_TRUE(WaitFor([&] { return Row("Beta Tool") < 0 && Row("Delta Tool") < 0; }));
    EXPECT_EQ("A-G-", Planted());
    EXPECT_GE(Row("Alpha Tool"), 0);
    EXPECT_GE(Row("Gamma Tool"), 0);
}

TEST_F(StartupPage, RefusalsComeBeforeAnyOfferToEndTheProgram)
{
    // Another user's entries (HKEY_USERS) are listed, never changed: one runs, one is gone.
    Probe probe(BesideTestProgram("refusal_probe.exe"));
    ASSERT_TRUE(probe.Started());
    SavedKey users(HKEY_USERS, kRunKey);
    PutRegString(HKEY_USERS, kRunKey, "Probe Elsewhere", probe.Path());
    PutRegString(HKEY_USERS, kRunKey, "Gone Elsewhere", "C:\\gone\\gone.exe /quiet");
    Reopen();
    const std::pair<const char*, int> steps[] = {
        {"Probe Elsewhere", IDC_DISABLE}, {"Probe Elsewhere", IDC_REMOVE}, {"Gone Elsewhere", IDC_DELETE_ON_REBOOT}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.second);
        ASSERT_TRUE(WaitForRow(step.first));
        Select({step.first});
        PressButton(page_, step.second);
        // The first thing the user sees is the refusal, with nothing to answer Yes to.
        HWND box = WaitForDialog();
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(nullptr, GetDlgItem(box, IDYES)) << BoxText(box);
        PressButton(box, IDOK);
        ASSERT_TRUE(WaitGone(box));
        EXPECT_TRUE(probe.Running());
    }
    EXPECT_EQ(probe.Path(), GetRegString(HKEY_USERS, kRunKey, "Probe Elsewhere"));
}

// The questions name what the action will end or delete: the file Delete File on Reboot takes,
// every running program that Disable on several rows would end, and for one row the removal
// first, then the process.
TEST_F(StartupPage, EveryQuestionBeforeAKillOrADeletionNamesItsTargets)
{
    Probe one(BesideTestProgram("questions\\q_one.exe")), two(BesideTestProgram("questions\\q_two.exe"));
    ASSERT_TRUE(one.Running() && two.Running());
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Probe One", "\"" + one.Path() + "\" -x");
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Probe Two", two.Path());
    Reopen();
    ASSERT_TRUE(WaitForRow("Probe One") && WaitForRow("Probe Two"));

    Select({"Probe One"});
    PressButton(page_, IDC_DELETE_ON_REBOOT);
    EXPECT_TRUE(Names(AnswerBox(IDNO), one.Path())) << "the file that would be deleted";

    // Several rows: one question that names each running program; No ends none of them.
    Select({"Probe One", "Probe Two"});
    PressButton(page_, IDC_DISABLE);
    std::string question = AnswerBox(IDNO);
    EXPECT_TRUE(Names(question, one.Path()) && Names(question, two.Path())) << question;
    ASSERT_TRUE(WaitFor([&] { return ListCell(run_, list_, Row("Probe Two"), 2) == "Disabled "; }));
    EXPECT_EQ(nullptr, WaitForDialog(nullptr, 500)) << "asked once";
    EXPECT_TRUE(one.Running() && two.Running());

    // One row: the removal is asked first; only then the process, by the file it runs.
    Select({"Probe One"});
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE(std::string::npos, AnswerBox(IDYES).find("You have chosen to remove"));
    EXPECT_TRUE(Names(AnswerBox(IDYES), one.Path()));
    EXPECT_TRUE(one.EndsWithin(10000));
    EXPECT_TRUE(WaitFor([&] { return Row("Probe One") < 0; }));
    EXPECT_TRUE(two.Running());
}

TEST_F(StartupPage, DeleteFileOnRebootSchedulesTheRowsProgramOnlyWhenTheAnswerIsYes)
{
    const std::string program = TempPath("vgk reboot tool.exe");
    ASSERT_TRUE(WriteWholeFile(program, "MZ"));
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Reboot Tool", "\"" + program + "\" /tray");
    SavedKey session(HKEY_LOCAL_MACHINE, kSession);  // the requests of this test are undone
    DeleteRegValue(HKEY_LOCAL_MACHINE, kSession, "PendingFileRenameOperations");
    Reopen();
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(WaitForRow("Reboot Tool"));
        Select({"Reboot Tool"});
        PressButton(page_, IDC_DELETE_ON_REBOOT);
        EXPECT_NE("<no box>", AnswerBox(answer));
    }
    // One request (the No made none): the program's file, not the command, with an empty new
    // name, which means "delete".
    const std::string expected = "\\??\\" + program + std::string(3, '\0');
    std::string now;
    DWORD type = 0;
    EXPECT_TRUE(WaitFor([&] {
        return ReadRegRaw(HKEY_LOCAL_MACHINE, kSession, "PendingFileRenameOperations", now, &type) && now.size() > 1;
    })) << "the Yes is carried out after the box";
    EXPECT_EQ(expected.size(), now.size()) << now;
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), now.c_str())) << now;
    EXPECT_TRUE(Exists(program)) << "only at the next restart";
    DeleteFileA(program.c_str());
}

TEST_F(StartupPage, TwoRemovalsAreUndoneFromTheHistoryDialog)
{
    for (const char* title : {"Beta Tool", "Gamma Tool"}) {
        Select({title});
        PressButton(page_, IDC_REMOVE);
        AnswerBox(IDYES);
        ASSERT_TRUE(WaitFor([&] { return Run(title) == "<missing>"; }));
    }
    HWND history = OpenHistoryDialog();
    ASSERT_NE(nullptr, history);
    HWND lines = GetDlgItem(history, IDC_LIST);
    ASSERT_TRUE(WaitFor([&] { return FindListRow(run_, lines, 0, "Gamma Tool") >= 0; }));
    int line = FindListRow(run_, lines, 0, "Gamma Tool");
    EXPECT_EQ("*START_Remove|CURRENT_RUN", ListCell(run_, lines, line, 1) + "|" + ListCell(run_, lines, line, 2));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(history, IDC_RESTORE))) << "nothing selected yet";
    SelectListRows(run_, lines, {FindListRow(run_, lines, 0, "Beta Tool")});
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(history, IDC_RESTORE)) != FALSE; }));
    PressButton(history, IDC_RESTORE);
    ASSERT_TRUE(WaitFor([&] { return Planted() == "AB-D"; })) << Planted();
    SelectListRows(run_, lines, {FindListRow(run_, lines, 0, "Gamma Tool")});  // the list may have refilled
    DoubleClickList(run_, history, lines);
    ASSERT_TRUE(WaitFor([&] { return Planted() == "ABGD"; })) << Planted() << ": back exactly as they were";
    // An undo with nothing left to do says so.
    SelectListRows(run_, lines, {FindListRow(run_, lines, 0, "Gamma Tool")});
    PressButton(history, IDC_RESTORE);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK, history).find("already been undone"));

    // Clear File deletes the file even when it is read-only; the list empties.
    ASSERT_TRUE(SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_READONLY));
    PressButton(history, IDC_CLEAR_FILE);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(lines) == 0; }));
    EXPECT_FALSE(Exists(HistoryFile()));
    PressButton(history, IDOK);
    EXPECT_TRUE(WaitGone(history));
}
