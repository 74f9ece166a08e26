// The HOSTS file's place and lock, and the restart commands of wininit.ini.
#include "options/system_files.h"
#include "resource.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

std::string WindowsFilePath(const char* name)
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

// Keeps the prefix's own HOSTS file and restores it afterwards.
class HostsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        HostsPath(path, sizeof path);
        path_ = path;
        attributes_ = GetFileAttributesA(path_.c_str());
        if (attributes_ != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
            saved_ = ReadWholeFile(path_);
        }
    }
    void TearDown() override
    {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes_ == INVALID_FILE_ATTRIBUTES) {
            DeleteFileA(path_.c_str());
        } else {
            WriteWholeFile(path_, saved_);
            SetFileAttributesA(path_.c_str(), attributes_);
        }
    }
    std::string path_;
    std::string saved_;
    DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
};

}  // namespace

TEST_F(HostsFile, LivesInTheDriversFolderOnTheNtFamily)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(std::string(system) + "\\drivers\\etc\\HOSTS", path_);
}

TEST_F(HostsFile, LockIsTheReadOnlyAttributeAndKeepsTheOthers)
{
    ASSERT_TRUE(WriteWholeFile(path_, "127.0.0.1 localhost\r\n"));
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(0, HostsLock(HOSTS_QUERY));
    EXPECT_EQ(1, HostsLock(HOSTS_LOCK));
    EXPECT_EQ(1, HostsLock(HOSTS_QUERY));
    DWORD attributes = GetFileAttributesA(path_.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(0, HostsLock(HOSTS_UNLOCK));
    EXPECT_EQ(0, HostsLock(HOSTS_QUERY));
    EXPECT_TRUE(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(HostsFile, MissingFileChangesNothing)
{
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
    EXPECT_EQ(HOSTS_MISSING, HostsLock(HOSTS_QUERY));
    EXPECT_EQ(HOSTS_MISSING, HostsLock(HOSTS_LOCK));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
}

TEST(RestartCommands, NothingWithoutTheRestartProgram)
{
    // Like the NT family, the test prefix has no wininit.exe: nothing is pending or shown.
    std::string program = WindowsFilePath("wininit.exe");
    DeleteFileA(program.c_str());
    ASSERT_TRUE(WriteWholeFile(WindowsFilePath("wininit.ini"), "NUL=C:\\X.EXE\r\n"));
    EXPECT_EQ(0, ShowRestartCommands(true));
    EXPECT_EQ(0, ShowRestartCommands(false));
    DeleteFileA(WindowsFilePath("wininit.ini").c_str());
}

TEST(RestartCommands, PendingCommandsAreShownAndCanBeDeleted)
{
    std::string program = WindowsFilePath("wininit.exe");
    std::string file = WindowsFilePath("wininit.ini");
    ASSERT_TRUE(WriteWholeFile(program, "MZ"));
    ASSERT_TRUE(WriteWholeFile(file, ""));
    EXPECT_EQ(0, ShowRestartCommands(true));  // an empty file holds no commands

    ASSERT_TRUE(WriteWholeFile(file, "[rename]\nNUL=C:\\BAD.EXE\n"));
    EXPECT_EQ(1, ShowRestartCommands(true));
    EXPECT_TRUE(GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES);

    std::string shown;
    std::string caption;
    std::thread user([&] {
        HWND viewer = nullptr;
        WaitFor([&] { return (viewer = FindWindowA("#32770", "Vigilark - Windows Restart Commands")) != nullptr; });
        if (!viewer) return;
        char text[256] = "";
        GetDlgItemTextA(viewer, IDC_WININIT_TEXT, text, sizeof text);
        shown = text;
        GetWindowTextA(viewer, text, sizeof text);
        caption = text;
        PostMessageA(viewer, WM_COMMAND, IDC_WININIT_DELETE, 0);
    });
    EXPECT_EQ(1, ShowRestartCommands(false));
    user.join();
    EXPECT_EQ("[rename]\r\nNUL=C:\\BAD.EXE\r\n", shown);  // line feeds are shown as line breaks
    EXPECT_EQ("Vigilark - Windows Restart Commands", caption);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
    DeleteFileA(program.c_str());
}
