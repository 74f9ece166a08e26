// Disable and Remove on the Startup page decide their refusals before they offer to end
// the entry's running program: a program is never ended for a change that is refused.
#include "resource.h"
#include "support/console_driver.h"
#include "support/probe.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char kUsersRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kTitle[] = "Probe Elsewhere";

class RefusalBeforeKill : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        probe_ = std::make_unique<Probe>(BesideTestProgram("refusal_probe.exe"));
        ASSERT_TRUE(probe_->Started());
        // Another user's entry (HKEY_USERS): listed, never changed.
        ASSERT_TRUE(PutRegString(HKEY_USERS, kUsersRun, kTitle, probe_->Path().c_str()));
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        HKEY key;
        if (RegOpenKeyExA(HKEY_USERS, kUsersRun, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, kTitle);
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
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = FindListRow(run_, list, 0, kTitle)) >= 0; }));

    for (int button : {IDC_DISABLE, IDC_REMOVE}) {
        SCOPED_TRACE(button);
        SelectListRows(run_, list, {FindListRow(run_, list, 0, kTitle)});
        PressButton(page, button);
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
