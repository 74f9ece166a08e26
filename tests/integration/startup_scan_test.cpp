// Collecting startup entries from the prefix's Run keys, Startup folders, win.ini lines
// and the disabled store.
#include "startup_bed.h"

#include "foundations/shortcut.h"
#include "startup/startup_actions.h"

using bed::Listed;

namespace {

class StartupScan : public bed::StartupBed {};

std::string Repeat(char c, size_t n) { return std::string(n, c); }

}  // namespace

TEST_F(StartupScan, ListsEveryRunKeyOfTheThreeHivesInOrder)
{
    for (int base : {0, 10, 20})
        for (int n = 1; n <= 5; ++n) {
            int kind = base + n;
            bed::SetRun(kind, "Scan" + std::to_string(kind), "C:\\Tools\\p" + std::to_string(kind) + ".exe /x");
        }
    std::vector<Listed> entries = bed::Collect();

    int previousIndex = -1;
    for (int base : {0, 10, 20})
        for (int n = 1; n <= 5; ++n) {
            int kind = base + n;
            auto found = bed::WithTitle(entries, "Scan" + std::to_string(kind));
            ASSERT_EQ(1u, found.size()) << kind;
            EXPECT_EQ(kind, found[0].kind);
            EXPECT_EQ("C:\\Tools\\p" + std::to_string(kind) + ".exe /x", found[0].path);
            EXPECT_EQ("", found[0].extra);
            EXPECT_EQ(0, found[0].value);
            EXPECT_GT(found[0].index, previousIndex) << "scan order";
            previousIndex = found[0].index;
        }

    EXPECT_EQ("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
              bed::LocationOf(bed::WithTitle(entries, "Scan1")[0].index));
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
              bed::LocationOf(bed::WithTitle(entries, "Scan5")[0].index));
    EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
              bed::LocationOf(bed::WithTitle(entries, "Scan13")[0].index));
    EXPECT_EQ("HKEY_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
              bed::LocationOf(bed::WithTitle(entries, "Scan24")[0].index));
}

TEST_F(StartupScan, SkipsShortNamesShortCommandsAndNonAsciiNames)
{
    bed::SetRun(1, "A", "C:\\one\\letter.exe");
    bed::SetRun(1, "Short", "a.ex");
    bed::SetRun(1, "\xE9toile", "C:\\accent\\name.exe");
    bed::SetRun(1, "Fine", "b.exe");
    std::vector<Listed> entries = bed::Collect();
    EXPECT_TRUE(bed::WithTitle(entries, "A").empty());
    EXPECT_TRUE(bed::WithTitle(entries, "Short").empty());
    EXPECT_TRUE(bed::WithTitle(entries, "\xE9toile").empty());
    EXPECT_EQ(1u, bed::WithTitle(entries, "Fine").size());
}

TEST_F(StartupScan, ConsecutiveDuplicatesAcrossKeysAreListedOnce)
{
    // The last value of HKLM Run and the first of HKLM RunOnce: equal but for case.
    bed::SetRun(1, "Twice", "C:\\Twice\\twice.exe");
    bed::SetRun(2, "TWICE", "c:\\twice\\TWICE.EXE");
    // Not consecutive: another value stands between them.
    bed::SetRun(11, "Again", "C:\\again.exe");
    bed::SetRun(11, "Between", "C:\\between.exe");
    bed::SetRun(12, "Again", "C:\\again.exe");
    std::vector<Listed> entries = bed::Collect();
    auto twice = bed::WithTitle(entries, "Twice");
    ASSERT_EQ(1u, twice.size());
    EXPECT_EQ(1, twice[0].kind);
    EXPECT_EQ(2u, bed::WithTitle(entries, "Again").size());
}

TEST_F(StartupScan, Rundll32CommandsShowTheirArguments)
{
    bed::SetRun(1, "Panel", "RUNDLL32.exe shell32.dll,Control_RunDLL x");
    bed::SetRun(11, "Quoted", "\"C:\\windows\\system32\\rundll32.exe\" C:\\x\\y.dll,Entry");
    std::vector<Listed> entries = bed::Collect();
    auto panel = bed::WithTitle(entries, "Panel");
    ASSERT_EQ(1u, panel.size());
    EXPECT_EQ("shell32.dll,Control_RunDLL x", panel[0].path);
    EXPECT_EQ(1, panel[0].value);
    auto quoted = bed::WithTitle(entries, "Quoted");
    ASSERT_EQ(1u, quoted.size());
    EXPECT_EQ("C:\\x\\y.dll,Entry", quoted[0].path);
    EXPECT_EQ(1, quoted[0].value);
}

TEST_F(StartupScan, LongCommandsAndNamesAreListedCut)
{
    std::string command = "C:\\Long\\app.exe " + Repeat('x', 400);
    std::string name = "Long" + Repeat('n', 200);
    bed::SetRun(11, "LongCommand", command);
    bed::SetRun(11, name, "C:\\Long\\named.exe");
    std::vector<Listed> entries = bed::Collect();
    auto longCommand = bed::WithTitle(entries, "LongCommand");
    ASSERT_EQ(1u, longCommand.size());
    EXPECT_EQ(command.substr(0, ENTRY_PATH_CHARS - 1), longCommand[0].path);
    auto longName = bed::WithTitle(entries, name.substr(0, ENTRY_TITLE_CHARS - 1));
    ASSERT_EQ(1u, longName.size());
    EXPECT_EQ("C:\\Long\\named.exe", longName[0].path);
}

