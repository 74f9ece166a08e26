// Collecting startup entries from the prefix's Run keys, Startup folders, win.ini lines and
// the disabled store.
#include "startup_bed.h"

#include "foundations/shortcut.h"

using bed::Entries;
using bed::LocationOf;
using bed::One;

namespace {

class StartupScan : public bed::StartupBed {};

}  // namespace

TEST_F(StartupScan, RunValuesOfTheThreeHivesAreListedInOrderAsTheListShowsThem)
{
    // The last value of one key and the first of the next, equal but for case: listed once; not next to each other: twice.
    bed::SetRun(3, "Twice", "C:\\Twice\\twice.exe");
    bed::SetRun(4, "TWICE", "c:\\twice\\TWICE.EXE");
    bed::SetRun(13, "Again", "C:\\again.exe");
    bed::SetRun(13, "Between", "C:\\between.exe");
    bed::SetRun(14, "Again", "C:\\again.exe");
    EXPECT_EQ(3, One("Twice").kind);
    EXPECT_EQ(2u, Entries("Again").size());
    const int kinds[] = {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25};
    for (int kind : kinds) bed::SetRun(kind, "Scan" + std::to_string(kind), "C:\\p" + std::to_string(kind) + ".exe /x");
    int previous = -1;
    for (int kind : kinds) {
        bed::Listed entry = One("Scan" + std::to_string(kind));
        EXPECT_EQ(kind, entry.kind);
        EXPECT_GT(entry.index, previous) << "scan order, kind " << kind;
        previous = entry.index;
    }
    EXPECT_EQ("HKEY_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", LocationOf(One("Scan24").index));

    const std::string longCommand = "C:\\Long\\app.exe " + std::string(400, 'x'), longName = "Long" + std::string(200, 'n');
    // listed: the command as listed; empty when the value is skipped
    const struct { int kind; std::string name, command; DWORD type; std::string listed; } rows[] = {
        {1, "A", "C:\\one\\letter.exe", REG_SZ, ""},     // a one-letter name
        {1, "Short", "a.ex", REG_SZ, ""},                // a command under five characters
        {1, "\xE9toile", "C:\\accent.exe", REG_SZ, ""},  // a name that is not ASCII
        {1, "Panel", "RUNDLL32.exe shell32.dll,Control_RunDLL x", REG_SZ, "shell32.dll,Control_RunDLL x"},
        {11, "Dll", "\"C:\\windows\\system32\\rundll32.exe\" C:\\x\\y.dll,Entry", REG_SZ, "C:\\x\\y.dll,Entry"},
        {1, "Quoted", "\"C:\\Program Files\\App\\app.exe\" /min", REG_SZ, "C:\\Program Files\\App\\app.exe /min"},
        {1, "Expand", "%SystemRoot%\\x.exe", REG_EXPAND_SZ, "C:\\windows\\x.exe"},
        {11, "LongCommand", longCommand, REG_SZ, longCommand.substr(0, ENTRY_PATH_CHARS - 1)},
        {11, longName, "C:\\Long\\named.exe", REG_SZ, "C:\\Long\\named.exe"},
    };
    for (const auto& row : rows) ASSERT_TRUE(bed::SetRun(row.kind, row.name, row.command, row.type));
    for (const auto& row : rows) {
        std::vector<bed::Listed> found = Entries(row.name.substr(0, ENTRY_TITLE_CHARS - 1));
        EXPECT_EQ(row.listed, found.size() == 1 ? found[0].path : "") << row.name << ": " << found.size();
    }
}

