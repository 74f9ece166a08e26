// The System Hooks page of the real console, wiring only: opened by "-HOOKS" after the File
// Types tab, it lists a planted debugger, Remove asks a question naming it, Yes takes the row.
#include "support/console_fixture.h"

TEST_F(ConsoleTest, TheHooksPageListsAPlantedHookAndRemovesItAfterAskingByName)
{
    const char kVictim[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\vgkpage.exe";
    const char kTitle[] = "vgkpage.exe starts C:\\hk\\pagedbg.exe instead";
    SavedTree victim(HKEY_LOCAL_MACHINE, kVictim), removed(HKEY_CURRENT_USER, VIGILARK_KEY "\\RemovedHooks");
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kVictim, "Debugger", "C:\\hk\\pagedbg.exe"));
    Open("-HOOKS");
    EXPECT_EQ(" System Hooks ", ActiveTabText(run_));
    EXPECT_EQ(" File Types ", TabText(run_, ActiveTab(run_.sheet) - 1));
    ASSERT_TRUE(WaitForRow(kTitle));
    Select({kTitle});
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE(std::string::npos, AnswerBox(IDYES).find(kTitle));
    EXPECT_TRUE(WaitFor([&] { return Row(kTitle) < 0; })) << "the removal is the system hooks integration test's";
}
