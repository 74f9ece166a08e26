// Disabling, enabling, removing, restoring and adding startup entries against the prefix's
// registry, win.ini and Startup folders; the refusals and the check a page makes before it
// offers to end a program; history.txt and undoing from it.
#include "startup_bed.h"

#include "foundations/settings.h"
#include "foundations/shortcut.h"
#include "shell_fixture.h"

#include <functional>
#include <regex>
#include <thread>

using bed::One;
using bed::Remove;
using bed::Toggle;

namespace {

class StartupActions : public bed::StartupBed {};

std::string Marker(const std::string& title) { return bed::Stored(DISABLED_STORE_KEY, title); }
std::string Copy(const std::string& path)
{
    EXPECT_TRUE(CopyFileA(ThisProgram().c_str(), path.c_str(), FALSE)) << path;
    return path;
}
// A Run value's type and bytes exactly as stored.
std::string RawRun(int kind, const char* name)
{
    std::string data;
    DWORD type = 0;
    ReadRegRaw(RunKindHive(kind), bed::RunKey(kind).c_str(), name, data, &type);
    return std::to_string(type) + ":" + data;
}

}  // namespace

TEST_F(StartupActions, DisableThenEnableKeepsRunValuesAndLongWinIniLinesWhole)
{
    const struct {
        int kind;
        const char *title, *command;
        DWORD type;
        const char* saved;  // where the disabled store keeps the command, under HKEY_LOCAL_MACHINE
    } rows[] = {{1, "Quoted App", "\"C:\\Program Files\\App\\app.exe\" /min", REG_SZ, DISABLED_STORE_KEY "\\Run"},
                {12, "Expanding", "%SystemRoot%\\exp.exe -a", REG_EXPAND_SZ, DISABLED_STORE_KEY "\\RunOnce"}};
    for (const auto& row : rows) {
        ASSERT_TRUE(bed::SetRun(row.kind, row.title, row.command, row.type));
        const std::string before = RawRun(row.kind, row.title);
        ASSERT_EQ(STARTUP_OK, Toggle(One(row.title)));
        EXPECT_EQ("<missing>|" + std::string(row.command) + "|" + std::to_string(row.kind),
                  bed::RunText(row.kind, row.title) + "|" + bed::Stored(row.saved, row.title) + "|" + Marker(row.title));
        EXPECT_EQ(row.kind, IsEntryDisabled(One(row.title).index));
        ASSERT_EQ(STARTUP_OK, Toggle(One(row.title)));
        EXPECT_EQ(before, RawRun(row.kind, row.title));
        EXPECT_EQ("<missing>|<missing>", bed::Stored(row.saved, row.title) + "|" + Marker(row.title));
    }
    std::string tools;
    for (int i = 0; i < 40; ++i) tools += "C:\\Programs\\tool" + std::to_string(i) + "\\tool.exe;";
    const std::string watched = "\"C:\\Program Files\\Watched\\w.exe\" -q";
    WriteProfileStringA("windows", "run", (tools + watched).c_str());
    WriteProfileStringA("windows", "load", "C:\\Load\\first.exe;C:\\Load\\second.exe");
    ASSERT_EQ(STARTUP_OK, Toggle(One("load", "C:\\Load\\second.exe")));
    EXPECT_EQ("C:\\Load\\first.exe;|100", ReadWinIniLine("load") + "|" + Marker("load"));
    ASSERT_EQ(STARTUP_OK, Toggle(One("run", "C:\\Program Files\\Watched\\w.exe -q")));
    EXPECT_EQ(tools + "|" + watched + "|101", ReadWinIniLine("run") + "|" + bed::Stored(DISABLED_STORE_KEY "\\WinRun", "run") +
                                                  "|" + Marker("run"));
    // Another program of the same title cannot be disabled while the first is.
    EXPECT_EQ(STARTUP_TITLE_TAKEN, Toggle(One("run", "C:\\Programs\\tool7\\tool.exe")));
    ASSERT_EQ(STARTUP_OK, Toggle(One("run", "C:\\Program Files\\Watched\\w.exe -q")));
    ASSERT_EQ(STARTUP_OK, Toggle(One("load", "C:\\Load\\second.exe")));
    EXPECT_EQ(tools + ";" + watched + "|C:\\Load\\first.exe;;C:\\Load\\second.exe", ReadWinIniLine("run") + "|" + ReadWinIniLine("load"));
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
    EXPECT_EQ("older file|<missing>", ReadWholeFile(aside) + "|" + Marker("Vgk Roundtrip"));
    DeleteFileA(aside.c_str());
    ASSERT_EQ(STARTUP_OK, Toggle(One("Vgk Roundtrip")));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_EQ(content, ReadWholeFile(aside));
    EXPECT_EQ(" * Disabled  * Windows Startup Group", bed::LocationOf(One("Vgk Roundtrip").index));
    ASSERT_EQ(STARTUP_OK, Toggle(One("Vgk Roundtrip")));
    EXPECT_EQ(content, ReadWholeFile(shortcut)) << "back in the user's Startup folder, not the machine's";
}

