// Disabling, enabling, removing, restoring and adding startup entries against the
// prefix's registry, win.ini and Startup folders; history.txt and undoing from it.
#include "startup_bed.h"

#include <thread>

#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/shortcut.h"
#include "resource.h"
#include "shell_fixture.h"
#include "startup/startup_actions.h"

#include <regex>

using bed::Listed;
using bed::One;

namespace {

class StartupActions : public bed::StartupBed {};

const char kSaved[] = DISABLED_STORE_KEY "\\Run";

// An action on an entry as the page hands it over.
StartupResult Toggle(const Listed& e)
{
    return ToggleStartupEntry(e.title.c_str(), e.path.c_str(), e.extra.c_str(), e.kind);
}
StartupResult Remove(const Listed& e)
{
    return RemoveStartupEntry(e.title.c_str(), e.path.c_str(), e.extra.c_str(), e.kind);
}

std::string Marker(const std::string& title) { return bed::Stored(DISABLED_STORE_KEY, title); }

std::string Copy(const std::string& path)
{
    EXPECT_TRUE(CopyFileA(ThisProgram().c_str(), path.c_str(), FALSE)) << path;
    return path;
}

}  // namespace

TEST_F(StartupActions, DisableThenEnableKeepsRunValuesByteForByte)
{
    const struct {
        int kind;
        const char* title;
        std::string command;
        DWORD type;
        std::string saved;  // where the disabled store keeps the command, under HKEY_LOCAL_MACHINE
    } rows[] = {{1, "Quoted App", "\"C:\\Program Files\\App\\app.exe\" /min", REG_SZ, kSaved},
                {11, "Panel", "RUNDLL32.exe \"C:\\Program Files\\App\\panel.dll\",Start now", REG_SZ, kSaved},
                {12, "Expanding", "%SystemRoot%\\exp.exe -a", REG_EXPAND_SZ, DISABLED_STORE_KEY "\\RunOnce"}};
    for (const auto& row : rows) ASSERT_TRUE(bed::SetRun(row.kind, row.title, row.command, row.type));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        std::string before, after;
        DWORD type = 0;
        ASSERT_TRUE(ReadRegRaw(RunKindHive(row.kind), bed::RunKey(row.kind).c_str(), row.title, before, &type));
        ASSERT_EQ(STARTUP_OK, Toggle(One(row.title)));
        EXPECT_EQ("<missing>", bed::RunText(row.kind, row.title));
        EXPECT_EQ(row.command, bed::Stored(row.saved.c_str(), row.title));
        EXPECT_EQ(std::to_string(row.kind), Marker(row.title));

        Listed disabled = One(row.title);
        EXPECT_EQ(row.kind, IsEntryDisabled(disabled.index));
        ASSERT_EQ(STARTUP_OK, Toggle(disabled));
        ASSERT_TRUE(ReadRegRaw(RunKindHive(row.kind), bed::RunKey(row.kind).c_str(), row.title, after, &type));
        EXPECT_EQ(before, after);
        EXPECT_EQ(row.type, type);
        EXPECT_EQ("<missing>", bed::Stored(row.saved.c_str(), row.title));
        EXPECT_EQ("<missing>", Marker(row.title));
        EXPECT_EQ(0, IsEntryDisabled(One(row.title).index));
    }
}

