// Disabling, enabling, removing, restoring and adding startup entries against the
// prefix's registry, win.ini and Startup folders.
#include "startup_bed.h"

#include "foundations/settings.h"
#include "foundations/shortcut.h"
#include "foundations/strings.h"
#include "resource.h"
#include "startup/startup_actions.h"

#include <thread>

using bed::Listed;

namespace {

class StartupActions : public bed::StartupBed {};

const char kMachineSaved[] = DISABLED_STORE_KEY "\\Run";

// The entry of a title as the page would hand it to an action.
Listed EntryTitled(const std::string& title)
{
    auto found = bed::WithTitle(bed::Collect(), title);
    EXPECT_EQ(1u, found.size()) << title;
    return found.empty() ? Listed{-1, "", "", "", 0, 0} : found[0];
}

StartupResult Toggle(const Listed& entry)
{
    return ToggleStartupEntry(entry.title.c_str(), entry.path.c_str(), entry.extra.c_str(), entry.kind);
}

StartupResult Remove(const Listed& entry)
{
    return RemoveStartupEntry(entry.title.c_str(), entry.path.c_str(), entry.extra.c_str(), entry.kind);
}

// Fields of a history line.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    if (!fields.empty() && !fields.back().empty() && fields.back().back() == '\r') fields.back().pop_back();
    return fields;
}

}  // namespace

TEST_F(StartupActions, DisableThenEnableKeepsRunValuesByteForByte)
{
    const std::string quoted = "\"C:\\Program Files\\App\\app.exe\" /min";
    const std::string rundll = "RUNDLL32.exe \"C:\\Program Files\\App\\panel.dll\",Start now";
    bed::SetRun(1, "Quoted App", quoted);
    bed::SetRun(11, "Panel", rundll);
    bed::SetRun(12, "Expanding", "%SystemRoot%\\exp.exe -a", REG_EXPAND_SZ);
    bed::Raw before[] = {bed::RunValue(1, "Quoted App"), bed::RunValue(11, "Panel"), bed::RunValue(12, "Expanding")};

    for (const char* title : {"Quoted App", "Panel", "Expanding"}) ASSERT_EQ(STARTUP_OK, Toggle(EntryTitled(title)));
    EXPECT_FALSE(bed::RunValue(1, "Quoted App").exists);
    EXPECT_FALSE(bed::RunValue(11, "Panel").exists);
    // Saved under HKEY_LOCAL_MACHINE for both hives, with the kind as marker.
    EXPECT_EQ(quoted, bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, kMachineSaved, "Quoted App")));
    EXPECT_EQ(rundll, bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, kMachineSaved, "Panel")));
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Quoted App")));
    EXPECT_EQ("11", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Panel")));
    EXPECT_EQ("12", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Expanding")));

    for (const char* title : {"Quoted App", "Panel", "Expanding"}) {
        Listed entry = EntryTitled(title);
        EXPECT_NE(0, IsEntryDisabled(entry.index)) << title;
        ASSERT_EQ(STARTUP_OK, Toggle(entry)) << title;
    }
    bed::Raw after[] = {bed::RunValue(1, "Quoted App"), bed::RunValue(11, "Panel"), bed::RunValue(12, "Expanding")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(after[i].exists);
        EXPECT_EQ(before[i].data, after[i].data);
        EXPECT_EQ(before[i].type, after[i].type);
    }
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, kMachineSaved, "Panel").exists);
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Panel").exists);
    EXPECT_EQ(0, IsEntryDisabled(EntryTitled("Panel").index));
}

