// What every list page of the real console shares, tested once for all of them: a column click
// sorts, a second turns the order round, the column is stored and the next start sorts by it;
// without a selected row the list offers no menu.
#include "support/addon.h"
#include "support/console_fixture.h"
#include "support/scheduled_task.h"

#include <algorithm>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ListPages : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Pages Alpha", "C:\\tools\\zulu.exe /q");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "Pages Beta", "C:\\tools\\alpha.exe");
        ASSERT_TRUE(CreateScheduledTask({"Vgk Pages Daily", "C:\\tools\\daily.exe", "", true}));
        ASSERT_TRUE(CreateScheduledTask({"Vgk Pages Idle", "C:\\tools\\idle.exe", "", false}));
        ASSERT_TRUE(InstallAddon(AddonPath()));
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        RemoveScheduledTask("Vgk Pages Daily");
        RemoveScheduledTask("Vgk Pages Idle");
        RemoveAddonRegistrations();
    }
    SavedKey runKey_{HKEY_CURRENT_USER, kRunKey};
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
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
    } pages[] = {{"-START", "SortStartup", 1, true},       {"-BHO", "SortIEHelper", 4, true},
                 {"-SCHEDULE", "SortScheduledTask", 2, true}, {"-SERVICE", "SortService", 0, true},
                 {"-TASK", "SortActiveTask", 0, false},      {"-FILETYPE", "SortFileType", 3, true}};
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
        EXPECT_NE(once.front(), once.back()) << "rows that differ, so that the order shows";
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