TEST_F(StartupActions, DisableThenEnableKeepsLongWinIniLinesWhole)
{
    std::string run;
    for (int i = 0; i < 40; ++i) run += "C:\\Programs\\tool" + std::to_string(i) + "\\tool.exe;";
    run += "\"C:\\Program Files\\Watched\\w.exe\" -q";
    ASSERT_GT(run.size(), 1024u);
    WriteProfileStringA("windows", "run", run.c_str());
    WriteProfileStringA("windows", "load", "C:\\Load\\first.exe;C:\\Load\\second.exe");
    auto keepsTheTools = [](const std::string& line) {
        for (int i = 0; i < 40; ++i) EXPECT_NE(std::string::npos, line.find("tool" + std::to_string(i) + "\\")) << i;
    };

    ASSERT_EQ(STARTUP_OK, Toggle(One("run", "C:\\Program Files\\Watched\\w.exe -q")));
    ASSERT_EQ(STARTUP_OK, Toggle(One("load", "C:\\Load\\second.exe")));
    EXPECT_EQ(std::string::npos, ReadWinIniLine("run").find("Watched"));
    keepsTheTools(ReadWinIniLine("run"));
    EXPECT_EQ("C:\\Load\\first.exe;", ReadWinIniLine("load"));
    EXPECT_EQ("\"C:\\Program Files\\Watched\\w.exe\" -q", bed::Stored(DISABLED_STORE_KEY "\\WinRun", "run"));
    EXPECT_EQ("101", Marker("run"));
    EXPECT_EQ("100", Marker("load"));

    // Another program of the same title cannot be disabled while the first is.
    Listed other = One("run", "C:\\Programs\\tool7\\tool.exe");
    EXPECT_EQ(0, IsEntryDisabled(other.index));
    EXPECT_EQ(STARTUP_TITLE_TAKEN, Toggle(other));

    ASSERT_EQ(STARTUP_OK, Toggle(One("run", "C:\\Program Files\\Watched\\w.exe -q")));
    ASSERT_EQ(STARTUP_OK, Toggle(One("load", "C:\\Load\\second.exe")));
    EXPECT_NE(std::string::npos, ReadWinIniLine("run").find(";\"C:\\Program Files\\Watched\\w.exe\" -q"));
    keepsTheTools(ReadWinIniLine("run"));
    EXPECT_EQ("C:\\Load\\first.exe;;C:\\Load\\second.exe", ReadWinIniLine("load"));
    EXPECT_EQ("<missing>", Marker("run"));
}

TEST_F(StartupActions, StartupFilesMoveAsideAndBackButNeverOverAnother)
{
    std::string shortcut = userStartup + "\\Roundtrip.lnk", aside = bed::ProgramFolder("Disabled") + "\\Roundtrip.lnk";
    ASSERT_EQ(S_OK, CreateShortcut(shortcut.c_str(), ThisProgram().c_str(), "/start", "", "Vgk Roundtrip", "", 0));
    std::string content = ReadWholeFile(shortcut);
    // A file of that name already waits in "Disabled": the move must not replace it, and a
    // failed move leaves no marker.
    CreateDirectoryA(bed::ProgramFolder("Disabled").c_str(), nullptr);
    WriteWholeFile(aside, "older file");
    EXPECT_EQ(STARTUP_FAILED, Toggle(One("Vgk Roundtrip")));
    EXPECT_TRUE(Exists(shortcut));
    EXPECT_EQ("older file", ReadWholeFile(aside));
    EXPECT_EQ("<missing>", Marker("Vgk Roundtrip"));

    DeleteFileA(aside.c_str());
    ASSERT_EQ(STARTUP_OK, Toggle(One("Vgk Roundtrip")));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_TRUE(Exists(aside));
    EXPECT_EQ("200", Marker("Vgk Roundtrip"));
    Listed disabled = One("Vgk Roundtrip");
    EXPECT_EQ(200, IsEntryDisabled(disabled.index));
    EXPECT_EQ(" * Disabled  * Windows Startup Group", bed::LocationOf(disabled.index));
    ASSERT_EQ(STARTUP_OK, Toggle(disabled));
    EXPECT_EQ(content, ReadWholeFile(shortcut)) << "back in the user's Startup folder, not the machine's";
    EXPECT_EQ("<missing>", Marker("Vgk Roundtrip"));
}

