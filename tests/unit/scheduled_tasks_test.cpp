// The Scheduled Tasks list's texts and order: the Name column without ".job", and the task
// comparison, which compares the run times as the columns show them, as texts.
#include "foundations/entries.h"
#include "resource.h"
#include "scheduler/task_scheduler.h"
#include "shell/listview.h"

#include <gtest/gtest.h>

TEST(ScheduledTasks, NameColumnDropsTheJobExtensionOnly)
{
    struct Case {
        const char* title;
        const char* shown;
    } cases[] = {
        {"Backup.job", "Backup"},
        {"Backup.JOB", "Backup"},
        {"a.job", "a"},
        {".job", ".job"},                  // four characters or fewer: whole
        {"abc", "abc"},
        {"Notes.txt", "Notes.txt"},        // not the extension: nothing is lost
        {"Weekly.job.job", "Weekly.job"},
        {"", ""},
    };
    for (const Case& c : cases) {
        char shown[ENTRY_TITLE_CHARS];
        TaskDisplayName(c.title, shown, sizeof shown);
        EXPECT_STREQ(c.shown, shown) << c.title;
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
    auto before = [&](int first, int second, int column) { return compare(first, second, column) < 0; };

    EXPECT_TRUE(before(1, 0, 0)) << "Name: a.job before b.job";
    EXPECT_TRUE(before(1, 2, 1)) << "Program by file name: alpha.exe before mid.exe, whatever the folders";
    EXPECT_TRUE(before(2, 0, 1));
    // Next Run Time: month first, so a January date of a later year comes before a December
    // date of an earlier year, and "Never" after every date.
    EXPECT_TRUE(before(0, 1, 2));
    EXPECT_TRUE(before(1, 2, 2));
    // Last Run Time: its own column, not the next run's.
    EXPECT_TRUE(before(1, 2, 3));
    EXPECT_TRUE(before(2, 0, 3));
    EXPECT_EQ(0, compare(0, 1, 4));

    SetSortDirection(2, 1);
    EXPECT_TRUE(before(2, 1, 2)) << "descending: Never first";
    ResetSortDirections();
    FreeEntries();
}
