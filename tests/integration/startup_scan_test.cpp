// Collecting startup entries from the prefix's Run keys, Startup folders, win.ini lines and
// the disabled store; and the first start, which records them all as known.
#include "startup_bed.h"

#include "foundations/settings.h"
#include "foundations/shortcut.h"
#include "foundations/trace.h"
#include "startup/startup_actions.h"
#include "support/views.h"

#include <regex>

using bed::One;

namespace {

class StartupScan : public bed::StartupBed {};

}  // namespace

TEST_F(StartupScan, ListsEveryRunKeyOfTheThreeHivesInOrder)
{
    const int kinds[] = {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25};
    for (int kind : kinds) bed::SetRun(kind, "Scan" + std::to_string(kind), "C:\\p" + std::to_string(kind) + ".exe /x");
    int previous = -1;
    for (int kind : kinds) {
        bed::Listed entry = One("Scan" + std::to_string(kind), "C:\\p" + std::to_string(kind) + ".exe /x");
        EXPECT_EQ(kind, entry.kind);
        EXPECT_GT(entry.index, previous) << "scan order, kind " << kind;
        previous = entry.index;
    }
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
              bed::LocationOf(One("Scan5").index));
    EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
              bed::LocationOf(One("Scan13").index));
    EXPECT_EQ("HKEY_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
              bed::LocationOf(One("Scan24").index));
}

TEST_F(StartupScan, RunValuesAreListedAsTheListShowsThem)
{
    const std::string longCommand = "C:\\Long\\app.exe " + std::string(400, 'x');
    const std::string longName = "Long" + std::string(200, 'n');
    const struct {
        int kind;
        std::string name, command;
        DWORD type;
        std::string listed;  // the command as listed; empty when the value is skipped
    } rows[] = {
        {1, "A", "C:\\one\\letter.exe", REG_SZ, ""},     // a one-letter name
        {1, "Short", "a.ex", REG_SZ, ""},                // a command under five characters
        {1, "\xE9toile", "C:\\accent.exe", REG_SZ, ""},  // a name that is not ASCII
        {1, "Fine", "b.exe", REG_SZ, "b.exe"},
        {1, "Panel", "RUNDLL32.exe shell32.dll,Control_RunDLL x", REG_SZ, "shell32.dll,Control_RunDLL x"},
        {11, "Dll", "\"C:\\windows\\system32\\rundll32.exe\" C:\\x\\y.dll,Entry", REG_SZ, "C:\\x\\y.dll,Entry"},
        {1, "Quoted", "\"C:\\Program Files\\App\\app.exe\" /min", REG_SZ, "C:\\Program Files\\App\\app.exe /min"},
        {1, "Expand", "%SystemRoot%\\x.exe", REG_EXPAND_SZ, "C:\\windows\\x.exe"},
        {11, "LongCommand", longCommand, REG_SZ, longCommand.substr(0, ENTRY_PATH_CHARS - 1)},
        {11, longName, "C:\\Long\\named.exe", REG_SZ, "C:\\Long\\named.exe"},
    };
    for (const auto& row : rows) ASSERT_TRUE(bed::SetRun(row.kind, row.name, row.command, row.type));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<bed::Listed> found = bed::Entries(row.name.substr(0, ENTRY_TITLE_CHARS - 1));
        ASSERT_EQ(row.listed.empty() ? 0u : 1u, found.size());
        if (!found.empty()) {
            EXPECT_EQ(row.listed, found[0].path);
        }
    }
    // Equal but for case, the last value of one key and the first of the next: listed once.
    // Not consecutive (another value between them): twice.
    bed::SetRun(3, "Twice", "C:\\Twice\\twice.exe");
    bed::SetRun(4, "TWICE", "c:\\twice\\TWICE.EXE");
    bed::SetRun(13, "Again", "C:\\again.exe");
    bed::SetRun(13, "Between", "C:\\between.exe");
    bed::SetRun(14, "Again", "C:\\again.exe");
    EXPECT_EQ(3, One("Twice").kind);
    EXPECT_EQ(2u, bed::Entries("Again").size());
}