TEST_F(StartupActions, RefusalsChangeNothing)
{
    // A second entry of a disabled title, another user's entry, a scheduled task.
    bed::SetRun(1, "Updater", "C:\\Machine\\update.exe");
    bed::SetRun(11, "Updater", "C:\\User\\update.exe");
    bed::SetRun(21, "Elsewhere", "C:\\Other\\user.exe");
    ASSERT_EQ(STARTUP_OK, Toggle(One("Updater", "C:\\Machine\\update.exe")));
    Listed user = One("Updater", "C:\\User\\update.exe"), other = One("Elsewhere");
    EXPECT_EQ(0, IsEntryDisabled(user.index));
    EXPECT_EQ(STARTUP_TITLE_TAKEN, Toggle(user));
    EXPECT_EQ(STARTUP_OTHER_USER, Toggle(other));
    EXPECT_EQ(STARTUP_OTHER_USER, Remove(other));
    EXPECT_EQ(STARTUP_NOT_HANDLED, ToggleStartupEntry("Task", "C:\\t.exe", "", KIND_TASK_SCHEDULED));
    EXPECT_EQ("C:\\User\\update.exe", bed::RunText(11, "Updater"));
    EXPECT_EQ("C:\\Other\\user.exe", bed::RunText(21, "Elsewhere"));
    EXPECT_EQ("<missing>", Marker("Elsewhere"));
    EXPECT_FALSE(Exists(bed::HistoryFile()));
    // Removing the user's entry takes it from its own key; the machine's stays disabled.
    EXPECT_EQ(STARTUP_OK, Remove(user));
    EXPECT_EQ("<missing>", bed::RunText(11, "Updater"));
    EXPECT_EQ("C:\\Machine\\update.exe", bed::Stored(kSaved, "Updater"));
    EXPECT_EQ("1", Marker("Updater"));
}

TEST_F(StartupActions, LongCommandsKeepWholeAndRefuseACutWrite)
{
    std::string command = "\"C:\\Long Path\\app.exe\" " + std::string(400, 'x');
    bed::SetRun(11, "LongOne", command);
    Listed entry = One("LongOne");
    ASSERT_EQ(ENTRY_PATH_CHARS - 1, (int)entry.path.size());
    // The history line could not carry it, so the removal could not be undone.
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, Remove(entry));
    EXPECT_EQ(command, bed::RunText(11, "LongOne"));
    EXPECT_FALSE(Exists(bed::HistoryFile()));
    // Disabling keeps the whole command, read again from the registry.
    ASSERT_EQ(STARTUP_OK, Toggle(entry));
    ASSERT_EQ(STARTUP_OK, Toggle(One("LongOne")));
    EXPECT_EQ(command, bed::RunText(11, "LongOne"));

    // A name longer than the title field cannot be found again from its cut title.
    std::string name = "LongName" + std::string(200, 'n');
    bed::SetRun(11, name, "C:\\named.exe");
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, Toggle(One(name.substr(0, ENTRY_TITLE_CHARS - 1))));
    EXPECT_EQ("C:\\named.exe", bed::RunText(11, name));
}

TEST_F(StartupActions, RemoveWritesOneHistoryLineAndUndoPutsTheValueBack)
{
    const std::string command = "\"C:\\Program Files\\Gone\\gone.exe\" /tray=1";
    bed::SetRun(11, "Gone=App", command);
    // The first run named the known program by its command with ":" for "=".
    PutRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\Program Files\\Gone\\gone.exe /tray:1", "11");
    PutRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "Gone=App", "1");

    ASSERT_EQ(STARTUP_OK, Remove(One("Gone=App")));
    EXPECT_EQ("<missing>", bed::RunText(11, "Gone=App"));
    EXPECT_EQ("<missing>",
              GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\Program Files\\Gone\\gone.exe /tray:1"));
    EXPECT_EQ("<missing>", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "Gone=App"));
    std::vector<std::string> lines = bed::HistoryLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("\t*START_Remove\tCURRENT_RUN\tGone=App\t" + command + "\t\r"));

    ASSERT_EQ(1, LoadHistoryEntries());
    EXPECT_EQ(1, IsReversible(0));
    ASSERT_EQ(1, UndoHistoryEntry(0));
    std::string back;
    DWORD type = 0;
    ASSERT_TRUE(ReadRegRaw(HKEY_CURRENT_USER, bed::RunKey(11).c_str(), "Gone=App", back, &type));
    EXPECT_EQ(command, back.c_str()) << "quotes and all";
    EXPECT_EQ((DWORD)REG_SZ, type);
}