TEST_F(StartupScan, QuotesAreRemovedAndExpandableValuesExpanded)
{
    bed::SetRun(1, "Quoted", "\"C:\\Program Files\\App\\app.exe\" /min");
    bed::SetRun(1, "Expand", "%SystemRoot%\\x.exe", REG_EXPAND_SZ);
    std::vector<Listed> entries = bed::Collect();
    EXPECT_EQ("C:\\Program Files\\App\\app.exe /min", bed::WithTitle(entries, "Quoted")[0].path);
    EXPECT_EQ("C:\\windows\\x.exe", bed::WithTitle(entries, "Expand")[0].path);
}

TEST_F(StartupScan, StartupFolderItems)
{
    ASSERT_FALSE(userStartup.empty());
    ASSERT_FALSE(commonStartup.empty());
    std::string program = bed::TempFolder() + "\\vgk_target.exe";
    ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), program.c_str(), FALSE));
    std::string gone = bed::TempFolder() + "\\vgk_gone.exe";
    ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), gone.c_str(), FALSE));

    std::string described = userStartup + "\\Described.lnk";
    std::string plain = userStartup + "\\Plain.lnk";
    std::string dangling = userStartup + "\\Dangling.lnk";
    ASSERT_EQ(S_OK, CreateShortcut(described.c_str(), program.c_str(), "", "", "Vgk Described", "", 0));
    ASSERT_EQ(S_OK, CreateShortcut(plain.c_str(), program.c_str(), "", "", "", "", 0));
    ASSERT_EQ(S_OK, CreateShortcut(dangling.c_str(), gone.c_str(), "", "", "Vgk Dangling", "", 0));
    DeleteFileA(gone.c_str());
    std::string direct = userStartup + "\\direct.exe";
    ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), direct.c_str(), FALSE));
    std::string pif = userStartup + "\\old.pif";
    bed::PutFile(pif, "");
    bed::PutFile(userStartup + "\\notes.txt", "not a program");
    // Only Common Startup is walked one level deep.
    CreateDirectoryA((userStartup + "\\Sub").c_str(), nullptr);
    CreateShortcut((userStartup + "\\Sub\\UserSub.lnk").c_str(), program.c_str(), "", "", "Vgk UserSub", "", 0);
    CreateDirectoryA((commonStartup + "\\Sub").c_str(), nullptr);
    CreateDirectoryA((commonStartup + "\\Sub\\Deeper").c_str(), nullptr);
    CreateShortcut((commonStartup + "\\Sub\\CommonSub.lnk").c_str(), program.c_str(), "", "", "Vgk CommonSub", "", 0);
    CreateShortcut((commonStartup + "\\Sub\\Deeper\\TooDeep.lnk").c_str(), program.c_str(), "", "", "Vgk TooDeep", "",
                   0);

    std::vector<Listed> entries = bed::Collect();
    char longProgram[MAX_PATH];
    LongPathForm(program.c_str(), longProgram, sizeof longProgram);

    auto describedEntry = bed::WithTitle(entries, "Vgk Described");
    ASSERT_EQ(1u, describedEntry.size());
    EXPECT_EQ(KIND_GROUP_STARTUP, describedEntry[0].kind);
    EXPECT_TRUE(lstrcmpiA(longProgram, describedEntry[0].path.c_str()) == 0) << describedEntry[0].path;
    EXPECT_TRUE(lstrcmpiA(described.c_str(), describedEntry[0].extra.c_str()) == 0) << describedEntry[0].extra;
    EXPECT_EQ("Windows Startup Group", bed::LocationOf(describedEntry[0].index));

    // Without a description the target's file description names it; the program placed
    // directly in the folder is named the same way. Both are copies of this test program.
    auto byVersion = bed::WithTitle(entries, "Vigilark Explorer");
    ASSERT_EQ(2u, byVersion.size());
    bool sawPlain = false, sawDirect = false;
    for (const Listed& entry : byVersion) {
        sawPlain = sawPlain || lstrcmpiA(entry.extra.c_str(), plain.c_str()) == 0;
        if (lstrcmpiA(entry.extra.c_str(), direct.c_str()) == 0) {
            sawDirect = true;
            EXPECT_TRUE(lstrcmpiA(entry.path.c_str(), direct.c_str()) == 0);
        }
    }
    EXPECT_TRUE(sawPlain);
    EXPECT_TRUE(sawDirect);

    EXPECT_TRUE(bed::WithTitle(entries, "Vgk Dangling").empty()) << "a shortcut to a deleted program";
    auto pifEntry = bed::WithTitle(entries, "Unspecified Title");
    ASSERT_EQ(1u, pifEntry.size());
    EXPECT_TRUE(lstrcmpiA(pif.c_str(), pifEntry[0].path.c_str()) == 0);
    EXPECT_EQ("", pifEntry[0].extra);
    EXPECT_TRUE(bed::WithTitle(entries, "Vgk UserSub").empty());
    EXPECT_EQ(1u, bed::WithTitle(entries, "Vgk CommonSub").size());
    EXPECT_TRUE(bed::WithTitle(entries, "Vgk TooDeep").empty());
    for (const Listed& entry : entries) EXPECT_EQ(std::string::npos, entry.path.find("notes.txt"));

    DeleteFileA(program.c_str());
}