// A page asks whether a change would be refused before it offers to end the entry's program:
// that answer is the one the change then gives, and asking, like a refused change, changes nothing.
TEST_F(StartupActions, RefusalsAreWhatTheCheckSaidAndChangeNothing)
{
    const struct {
        const char* what;
        int kind;
        std::string title, command;
        StartupResult toggle, remove;
    } rows[] = {
        {"another user's entry", 21, "Elsewhere", "C:\\Other\\user.exe", STARTUP_OTHER_USER, STARTUP_OTHER_USER},
        {"a title already disabled", 11, "Twin", "C:\\User\\twin.exe", STARTUP_TITLE_TAKEN, STARTUP_OK},
        // The history line could not carry the command, so a removal could not be undone;
        // disabling keeps the whole command, read again from the registry.
        {"a command too long for the history", 11, "LongOne", "\"C:\\Long Path\\app.exe\" " + std::string(400, 'x'),
         STARTUP_OK, STARTUP_COMMAND_TOO_LONG},
        {"a name longer than the title field", 11, "LongName" + std::string(200, 'n'), "C:\\named.exe",
         STARTUP_COMMAND_TOO_LONG, STARTUP_COMMAND_TOO_LONG},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        bed::SetRun(row.kind, row.title, row.command);
        if (row.title == "Twin") PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY), "Twin", "1");
        const std::string cut = row.title.substr(0, ENTRY_TITLE_CHARS - 1);
        const bed::Listed entry = One(cut);
        auto state = [&] { return bed::RunText(row.kind, row.title) + "|" + Marker(row.title) + "|" + ReadWholeFile(HistoryFile()); };
        const std::string before = state();
        const char *title = entry.title.c_str(), *path = entry.path.c_str(), *extra = entry.extra.c_str();
        EXPECT_EQ(row.toggle, CheckToggleStartupEntry(title, path, extra, entry.kind));
        EXPECT_EQ(row.remove, CheckRemoveStartupEntry(title, path, extra, entry.kind));
        EXPECT_EQ(row.remove, row.remove != STARTUP_OK ? Remove(entry) : STARTUP_OK);
        EXPECT_EQ(row.toggle, row.toggle != STARTUP_OK ? Toggle(entry) : STARTUP_OK);
        EXPECT_EQ(before, state());
        if (row.toggle == STARTUP_OK) {
            ASSERT_EQ(STARTUP_OK, Toggle(entry));
            ASSERT_EQ(STARTUP_OK, Toggle(One(cut)));
            EXPECT_EQ(row.command, bed::RunText(row.kind, row.title)) << "whole again";
        }
        if (row.remove == STARTUP_OK) {  // the user's own entry goes; the other's mark stays
            EXPECT_EQ(STARTUP_OK, Remove(One(cut)));
            EXPECT_EQ("<missing>|1", bed::RunText(row.kind, row.title) + "|" + Marker(row.title));
        }
        ResetProgramState();
    }
    EXPECT_EQ(STARTUP_NOT_HANDLED, ToggleStartupEntry("Task", "C:\\t.exe", "", KIND_TASK_SCHEDULED));
}

