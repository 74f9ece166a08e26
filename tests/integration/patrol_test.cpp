// The Set Patrol Time dialog run for real on the test's thread, driven from a helper
// thread, and storing the patrol settings (the Monitor icon that opens it is tested end to end).
#include "shell_fixture.h"

#include "foundations/registry.h"
#include "foundations/settings.h"
#include "options/patrol.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

HWND Edit(HWND dialog) { return GetDlgItem(dialog, IDC_PATROL_EDIT); }
HWND Track(HWND dialog) { return GetDlgItem(dialog, IDC_PATROL_TRACKBAR); }
int Position(HWND dialog) { return (int)SendMessageA(Track(dialog), TBM_GETPOS, 0, 0); }

class Patrol : public ::testing::Test {
protected:
    void SetUp() override { InitCommonControls(); }
    void TearDown() override { CurrentOptions() = saved_; }
    std::string Stored(const char* name) const { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name); }

    const Options saved_ = CurrentOptions();
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

}  // namespace

TEST_F(Patrol, TheDialogShowsTheKindsCurrentMinutesAndCloseGivesMinusOne)
{
    CurrentOptions().start = 17;
    CurrentOptions().services = 12;
    CurrentOptions().hostFile = 0;
    // A kind without a setting shows three.
    const std::pair<UINT, const char*> rows[] = {
        {IDS_PATROL_STARTUP, "17"}, {IDS_PATROL_SERVICES, "12"}, {IDS_PATROL_HOSTS, "0"}, {IDS_PATROL_ZERO_HINT, "3"}};
    for (const auto& row : rows) {
        std::string edit;
        int position = -1, rangeMax = -1;
        EXPECT_EQ(-1, RunWithDialog([&] { return SetPatrolTime(nullptr, row.first); },
                                    [&](HWND dialog) {
                                        edit = TextOf(Edit(dialog));
                                        position = Position(dialog);
                                        rangeMax = (int)SendMessageA(Track(dialog), TBM_GETRANGEMAX, 0, 0);
                                        ReplaceText(Edit(dialog), "9");
                                        Click(dialog, IDCANCEL);
                                    }));
        EXPECT_EQ(row.second, edit);
        EXPECT_EQ(atoi(row.second), position);
        EXPECT_EQ(30, rangeMax);
    }
}

TEST_F(Patrol, TypingMovesTheTrackBarAndOkReturnsWhatWasTyped)
{
    int afterTwelve = -1, afterFortyFive = -1;
    std::string limited;
    EXPECT_EQ(45, RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_TASKS); },
                                [&](HWND dialog) {
                                    ReplaceText(Edit(dialog), "12");
                                    afterTwelve = Position(dialog);
                                    ReplaceText(Edit(dialog), "123");
                                    limited = TextOf(Edit(dialog));
                                    ReplaceText(Edit(dialog), "45");
                                    afterFortyFive = Position(dialog);
                                    Click(dialog, IDOK);
                                }));
    EXPECT_EQ(12, afterTwelve);
    EXPECT_EQ("12", limited) << "two characters at most";
    EXPECT_EQ(30, afterFortyFive) << "the track bar stops at its end, the edit keeps the number";
    EXPECT_EQ(0, RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_STARTUP); },
                               [](HWND dialog) {
                                   ReplaceText(Edit(dialog), "");
                                   Click(dialog, IDOK);
                               }))
        << "an empty edit gives zero";
}

TEST_F(Patrol, MovingTheTrackBarWritesTheEditAndZeroDisablesIt)
{
    std::string atZero, afterTwoSteps;
    bool enabledAtZero = true, enabledAfterSteps = false;
    EXPECT_EQ(30, RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_COOKIES); },
                                [&](HWND dialog) {
                                    PressKey(Track(dialog), VK_HOME);
                                    atZero = TextOf(Edit(dialog));
                                    enabledAtZero = IsWindowEnabled(Edit(dialog));
                                    PressKey(Track(dialog), VK_RIGHT);
                                    PressKey(Track(dialog), VK_RIGHT);
                                    afterTwoSteps = TextOf(Edit(dialog));
                                    enabledAfterSteps = IsWindowEnabled(Edit(dialog));
                                    PressKey(Track(dialog), VK_END);
                                    Click(dialog, IDOK);
                                }));
    EXPECT_EQ("0", atZero);
    EXPECT_FALSE(enabledAtZero);
    EXPECT_EQ("2", afterTwoSteps);
    EXPECT_TRUE(enabledAfterSteps);
}

TEST_F(Patrol, StoringRefusesNegativeMinutesAndUnknownKinds)
{
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts", "9");
    CurrentOptions().nuts = 9;
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_NUTS, -1));
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_INTRO, 5));
    EXPECT_EQ(9, CurrentOptions().nuts);
    EXPECT_EQ("9", Stored("Nuts"));
    EXPECT_EQ(1, StorePatrolTime(IDS_PATROL_NUTS, 14));
    EXPECT_EQ("14", Stored("Nuts"));
    EXPECT_EQ(14, CurrentOptions().nuts);
}
