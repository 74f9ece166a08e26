// The monitor's per-user options (see admin_users.h).
#include "options/admin_users.h"

#include "foundations/handles.h"
#include "foundations/settings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"

#include <cstring>

namespace {

int FlagOf(HKEY key, const char* name)
{
    std::string text;
    return ReadRegText(key, name, text) ? ParseOptionText(text.c_str(), 0) : 0;
}

bool ReadAdminUser(HKEY users, const char* name, AdminUser* out)
{
    RegKey key;
    if (key.Open(users, name, KEY_READ) != ERROR_SUCCESS) return false;
    std::string path;
    if (!ReadRegText(key.get(), "Path", path) || path.empty()) return false;
    if (!FitsText(path.c_str(), sizeof out->path) || !FitsText(name, sizeof out->name)) return false;
    CopyText(out->path, path.c_str());
    CopyText(out->name, name);
    out->hideTobrin = FlagOf(key.get(), "HideTobrin");
    out->hideAlerts = FlagOf(key.get(), "HideAlerts");
    return true;
}

}  // namespace

int ReadAdminUsers(std::vector<AdminUser>& users)
{
    users.clear();
    RegKey key;
    if (key.Open(ProgramMachineRoot(), VIGILARK_USERS_KEY, KEY_READ) != ERROR_SUCCESS) return 0;
    for (DWORD index = 0;; ++index) {
        char name[ADMIN_KEY_NAME_CHARS];
        DWORD length = sizeof name;
        LONG result = RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;  // a name too long for the list
        if (result != ERROR_SUCCESS) break;
        AdminUser user = {};
        if (ReadAdminUser(key.get(), name, &user)) users.push_back(user);
    }
    return (int)users.size();
}

int WriteAdminUserFlags(AdminUser& user, bool hideTobrin, bool hideAlerts)
{
    char subkey[sizeof VIGILARK_USERS_KEY + ADMIN_USER_CHARS];
    FormatText(subkey, sizeof subkey, "%s\\%s", VIGILARK_USERS_KEY, user.name);
    // SetRegString never creates the key: a user removed meanwhile stays removed.
    bool icon = SetRegString(ProgramMachineRoot(), subkey, "HideTobrin", hideTobrin ? "1" : "0") != 0;
    bool alerts = SetRegString(ProgramMachineRoot(), subkey, "HideAlerts", hideAlerts ? "1" : "0") != 0;
    if (icon) user.hideTobrin = hideTobrin ? 1 : 0;
    if (alerts) user.hideAlerts = hideAlerts ? 1 : 0;
    return icon && alerts;
}

int LoggedOnUserName(char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    // Looked up at run time, so the static imports stay within the checked list.
    typedef BOOL(WINAPI * GetUserNameFn)(LPSTR, LPDWORD);
    ScopedLibrary advapi("advapi32.dll");
    GetUserNameFn getUserName = advapi.Proc<GetUserNameFn>("GetUserNameA");
    DWORD length = (DWORD)capacity;
    if (!getUserName || !getUserName(out, &length)) {
        out[0] = '\0';
        return 0;
    }
    return (int)strlen(out);
}

void LoggedOnUserFlags(int* hideTobrin, int* hideAlerts)
{
    *hideTobrin = 0;
    *hideAlerts = 0;
    char name[ADMIN_USER_CHARS];
    if (LoggedOnUserName(name, sizeof name) == 0) return;
    std::vector<AdminUser> users;
    ReadAdminUsers(users);
    for (const AdminUser& user : users)
        if (SameText(user.name, name)) {
            *hideTobrin = user.hideTobrin;
            *hideAlerts = user.hideAlerts;
        }
}
