// Text rules every subsystem relies on: bounded copies, string tests, paths, dates, option
// texts, win.ini program lines and wininit.ini delete lines.
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/winini.h"
#include "startup/startup_actions.h"
#include "startup/startup_locations.h"

#include <gtest/gtest.h>

namespace {

std::string Canonical(const std::string& command)
{
    char out[1024];
    CanonicalProgramPath(command.c_str(), out, sizeof out);
    return out;
}

}  // namespace

TEST(BoundedText, CopyAppendAndFormatCutAndTerminate)
{
    char small[4], buffer[8] = "abc";
    EXPECT_EQ(3u, CopyText(small, "abcdef"));
    EXPECT_STREQ("abc", small);
    EXPECT_EQ(7u, AppendText(buffer, "defghij"));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_EQ(7u, FormatText(buffer, sizeof buffer, "%d-%s", 12345, "xyz"));
    EXPECT_STREQ("12345-x", buffer);
    EXPECT_TRUE(FitsText("1234567", 8));
    EXPECT_FALSE(FitsText("12345678", 8));
    std::string text(511, 'a');  // ContainsNoCase searches texts of up to 512 characters
    EXPECT_EQ(1, ContainsNoCase((text + "Q").c_str(), "q"));
    EXPECT_EQ(0, ContainsNoCase((text + "aQ").c_str(), "Q"));
    EXPECT_EQ(0, ContainsNoCase(nullptr, "x"));
    EXPECT_EQ(600u, FindNoCase(std::string(600, 'x') + "RunDll32.EXE args", "rundll32.exe")) << "any length";
    EXPECT_EQ(std::string::npos, FindNoCase("abc", "abcd"));
}

TEST(CanonicalProgramPath, KeepsDriveToFirstProgramExtensionInUpperCase)
{
    EXPECT_EQ("C:\\X\\Y.DLL", Canonical("\\??\\c:\\x\\y.dll,Entry"));
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE", Canonical("C:\\WINDOWS\\system32\\svchost.exe -k netsvcs"));
    EXPECT_EQ("C:\\PROGRAM FILES\\MY APP\\TOOL.EXE", Canonical("C:\\Program Files\\My App\\tool.exe -x"));
    // A dot not followed by an X or L two places on does not end the path.
    EXPECT_EQ("C:\\V1.2\\APP.EXE", Canonical("c:\\v1.2\\app.exe"));
    // \SystemRoot stands for the Windows folder.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(Canonical(std::string(windows) + "\\system32\\x.exe"), Canonical("\\SystemRoot\\System32\\x.exe /a"));
}

TEST(DateText, TwelveHourClockWithoutLeadingZeroAndNeverForNoDate)
{
    char out[64];
    const std::pair<WORD, const char*> rows[] = {{0, "12:05 AM"}, {12, "12:05 PM"}, {23, "11:05 PM"}, {9, "9:05 AM"}};
    for (const auto& row : rows) {
        SYSTEMTIME time = {2005, 3, 0, 7, row.first, 5, 0, 0};
        FormatDateText(&time, out, sizeof out);
        EXPECT_EQ(std::string("03/07/2005  ") + row.second, out);
    }
    SYSTEMTIME zero = {}, created = {2026, 1, 0, 2, 3, 4, 0, 0};
    FormatDateText(&zero, out, sizeof out);
    EXPECT_STREQ("Never", out);
    FormatCreationTime(&created, out, sizeof out);
    EXPECT_STREQ("2026-01-02   03:04", out);
}

