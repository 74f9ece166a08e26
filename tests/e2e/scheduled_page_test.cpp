// The Scheduled Tasks page of the real console on the prefix's real Task Scheduler: its rows,
// and a removal that fails said to the user (Info and Remove are the list pages' test's).
#include "support/console_fixture.h"
#include "support/scheduled_task.h"

TEST_F(ConsoleTest, ScheduledTasksShowTheirRunTimesAndARemovalThatFailsIsSaid)
{
    const char kDaily[] = "Vgk Page Daily", kIdle[] = "Vgk Page Idle";
    ASSERT_TRUE(CreateScheduledTask({kDaily, "C:\\tools\\alpha.exe", "", true}));
    ASSERT_TRUE(CreateScheduledTask({kIdle, "C:\\tools\\beta.exe", "", false}));
    Open("-SCHEDULE");
    ASSERT_TRUE(WaitForRow(kDaily) && WaitForRow(kIdle));
    int daily = Row(kDaily);
    EXPECT_EQ("alpha.exe|Never", ListCell(run_, list_, daily, 1) + "|" + ListCell(run_, list_, daily, 3));
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
    RemoveScheduledTask(kDaily);
}
