// The Scheduled Tasks list's texts and order: the Name column without ".job", and the task
// comparison, which compares the run times as the columns show them, as texts.
#include "foundations/entries.h"
#include "resource.h"
#include "scheduler/task_scheduler.h"
#include "shell/listview.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ScheduledTasks, NameColumnDropsTheJobExtensionOnly)
{
    const std::pair<const char*, const char*> rows[] = {
        {"Backup.JOB", "Backup"}, {"a.job", "a"}, {"Weekly.job.job", "Weekly.job"}, {"", ""},
        {".job", ".job"},           // four characters or fewer: whole
        {"Notes.txt", "Notes.txt"}, // not the extension: nothing is lost
    };
    char shown[ENTRY_TITLE_CHARS];
    for (const auto& row : rows) {
        TaskDisplayName(row.first, shown, sizeof shown);
        EXPECT_STREQ(row.second, shown) << row.first;
    }
}

TEST(ScheduledTasks, ColumnsCompareTheirOwnFields)
{
    FreeEntries();
    // title, program, next run (extra), last run (detail)
    ASSERT_EQ(1, AddEntry("b.job", "C:\\x\\zeta.exe", "01/05/2027  9:00 AM", "Never", KIND_TASK_SCHEDULED, 0));
    ASSERT_EQ(1, AddEntry("a.job", "C:\\y\\alpha.exe", "12/20/2026  9:00 AM", "03/01/2026  8:00 AM", KIND_TASK_SCHEDULED, 0));
    ASSERT_EQ(1, AddEntry("c.job", "C:\\a\\mid.exe", "Never", "11/30/2026  1:00 PM", KIND_TASK_SCHEDULED, 0));
    PFNLVCOMPARE compare = CompareFunctionFor(CMD_SCHEDULED_PAGE);
    ASSERT_NE(nullptr, compare);
    ResetSortDirections();
    auto order = [compare](int column) {  // the titles' letters in sorted order
        std::vector<int> rows = {0, 1, 2};
        std::sort(rows.begin(), rows.end(), [&](int a, int b) { return compare(a, b, column) < 0; });
        std::string letters;
        for (int row : rows) letters += "bac"[row];
        return letters;
    };
    EXPECT_EQ("abc", order(0)) << "Name";
    EXPECT_EQ("acb", order(1)) << "Program by file name, whatever the folders";
    EXPECT_EQ("bac", order(2)) << "Next Run Time as text: month first, so January of a later year first; Never last";
    EXPECT_EQ("acb", order(3)) << "Last Run Time: its own column, not the next run's";
    EXPECT_EQ(0, compare(0, 1, 4));
    SetSortDirection(2, 1);
    EXPECT_EQ("cab", order(2)) << "descending: Never first";
    ResetSortDirections();
    FreeEntries();
}