TEST_F(StartupActions, DisableThenEnableKeepsLongWinIniLinesWhole)
{
    std::string run;
    for (int i = 0; i < 40; ++i) run += "C:\\Programs\\tool" + std::to_string(i) + "\\tool.exe;";
    run += "\"C:\\Program Files\\Watched\\w.exe\" -q";
    ASSERT_GT(run.size(), 1024u);
    WriteProfileStringA("windows", "run", run.c_str());
    WriteProfileStringA("windows", "load", "C:\\Load\\first.exe;C:\\Load\\second.exe");

    std::vector<Listed> entries = bed::Collect();
    Listed watched = {};
    for (const Listed& entry : bed::WithTitle(entries, "run"))
        if (entry.path == "C:\\Program Files\\Watched\\w.exe -q") watched = entry;
    ASSERT_EQ(KIND_WIN_RUN, watched.kind);
    Listed second = {};
    for (const Listed& entry : bed::WithTitle(entries, "load"))
        if (entry.path == "C:\\Load\\second.exe") second = entry;
    ASSERT_EQ(KIND_WIN_LOAD, second.kind);

    ASSERT_EQ(STARTUP_OK, Toggle(watched));
    ASSERT_EQ(STARTUP_OK, Toggle(second));
    std::string runNow = ReadWinIniLine("run");
    EXPECT_EQ(std::string::npos, runNow.find("Watched"));
    for (int i = 0; i < 40; ++i) EXPECT_NE(std::string::npos, runNow.find("tool" + std::to_string(i) + "\\"));
    EXPECT_EQ("C:\\Load\\first.exe;", ReadWinIniLine("load"));
    EXPECT_EQ("\"C:\\Program Files\\Watched\\w.exe\" -q",
              bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\WinRun", "run")));
    EXPECT_EQ("101", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "run")));
    EXPECT_EQ("100", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "load")));

    // Another program of the same title cannot be disabled while the first is.
    Listed other = {};
    for (const Listed& entry : bed::WithTitle(bed::Collect(), "run"))
        if (entry.path == "C:\\Programs\\tool7\\tool.exe") other = entry;
    ASSERT_EQ(KIND_WIN_RUN, other.kind);
    EXPECT_EQ(0, IsEntryDisabled(other.index));
    EXPECT_EQ(STARTUP_TITLE_TAKEN, Toggle(other));

    for (const Listed& entry : bed::Collect()) {
        if (IsEntryDisabled(entry.index)) {
            ASSERT_EQ(STARTUP_OK, Toggle(entry)) << entry.path;
        }
    }
    runNow = ReadWinIniLine("run");
    EXPECT_NE(std::string::npos, runNow.find(";\"C:\\Program Files\\Watched\\w.exe\" -q"));
    for (int i = 0; i < 40; ++i) EXPECT_NE(std::string::npos, runNow.find("tool" + std::to_string(i) + "\\"));
    EXPECT_EQ("C:\\Load\\first.exe;;C:\\Load\\second.exe", ReadWinIniLine("load"));
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "run").exists);
}

