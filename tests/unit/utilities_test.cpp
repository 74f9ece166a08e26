// String and path helpers: the limits and forms every subsystem relies on.
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/winini.h"

#include <gtest/gtest.h>
#include <string>

TEST(ContainsNoCase, FindsWordsAnywhereIgnoringCase)
{
    EXPECT_EQ(1, ContainsNoCase("C:\\APP\\Vigilark.exe", "vigilark"));
    EXPECT_EQ(1, ContainsNoCase("-task -nut", "-TASK"));
    EXPECT_EQ(0, ContainsNoCase("short", "longer word"));
    EXPECT_EQ(0, ContainsNoCase(nullptr, "x"));
    EXPECT_EQ(0, ContainsNoCase("x", nullptr));
}

TEST(ContainsNoCase, RefusesTextsLongerThan512)
{
    std::string text(512, 'a');
    text += "Q";
    EXPECT_EQ(0, ContainsNoCase(text.c_str(), "Q"));
    text.erase(0, 1);  // exactly 512 characters is still searched
    EXPECT_EQ(1, ContainsNoCase(text.c_str(), "Q"));
}

TEST(CanonicalProgramPath, KeepsDriveToFirstProgramExtension)
{
    char out[1024];
    CanonicalProgramPath("\\??\\c:\\x\\y.dll,Entry", out, sizeof out);
    EXPECT_STREQ("C:\\X\\Y.DLL", out);
    CanonicalProgramPath("C:\\WINDOWS\\system32\\svchost.exe -k netsvcs", out, sizeof out);
    EXPECT_STREQ("C:\\WINDOWS\\SYSTEM32\\SVCHOST.EXE", out);
    CanonicalProgramPath("C:\\Program Files\\My App\\tool.exe -x", out, sizeof out);
    EXPECT_STREQ("C:\\PROGRAM FILES\\MY APP\\TOOL.EXE", out);
    // A dot not followed by an X or L two places on does not end the path.
    CanonicalProgramPath("c:\\v1.2\\app.exe", out, sizeof out);
    EXPECT_STREQ("C:\\V1.2\\APP.EXE", out);
}

TEST(CanonicalProgramPath, ReplacesSystemRootWithTheWindowsFolder)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    char expected[1024];
    CanonicalProgramPath((std::string(windows) + "\\system32\\x.exe").c_str(), expected, sizeof expected);
    char out[1024];
    CanonicalProgramPath("\\SystemRoot\\System32\\x.exe /a", out, sizeof out);
    EXPECT_STREQ(expected, out);
}

TEST(FormatDateText, TwelveHourClockWithoutLeadingZero)
{
    char out[64];
    SYSTEMTIME t = {};
    t.wYear = 2005;
    t.wMonth = 3;
    t.wDay = 7;
    t.wHour = 0;
    t.wMinute = 5;
    FormatDateText(&t, out, sizeof out);
    EXPECT_STREQ("03/07/2005  12:05 AM", out);
    t.wHour = 12;
    t.wMinute = 30;
    FormatDateText(&t, out, sizeof out);
    EXPECT_STREQ("03/07/2005  12:30 PM", out);
    t.wHour = 23;
    t.wMinute = 59;
    FormatDateText(&t, out, sizeof out);
    EXPECT_STREQ("03/07/2005  11:59 PM", out);
    t.wHour = 9;
    t.wMinute = 7;
    FormatDateText(&t, out, sizeof out);
    EXPECT_STREQ("03/07/2005  9:07 AM", out);
    SYSTEMTIME zero = {};
    FormatDateText(&zero, out, sizeof out);
    EXPECT_STREQ("Never", out);
}

TEST(PathPieces, FileAndDirectoryParts)
{
    char out[260] = "untouched";
    EXPECT_EQ(7, FileNamePart("C:\\dir\\app.exe", out, sizeof out));
    EXPECT_STREQ("app.exe", out);
    {
        char keep[16] = "untouched";
        EXPECT_EQ(0, FileNamePart("\\app.exe", keep, sizeof keep));  // a leading backslash does not count
        EXPECT_STREQ("untouched", keep);
        EXPECT_EQ(0, FileNamePart("app.exe", keep, sizeof keep));
    }
    EXPECT_EQ(7, FileNameOffset("C:\\dir\\app.exe"));
    EXPECT_EQ(0, FileNameOffset("app.exe"));
    EXPECT_EQ(6, DirectoryPart("C:\\dir\\app.exe", out, sizeof out));
    EXPECT_STREQ("C:\\dir", out);
    EXPECT_EQ(0, DirectoryPart(std::string(260, 'a').c_str(), out, sizeof out));
}

