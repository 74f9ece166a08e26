// Text of the report, the CSV export and the registry file (its every value type is read back
// through regedit in the integration test): clock, platform line, escapes and the "-csv" option.
#include "reports/csv_export.h"
#include "reports/report_text.h"
#include "reports/settings_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

WindowsVersionFacts Facts(DWORD platform, DWORD major, DWORD minor, DWORD build, const char* pack, bool extended = false,
                          BYTE type = 0, WORD suite = 0)
{
    WindowsVersionFacts facts{true, extended, platform, major, minor, build, "", type, suite};
    snprintf(facts.servicePack, sizeof facts.servicePack, "%s", pack);
    return facts;
}

WindowsVersionFacts Nt(DWORD major, DWORD minor, const char* pack, BYTE type, WORD suite)
{
    return Facts(VER_PLATFORM_WIN32_NT, major, minor, 0x0A280000 | 2600, pack, true, type, suite);
}

}  // namespace

TEST(ReportText, TheClockHasTwelveHoursAndThePlatformLineFollowsTheVersionFacts)
{
    const struct { WORD hour, minute, second; const char* text; } rows[] = {
        {12, 30, 0, "12:30:00 PM"}, {0, 15, 5, "12:15:05 AM"}, {13, 5, 9, " 1:05:09 PM"},
        {11, 59, 59, "11:59:59 AM"}, {23, 0, 0, "11:00:00 PM"},
    };
    char text[32];
    for (const auto& row : rows) {
        FormatReportTime(SYSTEMTIME{2026, 3, 0, 7, row.hour, row.minute, row.second, 0}, text, sizeof text);
        EXPECT_STREQ(row.text, text) << row.hour << ":" << row.minute;
    }
    FormatReportDate(SYSTEMTIME{2026, 3, 0, 7, 0, 0, 0, 0}, text, sizeof text);
    EXPECT_STREQ(" 3/07/2026", text);
    WindowsVersionFacts sp6 = Nt(4, 0, "Service Pack 6", VER_NT_WORKSTATION, 0);
    sp6.build = 1381;
    WindowsVersionFacts sp6a = sp6;
    sp6a.servicePack6a = true;
    WindowsVersionFacts plainNt = Facts(VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 5");
    WindowsVersionFacts lanman = plainNt;
    lanman.productTypeText = "LanmanNT";
    const struct { WindowsVersionFacts facts; const char* text; } versions[] = {
        {Facts(VER_PLATFORM_WIN32s, 3, 10, 0, ""), "Microsoft Win32s"},
        {Facts(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, " C"), "Microsoft Windows 95 OSR2 "},
        {Facts(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, " A"), "Microsoft Windows 95 "},
        {Facts(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, " A "), "Microsoft Windows 98 SE "},
        {Facts(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, " "), "Microsoft Windows Millennium Edition"},
        {Facts(VER_PLATFORM_WIN32_WINDOWS, 4, 20, 3000, ""), ""},
        {Nt(5, 1, "Service Pack 2", VER_NT_WORKSTATION, 0x200), "Windows XP Home Edition Service Pack 2 (Build 2600)"},
        {Nt(5, 1, "", VER_NT_WORKSTATION, 0), "Windows XP Professional  (Build 2600)"},
        {Nt(5, 2, "", VER_NT_SERVER, 0x400), "Windows Server 2003 family, Web Edition  (Build 2600)"},
        {Nt(5, 2, "", VER_NT_SERVER, 0x482), "Windows Server 2003 family, Datacenter Edition  (Build 2600)"},
        {Nt(5, 2, "", VER_NT_DOMAIN_CONTROLLER, 0x2), "Windows Server 2003 family, Enterprise Edition  (Build 2600)"},
        {Nt(5, 2, "", VER_NT_SERVER, 0x10), "Windows Server 2003 family, Standard Edition  (Build 2600)"},
        {Nt(5, 0, "Service Pack 4", VER_NT_SERVER, 0x2), "Windows 2000 Advanced Server Service Pack 4 (Build 2600)"},
        {Nt(5, 0, "", VER_NT_SERVER, 0x80), "Windows 2000 Datacenter Server  (Build 2600)"},
        {Nt(4, 0, "", VER_NT_SERVER, 0x2), "Windows NT Server 4.0, Enterprise Edition  (Build 2600)"},
        {sp6, "Windows NT Workstation 4.0 Service Pack 6 (Build 1381)"},
        {sp6a, "Windows NT Workstation 4.0 Service Pack 6a (Build 1381)"},
        {lanman, "Windows NT Server 4.0 Service Pack 5 (Build 1381)"},
        {plainNt, ""},  // no extended fields and no ProductType: nothing is known
        {WindowsVersionFacts(), ""},
    };
    for (const auto& row : versions) {
        char platform[256] = "junk";
        int length = DescribeWindowsVersion(row.facts, platform, sizeof platform);
        EXPECT_STREQ(row.text, platform);
        EXPECT_EQ((int)strlen(row.text), length) << row.text;
    }
}

TEST(ReportText, MachineTextIsEscapedKeptOnOneLineOrQuotedAndFormulasStayText)
{
    EXPECT_EQ("&lt;img src=x onerror=&quot;a(&#39;1&#39;)&quot;&gt; &amp;amp;",
              HtmlEscaped("<img src=x onerror=\"a('1')\"> &amp;"));
    EXPECT_EQ("a b  c d", OneLineField("a\tb\r\nc\nd"));
    const std::pair<UINT, std::string> charsets[] = {
        {1252, "windows-1252"}, {1251, "windows-1251"}, {932, "shift_jis"}, {936, "gb2312"}, {65001, ""}, {0, ""}};
    for (const auto& row : charsets) EXPECT_EQ(row.second, HtmlCharset(row.first)) << row.first;
    const std::pair<std::string, std::string> fields[] = {
        {"", ""}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\r\nlines", "\"two\r\nlines\""},
        {"tab\there", "tab\there"}, {"a=b", "a=b"}, {"C:\\x.exe -s", "C:\\x.exe -s"},
        // A leading formula character is made text; a field that needs quotes gets both.
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""}, {"+1", "'+1"}, {"-2", "'-2"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\tcmd", "'\tcmd"}, {"\rcmd", "\"'\rcmd\""}};
    for (const auto& row : fields) EXPECT_EQ(row.second, CsvField(row.first.c_str())) << row.first;
}