TEST_F(StartupActions, RemovalsWriteOneHistoryLineAndAreUndoneExactlyButTheMonitorsAndDisabledOnesLeaveNothing)
{
    const std::string command = "\"C:\\Program Files\\Gone\\gone.exe\" /tray=1";
    bed::SetRun(11, "Gone=App", command);
    // The first run named the known program by its command with ":" for "=".
    PutRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\Program Files\\Gone\\gone.exe /tray:1", "11");
    const std::string before = RawRun(11, "Gone=App");
    // A shortcut is deleted and its target stays; a program file placed in the folder is kept
    // aside in "Removed", never deleted.
    std::string target = Copy(TempPath("vgk_kept.exe")), shortcut = userStartup + "\\Kept.lnk";
    std::string program = Copy(userStartup + "\\placed.exe"), kept = bed::ProgramFolder("Removed") + "\\placed.exe";
    ASSERT_EQ(S_OK, CreateShortcut(shortcut.c_str(), target.c_str(), "", "", "Vgk Kept", "", 0));
    for (const char* title : {"Gone=App", "Vgk Kept", "Vigilark Explorer"}) ASSERT_EQ(STARTUP_OK, Remove(One(title)));
    EXPECT_EQ("<missing>|<missing>", bed::RunText(11, "Gone=App") + "|" + bed::Known("C:\\Program Files\\Gone\\gone.exe /tray:1"));
    EXPECT_FALSE(Exists(shortcut) || Exists(program));
    EXPECT_TRUE(Exists(target) && Exists(kept));
    std::vector<std::string> lines = bed::HistoryLines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("\t*START_Remove\tCURRENT_RUN\tGone=App\t" + command + "\t\r"));
    ASSERT_EQ(3, LoadHistoryEntries());
    for (int line = 0; line < 3; ++line) ASSERT_EQ(1, UndoHistoryEntry(line)) << line;
    EXPECT_EQ(before, RawRun(11, "Gone=App")) << "quotes and all";
    char resolved[MAX_PATH], description[MAX_PATH], longResolved[MAX_PATH];
    ASSERT_EQ(S_OK, ResolveShortcut(nullptr, shortcut.c_str(), resolved, MAX_PATH, description, MAX_PATH));
    LongPathForm(resolved, longResolved, sizeof longResolved);
    EXPECT_EQ(0, lstrcmpiA((target + "|Vgk Kept").c_str(), (std::string(longResolved) + "|" + description).c_str()));
    EXPECT_TRUE(Exists(program) && !Exists(kept));
    DeleteFileA(target.c_str());

    ResetProgramState();
    bed::SetRun(1, "Watcher", "C:\\Apps\\Vigilark\\vigilark.exe");
    ASSERT_EQ(STARTUP_OK, Remove(One("Watcher")));
    EXPECT_FALSE(Exists(HistoryFile())) << "no history line for the monitor itself";
    WriteProfileStringA("windows", "run", "C:\\Run\\one.exe;C:\\Run\\two.exe");
    ASSERT_EQ(STARTUP_OK, Toggle(One("run", "C:\\Run\\two.exe")));
    ASSERT_EQ(STARTUP_OK, Remove(One("run", "C:\\Run\\two.exe")));
    EXPECT_EQ("C:\\Run\\one.exe;|<missing>|<missing>",
              ReadWinIniLine("run") + "|" + Marker("run") + "|" + bed::Stored(DISABLED_STORE_KEY "\\WinRun", "run"));
}

TEST_F(StartupActions, RestoreAndAddNeverOverwrite)
{
    bed::SetRun(1, "Present", "C:\\now.exe");
    EXPECT_EQ(0, RestoreStartupEntry("Present", "C:\\then.exe", "", 1));
    EXPECT_EQ(1, RestoreStartupEntry("Present", "C:\\now.exe", "", 1)) << "already as it was";
    EXPECT_EQ(0, RestoreStartupEntry("Other", "C:\\other.exe", "", 21));
    EXPECT_EQ(1, RestoreStartupEntry("run", "C:\\restored.exe", "", KIND_WIN_RUN));
    EXPECT_EQ(1, RestoreStartupEntry("run", "C:\\restored.exe", "", KIND_WIN_RUN));
    EXPECT_EQ("C:\\now.exe|;C:\\restored.exe", bed::RunText(1, "Present") + "|" + ReadWinIniLine("run"));
    // Add: the open-file dialog returns the program chosen in it; a title in use gets a number.
    std::string program = Copy(TempPath("vgk_added.exe")), plain = TempPath("vgk=plain.exe");
    char chosen[512] = "";
    ASSERT_TRUE(shell_fixture::RunWithDialog([&] { return AddStartupProgram(nullptr, chosen, sizeof chosen); },
                                             [&](HWND dialog) {
                                                 SetDlgItemTextA(dialog, 0x47c /* cmb13 */, program.c_str());
                                                 PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                                             }));
    EXPECT_EQ(0, lstrcmpiA(program.c_str(), chosen)) << chosen;
    bed::SetRun(1, "Vigilark Explorer", "C:\\someone\\else.exe");
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(chosen));
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(program.c_str()));
    EXPECT_EQ("C:\\someone\\else.exe|<missing>|1", bed::RunText(1, "Vigilark Explorer") + "|" +
                                                       bed::RunText(1, "Vigilark Explorer (3)") + "|" + bed::Known(program));
    EXPECT_EQ(0, lstrcmpiA(program.c_str(), bed::RunText(1, "Vigilark Explorer (2)").c_str()));
    // No version information: named by its file, never the unnamed default value.
    WriteWholeFile(plain, "MZ");
    ASSERT_EQ(STARTUP_OK, RegisterStartupProgram(plain.c_str()));
    EXPECT_EQ(plain + "|<missing>|1", bed::RunText(1, "vgk=plain.exe") + "|" + bed::RunText(1, "") + "|" +
                                          bed::Known(TempPath("vgk:plain.exe")));
    EXPECT_EQ(STARTUP_COMMAND_TOO_LONG, RegisterStartupProgram(("C:\\" + std::string(300, 'p') + ".exe").c_str()));
    DeleteFileA(program.c_str());
    DeleteFileA(plain.c_str());
}

