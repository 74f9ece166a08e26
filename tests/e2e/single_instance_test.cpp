// A start ends in this copy's console, the running copy raised, or a message that says
// why not: never in silence, never in a busy loop.
#include "resource.h"
#include "support/console_driver.h"

#include <gtest/gtest.h>

namespace {

const char kStartupLock[] = "Brondlewick.VigilarkEx.Startup";

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override { EndAllCopies(); }
    void TearDown() override
    {
        if (run_.process.hProcess && run_.sheet) CloseConsole(run_);
        EndAllCopies();
        if (object_) CloseHandle(object_);
    }
    ConsoleRun run_;
    HANDLE object_ = nullptr;
};

}  // namespace

TEST_F(SingleInstance, AnObjectOfTheLocksNameDoesNotKeepTheConsoleFromOpening)
{
    // Any program may own an event of that name; the lock then cannot be made at all.
    object_ = CreateEventA(nullptr, TRUE, FALSE, kStartupLock);
    ASSERT_NE(nullptr, object_);
    ASSERT_TRUE(StartConsole("", run_));
    EXPECT_NE(nullptr, run_.sheet);
}

TEST_F(SingleInstance, ACopyThatHoldsTheLockButNeverAnswersIsReported)
{
    // The lock is held as by a copy that hangs before its window exists.
    object_ = CreateMutexA(nullptr, TRUE, kStartupLock);
    ASSERT_NE(nullptr, object_);
    ASSERT_NE(ERROR_ALREADY_EXISTS, GetLastError());
    ASSERT_TRUE(StartConsole("", run_, false));
    EXPECT_EQ(nullptr, run_.main);

    HWND box = WaitForWindow(run_, "#32770", 30000);
    ASSERT_NE(nullptr, box) << "the start ended without a word";
    EXPECT_FALSE(WindowText(GetDlgItem(box, 0xFFFF)).empty());
    PressButton(box, IDOK);
    EXPECT_EQ(0, WaitForExit(run_));
}