TEST_F(StartupActions, RemovingTheMonitorOrADisabledEntryLeavesNoHistoryOrStore)
{
    bed::SetRun(1, "Watcher", "C:\\Apps\\Vigilark\\vigilark.exe");
    ASSERT_EQ(STARTUP_OK, Remove(One("Watcher")));
    EXPECT_FALSE(Exists(bed::HistoryFile())) << "no history line for the monitor itself";

    WriteProfileStringA("windows", "run", "C:\\Run\\one.exe;C:\\Run\\two.exe");
    ASSERT_EQ(STARTUP_OK, Toggle(One("run", "C:\\Run\\two.exe")));
    Listed disabled = One("run", "C:\\Run\\two.exe");
    ASSERT_NE(0, IsEntryDisabled(disabled.index));
    ASSERT_EQ(STARTUP_OK, Remove(disabled));
    EXPECT_EQ("C:\\Run\\one.exe;", ReadWinIniLine("run"));
    EXPECT_EQ("<missing>", Marker("run"));
    EXPECT_EQ("<missing>", bed::Stored(DISABLED_STORE_KEY "\\WinRun", "run"));
    EXPECT_EQ(1u, bed::HistoryLines().size());
}

TEST_F(StartupActions, RemovedStartupFilesComeBackOnUndo)
{
    // A shortcut is deleted and its target stays; a program file placed in the folder is
    // kept aside in "Removed", never deleted.
    std::string target = Copy(TempPath("vgk_kept.exe")), shortcut = userStartup + "\\Kept.lnk";
    std::string program = Copy(userStartup + "\\placed.exe"), kept = bed::ProgramFolder("Removed") + "\\placed.exe";
    std::string content = ReadWholeFile(program);
    ASSERT_EQ(S_OK, CreateShortcut(shortcut.c_str(), target.c_str(), "", "", "Vgk Kept", "", 0));
    ASSERT_EQ(STARTUP_OK, Remove(One("Vgk Kept")));
    ASSERT_EQ(STARTUP_OK, Remove(One("Vigilark Explorer")));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_TRUE(Exists(target));
    EXPECT_FALSE(Exists(program));
    EXPECT_EQ(content, ReadWholeFile(kept));
    EXPECT_TRUE(bed::Entries("Vigilark Explorer").empty()) << "no longer starts";

    ASSERT_EQ(2, LoadHistoryEntries());
    ASSERT_EQ(1, UndoHistoryEntry(0));
    ASSERT_EQ(1, UndoHistoryEntry(1));
    char resolved[MAX_PATH], description[MAX_PATH], longResolved[MAX_PATH];
    ASSERT_EQ(S_OK, ResolveShortcut(nullptr, shortcut.c_str(), resolved, MAX_PATH, description, MAX_PATH));
    LongPathForm(resolved, longResolved, sizeof longResolved);
    EXPECT_EQ(0, lstrcmpiA(target.c_str(), longResolved)) << longResolved;
    EXPECT_STREQ("Vgk Kept", description);
    EXPECT_EQ(content, ReadWholeFile(program));
    EXPECT_FALSE(Exists(kept));
    DeleteFileA(target.c_str());
}

