// The Startup Programs page of the real console: Disable, Enable and Remove from the buttons and
// the menu on the row's own record after sorting; the removal question; the sort kept;
// refusals before any offer to end a program; a removal undone from the History dialog.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_fixture.h"
#include "support/monitor_driver.h"
#include "support/probe.h"
#include "support/views.h"

#include <commctrl.h>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kDisabledRun[] = VIGILARK_KEY "\\Disabled\\Run";

class StartupPage : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"));
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup", "0");
        // The page starts the resident monitor; patrolling nothing, it leaves history.txt to the console.
        TurnPatrolsOff();
        // Programs that do not run: nothing asks to end them.
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool", "C:\\tools\\zulu.exe /quiet");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Beta Tool", "\"C:\\Program Files\\Beta\\beta.exe\" -b");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Gamma Tool", "C:\\tools\\alpha.exe");
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"));
    }
    void Open()
    {
        ASSERT_TRUE(StartConsole("", run_));
        page_ = ActivePage(run_.sheet);
        list_ = GetDlgItem(page_, IDC_LIST);
        ASSERT_NE(nullptr, list_);
    }
    int Row(const char* title) { return FindListRow(run_, list_, 0, title); }
    void Select(const char* title)
    {
        ASSERT_GE(Row(title), 0) << title;
        SelectListRows(run_, list_, {Row(title)});
    }
    // Waits for the page to refill after an action.
    bool WaitForCell(const char* title, int column, const std::string& text)
    {
        return WaitFor([&] { return Row(title) >= 0 && ListCell(run_, list_, Row(title), column) == text; });
    }
    // The rows of this test's programs, top to bottom.
    std::vector<std::string> Titles()
    {
        std::vector<std::string> ours;
        for (const std::string& title : ListColumn(run_, list_, 0))
            if (title.find(" Tool") != std::string::npos) ours.push_back(title);
        return ours;
    }
    std::string Run(const char* name) { return GetRegString(HKEY_CURRENT_USER, kRunKey, name); }

    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    SavedKey run_key_{HKEY_CURRENT_USER, kRunKey};
    HWND page_ = nullptr, list_ = nullptr;
};

}  // namespace

TEST_F(StartupPage, SortedRowsAreDisabledAndEnabledOnTheirOwnRecords)
{
    Open();
    EXPECT_EQ("zulu.exe /quiet", ListCell(run_, list_, Row("Alpha Tool"), 1));
    EXPECT_EQ("?", ListCell(run_, list_, Row("Alpha Tool"), 2)) << "no such file, so no version";
    EXPECT_EQ("beta.exe -b", ListCell(run_, list_, Row("Beta Tool"), 1));
    // By command: alpha.exe (Gamma), beta.exe (Beta), zulu.exe (Alpha); no longer the entries' order.
    const std::vector<std::string> ascending = {"Gamma Tool", "Beta Tool", "Alpha Tool"};
    const std::vector<std::string> descending = {"Alpha Tool", "Beta Tool", "Gamma Tool"};
    for (const auto& order : {ascending, descending, ascending}) {
        ClickListColumn(run_, page_, list_, 1);
        EXPECT_EQ(order, Titles());
    }
    EXPECT_EQ("2", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup"));

    Select("Alpha Tool");
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitForCell("Alpha Tool", 2, "Disabled "));
    EXPECT_EQ("<missing>", Run("Alpha Tool"));
    EXPECT_EQ("C:\\tools\\zulu.exe /quiet", GetRegString(HKEY_LOCAL_MACHINE, In32BitView(kDisabledRun), "Alpha Tool"));
    EXPECT_EQ("11", GetRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"), "Alpha Tool"));
    EXPECT_EQ("\"C:\\Program Files\\Beta\\beta.exe\" -b", Run("Beta Tool"));
    EXPECT_EQ("C:\\tools\\alpha.exe", Run("Gamma Tool"));

    // On the disabled row the fourth item is Enable.
    Select("Alpha Tool");
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(page_, IDC_ENABLE)) != 0; }));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, IDC_DISABLE)));
    RightClickList(run_, page_, list_);
    ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
    ChooseMenuItem(page_, 3);  // Info..., &Add, &Remove, &Enable
    ASSERT_TRUE(WaitForCell("Alpha Tool", 2, "?"));
    EXPECT_EQ("C:\\tools\\zulu.exe /quiet", Run("Alpha Tool")) << "written back exactly as it was";
    EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"), "Alpha Tool"));

    // The next run sorts the stored column, ascending.
    EXPECT_EQ(0, CloseConsole(run_));
    Open();
    EXPECT_EQ(ascending, Titles());
}

