// The Scheduled Tasks page of the real console on the prefix's real Task Scheduler: the rows,
// Info with the task's status and comment, Remove answered No and Yes, a removal that
// fails said to the user, the sort by run time kept, and the row's menu.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/scheduled_task.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace {

const char kAlpha[] = "Vgk Page Alpha";
const char kBeta[] = "Vgk Page Beta";

class ScheduledPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        DeleteFileA(History().c_str());
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortScheduledTask", "0");
        ASSERT_TRUE(CreateScheduledTask({kAlpha, "C:\\tools\\alpha.exe", "Checks the mail every night", true}));
        ASSERT_TRUE(CreateScheduledTask({kBeta, "C:\\tools\\beta.exe", "", false}));
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        RemoveScheduledTask(kAlpha);
        RemoveScheduledTask(kBeta);
    }
    static std::string History() { return BesideTestProgram("history.txt"); }
    void Open()
    {
        ASSERT_TRUE(StartConsole("-SCHEDULE", run_));
        page_ = ActivePage(run_.sheet);
        list_ = GetDlgItem(page_, IDC_LIST);
        ASSERT_EQ(" Scheduled Tasks ", ActiveTabText(run_));
        ASSERT_TRUE(WaitFor([&] { return Row(kAlpha) >= 0 && Row(kBeta) >= 0; }));
    }
    int Row(const char* name) { return FindListRow(run_, list_, 0, name); }
    void Select(const char* name)
    {
        ASSERT_GE(Row(name), 0) << name;
        SelectListRows(run_, list_, {Row(name)});
    }
    // Presses Remove on the row and answers the question; returns its text.
    std::string RemoveAnswering(const char* name, int answer)
    {
        Select(name);
        PressButton(page_, IDC_REMOVE);
        HWND question = WaitForWindow(run_);
        if (!question) return "<no question>";
        WaitFor([&] { return !WindowText(GetDlgItem(question, 0xFFFF)).empty(); });
        std::string text = WindowText(GetDlgItem(question, 0xFFFF));
        PressButton(question, answer);
        WaitFor([&] { return !IsWindow(question); });
        return text;
    }
    ConsoleRun run_;
    HWND page_ = nullptr, list_ = nullptr;
};

}  // namespace

TEST_F(ScheduledPage, RowsInfoAndRemove)
{
    Open();
    int alpha = Row(kAlpha);
    EXPECT_EQ("alpha.exe", ListCell(run_, list_, alpha, 1));
    EXPECT_NE("Never", ListCell(run_, list_, alpha, 2)) << "a daily trigger has a next run";
    EXPECT_EQ("Never", ListCell(run_, list_, alpha, 3));
    EXPECT_EQ("Never", ListCell(run_, list_, Row(kBeta), 2));

    // Info: where the task comes from, its status and its comment.
    Select(kAlpha);
    PressButton(page_, IDC_INFO);
    HWND dialog = WaitForWindow(run_);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(dialog, IDC_PROP_NOTES)).empty(); }));
    EXPECT_EQ("Status: Ready\r\nChecks the mail every night", WindowText(GetDlgItem(dialog, IDC_PROP_NOTES)));
    EXPECT_EQ("Startup Location: Windows Task Scheduler", WindowText(GetDlgItem(dialog, IDC_PROP_LOCATION)));
    EXPECT_EQ(std::string(kAlpha) + ".job", WindowText(dialog));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));

    // No changes nothing; the question names the whole work item.
    std::string question = RemoveAnswering(kAlpha, IDNO);
    EXPECT_NE(std::string::npos, question.find("You have chosen to remove Vgk Page Alpha.job")) << question;
    EXPECT_TRUE(Exists(TaskFile(kAlpha)));
    EXPECT_GE(Row(kAlpha), 0);

    // Yes removes the task and its file; the refilled list no longer shows it.
    RemoveAnswering(kAlpha, IDYES);
    EXPECT_TRUE(WaitFor([&] { return Row(kAlpha) < 0; }));
    EXPECT_FALSE(Exists(TaskFile(kAlpha)));
    EXPECT_GE(Row(kBeta), 0);
    EXPECT_EQ("", ReadWholeFile(History())) << "a task removal writes no history line";
}

// A task that went away after the list was filled: the removal cannot succeed, and the page
// says so instead of saying nothing.
TEST_F(ScheduledPage, ARemovalThatFailsIsSaid)
{
    Open();
    ASSERT_TRUE(RemoveScheduledTask(kBeta));
    RemoveAnswering(kBeta, IDYES);
    HWND error = WaitForWindow(run_);
    ASSERT_NE(nullptr, error);
    ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(error, 0xFFFF)).empty(); }));
    EXPECT_NE(std::string::npos, WindowText(GetDlgItem(error, 0xFFFF)).find("could not be removed"));
    PressButton(error, IDOK);
    EXPECT_TRUE(WaitFor([&] { return Row(kBeta) < 0; })) << "the refilled list shows what is there";
}

TEST_F(ScheduledPage, SortByNextRunIsKeptAndTheRowHasItsMenu)
{
    Open();
    ClickListColumn(run_, page_, list_, 2);
    EXPECT_LT(Row(kAlpha), Row(kBeta)) << "a date before \"Never\"";
    ClickListColumn(run_, page_, list_, 2);
    EXPECT_GT(Row(kAlpha), Row(kBeta));
    EXPECT_EQ("3", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortScheduledTask"));

    // The menu of a selected row; its second item is Remove.
    Select(kBeta);
    RightClickList(run_, page_, list_);
    ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
    ChooseMenuItem(page_, 1);
    HWND question = WaitForWindow(run_);
    ASSERT_NE(nullptr, question);
    ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(question, 0xFFFF)).empty(); }));
    EXPECT_NE(std::string::npos, WindowText(GetDlgItem(question, 0xFFFF)).find("Vgk Page Beta.job"));
    PressButton(question, IDNO);

    // The next run sorts by the stored column, ascending.
    EXPECT_EQ(0, CloseConsole(run_));
    Open();
    EXPECT_LT(Row(kAlpha), Row(kBeta));
}
