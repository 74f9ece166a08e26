// What the list pages of the real console share, tested once for all of them through a table of
// pages: a column click sorts, a second turns the order round, the column is stored and the next
// start sorts by it; without a selected row there is no menu; Info shows the row's own entry;
// Remove asks first, No changes nothing and Yes takes the row away. And a task removal that fails.
#include "support/addon.h"
#include "support/console_fixture.h"
#include "support/scheduled_task.h"

#include <algorithm>
#include <functional>

namespace {

class ListPages : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Pages Alpha", "C:\\tools\\zulu.exe /q");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Pages Beta", "C:\\tools\\alpha.exe");
        ASSERT_TRUE(CreateScheduledTask({"Vgk Pages Daily", "C:\\tools\\daily.exe", "Checks the mail every night", true}));
        ASSERT_TRUE(CreateScheduledTask({"Vgk Pages Idle", "C:\\tools\\idle.exe", "", false}));
        ASSERT_TRUE(InstallAddon(AddonPath()));
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        RemoveScheduledTask("Vgk Pages Daily");
        RemoveScheduledTask("Vgk Pages Idle");
        RemoveAddonRegistrations();
        DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY "\\RemovedIEHelpers");
    }
};

}  // namespace

TEST_F(ListPages, AColumnClickSortsTurnsRoundIsStoredAndSortsTheNextStartAndNoRowHasNoMenu)
{
    // A column whose cells are equal exactly when the rows compare equal, so that the order
    // of its cells tells the order of the rows.
    const struct {
        const char* arguments;
        const char* setting;
        int column;
        bool sameRowsNextTime;  // the running programs change between two starts
    } pages[] = {{"-START", "SortStartup", 1, true},          {"-BHO", "SortIEHelper", 4, true},
                 {"-SCHEDULE", "SortScheduledTask", 2, true}, {"-SERVICE", "SortService", 0, true},
                 {"-TASK", "SortActiveTask", 0, false},       {"-FILETYPE", "SortFileType", 3, true}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.arguments);
        SetOption(page.setting, "0");
        Open(page.arguments);
        ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list_) >= 2; }));
        ClickListColumn(run_, page_, list_, page.column);
        std::vector<std::string> once = ListColumn(run_, list_, page.column);
        ClickListColumn(run_, page_, list_, page.column);
        std::vector<std::string> twice = ListColumn(run_, list_, page.column);
        std::reverse(twice.begin(), twice.end());
        EXPECT_EQ(once, twice);
        EXPECT_GT(lstrcmpiA(once.back().c_str(), once.front().c_str()), 0) << once.front() << " ... " << once.back();
        EXPECT_EQ(std::to_string(page.column + 1), Option(page.setting));
        SelectListRows(run_, list_, {});
        RightClickList(run_, page_, list_);
        EXPECT_EQ(nullptr, WaitForWindow(run_, "#32768", 800)) << "no row, no menu";
        EXPECT_EQ(0, CloseConsole(run_));
        if (!page.sameRowsNextTime) continue;
        Open(page.arguments);
        ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list_) == (int)once.size(); }));
        EXPECT_EQ(once, ListColumn(run_, list_, page.column)) << "the next start sorts by the stored column";
        EXPECT_EQ(0, CloseConsole(run_));
    }
}

TEST_F(ListPages, InfoShowsTheRowsOwnEntryAndRemoveAsksFirst)
{
    const struct {
        const char* arguments;
        std::string row;
        int column;          // where the row's text is
        const char *caption, *location, *notes;  // the Properties dialog's (nullptr: not looked at)
        std::function<bool()> there;             // whether the row's entry is still in place
    } pages[] = {
        {"-START", "Pages Beta", 0, "Pages Beta", "Startup Location: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         nullptr, [] { return GetRegString(HKEY_CURRENT_USER, kRunKey, "Pages Beta") == "C:\\tools\\alpha.exe"; }},
        {"-BHO", "TOOLBAR", 4, TEST_ADDON_PRODUCT, nullptr, nullptr,
         [] { return GetRegString(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR) == ""; }},
        {"-SCHEDULE", "Vgk Pages Daily", 0, "Vgk Pages Daily.job", "Startup Location: Windows Task Scheduler",
         "Status: Ready\r\nChecks the mail every night", [] { return Exists(TaskFile("Vgk Pages Daily")); }},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.arguments);
        Open(page.arguments);
        ASSERT_TRUE(WaitForRow(page.row, page.column));
        Select({page.row}, page.column);
        PressButton(page_, IDC_INFO);
        HWND dialog = WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(WaitFor([&] { return WindowText(dialog) == page.caption; })) << WindowText(dialog);
        if (page.location) {
            EXPECT_EQ(page.location, WindowText(GetDlgItem(dialog, IDC_PROP_LOCATION)));
        }
        if (page.notes) {
            EXPECT_EQ(page.notes, WindowText(GetDlgItem(dialog, IDC_PROP_NOTES)));
        }
        PressButton(dialog, IDOK);
        ASSERT_TRUE(WaitGone(dialog));
        for (int answer : {IDNO, IDYES}) {
            Select({page.row}, page.column);
            PressButton(page_, IDC_REMOVE);
            EXPECT_NE("<no box>", AnswerBox(answer));
            EXPECT_TRUE(WaitFor([&] { return page.there() == (answer == IDNO) && (Row(page.row, page.column) >= 0) == (answer == IDNO); }));
        }
        EXPECT_EQ(0, CloseConsole(run_));
    }
}

// A scheduled task removal that fails is said to the user.
TEST_F(ListPages, AScheduledTaskRemovalThatFailsIsSaid)
{
    const char kIdle[] = "Vgk Pages Idle";
    Open("-SCHEDULE");
    ASSERT_TRUE(WaitForRow(kIdle));
    // The task went away after the list was filled: the removal cannot succeed, and the page
    // says so instead of saying nothing; the refilled list shows what is there.
    ASSERT_TRUE(RemoveScheduledTask(kIdle));
    Select({kIdle});
    PressButton(page_, IDC_REMOVE);
    AnswerBox(IDYES);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK).find("could not be removed"));
    EXPECT_TRUE(WaitFor([&] { return Row(kIdle) < 0; }));
    EXPECT_EQ("", ReadWholeFile(HistoryFile())) << "a task removal writes no history line";
}