TEST_F(StartupActions, RestoreNeverOverwrites)
{
    bed::SetRun(1, "Present", "C:\\now.exe");
    EXPECT_EQ(0, RestoreStartupEntry("Present", "C:\\then.exe", "", 1));
    EXPECT_EQ("C:\\now.exe", bed::RunText(1, "Present"));
    EXPECT_EQ(1, RestoreStartupEntry("Present", "C:\\now.exe", "", 1));
    EXPECT_EQ(1, RestoreStartupEntry("Absent", "C:\\absent.exe /b", "", 1));
    EXPECT_EQ("C:\\absent.exe /b", bed::RunText(1, "Absent"));
    EXPECT_EQ(0, RestoreStartupEntry("Other", "C:\\other.exe", "", 21));
    EXPECT_EQ(1, RestoreStartupEntry("run", "C:\\restored.exe", "", KIND_WIN_RUN));
    EXPECT_EQ(1, RestoreStartupEntry("run", "C:\\restored.exe", "", KIND_WIN_RUN));
    EXPECT_EQ(";C:\\restored.exe", ReadWinIniLine("run"));
}

TEST_F(StartupActions, AddingAProgramNeverOverwrites)
{
    // The open-file dialog returns the program chosen in it.
    std::string program = Copy(TempPath("vgk_added.exe"));
    char chosen[512] = "";
    ASSERT_TRUE(shell_fixture::RunWithDialog([&] { return AddStartupProgram(nullptr, chosen, sizeof chosen); },
                                             [&](HWND dialog) {
                                                 SetDlgItemTextA(dialog, 0x47c /* cmb13 */, program.c_str());
                                                 PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                                             }));
    EXPECT_EQ(0, lstrcmpiA(program.c_str(), chosen)) << chosen;

    bed::SetRun(1, "Vigilark Explorer", "C:\\someone\\else.exe");
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(chosen));
    EXPECT_EQ("C:\\someone\\else.exe", bed::RunText(1, "Vigilark Explorer"));
    EXPECT_EQ(0, lstrcmpiA(program.c_str(), bed::RunText(1, "Vigilark Explorer (2)").c_str()));
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(program.c_str()));
    EXPECT_EQ("<missing>", bed::RunText(1, "Vigilark Explorer (3)")) << "found there the second time";
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, program.c_str()));

    // No version information: named by its file, never the unnamed default value.
    std::string plain = TempPath("vgk=plain.exe");
    WriteWholeFile(plain, "MZ");
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(plain.c_str()));
    EXPECT_EQ(plain, bed::RunText(1, "vgk=plain.exe"));
    EXPECT_EQ("<missing>", bed::RunText(1, ""));
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, TempPath("vgk:plain.exe").c_str()));
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, RegisterStartupProgram(("C:\\" + std::string(300, 'p') + ".exe").c_str()));
    DeleteFileA(program.c_str());
    DeleteFileA(plain.c_str());
}