TEST_F(StartupScan, StartupFolderItemsAndWinIniLines)
{
    std::string program = TempPath("vgk_target.exe"), gone = TempPath("vgk_gone.exe");
    std::string direct = userStartup + "\\direct.exe", pif = userStartup + "\\old.pif";
    for (const std::string& copy : {program, gone, direct}) ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), copy.c_str(), FALSE));
    for (const std::string& folder : {userStartup + "\\Sub", commonStartup + "\\Sub\\Deeper"}) SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const std::pair<std::string, const char*> links[] = {
        {userStartup + "\\Described.lnk", "Vgk Described"}, {userStartup + "\\Plain.lnk", ""},
        {userStartup + "\\Dangling.lnk", "Vgk Dangling"},   {userStartup + "\\Sub\\UserSub.lnk", "Vgk UserSub"},
        {commonStartup + "\\Sub\\CommonSub.lnk", "Vgk CommonSub"},  // only Common Startup is walked, one level deep
        {commonStartup + "\\Sub\\Deeper\\TooDeep.lnk", "Vgk TooDeep"}};
    for (const auto& link : links)
        ASSERT_EQ(S_OK, CreateShortcut(link.first.c_str(), (link.second == std::string("Vgk Dangling") ? gone : program).c_str(),
                                       "", "", link.second, "", 0));
    DeleteFileA(gone.c_str());
    WriteWholeFile(pif, "");
    WriteWholeFile(userStartup + "\\notes.txt", "not a program");
    char longProgram[MAX_PATH];
    LongPathForm(program.c_str(), longProgram, sizeof longProgram);
    bed::Listed described = One("Vgk Described");
    EXPECT_EQ(std::to_string(KIND_GROUP_STARTUP) + "|Windows Startup Group", std::to_string(described.kind) + "|" + LocationOf(described.index));
    EXPECT_EQ(0, lstrcmpiA((std::string(longProgram) + "|" + userStartup + "\\Described.lnk").c_str(),
                           (described.path + "|" + described.extra).c_str()));
    // Without a description the target's file description names it, as it names a program placed
    // in the folder (both copies of this test program).
    std::string byVersion;
    for (const bed::Listed& entry : Entries("Vigilark Explorer")) byVersion += entry.path + "|" + entry.extra + "\n";
    EXPECT_NE(std::string::npos, byVersion.find("|" + userStartup + "\\Plain.lnk\n")) << byVersion;
    EXPECT_NE(std::string::npos, byVersion.find(direct + "|")) << byVersion;
    EXPECT_EQ(0, lstrcmpiA(pif.c_str(), One("Unspecified Title").path.c_str()));
    EXPECT_EQ("1000", std::to_string(Entries("Vgk CommonSub").size()) + std::to_string(Entries("Vgk Dangling").size()) +
                          std::to_string(Entries("Vgk UserSub").size()) + std::to_string(Entries("Vgk TooDeep").size()));
    for (const bed::Listed& entry : Entries("")) EXPECT_EQ(std::string::npos, entry.path.find("notes.txt"));
    DeleteFileA(program.c_str());

    // win.ini: one entry per program, run before load; a program with version texts has its product's name.
    WriteProfileStringA("windows", "run", "a.exe;;b.exe");
    WriteProfileStringA("windows", "load", "C:\\windows\\regedit.exe");
    std::vector<bed::Listed> run = Entries("run");
    ASSERT_EQ(2u, run.size());
    EXPECT_EQ("a.exe|b.exe|WIN.INI     [Run] Section", run[0].path + "|" + run[1].path + "|" + LocationOf(run[0].index));
    bed::Listed load = One("Wine");
    EXPECT_EQ(std::to_string(KIND_WIN_LOAD) + "|WIN.INI     [Load] Section", std::to_string(load.kind) + "|" + LocationOf(load.index));
    EXPECT_LT(run[1].index, load.index);
}

TEST_F(StartupScan, DisabledEntriesAreListedWithTheirLocationAndDisabledAgainWhenReAdded)
{
    bed::SetRun(11, "Sleeper", "C:\\Sleeper\\sleep.exe -q");
    ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Sleeper", "C:\\Sleeper\\sleep.exe -q", "", 11));
    // A saved command without a marker, or with a marker of a kind saved elsewhere, is not listed.
    PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY "\\Run"), "Orphan", "C:\\orphan.exe");
    PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY "\\Run"), "Stray", "C:\\stray.exe");
    PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY), "Stray", "101");
    EXPECT_EQ(" * Disabled  * HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
              LocationOf(One("Sleeper", "C:\\Sleeper\\sleep.exe -q").index));
    EXPECT_TRUE(Entries("Orphan").empty() && Entries("Stray").empty());

    // Put back by another program under the disabled title: disabled again, in its own key only.
    bed::SetRun(11, "Sleeper", "\"C:\\Sleeper\\new.exe\" /back");
    bed::SetRun(1, "Sleeper", "C:\\Sleeper\\machine.exe");
    bed::SetRun(21, "Sleeper", "C:\\Sleeper\\other.exe");
    EXPECT_EQ(11, IsEntryDisabled(One("Sleeper", "C:\\Sleeper\\new.exe /back").index));
    EXPECT_EQ("<missing>|\"C:\\Sleeper\\new.exe\" /back|C:\\Sleeper\\machine.exe|C:\\Sleeper\\other.exe",
              bed::RunText(11, "Sleeper") + "|" + bed::Stored(DISABLED_STORE_KEY "\\Run", "Sleeper") + "|" +
                  bed::RunText(1, "Sleeper") + "|" + bed::RunText(21, "Sleeper"));
    int disabled = 0;
    for (const bed::Listed& entry : Entries("Sleeper")) disabled += IsEntryDisabled(entry.index) != 0;
    EXPECT_EQ(1, disabled);
}
