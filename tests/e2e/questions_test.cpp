// The questions of the Startup Programs page in the real console name what the action will
// end or delete: the file Delete File on Reboot takes, every running program that Disable
// on several rows would end, and for one row the removal first, then the process.
#include "support/console_fixture.h"
#include "support/probe.h"

#include <shlwapi.h>

namespace {

bool Names(const std::string& text, const std::string& path) { return StrStrIA(text.c_str(), path.c_str()) != nullptr; }

using Questions = ConsoleTest;

}  // namespace

TEST_F(Questions, EveryQuestionBeforeAKillOrADeletionNamesItsTargets)
{
    Probe one(BesideTestProgram("questions\\q_one.exe")), two(BesideTestProgram("questions\\q_two.exe"));
    ASSERT_TRUE(one.Running() && two.Running());
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Probe One", "\"" + one.Path() + "\" -x");
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Probe Two", two.Path());
    Open("-START");
    ASSERT_TRUE(WaitForRow("Probe One") && WaitForRow("Probe Two"));

    Select({"Probe One"});
    PressButton(page_, IDC_DELETE_ON_REBOOT);
    EXPECT_TRUE(Names(AnswerBox(IDNO), one.Path())) << "the file that would be deleted";

    // Several rows: one question that names each running program; No ends none of them.
    Select({"Probe One", "Probe Two"});
    PressButton(page_, IDC_DISABLE);
    std::string question = AnswerBox(IDNO);
    EXPECT_TRUE(Names(question, one.Path()) && Names(question, two.Path())) << question;
    ASSERT_TRUE(WaitFor([&] { return ListCell(run_, list_, Row("Probe Two"), 2) == "Disabled "; }));
    EXPECT_EQ(nullptr, WaitForDialog(nullptr, 500)) << "asked once";
    EXPECT_TRUE(one.Running() && two.Running());

    // One row: the removal is asked first; only then the process, by the file it runs.
    Select({"Probe One"});
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE(std::string::npos, AnswerBox(IDYES).find("You have chosen to remove"));
    EXPECT_TRUE(Names(AnswerBox(IDYES), one.Path()));
    EXPECT_TRUE(one.EndsWithin(10000));
    EXPECT_TRUE(WaitFor([&] { return Row("Probe One") < 0; }));
    EXPECT_TRUE(two.Running());
}