TEST(PathPieces, FileAndDirectoryPartsQuotesEqualsBackslashesAndBlanks)
{
    char out[600] = "untouched", tiny[6], path[16] = "C:\\dir", root[8] = "C:\\";
    EXPECT_EQ(0, FileNamePart("\\app.exe", out, sizeof out)) << "a leading backslash does not count";
    EXPECT_STREQ("untouched", out);
    EXPECT_EQ(7, FileNamePart("C:\\dir\\app.exe", out, sizeof out));
    EXPECT_STREQ("app.exe", out);
    EXPECT_EQ(7, FileNameOffset("C:\\dir\\app.exe"));
    EXPECT_EQ(0, FileNameOffset("app.exe"));
    EXPECT_EQ(6, DirectoryPart("C:\\dir\\app.exe", out, sizeof out));
    EXPECT_STREQ("C:\\dir", out);
    EXPECT_EQ(0, DirectoryPart(std::string(260, 'a').c_str(), out, sizeof out));
    StripQuotes("\"C:\\Program Files\\a.exe\" /min", out, sizeof out);
    EXPECT_STREQ("C:\\Program Files\\a.exe /min", out);
    StripQuotes(std::string(600, 'x').c_str(), out, sizeof out);
    EXPECT_EQ(511u, strlen(out));
    ColonForEquals("a=b=c", out, sizeof out);
    EXPECT_STREQ("a:b:c", out);
    AddBackslash(path, sizeof path);
    AddBackslash(path, sizeof path);
    EXPECT_STREQ("C:\\dir\\", path);
    RemoveBackslash(path, 1);
    RemoveBackslash(root, 1);
    EXPECT_EQ("C:\\dir C:\\", std::string(path) + " " + root) << "a drive's root keeps its backslash";
    RemoveBackslash(root, 0);
    EXPECT_STREQ("C:", root);
    EXPECT_EQ(17, EscapeSpaces("Big Soft Inc.", out, sizeof out));
    EXPECT_STREQ("Big%20Soft%20Inc.", out);
    EscapeSpaces("a b c", tiny, sizeof tiny);
    EXPECT_STREQ("a%20b", tiny) << "never splits a %20";
}

TEST(OptionText, LeadingNumberOrDefaultSaturatedAtTheRangeOfInt)
{
    const struct {
        const char* text;
        int expected;
    } rows[] = {
        {"42abc", 42}, {"abc", 0}, {"", 7}, {nullptr, 7}, {" \t-12", -12}, {"+3", 3}, {"- 3", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        // Values edited by hand beyond an int: saturated, never wrapped into a small number.
        {"2147483648", 2147483647}, {"4294967297", 2147483647}, {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const auto& row : rows) EXPECT_EQ(row.expected, ParseOptionText(row.text, 7)) << (row.text ? row.text : "null");
}

TEST(WinIniLines, PiecesAreTrimmedAndRemovingOneKeepsTheOthersWithSeparators)
{
    EXPECT_EQ((std::vector<std::string>{"a.exe", "b.exe", "\"C:\\P F\\c.exe\" -x"}),
              SplitWinIniLine("a.exe;; b.exe ;\"C:\\P F\\c.exe\" -x;"));
    EXPECT_TRUE(SplitWinIniLine(" ; ;").empty());
    EXPECT_EQ("b.exe;", WinIniLineWithout("a.exe;b.exe", "A.EXE"));
    EXPECT_EQ("", WinIniLineWithout("a.exe", "a.exe"));
    EXPECT_EQ("a.exe;b.exe;", WinIniLineWithout("a.exe;;b.exe", "c.exe"));
    std::string longLine;
    for (int i = 0; i < 200; ++i) longLine += "C:\\programs\\tool" + std::to_string(i) + ".exe;";
    std::string without = longLine;
    without.erase(without.find("C:\\programs\\tool150.exe;"), 24);
    EXPECT_EQ(without, WinIniLineWithout(longLine, "C:\\programs\\tool150.exe"));
}

TEST(WinInitText, DeleteLineGoesIntoTheRenameSection)
{
    const std::pair<std::string, std::string> rows[] = {
        {"", "[rename]\r\nNUL=C:\\X.EXE\r\n"},
        {"; note\r\nother=1", "; note\r\nother=1\r\n[rename]\r\nNUL=C:\\X.EXE\r\n"},
        {"[Misc]\r\na=b\r\n[Rename]\r\nC:\\NEW.TXT=C:\\OLD.TXT\r\n[After]\r\n",
         "[Misc]\r\na=b\r\n[Rename]\r\nNUL=C:\\X.EXE\r\nC:\\NEW.TXT=C:\\OLD.TXT\r\n[After]\r\n"},
        {" [rename] \nNUL=C:\\Y.EXE\n", " [rename] \nNUL=C:\\X.EXE\r\nNUL=C:\\Y.EXE\n"},
        {"[rename]", "[rename]\r\nNUL=C:\\X.EXE\r\n"}};
    for (const auto& row : rows) EXPECT_EQ(row.second, WinInitWithDeleteLine(row.first, "C:\\X.EXE")) << row.first;
}
