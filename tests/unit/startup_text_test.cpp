// Text rules of the startup slice: the display form of commands, the win.ini program
// lines, and the restart file's delete lines.
#include "startup/startup_actions.h"
#include "startup/startup_locations.h"

#include "foundations/entries.h"

#include <gtest/gtest.h>

TEST(StartupText, DisplayCommandDropsQuotesAndCutsToTheField)
{
    EXPECT_EQ("C:\\Program Files\\App\\app.exe /min", DisplayCommand("\"C:\\Program Files\\App\\app.exe\" /min"));
    std::string longCommand = "C:\\x.exe " + std::string(400, 'a');
    EXPECT_EQ(longCommand.substr(0, ENTRY_PATH_CHARS - 1), DisplayCommand(longCommand));
    EXPECT_EQ(std::string(127, 'n'), DisplayTitle(std::string(200, 'n')));
    EXPECT_EQ("short", DisplayTitle("short"));
}

TEST(StartupText, WinIniLinesSplitIntoTrimmedPieces)
{
    std::vector<std::string> pieces = SplitWinIniLine("a.exe;; b.exe ;\"C:\\P F\\c.exe\" -x;");
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ("a.exe", pieces[0]);
    EXPECT_EQ("b.exe", pieces[1]);
    EXPECT_EQ("\"C:\\P F\\c.exe\" -x", pieces[2]);
    EXPECT_TRUE(SplitWinIniLine("").empty());
    EXPECT_TRUE(SplitWinIniLine(" ; ;").empty());
}

TEST(StartupText, FindNoCaseOnTextsOfAnyLength)
{
    std::string text = std::string(600, 'x') + "RunDll32.EXE args";
    EXPECT_EQ(600u, FindNoCase(text, "rundll32.exe"));
    EXPECT_EQ(std::string::npos, FindNoCase("abc", "abcd"));
    EXPECT_EQ(std::string::npos, FindNoCase("abc", ""));
}

TEST(StartupText, KindsAndTheirPlaces)
{
    char path[MAX_PATH];
    ASSERT_TRUE(RunKeyPath(13, path, sizeof path));
    EXPECT_STREQ("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", path);
    EXPECT_FALSE(RunKeyPath(100, path, sizeof path));
    EXPECT_EQ(HKEY_USERS, RunKindHive(25));
    EXPECT_TRUE(IsOwnRunKind(15));
    EXPECT_FALSE(IsOwnRunKind(21));
    EXPECT_TRUE(IsOtherUserKind(21));
    EXPECT_FALSE(IsRunKind(6));
    EXPECT_STREQ("load", WinIniLineName(KIND_WIN_LOAD));
    EXPECT_EQ(nullptr, WinIniLineName(KIND_GROUP_STARTUP));
}

TEST(WinInitText, DeleteLineGoesIntoTheRenameSection)
{
    EXPECT_EQ("[rename]\r\nNUL=C:\\BAD~1.EXE\r\n", WinInitWithDeleteLine("", "C:\\BAD~1.EXE"));
    EXPECT_EQ("; note\r\nother=1\r\n[rename]\r\nNUL=C:\\X.EXE\r\n",
              WinInitWithDeleteLine("; note\r\nother=1", "C:\\X.EXE"));
    const std::string before = "[Misc]\r\na=b\r\n[Rename]\r\nC:\\NEW.TXT=C:\\OLD.TXT\r\n[After]\r\n";
    EXPECT_EQ("[Misc]\r\na=b\r\n[Rename]\r\nNUL=C:\\X.EXE\r\nC:\\NEW.TXT=C:\\OLD.TXT\r\n[After]\r\n",
              WinInitWithDeleteLine(before, "C:\\X.EXE"));
    EXPECT_EQ(" [rename] \nNUL=C:\\X.EXE\r\nNUL=C:\\Y.EXE\n",
              WinInitWithDeleteLine(" [rename] \nNUL=C:\\Y.EXE\n", "C:\\X.EXE"));
    EXPECT_EQ("[rename]\r\nNUL=C:\\X.EXE\r\n", WinInitWithDeleteLine("[rename]", "C:\\X.EXE"));
}