TEST_F(StartupActions, DisableThenEnablePutsStartupFilesBackWhereTheyWere)
{
    std::string shortcut = userStartup + "\\Roundtrip.lnk";
    ASSERT_EQ(S_OK, CreateShortcut(shortcut.c_str(), bed::ThisProgram().c_str(), "/start", "", "Vgk Roundtrip", "", 0));
    std::string content = bed::FileText(shortcut);

    ASSERT_EQ(STARTUP_OK, Toggle(EntryTitled("Vgk Roundtrip")));
    EXPECT_FALSE(bed::Exists(shortcut));
    EXPECT_TRUE(bed::Exists(bed::ProgramFolder("Disabled") + "\\Roundtrip.lnk"));
    EXPECT_EQ("200", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Vgk Roundtrip")));

    Listed disabled = EntryTitled("Vgk Roundtrip");
    EXPECT_EQ(200, IsEntryDisabled(disabled.index));
    EXPECT_EQ(" * Disabled  * Windows Startup Group", bed::LocationOf(disabled.index));
    ASSERT_EQ(STARTUP_OK, Toggle(disabled));
    ASSERT_TRUE(bed::Exists(shortcut)) << "back in the user's Startup folder, not the machine's";
    EXPECT_EQ(content, bed::FileText(shortcut));
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Vgk Roundtrip").exists);
}

TEST_F(StartupActions, AFailedMoveLeavesNoMarker)
{
    std::string shortcut = userStartup + "\\Blocked.lnk";
    ASSERT_EQ(S_OK, CreateShortcut(shortcut.c_str(), bed::ThisProgram().c_str(), "", "", "Vgk Blocked", "", 0));
    // A file of that name already waits in "Disabled": the move must not replace it.
    std::string folder = bed::ProgramFolder("Disabled");
    CreateDirectoryA(folder.c_str(), nullptr);
    bed::PutFile(folder + "\\Blocked.lnk", "older file");

    EXPECT_EQ(STARTUP_FAILED, Toggle(EntryTitled("Vgk Blocked")));
    EXPECT_TRUE(bed::Exists(shortcut));
    EXPECT_EQ("older file", bed::FileText(folder + "\\Blocked.lnk"));
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Vgk Blocked").exists);
}

TEST_F(StartupActions, SecondEntryOfADisabledTitleIsRefused)
{
    bed::SetRun(1, "Updater", "C:\\Machine\\update.exe");
    bed::SetRun(11, "Updater", "C:\\User\\update.exe");
    Listed machine = {}, user = {};
    for (const Listed& entry : bed::WithTitle(bed::Collect(), "Updater")) (entry.kind == 1 ? machine : user) = entry;
    ASSERT_EQ(STARTUP_OK, Toggle(machine));

    for (const Listed& entry : bed::WithTitle(bed::Collect(), "Updater"))
        if (entry.kind == 11) user = entry;
    EXPECT_EQ(0, IsEntryDisabled(user.index));
    EXPECT_EQ(STARTUP_TITLE_TAKEN, Toggle(user));
    EXPECT_EQ("C:\\User\\update.exe", bed::Text(bed::RunValue(11, "Updater")));
    EXPECT_EQ("C:\\Machine\\update.exe", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, kMachineSaved, "Updater")));

    // Removing the user's entry takes it from its own key; the machine's stays disabled.
    EXPECT_EQ(STARTUP_OK, Remove(user));
    EXPECT_FALSE(bed::RunValue(11, "Updater").exists);
    EXPECT_EQ("C:\\Machine\\update.exe", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, kMachineSaved, "Updater")));
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Updater")));
}

TEST_F(StartupActions, OtherUsersEntriesAreLeftAlone)
{
    bed::SetRun(21, "Elsewhere", "C:\\Other\\user.exe");
    Listed entry = EntryTitled("Elsewhere");
    EXPECT_EQ(STARTUP_OTHER_USER, Toggle(entry));
    EXPECT_EQ(STARTUP_OTHER_USER, Remove(entry));
    EXPECT_EQ("C:\\Other\\user.exe", bed::Text(bed::RunValue(21, "Elsewhere")));
    EXPECT_FALSE(bed::Exists(bed::HistoryFile()));
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "Elsewhere").exists);
}

TEST_F(StartupActions, LongCommandsKeepWholeAndRefuseACutWrite)
{
    std::string command = "\"C:\\Long Path\\app.exe\" " + std::string(400, 'x');
    bed::SetRun(11, "LongOne", command);
    Listed entry = EntryTitled("LongOne");
    ASSERT_EQ(ENTRY_PATH_CHARS - 1, (int)entry.path.size());

    // The history line could not carry it, so the removal could not be undone.
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, Remove(entry));
    EXPECT_EQ(command, bed::Text(bed::RunValue(11, "LongOne")));
    EXPECT_FALSE(bed::Exists(bed::HistoryFile()));

    // Disabling keeps the whole command, read again from the registry.
    ASSERT_EQ(STARTUP_OK, Toggle(entry));
    ASSERT_EQ(STARTUP_OK, Toggle(EntryTitled("LongOne")));
    EXPECT_EQ(command, bed::Text(bed::RunValue(11, "LongOne")));

    // A name longer than the title field cannot be found again from its cut title.
    std::string name = "LongName" + std::string(200, 'n');
    bed::SetRun(11, name, "C:\\named.exe");
    Listed named = EntryTitled(name.substr(0, ENTRY_TITLE_CHARS - 1));
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, Toggle(named));
    EXPECT_EQ("C:\\named.exe", bed::Text(bed::RunValue(11, name)));
    EXPECT_NE(0u, StartupResultMessage(STARTUP_COMMAND_TOO_LONG));
}