TEST_F(StartupScan, StartupFolderItems)
{
    std::string program = TempPath("vgk_target.exe"), gone = TempPath("vgk_gone.exe");
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), gone.c_str(), FALSE));
    auto link = [&](const std::string& file, const char* target, const char* description) {
        ASSERT_EQ(S_OK, CreateShortcut(file.c_str(), target, "", "", description, "", 0)) << file;
    };
    link(userStartup + "\\Described.lnk", program.c_str(), "Vgk Described");
    link(userStartup + "\\Plain.lnk", program.c_str(), "");
    link(userStartup + "\\Dangling.lnk", gone.c_str(), "Vgk Dangling");
    DeleteFileA(gone.c_str());
    std::string direct = userStartup + "\\direct.exe", pif = userStartup + "\\old.pif";
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), direct.c_str(), FALSE));
    WriteWholeFile(pif, "");
    WriteWholeFile(userStartup + "\\notes.txt", "not a program");
    // Only Common Startup is walked, and one level deep.
    CreateDirectoryA((userStartup + "\\Sub").c_str(), nullptr);
    link(userStartup + "\\Sub\\UserSub.lnk", program.c_str(), "Vgk UserSub");
    CreateDirectoryA((commonStartup + "\\Sub").c_str(), nullptr);
    CreateDirectoryA((commonStartup + "\\Sub\\Deeper").c_str(), nullptr);
    link(commonStartup + "\\Sub\\CommonSub.lnk", program.c_str(), "Vgk CommonSub");
    link(commonStartup + "\\Sub\\Deeper\\TooDeep.lnk", program.c_str(), "Vgk TooDeep");

    char longProgram[MAX_PATH];
    LongPathForm(program.c_str(), longProgram, sizeof longProgram);
    bed::Listed described = One("Vgk Described");
    EXPECT_EQ(KIND_GROUP_STARTUP, described.kind);
    EXPECT_EQ(0, lstrcmpiA(longProgram, described.path.c_str())) << described.path;
    EXPECT_EQ(0, lstrcmpiA((userStartup + "\\Described.lnk").c_str(), described.extra.c_str()));
    EXPECT_EQ("Windows Startup Group", bed::LocationOf(described.index));
    // Without a description the target's file description names it; so is the program
    // placed in the folder itself. Both are copies of this test program.
    std::vector<bed::Listed> byVersion = bed::Entries("Vigilark Explorer");
    ASSERT_EQ(2u, byVersion.size());
    bool plain = false, placed = false;
    for (const bed::Listed& entry : byVersion) {
        plain |= lstrcmpiA((userStartup + "\\Plain.lnk").c_str(), entry.extra.c_str()) == 0;
        placed |= lstrcmpiA(direct.c_str(), entry.path.c_str()) == 0;
    }
    EXPECT_TRUE(plain && placed);
    EXPECT_EQ(0, lstrcmpiA(pif.c_str(), One("Unspecified Title").path.c_str()));
    EXPECT_EQ(1u, bed::Entries("Vgk CommonSub").size());
    for (const char* absent : {"Vgk Dangling", "Vgk UserSub", "Vgk TooDeep"})
        EXPECT_TRUE(bed::Entries(absent).empty()) << absent;
    for (const bed::Listed& entry : bed::Entries("")) EXPECT_EQ(std::string::npos, entry.path.find("notes.txt"));
    DeleteFileA(program.c_str());
}

TEST_F(StartupScan, WinIniLinesGiveOneEntryPerProgram)
{
    WriteProfileStringA("windows", "run", "a.exe;;b.exe");
    WriteProfileStringA("windows", "load", "C:\\windows\\regedit.exe");
    std::vector<bed::Listed> run = bed::Entries("run");
    ASSERT_EQ(2u, run.size());
    EXPECT_EQ("a.exe", run[0].path);
    EXPECT_EQ("b.exe", run[1].path);
    EXPECT_EQ(KIND_WIN_RUN, run[0].kind);
    EXPECT_EQ("WIN.INI     [Run] Section", bed::LocationOf(run[0].index));
    // A program with version information is named after its product.
    bed::Listed load = One("Wine");
    EXPECT_EQ(KIND_WIN_LOAD, load.kind);
    EXPECT_EQ("WIN.INI     [Load] Section", bed::LocationOf(load.index));
    EXPECT_LT(run[1].index, load.index) << "run before load";
}

TEST_F(StartupScan, DisabledEntriesAreListedWithTheirLocation)
{
    bed::SetRun(11, "Sleeper", "C:\\Sleeper\\sleep.exe -q");
    ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Sleeper", "C:\\Sleeper\\sleep.exe -q", "", 11));
    // A saved command without a marker, or with a marker of a kind saved elsewhere, is not listed.
    PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY "\\Run"), "Orphan", "C:\\orphan.exe");
    PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY "\\Run"), "Stray", "C:\\stray.exe");
    PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY), "Stray", "101");

    bed::Listed sleeper = One("Sleeper", "C:\\Sleeper\\sleep.exe -q");
    EXPECT_EQ(11, sleeper.kind);
    EXPECT_EQ(11, IsEntryDisabled(sleeper.index));
    EXPECT_EQ(" * Disabled  * HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
              bed::LocationOf(sleeper.index));
    EXPECT_TRUE(bed::Entries("Orphan").empty());
    EXPECT_TRUE(bed::Entries("Stray").empty());
}

