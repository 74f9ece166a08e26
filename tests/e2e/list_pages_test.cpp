// What the list pages of the real console share, tested once for all of them through a table of
// pages: a column click sorts, a second turns the order round, the column is stored and the next
// start sorts by it; without a selected row there is no menu; Info shows the row's own entry;
// Remove asks first, No changes nothing and Yes takes the row away. And the Scheduled Tasks page.
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
        int firstClick;         // 1: ascending; -1: descending (File Types' Title, as it was set)
    } pages[] = {{"-START", "SortStartup", 1, true, 1},       {"-BHO", "SortIEHelper", 4, true, 1},
                 {"-SCHEDULE", "SortScheduledTask", 2, true, 1}, {"-SERVICE", "SortService", 0, true, 1},
                 {"-TASK", "SortActiveTask", 0, false, 1},      {"-FILETYPE", "SortFileType", 3, true, 1},
                 {"-FILETYPE", "SortFileType", 0, false, -1}};
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
        EXPECT_EQ(page.firstClick, lstrcmpiA(once.back().c_str(), once.front().c_str()) > 0 ? 1 : -1)
            << once.front() << " ... " << once.back();
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
        const char *cells, *status;  // the row's first four cells and the status bar (nullptr: not looked at)
        std::function<bool()> there;  // whether the row's entry is still in place
    } pages[] = {
        {"-START", "Pages Beta", 0, "Pages Beta", "Startup Location: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         nullptr, nullptr, "Startup Location: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         [] { return GetRegString(HKEY_CURRENT_USER, kRunKey, "Pages Beta") == "C:\\tools\\alpha.exe"; }},
        {"-BHO", "TOOLBAR", 4, TEST_ADDON_PRODUCT, nullptr, nullptr,
         TEST_ADDON_PRODUCT "|test addon.dll|" TEST_ADDON_COMPANY "|" TEST_ADDON_VERSION,
         "Location: HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar",
         [] { return GetRegString(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR) == ""; }},
        {"-SCHEDULE", "Vgk Pages Daily", 0, "Vgk Pages Daily.job", "Startup Location: Windows Task Scheduler",
         "Status: Ready\r\nChecks the mail every night", nullptr, nullptr, [] { return Exists(TaskFile("Vgk Pages Daily")); }},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.arguments);
        Open(page.arguments);
        ASSERT_TRUE(WaitForRow(page.row, page.column));
        Select({page.row}, page.column);
        if (page.cells) {
            int row = Row(page.row, page.column);
            EXPECT_EQ(page.cells, ListCell(run_, list_, row, 0) + "|" + ListCell(run_, list_, row, 1) + "|" +
                                      ListCell(run_, list_, row, 2) + "|" + ListCell(run_, list_, row, 3));
        }
        if (page.status) {
            HWND status = GetDlgItem(run_.sheet, IDC_STATUS_BAR);
            // (then, after the location, whether the monitor knows the entry)
            EXPECT_TRUE(WaitFor([&] { return WindowText(status).find(page.status) == 0; })) << WindowText(status);
        }
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
            std::string caption;
            EXPECT_NE("<no box>", AnswerBox(answer, &caption));
            EXPECT_EQ("Vigilark", caption);
            EXPECT_TRUE(WaitFor([&] { return page.there() == (answer == IDNO) && (Row(page.row, page.column) >= 0) == (answer == IDNO); }));
        }
        EXPECT_EQ(0, CloseConsole(run_));
    }
}

// The Scheduled Tasks page on the prefix's real Task Scheduler: its run times, and a removal
// that fails said to the user.
TEST_F(ListPages, ScheduledTasksShowTheirRunTimesAndARemovalThatFailsIsSaid)
{
    const char kDaily[] = "Vgk Pages Daily", kIdle[] = "Vgk Pages Idle";
    Open("-SCHEDULE");
    ASSERT_TRUE(WaitForRow(kDaily) && WaitForRow(kIdle));
    int daily = Row(kDaily);
    EXPECT_EQ("daily.exe|Never", ListCell(run_, list_, daily, 1) + "|" + ListCell(run_, list_, daily, 3));
    EXPECT_NE("Never", ListCell(run_, list_, daily, 2)) << "a daily trigger has a next run";
    EXPECT_EQ("Never", ListCell(run_, list_, Row(kIdle), 2));
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