TEST_F(StartupActions, RemoveWritesOneHistoryLineAndUndoPutsTheValueBack)
{
    const std::string command = "\"C:\\Program Files\\Gone\\gone.exe\" /tray=1";
    bed::SetRun(11, "Gone=App", command);
    // The first run named the known program by its command with ":" for "=".
    bed::SetValue(HKEY_CURRENT_USER, bed::kKnownProgramsKey, "C:\\Program Files\\Gone\\gone.exe /tray:1", "11");
    bed::SetValue(HKEY_CURRENT_USER, bed::kKnownProgramsKey, "Gone=App", "1");

    ASSERT_EQ(STARTUP_OK, Remove(EntryTitled("Gone=App")));
    EXPECT_FALSE(bed::RunValue(11, "Gone=App").exists);
    EXPECT_FALSE(
        bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, "C:\\Program Files\\Gone\\gone.exe /tray:1").exists);
    EXPECT_FALSE(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, "Gone=App").exists);
    std::vector<std::string> lines = bed::HistoryLines();
    ASSERT_EQ(1u, lines.size());
    std::vector<std::string> fields = Fields(lines[0]);
    ASSERT_EQ(6u, fields.size());
    EXPECT_EQ("*START_Remove", fields[1]);
    EXPECT_EQ("CURRENT_RUN", fields[2]);
    EXPECT_EQ("Gone=App", fields[3]);
    EXPECT_EQ(command, fields[4]);

    ASSERT_EQ(1, LoadHistoryEntries());
    EXPECT_EQ(1, IsReversible(0));
    ASSERT_EQ(1, UndoHistoryEntry(0));
    bed::Raw back = bed::RunValue(11, "Gone=App");
    EXPECT_EQ(command, bed::Text(back)) << "quotes and all";
    EXPECT_EQ((DWORD)REG_SZ, back.type);
}

TEST_F(StartupActions, RemovingTheMonitorOrADisabledEntryLeavesNoHistoryOrStore)
{
    bed::SetRun(1, "Watcher", "C:\\Apps\\Vigilark\\vigilark.exe");
    ASSERT_EQ(STARTUP_OK, Remove(EntryTitled("Watcher")));
    EXPECT_FALSE(bed::Exists(bed::HistoryFile())) << "no history line for the monitor itself";

    WriteProfileStringA("windows", "run", "C:\\Run\\one.exe;C:\\Run\\two.exe");
    Listed two = {};
    for (const Listed& entry : bed::WithTitle(bed::Collect(), "run"))
        if (entry.path == "C:\\Run\\two.exe") two = entry;
    ASSERT_EQ(STARTUP_OK, Toggle(two));
    Listed disabled = {};
    for (const Listed& entry : bed::WithTitle(bed::Collect(), "run"))
        if (IsEntryDisabled(entry.index)) disabled = entry;
    ASSERT_EQ("C:\\Run\\two.exe", disabled.path);
    ASSERT_EQ(STARTUP_OK, Remove(disabled));
    EXPECT_EQ("C:\\Run\\one.exe;", ReadWinIniLine("run"));
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, "run").exists);
    EXPECT_FALSE(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\WinRun", "run").exists);
    EXPECT_EQ(1u, bed::HistoryLines().size());
}

TEST_F(StartupActions, RemovedShortcutGoesAndItsTargetStays)
{
    std::string target = bed::TempFolder() + "\\vgk_kept.exe";
    ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), target.c_str(), FALSE));
    std::string shortcut = userStartup + "\\Kept.lnk";
    ASSERT_EQ(S_OK, CreateShortcut(shortcut.c_str(), target.c_str(), "", "", "Vgk Kept", "", 0));

    ASSERT_EQ(STARTUP_OK, Remove(EntryTitled("Vgk Kept")));
    EXPECT_FALSE(bed::Exists(shortcut));
    EXPECT_TRUE(bed::Exists(target));
    ASSERT_EQ(1, LoadHistoryEntries());
    ASSERT_EQ(1, UndoHistoryEntry(0));
    ASSERT_TRUE(bed::Exists(shortcut));
    char resolved[MAX_PATH], description[MAX_PATH];
    EXPECT_EQ(S_OK, ResolveShortcut(nullptr, shortcut.c_str(), resolved, sizeof resolved, description,
                                    sizeof description));
    char longResolved[MAX_PATH];
    LongPathForm(resolved, longResolved, sizeof longResolved);
    EXPECT_EQ(0, lstrcmpiA(target.c_str(), longResolved)) << longResolved;
    EXPECT_STREQ("Vgk Kept", description);
    DeleteFileA(target.c_str());
}

