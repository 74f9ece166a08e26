// The admin options dialog runs for real on the test's thread, driven from a helper thread, and
// the settings it stores; the patrol times stored.
#include "foundations/settings.h"
#include "options/admin_options.h"
#include "options/admin_users.h"
#include "options/patrol.h"
#include "resource.h"
#include "shell_fixture.h"
#include "support/views.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace shell_fixture;

namespace {

const std::string kUsers = In32BitView(VIGILARK_USERS_KEY);  // the program's machine key is in the 32-bit view

std::string LoggedOnUser()
{
    char name[ADMIN_USER_CHARS] = "";
    LoggedOnUserName(name, sizeof name);
    return name;
}

void PutUser(const std::string& name, const char* path, const char* hideTobrin, const char* hideAlerts)
{
    for (auto value : {std::make_pair("Path", path), {"HideTobrin", hideTobrin}, {"HideAlerts", hideAlerts}})
        PutRegString(HKEY_LOCAL_MACHINE, kUsers + "\\" + name, value.first, value.second);
}
std::string Flags(const std::string& name)
{
    return GetRegString(HKEY_LOCAL_MACHINE, kUsers + "\\" + name, "HideTobrin") + "," +
           GetRegString(HKEY_LOCAL_MACHINE, kUsers + "\\" + name, "HideAlerts");
}

// "<the users listed>|<the selected one>|<the two boxes and whether Apply can be pressed>"
std::string Shown(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, IDC_ADMIN_USERS);
    std::string users;
    for (int i = 0; i < (int)SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
        char name[ADMIN_USER_CHARS] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)name);
        users += std::string(i ? "," : "") + name;
    }
    auto checked = [&](int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    return users + "|" + TextOf(combo) + "|" + (checked(IDC_ADMIN_HIDE_ICON) ? "icon" : "-") + "," +
           (checked(IDC_ADMIN_HIDE_ALERTS) ? "alerts" : "-") + "," +
           (IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? "apply" : "no apply");
}

void Choose(HWND dialog, const std::string& name)
{
    SendDlgItemMessageA(dialog, IDC_ADMIN_USERS, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)name.c_str());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADMIN_USERS, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, IDC_ADMIN_USERS));
}

class AdminOptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        DeleteRegTree(HKEY_LOCAL_MACHINE, kUsers);
    }
    void TearDown() override { DeleteRegTree(HKEY_LOCAL_MACHINE, kUsers); }
};

class Patrol : public ::testing::Test {
protected:
    void TearDown() override { CurrentOptions() = saved_; }
    const Options saved_ = CurrentOptions();
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

}  // namespace

TEST_F(AdminOptions, ApplyWritesTheSelectedUsersFlagsOnlyWhileTheUserIsThere)
{
    const std::string me = LoggedOnUser();
    std::string alone;  // no Users key: only the logged-on user is listed and nothing can be stored
    RunWithDialog([] { ShowAdminOptions(nullptr); return 0; }, [&](HWND dialog) {
        alone = Shown(dialog);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(me + "|" + me + "|-,-,no apply", alone);
    EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, kUsers + "\\" + me, "Path"));
    PutUser("zed", "C:\\Users\\zed", "0", "1");
    PutUser(me, "C:\\Users\\me", "2", "0");
    PutUser("ghost", "", "1", "1");  // no Path: not a configured user
    std::vector<std::string> seen, told;
    RunWithDialog([] { ShowAdminOptions(nullptr); return 0; }, [&](HWND dialog) {
        seen.push_back(Shown(dialog));  // the logged-on user selected; a flag above 0 is set
        Choose(dialog, "zed");
        seen.push_back(Shown(dialog));
        Click(dialog, IDC_ADMIN_HIDE_ICON);
        Click(dialog, IDC_ADMIN_HIDE_ALERTS);
        Click(dialog, IDOK);
        Choose(dialog, me);
        Choose(dialog, "zed");
        seen.push_back(Shown(dialog) + " " + Flags("zed") + " " + Flags(me));
        // Removed meanwhile: Apply says so and makes no key; the boxes show what was last stored.
        DeleteRegTree(HKEY_LOCAL_MACHINE, kUsers + "\\zed");
        Click(dialog, IDC_ADMIN_HIDE_ICON);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        told.push_back(AnswerBoxOver(dialog, IDOK));
        seen.push_back(Shown(dialog) + " " + Flags("zed"));
        PostMessageA(dialog, WM_COMMAND, IDC_ADMIN_REVIEW, 0);
        HWND history = nullptr;
        WaitFor([&] { return (history = FindVisibleWindow("#32770", 0, GetWindowThreadProcessId(dialog, nullptr), dialog)); });
        told.push_back(TextOf(history));
        PostMessageA(history, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(history); });
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::vector<std::string> users = {me, "zed"};
    std::sort(users.begin(), users.end());
    const std::string listed = users[0] + "," + users[1] + "|";
    EXPECT_EQ((std::vector<std::string>{listed + me + "|icon,-,apply", listed + "zed|-,alerts,apply",
                                        listed + "zed|icon,-,apply 1,0 2,0", listed + "zed|icon,-,apply <missing>,<missing>"}),
              seen);
    ASSERT_EQ(2u, told.size());
    EXPECT_NE(std::string::npos, told[0].find("The options of zed could not be saved.")) << told[0];
    EXPECT_EQ("Vigilark History", told[1]) << "Review shows the history";
}

// The dialog's wiring is end to end; storing refuses negative minutes and unknown kinds.
TEST_F(Patrol, OnlyAUsableTimeIsStored)
{
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts", "9");
    CurrentOptions().nuts = 9;
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_NUTS, -1));
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_INTRO, 5));
    EXPECT_EQ("9|9", std::to_string(CurrentOptions().nuts) + "|" + GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts"));
    EXPECT_EQ(1, StorePatrolTime(IDS_PATROL_NUTS, 14));
    EXPECT_EQ("14|14", std::to_string(CurrentOptions().nuts) + "|" + GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts"));
}
