// The Options subject without its page: the monitor's per-user options in the machine's
// registry, and the switches behind the page's check boxes.
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "options/admin_users.h"
#include "options/option_switches.h"
#include "options/sound.h"
#include "options/system_files.h"
#include "resource.h"
#include "support/testing.h"

#include <gtest/gtest.h>

namespace {

const char kUsersKey[] = VIGILARK_USERS_KEY;

class AdminUsers : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegTree(HKEY_LOCAL_MACHINE, kUsersKey); }
    void TearDown() override { DeleteRegTree(HKEY_LOCAL_MACHINE, kUsersKey); }
    static void Put(const std::string& name, const char* value, const char* text)
    {
        PutRegString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\" + name, value, text);
    }
};

}  // namespace

TEST_F(AdminUsers, OnlyUsersWithAPathAreReadAndTheirFlagsAreDecimalText)
{
    struct Row {
        std::string name;
        const char* path;
        const char* hideTobrin;  // nullptr: missing
        const char* hideAlerts;
        const char* read;        // "tobrin,alerts", or nullptr when the user is not listed
    };
    const Row rows[] = {
        {"ann", "C:\\ann", "1", "0", "1,0"},
        {"bob", "C:\\bob", "12abc", "x", "12,0"},
        {"cy", "C:\\cy", nullptr, nullptr, "0,0"},
        {"dee", "", "1", "1", nullptr},            // empty Path: not configured
        {"eve", nullptr, "1", "1", nullptr},       // no Path at all
    };
    for (const Row& row : rows) {
        std::string key = std::string(kUsersKey) + "\\" + row.name;
        CreateRegKey(HKEY_LOCAL_MACHINE, key.c_str());
        if (row.path) Put(row.name, "Path", row.path);
        if (row.hideTobrin) Put(row.name, "HideTobrin", row.hideTobrin);
        if (row.hideAlerts) Put(row.name, "HideAlerts", row.hideAlerts);
    }
    std::vector<AdminUser> users;
    ReadAdminUsers(users);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.substr(0, 8));
        const AdminUser* found = nullptr;
        for (const AdminUser& user : users)
            if (row.name == user.name) found = &user;
        if (!row.read) {
            EXPECT_EQ(nullptr, found);
            continue;
        }
        ASSERT_NE(nullptr, found);
        EXPECT_EQ(row.read, std::to_string(found->hideTobrin) + "," + std::to_string(found->hideAlerts));
        EXPECT_STREQ(row.path, found->path);
    }
}

TEST_F(AdminUsers, WritingNeverMakesAUsersKey)
{
    Put("ann", "Path", "C:\\ann");
    std::vector<AdminUser> users;
    ASSERT_EQ(1, ReadAdminUsers(users));
    EXPECT_EQ(1, WriteAdminUserFlags(users[0], true, false));
    EXPECT_EQ("1", GetRegString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\ann", "HideTobrin"));
    EXPECT_EQ("0", GetRegString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\ann", "HideAlerts"));
    EXPECT_EQ(1, users[0].hideTobrin);

    DeleteRegTree(HKEY_LOCAL_MACHINE, kUsersKey);
    EXPECT_EQ(0, WriteAdminUserFlags(users[0], false, true));
    EXPECT_EQ(1, users[0].hideTobrin) << "the record keeps what is known to be stored";
    EXPECT_EQ(0, users[0].hideAlerts);
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, (std::string(kUsersKey) + "\\ann").c_str(), "HideAlerts"));
}