TEST_F(StartupActions, RemovedProgramFileIsKeptAsideAndUndoBringsItBack)
{
    std::string program = userStartup + "\\placed.exe";
    ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), program.c_str(), FALSE));
    std::string content = bed::FileText(program);
    Listed entry = {};
    for (const Listed& candidate : bed::WithTitle(bed::Collect(), "Vigilark Explorer"))
        if (lstrcmpiA(candidate.extra.c_str(), program.c_str()) == 0) entry = candidate;
    ASSERT_EQ(KIND_GROUP_STARTUP, entry.kind);

    ASSERT_EQ(STARTUP_OK, Remove(entry));
    EXPECT_FALSE(bed::Exists(program));
    std::string kept = bed::ProgramFolder("Removed") + "\\placed.exe";
    ASSERT_TRUE(bed::Exists(kept)) << "never deleted";
    EXPECT_TRUE(bed::WithTitle(bed::Collect(), "Vigilark Explorer").empty()) << "no longer starts";

    ASSERT_EQ(1, LoadHistoryEntries());
    ASSERT_EQ(1, UndoHistoryEntry(0));
    ASSERT_TRUE(bed::Exists(program));
    EXPECT_EQ(content, bed::FileText(program));
    EXPECT_FALSE(bed::Exists(kept));
}

TEST_F(StartupActions, RestoreNeverOverwrites)
{
    bed::SetRun(1, "Present", "C:\\now.exe");
    EXPECT_EQ(0, RestoreStartupEntry("Present", "C:\\then.exe", "", 1));
    EXPECT_EQ("C:\\now.exe", bed::Text(bed::RunValue(1, "Present")));
    EXPECT_EQ(1, RestoreStartupEntry("Present", "C:\\now.exe", "", 1));
    EXPECT_EQ(1, RestoreStartupEntry("Absent", "C:\\absent.exe /b", "", 1));
    EXPECT_EQ("C:\\absent.exe /b", bed::Text(bed::RunValue(1, "Absent")));
    EXPECT_EQ(0, RestoreStartupEntry("Other", "C:\\other.exe", "", 21));
    EXPECT_EQ(1, RestoreStartupEntry("run", "C:\\restored.exe", "", KIND_WIN_RUN));
    EXPECT_EQ(1, RestoreStartupEntry("run", "C:\\restored.exe", "", KIND_WIN_RUN));
    EXPECT_EQ(";C:\\restored.exe", ReadWinIniLine("run"));
}

TEST_F(StartupActions, RegisteringAProgramNeverOverwrites)
{
    std::string program = bed::TempFolder() + "\\vgk_added.exe";
    ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), program.c_str(), FALSE));
    bed::SetRun(1, "Vigilark Explorer", "C:\\someone\\else.exe");

    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(program.c_str()));
    EXPECT_EQ("C:\\someone\\else.exe", bed::Text(bed::RunValue(1, "Vigilark Explorer")));
    EXPECT_EQ(program, bed::Text(bed::RunValue(1, "Vigilark Explorer (2)")));
    std::string known = program;
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, known)));
    // Adding it again finds it there.
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(program.c_str()));
    EXPECT_FALSE(bed::RunValue(1, "Vigilark Explorer (3)").exists);

    // No version information: named by its file, never the unnamed default value.
    std::string plain = bed::TempFolder() + "\\vgk=plain.exe";
    bed::PutFile(plain, "MZ");
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(plain.c_str()));
    EXPECT_EQ(plain, bed::Text(bed::RunValue(1, "vgk=plain.exe")));
    EXPECT_FALSE(bed::RunValue(1, "").exists);
    std::string plainKnown = plain;
    plainKnown[plainKnown.find('=')] = ':';
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, plainKnown)));
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, RegisterStartupProgram(("C:\\" + std::string(300, 'p') + ".exe").c_str()));
    DeleteFileA(program.c_str());
    DeleteFileA(plain.c_str());
}