TEST_F(StartupScan, ReAddedDisabledEntryIsDisabledAgainOnlyInItsOwnKey)
{
    bed::SetRun(11, "Reborn", "C:\\Reborn\\old.exe");
    ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Reborn", "C:\\Reborn\\old.exe", "", 11));
    bed::SetRun(11, "Reborn", "\"C:\\Reborn\\new.exe\" /back");
    // The same title in other keys is another program.
    bed::SetRun(1, "Reborn", "C:\\Reborn\\machine.exe");
    bed::SetRun(21, "Reborn", "C:\\Reborn\\other.exe");

    bed::Listed reborn = One("Reborn", "C:\\Reborn\\new.exe /back");
    EXPECT_EQ("<missing>", bed::RunText(11, "Reborn")) << "taken out of the Run key again";
    EXPECT_EQ("\"C:\\Reborn\\new.exe\" /back", bed::Stored(DISABLED_STORE_KEY "\\Run", "Reborn"));
    EXPECT_EQ(11, IsEntryDisabled(reborn.index));
    EXPECT_EQ("C:\\Reborn\\machine.exe", bed::RunText(1, "Reborn"));
    EXPECT_EQ("C:\\Reborn\\other.exe", bed::RunText(21, "Reborn"));
    int disabled = 0;
    for (const bed::Listed& entry : bed::Entries("Reborn")) disabled += IsEntryDisabled(entry.index) != 0;
    EXPECT_EQ(1, disabled);
}

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

std::vector<std::string> FilterWords()
{
    std::vector<RegValue> words;
    ReadRegValues(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", words);
    std::vector<std::string> names;
    for (const RegValue& word : words) names.push_back(word.name + "=" + word.data.c_str());
    return names;
}

}  // namespace

TEST_F(FirstRun, CreatesKeysRecordsStartupProgramsAndStartsTheMonitor)
{
    bed::SetRun(1, "Machine App", "\"C:\\Program Files\\M\\m.exe\" /opt=1");
    bed::SetRun(11, "User App", "C:\\U\\u.exe");
    WriteProfileStringA("windows", "run", "C:\\W\\w.exe");
    bed::SetRun(1, "Vigilark RORO", "C:\\old\\vigilark.exe");

    LoadInitialValues();
    for (const char* name :
         {"\\Nuts", "\\Cookies", "\\Options", "\\Run", "\\IEHelpers", "\\HostFile", "\\Tasks", "\\Services"}) {
        std::vector<RegValue> values;
        EXPECT_TRUE(ReadRegValues(HKEY_CURRENT_USER, (std::string(VIGILARK_KEY) + name).c_str(), values)) << name;
    }
    // The creation time as the default value: "YYYY-MM-DD   hh:mm".
    std::string created = GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr);
    EXPECT_TRUE(std::regex_match(created, std::regex("\\d{4}-\\d\\d-\\d\\d   \\d\\d:\\d\\d"))) << created;

    // Every startup entry is known, named by its command with ":" for "=".
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\Program Files\\M\\m.exe /opt:1"));
    EXPECT_EQ("11", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\U\\u.exe"));
    EXPECT_EQ("101", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\W\\w.exe"));
    std::vector<std::string> words = FilterWords();
    EXPECT_EQ(14u, words.size());
    EXPECT_NE(words.end(), std::find(words.begin(), words.end(), "AdServ=1"));

    std::string monitor = bed::ProgramFolder("vigilark.exe");
    EXPECT_EQ(monitor, bed::RunText(1, "Vigilark"));
    EXPECT_EQ("<missing>", bed::RunText(1, "Vigilark RORO")) << "the old title is replaced";
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, monitor.c_str()));
    EXPECT_TRUE(MonitorStartsAutomatically());
    EXPECT_FALSE(Exists(bed::HistoryFile())) << "the monitor's own entries leave no history";
    EXPECT_EQ(0, EntryCount());
}

TEST_F(FirstRun, FilterWordsComeFromTheSettingsFileWhenItHasThem)
{
    WritePrivateProfileStringA("Nuts", "count", "2", SettingsFile());
    WritePrivateProfileStringA("Nuts", "Nut1", "tracker", SettingsFile());
    WritePrivateProfileStringA("Nuts", "Nut2", "beacon", SettingsFile());
    LoadInitialValues();
    DeleteFileA(SettingsFile());
    std::vector<std::string> words = FilterWords();
    std::sort(words.begin(), words.end());
    EXPECT_EQ((std::vector<std::string>{"beacon=1", "tracker=1"}), words);
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
    SetTraceCounter(TRACE_OFF);
}