TEST_F(StartupScan, WinIniLinesGiveOneEntryPerProgram)
{
    WriteProfileStringA("windows", "run", "a.exe;;b.exe");
    WriteProfileStringA("windows", "load", "C:\\windows\\regedit.exe");
    std::vector<Listed> entries = bed::Collect();
    auto run = bed::WithTitle(entries, "run");
    ASSERT_EQ(2u, run.size());
    EXPECT_EQ("a.exe", run[0].path);
    EXPECT_EQ("b.exe", run[1].path);
    EXPECT_EQ(KIND_WIN_RUN, run[0].kind);
    EXPECT_EQ("WIN.INI     [Run] Section", bed::LocationOf(run[0].index));
    // A program with version information is named after its product.
    auto load = bed::WithTitle(entries, "Wine");
    ASSERT_EQ(1u, load.size());
    EXPECT_EQ(KIND_WIN_LOAD, load[0].kind);
    EXPECT_EQ("WIN.INI     [Load] Section", bed::LocationOf(load[0].index));
    EXPECT_LT(run[1].index, load[0].index) << "run before load";
}

TEST_F(StartupScan, DisabledEntriesAreListedWithTheirLocation)
{
    bed::SetRun(11, "Sleeper", "C:\\Sleeper\\sleep.exe -q");
    ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Sleeper", "C:\\Sleeper\\sleep.exe -q", "", 11));
    // A saved command without a marker, or with a marker of a kind saved elsewhere, is not listed.
    bed::SetValue(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\Run", "Orphan", "C:\\orphan.exe");
    bed::SetValue(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\Run", "Stray", "C:\\stray.exe");
    bed::SetValue(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Stray", "101");

    std::vector<Listed> entries = bed::Collect();
    auto sleeper = bed::WithTitle(entries, "Sleeper");
    ASSERT_EQ(1u, sleeper.size());
    EXPECT_EQ(11, sleeper[0].kind);
    EXPECT_EQ("C:\\Sleeper\\sleep.exe -q", sleeper[0].path);
    EXPECT_EQ(11, IsEntryDisabled(sleeper[0].index));
    EXPECT_EQ(" * Disabled  * HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
              bed::LocationOf(sleeper[0].index));
    EXPECT_TRUE(bed::WithTitle(entries, "Orphan").empty());
    EXPECT_TRUE(bed::WithTitle(entries, "Stray").empty());
}

TEST_F(StartupScan, ReAddedDisabledEntryIsDisabledAgain)
{
    bed::SetRun(11, "Reborn", "C:\\Reborn\\old.exe");
    ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Reborn", "C:\\Reborn\\old.exe", "", 11));
    bed::SetRun(11, "Reborn", "\"C:\\Reborn\\new.exe\" /back");

    std::vector<Listed> entries = bed::Collect();
    EXPECT_FALSE(bed::RunValue(11, "Reborn").exists) << "taken out of the Run key again";
    EXPECT_EQ("\"C:\\Reborn\\new.exe\" /back",
              bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\Run", "Reborn")));
    auto reborn = bed::WithTitle(entries, "Reborn");
    ASSERT_EQ(1u, reborn.size());
    EXPECT_EQ(11, IsEntryDisabled(reborn[0].index));
    EXPECT_EQ("C:\\Reborn\\new.exe /back", reborn[0].path);
}

TEST_F(StartupScan, SameTitleInAnotherKeyIsNotTakenForTheDisabledOne)
{
    bed::SetRun(1, "Twin", "C:\\Twin\\machine.exe");
    ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Twin", "C:\\Twin\\machine.exe", "", 1));
    bed::SetRun(11, "Twin", "C:\\Twin\\user.exe");
    bed::SetRun(21, "Twin", "C:\\Twin\\other.exe");

    std::vector<Listed> entries = bed::Collect();
    EXPECT_TRUE(bed::RunValue(11, "Twin").exists);
    EXPECT_TRUE(bed::RunValue(21, "Twin").exists);
    EXPECT_EQ("C:\\Twin\\machine.exe", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\Run", "Twin")));
    auto twins = bed::WithTitle(entries, "Twin");
    ASSERT_EQ(3u, twins.size());
    int disabled = 0;
    for (const Listed& twin : twins) {
        if (IsEntryDisabled(twin.index)) {
            ++disabled;
            EXPECT_EQ(1, twin.kind);
        }
    }
    EXPECT_EQ(1, disabled);
}