namespace {

class HistoryFile : public bed::StartupBed {
protected:
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

}  // namespace

TEST_F(HistoryFile, AppendsOneDatedLinePerChangeUnlessHistoryIsOff)
{
    ASSERT_EQ(1, AppendHistory("Title", "C:\\x.exe /a", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    ASSERT_EQ(1, AppendHistory("Odd", "C:\\odd.exe", "extra", 4242, ACTION_SCHEDULED_TASK_REMOVE));
    ASSERT_EQ(1, SetOption("History", 0));
    EXPECT_EQ(0, AppendHistory("Off", "C:\\off.exe", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    const std::string date = "\\d\\d/\\d\\d/\\d{4}  \\d{1,2}:\\d\\d [AP]M";
    std::regex lines(date + "\t\\*START_Remove\tCURRENT_RUN\tTitle\tC:\\\\x\\.exe /a\t\r\n" + date +
                     "\tScheduledTask_Remove\tUNKNOWN_TYPE\tOdd\tC:\\\\odd\\.exe\textra\r\n");
    std::string text = ReadWholeFile(bed::HistoryFile());
    EXPECT_TRUE(std::regex_match(text, lines)) << text;
}

TEST_F(HistoryFile, AnAppendWaitsForAReaderThatHoldsTheFileForAMoment)
{
    HANDLE held = CreateFileA(bed::HistoryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::thread reader([&] {
        Sleep(100);
        CloseHandle(held);
    });
    EXPECT_EQ(1, AppendHistory("Held", "C:\\held.exe", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    reader.join();
    EXPECT_EQ(1u, bed::HistoryLines().size());
}

TEST_F(HistoryFile, LinesOfTheMonitorLoadAndOnlyRemovalsAreReversible)
{
    WriteWholeFile(bed::HistoryFile(),
                   "03/07/2005  12:05 AM\tSTART_Disable\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n"
                   "03/07/2005  12:06 AM\tTYPE_UNHEARD\tTYPE_EXTENSION\tBar\tC:\\bar.dll\tkey\r\n"
                   "03/07/2005  12:07 AM\tSERVICE__from_Disabled\tSERVICE_EXE\tSvc\tC:\\svc.exe\t\r\n"
                   "03/07/2005  12:08 AM\tIEHELPER_Remove\tTYPE_BHO\th.dll\tC:\\No Such\\h.dll\tkey\r\n");
    ASSERT_EQ(4, LoadHistoryEntries());
    EXPECT_EQ(ACTION_START_DISABLE, GetEntryValue(0));
    EXPECT_EQ(KIND_TYPE_TOOLBAR, GetEntryKind(1));
    EXPECT_EQ(0, GetEntryValue(1)) << "an unknown action keyword loads as code 0";
    EXPECT_EQ(ACTION_SERVICE_FROM_DISABLED, GetEntryValue(2));
    char detail[ENTRY_DETAIL_CHARS];
    GetEntryDetail(0, detail);
    EXPECT_STREQ("03/07/2005  12:05 AM", detail);
    const int reversible[] = {0, 1, 0, 0};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(reversible[i], IsReversible(i)) << i;
    EXPECT_EQ(0, UndoHistoryEntry(2)) << "a service change has no undo";
    // A helper is registered again: regsvr32 runs and fails quietly on the missing file.
    EXPECT_EQ(0, UndoHistoryEntry(3));
}

TEST_F(HistoryFile, UndoOfAMonitorToggleRestoresTheStateBeforeItAndNeverTogglesBlindly)
{
    const struct {
        const char* action;
        bool disabledNow, disabledAfter;
        UndoStatus status;
    } rows[] = {
        {"START_Disable", true, false, UNDO_DONE},            // the monitor's disable is undone
        {"START_Disable", false, false, UNDO_NOTHING_TO_DO},  // enabled since: left enabled
        {"START_Enable", false, true, UNDO_DONE},
        {"START_Enable", true, true, UNDO_NOTHING_TO_DO},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.action) + (row.disabledNow ? " of a disabled entry" : " of an enabled entry"));
        bed::SetRun(1, "Mon", "C:\\mon.exe");
        if (row.disabledNow) ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Mon", "C:\\mon.exe", "", 1));
        const std::string line = std::string("03/07/2005  12:05 AM\t") + row.action + "\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n";
        WriteWholeFile(bed::HistoryFile(), line);
        ASSERT_EQ(1, LoadHistoryEntries());
        EXPECT_EQ(row.status, UndoHistoryLine(0).status);
        EXPECT_EQ(row.disabledAfter ? "1" : "<missing>", Marker("Mon"));
        EXPECT_EQ(row.disabledAfter ? "<missing>" : "C:\\mon.exe", bed::RunText(1, "Mon"));
        ResetProgramState();
        DeleteRegValue(HKEY_LOCAL_MACHINE, bed::RunKey(1).c_str(), "Mon");
    }
    // A line the file no longer holds is not undone.
    bed::SetRun(1, "Mon", "C:\\mon.exe");
    WriteWholeFile(bed::HistoryFile(), "03/07/2005  12:05 AM\tSTART_Enable\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n");
    ASSERT_EQ(1, LoadHistoryEntries());
    WriteWholeFile(bed::HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tMACHINE_RUN\tOther\tC:\\o.exe\t\r\n");
    EXPECT_EQ(UNDO_LINE_GONE, UndoHistoryLine(0).status);
    EXPECT_EQ("C:\\mon.exe", bed::RunText(1, "Mon"));
}
