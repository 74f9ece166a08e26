// The Windows 95 family paths: the Tool Help process walk, the "NUL=" lines of wininit.ini and
// the HOSTS file's place. Wine reports Windows 98 to this test program.
#include "foundations/entries.h"
#include "options/system_files.h"
#include "processes/processes.h"
#include "startup/startup_actions.h"
#include "support/testing.h"

#include <gtest/gtest.h>

TEST(Windows98, ToolHelpWalkFindsThisProgram)
{
    ASSERT_GE(GetVersion(), 0x80000000u) << "the Windows 95 family, as the test bed has Wine report";
    std::string self;
    ASSERT_TRUE(EnumerateProcesses(
        [](DWORD id, WORD task, const char* path, void* context) {
            EXPECT_EQ(0, task);
            if (id == GetCurrentProcessId()) *static_cast<std::string*>(context) = path;
            return true;
        },
        &self));
    // Wine: Tool Help gives the bare file name where Windows 98 gives the full path.
    EXPECT_EQ(0, lstrcmpiA("win98_tests.exe", self.substr(self.find_last_of('\\') + 1).c_str())) << self;
    EXPECT_TRUE(IsProgramRunning("WIN98_TESTS.EXE"));
    EXPECT_FALSE(IsProgramRunning("no_such_program_98.exe"));
    int listed = 0;
    for (int i = 0, count = BuildTaskList(); i < count; ++i) {
        char path[ENTRY_PATH_CHARS];
        GetEntryPath(i, path);
        listed += strstr(CharUpperA(path), "WIN98_TESTS.EXE") != nullptr;
    }
    EXPECT_EQ(1, listed);
    FreeEntries();
}

TEST(Windows98, DeleteAtRestartWritesARenameLineAndKeepsTheFileAndTheHostsFileIsTheWindowsFoldersOwn)
{
    char windows[MAX_PATH], shortPath[MAX_PATH], hosts[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ((int)strlen(windows) + 6, HostsPath(hosts, sizeof hosts));
    EXPECT_EQ(std::string(windows) + "\\HOSTS", hosts);
    std::string wininit = std::string(windows) + "\\wininit.ini", doomed = TempPath("vgk doomed file.txt");
    bool existed = Exists(wininit);
    std::string before = ReadWholeFile(wininit);
    WriteWholeFile(doomed, "x");
    ASSERT_GT(GetShortPathNameA(doomed.c_str(), shortPath, sizeof shortPath), 0u);
    WriteWholeFile(wininit, "[Misc]\r\na=b\r\n");
    std::string line = std::string("NUL=") + shortPath + "\r\n";
    EXPECT_EQ(1, DeleteFileOnRestart(doomed.c_str()));
    EXPECT_EQ(1, DeleteFileOnRestart(doomed.c_str()));
    EXPECT_EQ("[Misc]\r\na=b\r\n[rename]\r\n" + line + line, ReadWholeFile(wininit));
    EXPECT_TRUE(Exists(doomed));
    DeleteFileA(doomed.c_str());
    EXPECT_EQ(0, DeleteFileOnRestart(doomed.c_str())) << "a missing file cannot be scheduled";
    EXPECT_EQ("[Misc]\r\na=b\r\n[rename]\r\n" + line + line, ReadWholeFile(wininit));
    if (existed)
        WriteWholeFile(wininit, before);
    else
        DeleteFileA(wininit.c_str());
}