TEST(PathPieces, QuotesEqualsBackslashesAndBlanks)
{
    char out[600];
    StripQuotes("\"C:\\Program Files\\a.exe\" /min", out, sizeof out);
    EXPECT_STREQ("C:\\Program Files\\a.exe /min", out);
    StripQuotes(std::string(600, 'x').c_str(), out, sizeof out);
    EXPECT_EQ(511u, strlen(out));
    ColonForEquals("a=b=c", out, sizeof out);
    EXPECT_STREQ("a:b:c", out);

    char path[16] = "C:\\dir";
    AddBackslash(path, sizeof path);
    EXPECT_STREQ("C:\\dir\\", path);
    AddBackslash(path, sizeof path);
    EXPECT_STREQ("C:\\dir\\", path);
    RemoveBackslash(path, 1);
    EXPECT_STREQ("C:\\dir", path);
    char root[8] = "C:\\";
    RemoveBackslash(root, 1);
    EXPECT_STREQ("C:\\", root);
    RemoveBackslash(root, 0);
    EXPECT_STREQ("C:", root);

    EXPECT_EQ(17, EscapeSpaces("Big Soft Inc.", out, sizeof out));
    EXPECT_STREQ("Big%20Soft%20Inc.", out);
    char tiny[6];
    EscapeSpaces("a b c", tiny, sizeof tiny);  // never splits a "%20"
    EXPECT_STREQ("a%20b", tiny);
}

TEST(WinIniLines, RemovingKeepsTheOtherProgramsWithSeparators)
{
    EXPECT_EQ("b.exe;", WinIniLineWithout("a.exe;b.exe", "A.EXE"));
    EXPECT_EQ("", WinIniLineWithout("a.exe", "a.exe"));
    EXPECT_EQ("a.exe;b.exe;", WinIniLineWithout("a.exe;;b.exe", "c.exe"));
    std::string longLine;
    for (int i = 0; i < 200; ++i) longLine += "C:\\programs\\tool" + std::to_string(i) + ".exe;";
    std::string shorter = WinIniLineWithout(longLine, "C:\\programs\\tool150.exe");
    EXPECT_EQ(longLine.size() - std::string("C:\\programs\\tool150.exe;").size(), shorter.size());
}

TEST(Options, LeadingNumberOrDefault)
{
    EXPECT_EQ(42, ParseOptionText("42abc", 7));
    EXPECT_EQ(0, ParseOptionText("abc", 7));
    EXPECT_EQ(7, ParseOptionText("", 7));
    EXPECT_EQ(7, ParseOptionText(nullptr, 7));
}

TEST(Options, MessageBoxLanguageFromTheLanguageText)
{
    EXPECT_EQ(7, LanguageFromCode("de"));
    EXPECT_EQ(12, LanguageFromCode("fr"));
    EXPECT_EQ(10, LanguageFromCode("es"));
    EXPECT_EQ(16, LanguageFromCode("it"));
    EXPECT_EQ(9, LanguageFromCode("us"));
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 1;
    t.wDay = 2;
    t.wHour = 3;
    t.wMinute = 4;
    char text[64];
    FormatCreationTime(&t, text, sizeof text);
    EXPECT_STREQ("2026-01-02   03:04", text);
}

TEST(UnixTime, ConvertsToLocalCalendarTime)
{
    SYSTEMTIME local = {};
    UnixTimeToLocal(86400 * 365, &local);  // 1 January 1971 00:00 UTC
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    EXPECT_TRUE(local.wYear == 1971 || local.wYear == 1970);
    if (zone.Bias == 0) {
        EXPECT_EQ(1971, local.wYear);
        EXPECT_EQ(1, local.wMonth);
        EXPECT_EQ(1, local.wDay);
        EXPECT_EQ(0, local.wHour);
    }
}
