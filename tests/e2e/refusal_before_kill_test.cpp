// Disable and Remove on the Startup page decide their refusals before they offer to end
// the entry's running program: a program is never ended for a change that is refused;
// nothing is asked for a Delete File on Reboot that cannot be done.
#include "resource.h"
#include "support/console_driver.h"
#include "support/probe.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char kUsersRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kTitle[] = "Probe Elsewhere";
const char kMissing[] = "Gone Elsewhere";

class RefusalBeforeKill : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        probe_ = std::make_unique<Probe>(BesideTestProgram("refusal_probe.exe"));
        ASSERT_TRUE(probe_->Started());
        // Another user's entry (HKEY_USERS): listed, never changed.
        ASSERT_TRUE(PutRegString(HKEY_USERS, kUsersRun, kTitle, probe_->Path().c_str()));
        ASSERT_TRUE(PutRegString(HKEY_USERS, kUsersRun, kMissing, "C:\\gone\\gone.exe /quiet"));
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        HKEY key;
        if (RegOpenKeyExA(HKEY_USERS, kUsersRun, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, kTitle);
            RegDeleteValueA(key, kMissing);
            RegCloseKey(key);
        }
        probe_.reset();
    }

    std::unique_ptr<Probe> probe_;
    ConsoleRun run_;
};

}  // namespace

TEST_F(RefusalBeforeKill, AnotherUsersRunningEntryIsRefusedWithoutAnOfferToEndIt)
{
    ASSERT_TRUE(StartConsole("", run_));
    HWND page = ActivePage(run_.sheet);
    HWND list = GetDlgItem(page, IDC_LIST);
    ASSERT_TRUE(WaitFor([&] { return FindListRow(run_, list, 0, kTitle) >= 0; }));

    // Delete File on Reboot of a file that is not there is refused before it is asked.
    const struct {
        const char* title;
        int button;
    } kSteps[] = {{kTitle, IDC_DISABLE}, {kTitle, IDC_REMOVE}, {kMissing, IDC_DELETE_ON_REBOOT}};
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.button);
        SelectListRows(run_, list, {FindListRow(run_, list, 0, step.title)});
        PressButton(page, step.button);
        HWND box = WaitForDialog(run_);
        ASSERT_NE(nullptr, box);
        // The first thing the user sees is the refusal, with nothing to answer Yes to.
        EXPECT_EQ(nullptr, GetDlgItem(box, IDYES)) << MessageBoxText(box);
        AnswerDialog(box, GetDlgItem(box, IDOK) ? IDOK : IDNO);
        ASSERT_TRUE(WaitFor([&] { return WaitForDialog(run_, 0) == nullptr; }));
        EXPECT_TRUE(probe_->Running());
    }
    EXPECT_EQ(probe_->Path(), GetRegString(HKEY_USERS, kUsersRun, kTitle));
}
