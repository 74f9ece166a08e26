// The admin options dialog run for real in this process: the configured users, each user's
// flags applied, a user removed meanwhile, and Review, which shows the history.
#include "options/admin_options.h"
#include "options/admin_users.h"
#include "resource.h"
#include "shell_fixture.h"
#include "support/views.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace shell_fixture;

namespace {

// The program keeps its machine key in the 32-bit view.
const std::string kUsers = In32BitView(VIGILARK_USERS_KEY);

std::string LoggedOnUser()
{
    char name[ADMIN_USER_CHARS] = "";
    LoggedOnUserName(name, sizeof name);
    return name;
}

void PutUser(const std::string& name, const char* path, const char* hideTobrin, const char* hideAlerts)
{
    const std::string key = kUsers + "\\" + name;
    PutRegString(HKEY_LOCAL_MACHINE, key, "Path", path);
    PutRegString(HKEY_LOCAL_MACHINE, key, "HideTobrin", hideTobrin);
    PutRegString(HKEY_LOCAL_MACHINE, key, "HideAlerts", hideAlerts);
}

std::string Flags(const std::string& name)
{
    const std::string key = kUsers + "\\" + name;
    return GetRegString(HKEY_LOCAL_MACHINE, key, "HideTobrin") + "," + GetRegString(HKEY_LOCAL_MACHINE, key, "HideAlerts");
}

// "<the users listed> | <the selected one> | <the two boxes and whether Apply can be pressed>"
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
    HWND combo = GetDlgItem(dialog, IDC_ADMIN_USERS);
    SendMessageA(combo, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)name.c_str());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADMIN_USERS, CBN_SELCHANGE), (LPARAM)combo);
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

}  // namespace

TEST_F(AdminOptions, ApplyWritesTheSelectedUsersFlagsOnlyWhileTheUserIsThere)
{
    const std::string me = LoggedOnUser();
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
        // The user removed meanwhile: Apply says so and makes no key; the boxes go back to what
        // was last stored.
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

TEST_F(AdminOptions, WithNoUsersKeyOnlyTheLoggedOnUserIsListedAndNothingCanBeStored)
{
    std::string shown;
    RunWithDialog([] { ShowAdminOptions(nullptr); return 0; }, [&](HWND dialog) {
        shown = Shown(dialog);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(LoggedOnUser() + "|" + LoggedOnUser() + "|-,-,no apply", shown);
    EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, kUsers + "\\" + LoggedOnUser(), "Path"));
}
