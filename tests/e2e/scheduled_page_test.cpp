// The Scheduled Tasks page of the real console on the prefix's real Task Scheduler: the rows,
// Info with the task's status and comment, Remove answered No and Yes, and a removal that fails
// said to the user.
#include "support/console_fixture.h"
#include "support/scheduled_task.h"

namespace {

const char kAlpha[] = "Vgk Page Alpha";
const char kBeta[] = "Vgk Page Beta";

class ScheduledPage : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(CreateScheduledTask({kAlpha, "C:\\tools\\alpha.exe", "Checks the mail every night", true}));
        ASSERT_TRUE(CreateScheduledTask({kBeta, "C:\\tools\\beta.exe", "", false}));
        Open("-SCHEDULE");
        ASSERT_EQ(" Scheduled Tasks ", ActiveTabText(run_));
        ASSERT_TRUE(WaitForRow(kAlpha) && WaitForRow(kBeta));
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        RemoveScheduledTask(kAlpha);
        RemoveScheduledTask(kBeta);
    }
    // Presses Remove on the row and answers the question; returns its text.
    std::string RemoveAnswering(const char* name, int answer)
    {
        Select({name});
        PressButton(page_, IDC_REMOVE);
        return AnswerBox(answer);
    }
};

}  // namespace

TEST_F(ScheduledPage, RowsInfoAndRemove)
{
    int alpha = Row(kAlpha);
    EXPECT_EQ("alpha.exe", ListCell(run_, list_, alpha, 1));
    EXPECT_NE("Never", ListCell(run_, list_, alpha, 2)) << "a daily trigger has a next run";
    EXPECT_EQ("Never", ListCell(run_, list_, alpha, 3));
    EXPECT_EQ("Never", ListCell(run_, list_, Row(kBeta), 2));

    // Info: where the task comes from, its status and its comment.
    Select({kAlpha});
    PressButton(page_, IDC_INFO);
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(dialog, IDC_PROP_NOTES)).empty(); }));
    EXPECT_EQ("Status: Ready\r\nChecks the mail every night", WindowText(GetDlgItem(dialog, IDC_PROP_NOTES)));
    EXPECT_EQ("Startup Location: Windows Task Scheduler", WindowText(GetDlgItem(dialog, IDC_PROP_LOCATION)));
    EXPECT_EQ(std::string(kAlpha) + ".job", WindowText(dialog));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));

    EXPECT_NE("<no box>", RemoveAnswering(kAlpha, IDNO));
    EXPECT_TRUE(Exists(TaskFile(kAlpha)));
    EXPECT_GE(Row(kAlpha), 0);
    EXPECT_NE("<no box>", RemoveAnswering(kAlpha, IDYES));
    EXPECT_TRUE(WaitFor([&] { return Row(kAlpha) < 0; }));
    EXPECT_FALSE(Exists(TaskFile(kAlpha)));
    EXPECT_GE(Row(kBeta), 0);
    EXPECT_EQ("", ReadWholeFile(HistoryFile())) << "a task removal writes no history line";
}

// A task that went away after the list was filled: the removal cannot succeed, and the page
// says so instead of saying nothing.
TEST_F(ScheduledPage, ARemovalThatFailsIsSaid)
{
    ASSERT_TRUE(RemoveScheduledTask(kBeta));
    RemoveAnswering(kBeta, IDYES);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK).find("could not be removed"));
    EXPECT_TRUE(WaitFor([&] { return Row(kBeta) < 0; })) << "the refilled list shows what is there";
}
