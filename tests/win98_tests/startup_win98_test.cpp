// The Windows 95 family's process walk through Tool Help. Wine reports Windows 98 to this test
// program.
#include "foundations/entries.h"
#include "processes/processes.h"
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