namespace {

// Puts the console's copy of the settings back after the test.
class KeepsOptions : public ::testing::Test {
protected:
    void TearDown() override { CurrentOptions() = saved_; }
    const Options saved_ = CurrentOptions();
};

class Switches : public KeepsOptions {
protected:
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

}  // namespace

TEST_F(Switches, EachSwitchIsItsSettingAndEveryChangeWritesAllSettings)
{
    struct Row {
        int control;
        const char* setting;
        int Options::*value;
        int stored;    // in the console's copy before the change
        bool shown;    // what the box shows for it
    };
    const Row rows[] = {
        {IDC_PLAY_SOUNDS, "Sound", &Options::sound, -1, true},  // non-zero is on
        {IDC_TRACK_HISTORY, "History", &Options::history, -1, false},  // above zero is on
        {IDC_CONFIRM_EXIT, "ConfirmExit", &Options::confirmExit, 4, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.setting);
        CurrentOptions().*row.value = row.stored;
        EXPECT_EQ(row.shown, OptionSwitchOn(row.control));
        CurrentOptions().start = 13;
        EXPECT_EQ(!row.shown, SetOptionSwitch(row.control, !row.shown));
        EXPECT_EQ(row.shown ? 0 : 1, CurrentOptions().*row.value);
        EXPECT_EQ(row.shown ? "0" : "1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, row.setting));
        EXPECT_EQ("13", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start"));
    }
    EXPECT_FALSE(IsOptionSwitch(IDC_VIEW_HOSTS));
}

TEST_F(Switches, TheLockFollowsTheWishAndAMissingHostsFileIsNeitherLockedNorLockable)
{
    char path[MAX_PATH];
    HostsPath(path, sizeof path);
    DWORD attributes = GetFileAttributesA(path);
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    std::string saved = ReadWholeFile(path);
    ASSERT_TRUE(WriteWholeFile(path, "127.0.0.1 localhost\r\n"));

    // A wish that is already the file's state leaves it so (no flip).
    SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(SetOptionSwitch(IDC_LOCK_HOSTS, true));
    EXPECT_TRUE(GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SetOptionSwitch(IDC_LOCK_HOSTS, false));
    EXPECT_FALSE(SetOptionSwitch(IDC_LOCK_HOSTS, false));
    EXPECT_FALSE(GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(OptionSwitchAvailable(IDC_LOCK_HOSTS));

    DeleteFileA(path);
    EXPECT_FALSE(OptionSwitchOn(IDC_LOCK_HOSTS));
    EXPECT_FALSE(OptionSwitchAvailable(IDC_LOCK_HOSTS));
    EXPECT_FALSE(SetOptionSwitch(IDC_LOCK_HOSTS, true));
    EXPECT_FALSE(Exists(path));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        WriteWholeFile(path, saved);
        SetFileAttributesA(path, attributes);
    }
}

namespace {

const char kSoundEvents[] = "AppEvents\\Schemes\\Apps\\Vigilark";

class Sounds : public KeepsOptions {
protected:
    SavedKey events_{HKEY_CURRENT_USER, kSoundEvents};
};

}  // namespace

TEST_F(Sounds, EachEventNamesItsOwnWaveAndAMissingOneMeansTheBuiltInSound)
{
    DeleteRegTree(HKEY_CURRENT_USER, kSoundEvents);
    PutRegString(HKEY_CURRENT_USER, std::string(kSoundEvents) + "\\Open\\.current", "", "C:\\open.wav");
    PutRegString(HKEY_CURRENT_USER, std::string(kSoundEvents) + "\\Task Alert\\.current", "", "C:\\task.wav");
    CreateRegKey(HKEY_CURRENT_USER, (std::string(kSoundEvents) + "\\Cookie Alert\\.current").c_str());
    struct Row {
        int index;
        const char* file;  // "" plays wave resource 113
    };
    const Row rows[] = {
        {SOUND_OPEN, "C:\\open.wav"},
        {SOUND_STARTUP_ALERT, ""},  // no key at all
        {SOUND_COOKIE_ALERT, ""},   // a key without its value
        {SOUND_TASK_ALERT, "C:\\task.wav"},
        {4, "C:\\open.wav"},      // past the last event: the first
        {-1, "C:\\open.wav"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        char file[260] = "stale";
        EXPECT_EQ((int)strlen(row.file), SoundEventFile(row.index, file, sizeof file));
        EXPECT_STREQ(row.file, file);
    }
}

TEST_F(Sounds, WithSoundsOffNothingPlaysAndTheEventIsReturned)
{
    struct Row {
        int sound;
        int index;
        int returned;
    };
    const Row rows[] = {{0, SOUND_TASK_ALERT, SOUND_TASK_ALERT}, {-2, SOUND_COOKIE_ALERT, SOUND_COOKIE_ALERT}, {0, 9, SOUND_OPEN}};
    for (const Row& row : rows) {
        CurrentOptions().sound = row.sound;
        EXPECT_EQ(row.returned, PlaySoundEvent(row.index)) << row.sound << "," << row.index;
    }
}
