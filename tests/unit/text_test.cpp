// Text rules every subsystem relies on: bounded copies, string tests, program paths, dates,
// option texts, usable format texts, win.ini program lines and wininit.ini delete lines.
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/winini.h"
#include "startup/startup_actions.h"
#include "startup/startup_locations.h"

#include <gtest/gtest.h>

TEST(BoundedText, CopyAppendAndFormatCutAndTerminate)
{
    char small[4], buffer[8] = "abc";
    auto result = [](size_t length, const char* text) { return std::to_string(length) + " " + text; };
    EXPECT_EQ("3 abc", result(CopyText(small, "abcdef"), small));
    EXPECT_EQ("7 abcdefg", result(AppendText(buffer, "defghij"), buffer));
    EXPECT_EQ("7 12345-x", result(FormatText(buffer, sizeof buffer, "%d-%s", 12345, "xyz"), buffer));
    EXPECT_TRUE(FitsText("1234567", 8));
    EXPECT_FALSE(FitsText("12345678", 8));
    std::string text(511, 'a');  // ContainsNoCase searches texts of up to 512 characters
    EXPECT_EQ(1, ContainsNoCase((text + "Q").c_str(), "q"));
    EXPECT_EQ(0, ContainsNoCase((text + "aQ").c_str(), "Q"));
    EXPECT_EQ(0, ContainsNoCase(nullptr, "x"));
    EXPECT_EQ(600u, FindNoCase(std::string(600, 'x') + "RunDll32.EXE args", "rundll32.exe")) << "any length";
    EXPECT_EQ(std::string::npos, FindNoCase("abc", "abcd"));
}

// The program path ends after the first program extension; the Windows folder stands in for a
// SystemRoot name only where Windows reads one: at the start of a command.
TEST(CanonicalProgramPath, DriveToFirstProgramExtensionInUpperCase)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    CharUpperA(windows);
    const std::string system = std::string(windows) + "\\SYSTEM32\\X.EXE";
    const std::pair<const char*, std::string> rows[] = {
        {"\\??\\c:\\x\\y.dll,Entry", "C:\\X\\Y.DLL"},
        {"C:\\Program Files\\My App\\tool.exe -x", "C:\\PROGRAM FILES\\MY APP\\TOOL.EXE"},
        {"c:\\v1.2\\app.exe", "C:\\V1.2\\APP.EXE"},  // a dot not followed by an X or L two places on
        {"\\SystemRoot\\System32\\x.exe /a", system}, {"SystemRoot\\system32\\x.exe", system},
        {"\"%systemroot%\\System32\\x.exe\" -k", system},
        // The name elsewhere is an argument or a folder of its own.
        {"C:\\x\\System32\\winlogon.exe SYSTEMROOT", "C:\\X\\SYSTEM32\\WINLOGON.EXE"},
        {"C:\\Tools\\SystemRoot\\x.exe", "C:\\TOOLS\\SYSTEMROOT\\X.EXE"},
        {"C:\\x.exe %SystemRoot%\\y.dll", "C:\\X.EXE"}, {"SystemRootless\\x.exe", "SYSTEMROOTLESS\\X.EXE"},
    };
    char out[1024];
    for (const auto& row : rows) {
        CanonicalProgramPath(row.first, out, sizeof out);
        EXPECT_EQ(row.second, out) << row.first;
    }
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
    auto result = [&out](int length) { return std::to_string(length) + " " + out; };  // called after the call it reads
    EXPECT_EQ("0 untouched", result(FileNamePart("\\app.exe", out, sizeof out))) << "a leading backslash does not count";
    EXPECT_EQ("7 app.exe", result(FileNamePart("C:\\dir\\app.exe", out, sizeof out)));
    EXPECT_EQ(7, FileNameOffset("C:\\dir\\app.exe"));
    EXPECT_EQ(0, FileNameOffset("app.exe"));
    EXPECT_EQ("6 C:\\dir", result(DirectoryPart("C:\\dir\\app.exe", out, sizeof out)));
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
    EXPECT_EQ("17 Big%20Soft%20Inc.", result(EscapeSpaces("Big Soft Inc.", out, sizeof out)));
    EscapeSpaces("a b c", tiny, sizeof tiny);
    EXPECT_STREQ("a%20b", tiny) << "never splits a %20";
}

TEST(OptionText, LeadingNumberOrDefaultSaturatedAtTheRangeOfInt)
{
    const struct { const char* text; int expected; } rows[] = {
        {"42abc", 42}, {"abc", 0}, {"", 7}, {nullptr, 7}, {" \t-12", -12}, {"+3", 3}, {"- 3", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        // Values edited by hand beyond an int: saturated, never wrapped into a small number.
        {"2147483648", 2147483647}, {"4294967297", 2147483647}, {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const auto& row : rows) EXPECT_EQ(row.expected, ParseOptionText(row.text, 7)) << (row.text ? row.text : "null");
}

// Which texts may be used as a printf format for the arguments a caller has.
TEST(FormatDirectivesAre, OnlyTheExpectedConversionsInOrder)
{
    const struct { const char* text; const char* conversions; bool usable; } kRows[] = {
        {"You have chosen to remove %s", "s", true}, {"no directive at all", "", true},
        {"100%% sure: %s", "s", true}, {"%-20s|%5.2d", "sd", true},
        {"%s and %d", "ds", false},           // order matters
        {"no directive at all", "s", false},  // an argument nobody prints is a sign of a wrong text
        {"%s %s %s %s %s %s %s %s %s %s %s %s", "s", false},
        {"%n", "s", false},                   // writes through an argument
        {"ends in a lone %", "", false},
        {"%*s", "s", false}, {"%.*s", "s", false},  // take a width argument
        {"%ls", "s", false}, {"%lld", "d", false},  // length modifiers change the argument type
        {"%1$s", "s", false}, {"%p", "s", false},
        {"%9999s", "s", false}, {"%.9999s", "s", false},  // a width that large is no text of ours
    };
    for (const auto& row : kRows) EXPECT_EQ(row.usable, FormatDirectivesAre(row.text, row.conversions)) << row.text;
    EXPECT_FALSE(FormatDirectivesAre(nullptr, "s"));
}

TEST(IniText, WinIniPiecesAreTrimmedAndTheWinInitDeleteLineGoesIntoTheRenameSection)
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
    const std::pair<std::string, std::string> rows[] = {
        {"", "[rename]\r\nNUL=C:\\X.EXE\r\n"},
        {"; note\r\nother=1", "; note\r\nother=1\r\n[rename]\r\nNUL=C:\\X.EXE\r\n"},
        {"[Misc]\r\na=b\r\n[Rename]\r\nC:\\NEW.TXT=C:\\OLD.TXT\r\n[After]\r\n",
         "[Misc]\r\na=b\r\n[Rename]\r\nNUL=C:\\X.EXE\r\nC:\\NEW.TXT=C:\\OLD.TXT\r\n[After]\r\n"},
        {" [rename] \nNUL=C:\\Y.EXE\n", " [rename] \nNUL=C:\\X.EXE\r\nNUL=C:\\Y.EXE\n"},
        {"[rename]", "[rename]\r\nNUL=C:\\X.EXE\r\n"}};
    for (const auto& row : rows) EXPECT_EQ(row.second, WinInitWithDeleteLine(row.first, "C:\\X.EXE")) << row.first;
}
