// The first start on a machine without the program's keys: the keys, the known startup
// programs, the default filter words and the monitor's own Run value.
#include "startup_bed.h"

#include "foundations/settings.h"
#include "foundations/trace.h"

#include <cstring>

namespace {

class FirstRun : public bed::StartupBed {
protected:
    void SetUp() override
    {
        bed::StartupBed::SetUp();
        DeleteRegTree(HKEY_CURRENT_USER, "Software\\Brondlewick");
    }
    void TearDown() override
    {
        DeleteRegTree(HKEY_CURRENT_USER, "Software\\Brondlewick");
        bed::StartupBed::TearDown();
    }
};

bool KeyExists(const std::string& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

TEST_F(FirstRun, CreatesKeysRecordsStartupProgramsAndStartsTheMonitor)
{
    bed::SetRun(1, "Machine App", "\"C:\\Program Files\\M\\m.exe\" /opt=1");
    bed::SetRun(11, "User App", "C:\\U\\u.exe");
    WriteProfileStringA("windows", "run", "C:\\W\\w.exe");
    bed::SetRun(1, "Vigilark RORO", "C:\\old\\vigilark.exe");

    LoadInitialValues();

    for (const char* name : {"", "\\Nuts", "\\Cookies", "\\Options", "\\Run", "\\IEHelpers", "\\HostFile", "\\Tasks",
                             "\\Services"})
        EXPECT_TRUE(KeyExists(std::string(VIGILARK_KEY) + name)) << name;
    char created[64];
    EXPECT_GT(ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr, created, sizeof created), 0);

    // Every startup entry is known, named by its command with ":" for "=".
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey,
                                          "C:\\Program Files\\M\\m.exe /opt:1")));
    EXPECT_EQ("11", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, "C:\\U\\u.exe")));
    EXPECT_EQ("101", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, "C:\\W\\w.exe")));

    std::vector<RegValue> words;
    ReadRegValues(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", words);
    EXPECT_EQ(14u, words.size());
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "AdServ")));
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "ru4")));

    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    std::string monitor = std::string(directory) + "\\vigilark.exe";
    EXPECT_EQ(monitor, bed::Text(bed::RunValue(1, "Vigilark")));
    EXPECT_FALSE(bed::RunValue(1, "Vigilark RORO").exists) << "the old title is replaced";
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, monitor)));
    EXPECT_TRUE(MonitorStartsAutomatically());
    EXPECT_FALSE(bed::Exists(bed::HistoryFile())) << "the monitor's own entries leave no history";
    EXPECT_EQ(0, EntryCount());
}

TEST_F(FirstRun, FilterWordsComeFromTheSettingsFileWhenItHasThem)
{
    std::string settings = SettingsFile();
    ASSERT_FALSE(settings.empty());
    WritePrivateProfileStringA("Nuts", "count", "2", settings.c_str());
    WritePrivateProfileStringA("Nuts", "Nut1", "tracker", settings.c_str());
    WritePrivateProfileStringA("Nuts", "Nut2", "beacon", settings.c_str());

    LoadInitialValues();
    std::vector<RegValue> words;
    ReadRegValues(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", words);
    DeleteFileA(settings.c_str());
    ASSERT_EQ(2u, words.size());
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "tracker")));
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "beacon")));

    // The creation time: "YYYY-MM-DD   hh:mm".
    char created[64];
    ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr, created, sizeof created);
    ASSERT_EQ(18u, strlen(created)) << created;
    EXPECT_EQ('-', created[4]);
    EXPECT_EQ('-', created[7]);
    EXPECT_EQ(std::string("   "), std::string(created + 10, 3));
    EXPECT_EQ(':', created[15]);
}

TEST_F(FirstRun, TracingIsDecidedByTheFirstStartOfTheRunOnly)
{
    LoadInitialValues();  // first run: the keys exist afterwards
    ASSERT_TRUE(SetOption("Debug", 1));
    // This process has decided already (tracing off); turning Debug on later changes nothing.
    LoadInitialValues();
    EXPECT_EQ(TRACE_OFF, TraceCounter());

    // A counter that runs is not reset when the Options page reloads the settings.
    SetTraceCounter(8990);
    LoadInitialValues();
    EXPECT_GE(TraceCounter(), 8990);
    SetOption("Debug", 0);
    SetTraceCounter(TRACE_OFF);
}
