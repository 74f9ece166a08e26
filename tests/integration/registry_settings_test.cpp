// The registry helpers, the trace file, text overrides, win.ini lines and the option
// store, against the test prefix's real registry and profile files.
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/trace.h"
#include "foundations/winini.h"
#include "resource.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char kScratch[] = "Software\\Brondlewick\\VigilarkTests";

std::string TracePath()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\" + TraceFileName();
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegTree(HKEY_CURRENT_USER, kScratch);
        ASSERT_TRUE(CreateRegKey(HKEY_CURRENT_USER, kScratch));
        DeleteFileA(TracePath().c_str());
        SetTraceCounter(0);
    }
    void TearDown() override
    {
        SetTraceCounter(TRACE_OFF);
        DeleteRegTree(HKEY_CURRENT_USER, kScratch);
        DeleteFileA(TracePath().c_str());
    }
};

}  // namespace

TEST_F(RegistryTest, ReadsExpandableStringsExpanded)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_SET_VALUE, &key));
    const char raw[] = "%SystemRoot%\\x.exe";
    RegSetValueExA(key, "expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(raw), sizeof raw);
    RegCloseKey(key);

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    char out[260];
    int len = ReadRegString(HKEY_CURRENT_USER, kScratch, "expand", out, sizeof out);
    EXPECT_STREQ((std::string(windows) + "\\x.exe").c_str(), out);
    EXPECT_EQ((int)strlen(out), len);
}

TEST_F(RegistryTest, TextAsLongAsTheCapacityIsRefusedWithATraceRecord)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kScratch, "long", "0123456789"));
    char out[10] = "x";
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "long", out, sizeof out));
    EXPECT_STREQ("", out);
    std::string trace = ReadWholeFile(TracePath());
    EXPECT_NE(std::string::npos, trace.find("0123456789: Registry Error #1024: Buffer overflow contained")) << trace;
    char fits[11];
    EXPECT_EQ(10, ReadRegString(HKEY_CURRENT_USER, kScratch, "long", fits, sizeof fits));
}

TEST_F(RegistryTest, MissingValuesAndKeys)
{
    char out[16] = "x";
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "absent", out, sizeof out));
    EXPECT_STREQ("", out);

    std::string missing = std::string(kScratch) + "\\Missing";
    EXPECT_EQ(0, SetRegString(HKEY_CURRENT_USER, missing.c_str(), "v", "1"));
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key));
    EXPECT_NE(std::string::npos, ReadWholeFile(TracePath()).find("ERROR RegOpenKeyEx:SetRegValue"));

    EXPECT_EQ(0, DeleteRegValue(HKEY_CURRENT_USER, kScratch, "absent"));
    EXPECT_NE(std::string::npos, ReadWholeFile(TracePath()).find("ERROR RegDeleteValue: absent"));
    EXPECT_EQ(1, SetRegDword(HKEY_CURRENT_USER, kScratch, "n", 5));
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "n", out, sizeof out));  // not text
}

TEST_F(RegistryTest, ReadsValuesOfAnyLength)
{
    std::string text(5000, 'c');
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kScratch, "huge", text.c_str()));
    std::string read;
    ASSERT_TRUE(ReadRegText(HKEY_CURRENT_USER, kScratch, "huge", read));
    EXPECT_EQ(text, read);
}

TEST_F(RegistryTest, TraceStopsAfter9001RecordsARun)
{
    // Counting needs no file: a folder that does not exist makes every write fail at once.
    std::string saved = TraceFileName();
    SetTraceFileName("Z:\\no-such-folder-for-vigilark\\trace.txt");
    int written = 0;
    for (int i = 0; i < 9002; ++i) written += Trace("m", "d");
    SetTraceFileName(saved.c_str());
    EXPECT_EQ(9001, written);
    EXPECT_EQ(0, Trace("m", "d"));
}

TEST(TextOverride, RegistryValueReplacesTheStringTableText)
{
    char out[256];
    ASSERT_GT(LoadText(IDS_CLOSE, out), 0);
    EXPECT_STREQ("Close", out);
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, VIGILARK_KEY, "LString304", "Shut%nDown"));
    EXPECT_EQ(9, LoadText(IDS_CLOSE, out));
    EXPECT_STREQ("Shut\nDown", out);
    char small[5];
    EXPECT_EQ(4, LoadText(IDS_CLOSE, small));  // cut to the caller's capacity
    EXPECT_STREQ("Shut", small);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, VIGILARK_KEY, 0, KEY_SET_VALUE, &key));
    RegDeleteValueA(key, "LString304");
    RegCloseKey(key);
    LoadText(IDS_CLOSE, out);
    EXPECT_STREQ("Close", out);
}

TEST(WinIniPrograms, AddAndRemoveKeepEveryOtherProgram)
{
    // Wine keeps the [windows] section in the registry; the profile API hides that.
    std::string saved = ReadWinIniLine("run");
    WriteProfileStringA("windows", "run", "");
    ASSERT_TRUE(AddWinIniProgram("run", "c.exe"));
    EXPECT_EQ(";c.exe", ReadWinIniLine("run"));

    WriteProfileStringA("windows", "run", "a.exe;b.exe");
    ASSERT_TRUE(RemoveWinIniProgram("run", "A.exe"));
    EXPECT_EQ("b.exe;", ReadWinIniLine("run"));

    std::string longLine;
    for (int i = 0; i < 120; ++i) longLine += "C:\\tools\\program" + std::to_string(i) + ".exe;";
    WriteProfileStringA("windows", "run", longLine.c_str());
    ASSERT_TRUE(AddWinIniProgram("run", "last.exe"));
    EXPECT_EQ(longLine + ";last.exe", ReadWinIniLine("run"));
    ASSERT_TRUE(RemoveWinIniProgram("run", "last.exe"));
    EXPECT_EQ(longLine, ReadWinIniLine("run"));

    WriteProfileStringA("windows", "run", saved.c_str());
}

TEST(OptionStore, EveryWriteMarksTheSettingsUpdated)
{
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update", "0");
    EXPECT_EQ(1, SetOption("TestOption", 31));
    EXPECT_EQ("31", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "TestOption"));
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"));
    EXPECT_EQ(31, GetOption("TestOption", 5));

    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "TestOption", "12minutes");
    EXPECT_EQ(12, GetOption("TestOption", 5));
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "TestOption", "never");
    EXPECT_EQ(0, GetOption("TestOption", 5));
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "TestOption", "");
    EXPECT_EQ(5, GetOption("TestOption", 5));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, 0, KEY_SET_VALUE, &key));
    RegDeleteValueA(key, "TestOption");
    RegCloseKey(key);
    EXPECT_EQ(5, GetOption("TestOption", 5));
}

TEST(OptionStore, SaveWritesTheInMemoryCopyUnderItsNames)
{
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    Options saved = CurrentOptions();
    CurrentOptions().start = 17;
    CurrentOptions().hideMicrosoftServices = 1;
    CurrentOptions().hostFile = 4;
    SaveOptions();
    EXPECT_EQ("17", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start"));
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "NoMicrosoftServices"));
    EXPECT_EQ("4", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "HostFile"));
    CurrentOptions() = saved;
    SaveOptions();
    LoadOptions();
    EXPECT_EQ(saved.start, CurrentOptions().start);
}
