// The Windows 95 family paths of the startup slice: the Tool Help process walk and the
// "NUL=" lines of wininit.ini. Wine reports Windows 98 to this test program.
#include "foundations/entries.h"
#include "processes/processes.h"
#include "startup/startup_actions.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void PutFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && lstrcmpiA(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

struct Seen {
    bool self = false;
    std::string path;
};

bool FindSelf(DWORD id, WORD task, const char* path, void* context)
{
    Seen* seen = static_cast<Seen*>(context);
    EXPECT_EQ(0, task);
    if (id == GetCurrentProcessId()) {
        seen->self = true;
        seen->path = path;
    }
    return true;
}

}  // namespace

TEST(Windows98, WineReportsTheWindows95Family)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ((DWORD)VER_PLATFORM_WIN32_WINDOWS, version.dwPlatformId);
    EXPECT_EQ(4u, version.dwMajorVersion);
    EXPECT_EQ(10u, version.dwMinorVersion);
}

TEST(Windows98, ToolHelpWalkFindsThisProgram)
{
    Seen seen;
    ASSERT_TRUE(EnumerateProcesses(FindSelf, &seen));
    ASSERT_TRUE(seen.self);
    // Wine: Tool Help gives the bare file name where Windows 98 gives the full path.
    EXPECT_TRUE(EndsWithNoCase(seen.path, "win98_tests.exe")) << seen.path;
    EXPECT_TRUE(IsProgramRunning("WIN98_TESTS.EXE"));
    EXPECT_FALSE(IsProgramRunning("no_such_program_98.exe"));

    int count = BuildTaskList();
    bool listed = false;
    for (int i = 0; i < count; ++i) {
        char path[ENTRY_PATH_CHARS];
        GetEntryPath(i, path);
        listed = listed || EndsWithNoCase(path, "WIN98_TESTS.EXE");
        EXPECT_EQ(KIND_INFO_TASK, GetEntryKind(i));
    }
    EXPECT_TRUE(listed);
    FreeEntries();
}

TEST(Windows98, DeleteAtRestartWritesARenameLineAndKeepsTheFile)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string wininit = std::string(windows) + "\\wininit.ini";
    bool existed = GetFileAttributesA(wininit.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::string before = existed ? FileText(wininit) : std::string();

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string doomed = std::string(temp) + "vgk doomed file.txt";
    PutFile(doomed, "x");
    char shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(doomed.c_str(), shortPath, sizeof shortPath), 0u);

    PutFile(wininit, "[Misc]\r\na=b\r\n");
    EXPECT_EQ(1, DeleteFileOnRestart(doomed.c_str()));
    EXPECT_EQ("[Misc]\r\na=b\r\n[rename]\r\nNUL=" + std::string(shortPath) + "\r\n", FileText(wininit));
    EXPECT_EQ(1, DeleteFileOnRestart(doomed.c_str()));
    EXPECT_EQ("[Misc]\r\na=b\r\n[rename]\r\nNUL=" + std::string(shortPath) + "\r\nNUL=" + shortPath + "\r\n",
              FileText(wininit));

    DeleteFileA(doomed.c_str());
    std::string now = FileText(wininit);
    EXPECT_EQ(0, DeleteFileOnRestart(doomed.c_str())) << "a missing file cannot be scheduled";
    EXPECT_EQ(now, FileText(wininit));

    if (existed)
        PutFile(wininit, before);
    else
        DeleteFileA(wininit.c_str());
}