TEST_F(StartupPage, RemoveAsksForOneRowOnlyAndNoChangesNothing)
{
    Open();
    ClickListColumn(run_, page_, list_, 1);  // rows no longer in the entries' order
    Select("Gamma Tool");
    PressButton(page_, IDC_REMOVE);
    std::string caption;
    EXPECT_NE(std::string::npos,
              AnswerBox(IDNO, &caption).find("You have chosen to remove C:\\tools\\alpha.exe"));
    EXPECT_EQ("Vigilark", caption);
    EXPECT_EQ("C:\\tools\\alpha.exe", Run("Gamma Tool"));
    EXPECT_EQ("", ReadWholeFile(HistoryFile()));

    Select("Gamma Tool");
    PressButton(page_, IDC_REMOVE);
    AnswerBox(IDYES);
    ASSERT_TRUE(WaitFor([&] { return Row("Gamma Tool") < 0; }));
    EXPECT_EQ("<missing>", Run("Gamma Tool"));
    EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile())
                                     .find("\t*START_Remove\tCURRENT_RUN\tGamma Tool\tC:\\tools\\alpha.exe\t\r\n"));

    SelectListRows(run_, list_, {Row("Alpha Tool"), Row("Beta Tool")});
    PressButton(page_, IDC_REMOVE);
    ASSERT_TRUE(WaitFor([&] { return Row("Alpha Tool") < 0 && Row("Beta Tool") < 0; }));
    EXPECT_EQ(nullptr, WaitForWindow(run_, "#32770", 500)) << "several rows: no question";
    EXPECT_EQ("<missing>", Run("Beta Tool"));
}

TEST_F(StartupPage, RefusalsComeBeforeAnyOfferToEndTheProgram)
{
    // Another user's entries (HKEY_USERS) are listed, never changed: one runs, one is gone.
    Probe probe(BesideTestProgram("refusal_probe.exe"));
    ASSERT_TRUE(probe.Started());
    SavedKey users(HKEY_USERS, kRunKey);
    PutRegString(HKEY_USERS, kRunKey, "Probe Elsewhere", probe.Path());
    PutRegString(HKEY_USERS, kRunKey, "Gone Elsewhere", "C:\\gone\\gone.exe /quiet");
    Open();
    const struct {
        const char* title;
        int button;
    } steps[] = {{"Probe Elsewhere", IDC_DISABLE}, {"Probe Elsewhere", IDC_REMOVE}, {"Gone Elsewhere", IDC_DELETE_ON_REBOOT}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.button);
        Select(step.title);
        PressButton(page_, step.button);
        HWND box = WaitForWindow(run_);
        ASSERT_NE(nullptr, box);
        // The first thing the user sees is the refusal, with nothing to answer Yes to.
        ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); }));
        EXPECT_EQ(nullptr, GetDlgItem(box, IDYES)) << WindowText(GetDlgItem(box, 0xFFFF));
        PressButton(box, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        EXPECT_TRUE(probe.Running());
    }
    EXPECT_EQ(probe.Path(), GetRegString(HKEY_USERS, kRunKey, "Probe Elsewhere"));
}

TEST_F(StartupPage, ARemovalIsUndoneFromTheHistoryDialogOfTheOptionsPage)
{
    Open();
    Select("Beta Tool");
    PressButton(page_, IDC_REMOVE);
    AnswerBox(IDYES);
    ASSERT_TRUE(WaitFor([&] { return Run("Beta Tool") == "<missing>"; }));

    HWND options = OpenTab("Options");
    ASSERT_TRUE(options != nullptr && options != page_);
    PressButton(options, IDC_VIEW_HISTORY);
    HWND history = WaitForWindow(run_);
    ASSERT_NE(nullptr, history);
    HWND lines = GetDlgItem(history, IDC_LIST);
    int line = -1;
    ASSERT_TRUE(WaitFor([&] { return (line = FindListRow(run_, lines, 0, "Beta Tool")) >= 0; }));
    EXPECT_EQ("*START_Remove", ListCell(run_, lines, line, 1));
    EXPECT_EQ("CURRENT_RUN", ListCell(run_, lines, line, 2));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(history, IDC_RESTORE))) << "nothing selected yet";
    SelectListRows(run_, lines, {line});
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(history, IDC_RESTORE)) != FALSE; }));
    PressButton(history, IDC_RESTORE);
    ASSERT_TRUE(WaitFor([&] { return Run("Beta Tool") != "<missing>"; }));
    EXPECT_EQ("\"C:\\Program Files\\Beta\\beta.exe\" -b", Run("Beta Tool")) << "back exactly as it was";

    // Clear File deletes the file even when it is read-only; the list empties.
    const std::string file = HistoryFile();
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    PressButton(history, IDC_CLEAR_FILE);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(lines) == 0; }));
    EXPECT_FALSE(Exists(file));
    PressButton(history, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(history); }));
}