TEST_F(StartupActions, HistoryIsAppendedUnlessOffAndOnlyRemovalsAndTheMonitorsChangesAreUndone)
{
    SavedKey options(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    // A reader that holds the file for a moment is waited for.
    HANDLE held = CreateFileA(HistoryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::thread reader([&] {
        Sleep(100);
        CloseHandle(held);
    });
    EXPECT_EQ(1, AppendHistory("Title", "C:\\x.exe /a", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    reader.join();
    ASSERT_EQ(1, SetOption("History", 0));
    EXPECT_EQ(0, AppendHistory("Off", "C:\\off.exe", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    EXPECT_TRUE(std::regex_match(ReadWholeFile(HistoryFile()),
                                 std::regex("\\d\\d/\\d\\d/\\d{4}  \\d{1,2}:\\d\\d [AP]M\t\\*START_Remove\tCURRENT_RUN\tTitle\t"
                                            "C:\\\\x\\.exe /a\t\r\n")));
    const std::string disable = "03/07/2005  12:05 AM\tSTART_Disable\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n";
    WriteWholeFile(HistoryFile(), disable + "03/07/2005  12:07 AM\tSERVICE__from_Disabled\tSERVICE_EXE\tSvc\tC:\\svc.exe\t\r\n" +
                                      "03/07/2005  12:08 AM\tIEHELPER_Remove\tTYPE_BHO\th.dll\tC:\\No Such\\h.dll\tkey\r\n");
    ASSERT_EQ(3, LoadHistoryEntries());
    EXPECT_EQ(0, IsReversible(0) + IsReversible(1) + IsReversible(2));
    EXPECT_EQ(0, UndoHistoryEntry(1)) << "a service change has no undo";
    EXPECT_EQ(0, UndoHistoryEntry(2)) << "a helper without its saved copy: regsvr32 fails quietly on the missing file";
    // A toggle of the monitor's is undone to the state before it, never blindly; not once the file
    // no longer holds its line.
    const struct {
        const char* action;
        bool disabledNow, disabledAfter;
        UndoStatus status;
    } rows[] = {{"START_Disable", true, false, UNDO_DONE}, {"START_Disable", false, false, UNDO_NOTHING_TO_DO},
                {"START_Enable", false, true, UNDO_DONE}, {"START_Enable", true, true, UNDO_NOTHING_TO_DO}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.action) + (row.disabledNow ? " of a disabled entry" : " of an enabled entry"));
        bed::SetRun(1, "Mon", "C:\\mon.exe");
        if (row.disabledNow) {
            ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Mon", "C:\\mon.exe", "", 1));
        }
        WriteWholeFile(HistoryFile(), std::string("03/07/2005  12:05 AM\t") + row.action + "\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n");
        ASSERT_EQ(1, LoadHistoryEntries());
        EXPECT_EQ(row.status, UndoHistoryLine(0).status);
        EXPECT_EQ(row.disabledAfter ? "1|<missing>" : "<missing>|C:\\mon.exe", Marker("Mon") + "|" + bed::RunText(1, "Mon"));
        ResetProgramState();
        DeleteRegValue(HKEY_LOCAL_MACHINE, bed::RunKey(1).c_str(), "Mon");
    }
    bed::SetRun(1, "Mon", "C:\\mon.exe");
    WriteWholeFile(HistoryFile(), disable);
    ASSERT_EQ(1, LoadHistoryEntries());
    WriteWholeFile(HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tMACHINE_RUN\tOther\tC:\\o.exe\t\r\n");
    EXPECT_EQ(UNDO_LINE_GONE, UndoHistoryLine(0).status);
    EXPECT_EQ("C:\\mon.exe", bed::RunText(1, "Mon"));
}
