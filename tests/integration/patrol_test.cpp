// The Set Patrol Time dialog run for real on the test's thread, driven from a helper thread,
// and storing the patrol settings (the Monitor icon that opens it is tested end to end).
#include "shell_fixture.h"

#include "foundations/registry.h"
#include "foundations/settings.h"
#include "options/patrol.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

class Patrol : public ::testing::Test {
protected:
    void SetUp() override { InitCommonControls(); }
    void TearDown() override { CurrentOptions() = saved_; }
    const Options saved_ = CurrentOptions();
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

}  // namespace

TEST_F(Patrol, TheEditAndTheTrackBarFollowEachOtherAndOkReturnsTheNumber)
{
    CurrentOptions().start = 17;
    std::vector<std::string> seen;  // the edit's text and whether it is enabled, then the track bar's position
    auto look = [&seen](HWND dialog) {
        HWND edit = GetDlgItem(dialog, IDC_PATROL_EDIT), track = GetDlgItem(dialog, IDC_PATROL_TRACKBAR);
        seen.push_back(TextOf(edit) + (IsWindowEnabled(edit) ? "" : " off") + " at " +
                       std::to_string(SendMessageA(track, TBM_GETPOS, 0, 0)));
    };
    EXPECT_EQ(30, RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_STARTUP); },
                                [&](HWND dialog) {
                                    HWND edit = GetDlgItem(dialog, IDC_PATROL_EDIT);
                                    HWND track = GetDlgItem(dialog, IDC_PATROL_TRACKBAR);
                                    look(dialog);
                                    for (const char* typed : {"12", "123", "45"}) {
                                        ReplaceText(edit, typed);
                                        look(dialog);
                                    }
                                    for (UINT key : {VK_HOME, VK_RIGHT, VK_RIGHT, VK_END}) {
                                        PressKey(track, key);
                                        look(dialog);
                                    }
                                    Click(dialog, IDOK);
                                }));
    // Two characters at most; the track bar stops at its end while the edit keeps the number;
    // zero disables the edit.
    EXPECT_EQ((std::vector<std::string>{"17 at 17", "12 at 12", "12 at 12", "45 at 30", "0 off at 0", "1 at 1",
                                        "2 at 2", "30 at 30"}),
              seen);
    // An empty edit gives zero; Close gives -1 whatever was typed, and a kind without a setting
    // starts at three.
    EXPECT_EQ(0, RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_STARTUP); },
                               [](HWND dialog) {
                                   ReplaceText(GetDlgItem(dialog, IDC_PATROL_EDIT), "");
                                   Click(dialog, IDOK);
                               }));
    seen.clear();
    EXPECT_EQ(-1, RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_ZERO_HINT); },
                                [&](HWND dialog) {
                                    look(dialog);
                                    ReplaceText(GetDlgItem(dialog, IDC_PATROL_EDIT), "9");
                                    Click(dialog, IDCANCEL);
                                }));
    EXPECT_EQ(std::vector<std::string>{"3 at 3"}, seen);
}

TEST_F(Patrol, StoringRefusesNegativeMinutesAndUnknownKinds)
{
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts", "9");
    CurrentOptions().nuts = 9;
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_NUTS, -1));
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_INTRO, 5));
    EXPECT_EQ(9, CurrentOptions().nuts);
    EXPECT_EQ("9", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts"));
    EXPECT_EQ(1, StorePatrolTime(IDS_PATROL_NUTS, 14));
    EXPECT_EQ("14", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts"));
    EXPECT_EQ(14, CurrentOptions().nuts);
}