TEST_F(StartupActions, TheAddDialogReturnsTheChosenProgram)
{
    std::string chosen = bed::ThisProgram();
    char title[128];
    LoadText(IDS_ADD_PROGRAM_TITLE, title);
    std::thread answer([&] {
        for (int i = 0; i < 200; ++i) {
            HWND dialog = FindWindowA("#32770", title);
            if (dialog) {
                SetDlgItemTextA(dialog, 0x47c /* cmb13, the file name */, chosen.c_str());
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(50);
        }
    });
    char path[512] = "";
    bool chose = AddStartupProgram(nullptr, path, sizeof path);
    answer.join();
    ASSERT_TRUE(chose);
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), path)) << path;
}

TEST_F(StartupActions, MonitorAutostartOnAndOff)
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    std::string command = std::string(directory) + "\\vigilark.exe";

    ASSERT_EQ(1, SetMonitorAutostart(true));
    EXPECT_TRUE(MonitorStartsAutomatically());
    EXPECT_EQ(command, bed::Text(bed::RunValue(1, "Vigilark")));
    EXPECT_EQ("1", bed::Text(bed::ReadRaw(HKEY_CURRENT_USER, bed::kKnownProgramsKey, command)));

    ASSERT_EQ(1, SetMonitorAutostart(false));
    EXPECT_FALSE(MonitorStartsAutomatically());
    EXPECT_FALSE(bed::RunValue(1, "Vigilark").exists);
    EXPECT_FALSE(bed::Exists(bed::HistoryFile()));
}

TEST_F(StartupActions, DeleteAtRestartOnTheNtFamily)
{
    const char* sessionKey = "System\\CurrentControlSet\\Control\\Session Manager";
    bed::Raw before = bed::ReadRaw(HKEY_LOCAL_MACHINE, sessionKey, "PendingFileRenameOperations");
    std::string file = bed::TempFolder() + "\\vgk_doomed.txt";
    bed::PutFile(file, "x");

    EXPECT_EQ(1, DeleteFileOnRestart(file.c_str()));
    bed::Raw pending = bed::ReadRaw(HKEY_LOCAL_MACHINE, sessionKey, "PendingFileRenameOperations");
    EXPECT_NE(std::string::npos, pending.data.find("vgk_doomed.txt"));
    EXPECT_EQ(0, DeleteFileOnRestart(""));
    // Wine: MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT also answers 1 for a missing
    // file, so the failure path cannot be reached here.

    if (before.exists)
        WriteRegRaw(HKEY_LOCAL_MACHINE, sessionKey, "PendingFileRenameOperations", before.data, before.type);
    else
        DeleteRegValue(HKEY_LOCAL_MACHINE, sessionKey, "PendingFileRenameOperations");
    DeleteFileA(file.c_str());
}

TEST_F(StartupActions, EveryRefusalHasAMessage)
{
    EXPECT_EQ(0u, StartupResultMessage(STARTUP_OK));
    for (StartupResult result : {STARTUP_FAILED, STARTUP_OTHER_USER, STARTUP_TITLE_TAKEN, STARTUP_COMMAND_TOO_LONG,
                                 STARTUP_NOT_HANDLED}) {
        char text[512];
        UINT id = StartupResultMessage(result);
        EXPECT_GE(id, 2000u);
        EXPECT_GT(LoadText(id, text), 0) << result;
    }
    char text[512];
    EXPECT_GT(LoadText(IDS_DELETE_ON_RESTART_FAILED, text), 0);
    EXPECT_EQ(STARTUP_NOT_HANDLED, ToggleStartupEntry("Task", "C:\\t.exe", "", KIND_TASK_SCHEDULED));
}