TEST(ReportText, TheCsvOptionTakesTheFileThatFollows)
{
    const struct { const char* line; bool present; const char* file; } rows[] = {
        {"-CSV \"C:\\My Files\\a-Q -START.csv\" ", true, "C:\\My Files\\a-Q -START.csv"},
        {"/csv   C:\\with blank\\x.csv  ", true, "C:\\with blank\\x.csv"},
        {"-csv", true, ""}, {"-START", false, ""}, {"C:\\x-csv.txt", false, ""}, {"-csvfile x", false, ""},
    };
    for (const auto& row : rows) {
        char file[MAX_PATH] = "junk";
        EXPECT_EQ(row.present, CsvFileFromCommandLine(row.line, file, sizeof file)) << row.line;
        EXPECT_STREQ(row.file, file) << row.line;
    }
}

// Version 5.00 escapes after the conversion to UTF-16 (its text is UTF-8 until written);
// REGEDIT4 leaves trail bytes alone.
TEST(RegFileText, BackslashesAndQuotesAreEscapedButNeverATrailByte)
{
    const std::string table = "\x95\x5C";  // a double-byte character of code page 932
    const struct { std::string text; RegFileForm form; UINT codePage; std::string escaped; } rows[] = {
        {"C:\\a \"b\"", REG_FILE_UNICODE, 1252, "C:\\\\a \\\"b\\\""},
        {"C:\\a \"b\"", REG_FILE_ANSI, 932, "C:\\\\a \\\"b\\\""},
        {table + "\\", REG_FILE_UNICODE, 932, "\xE8\xA1\xA8\\\\"},
        {table + "\\" + table, REG_FILE_ANSI, 932, table + "\\\\" + table},
        {table, REG_FILE_ANSI, 1252, "\x95\\\\"},  // no lead byte in this code page
        {"\x95", REG_FILE_ANSI, 932, "\x95"},       // a lead byte that ends the text
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.escaped, RegEscaped(row.text, row.form, row.codePage)) << row.text << " " << row.codePage;
    EXPECT_EQ("\"\xE8\xA1\xA8\"=\"x\"\r\n", RegValueLine(RegValue{table, std::string("x", 2), REG_SZ}, REG_FILE_UNICODE, 932));
    EXPECT_TRUE(RegFileCanName("plain \\ \"name\""));
    EXPECT_FALSE(RegFileCanName("two\nlines"));
    EXPECT_FALSE(RegFileCanName("cr\r"));
}

TEST(RegFileText, LongValueLinesWrapAsTheEditorWrapsThem)
{
    // Lines end in ",\" and go on indented, none longer than 80 characters.
    std::string line = RegValueLine(RegValue{"Long", std::string(200, 'A'), REG_BINARY}, REG_FILE_UNICODE);
    int lines = 0;
    for (size_t start = 0, end; (end = line.find("\r\n", start)) != std::string::npos; start = end + 2, ++lines) {
        std::string one = line.substr(start, end - start);
        EXPECT_LE(one.size(), 80u) << one;
        EXPECT_EQ(end + 2 < line.size(), one.substr(one.size() - 2) == ",\\") << one;
        EXPECT_EQ(lines > 0, one.substr(0, 2) == "  ") << one;
    }
    EXPECT_GT(lines, 2);
}
