// Disabling, enabling, removing, restoring and adding startup entries against the prefix's
// registry, win.ini and Startup folders; the refusals a page checks before it offers to end a
// program; history.txt and undoing from it: the line chosen, once, never outside the Startup
// folders and the program's own "Removed" and "Disabled" folders; entries of the 32-bit registry
// view (reached through Wow6432Node) changed and put back in their own view, byte for byte.
#include "startup_bed.h"

#include "foundations/settings.h"
#include "foundations/shortcut.h"
#include "shell_fixture.h"

using bed::One;
using bed::Remove;
using bed::Toggle;

namespace {

class StartupActions : public bed::StartupBed {};

std::string Line(const char* action, const char* kind, const std::string& title, const std::string& command,
                 const std::string& extra = "")
{
    return "03/07/2005  12:05 AM\t" + std::string(action) + "\t" + kind + "\t" + title + "\t" + command + "\t" + extra + "\r\n";
}
// Undoes the only line of a history file.
UndoStatus UndoOnly(const std::string& line)
{
    WriteWholeFile(HistoryFile(), line);
    EXPECT_EQ(1, LoadHistoryEntries());
    return UndoHistoryLine(0).status;
}

std::string Marker(const std::string& title) { return bed::Stored(DISABLED_STORE_KEY, title); }
std::string Copy(const std::string& path)
{
    EXPECT_TRUE(CopyFileA(ThisProgram().c_str(), path.c_str(), FALSE)) << path;
    return path;
}
// "<type>:<bytes>" of a Run value exactly as stored.
std::string RawRun(int kind, const char* name)
{
    std::string data;
    DWORD type = 0;
    ReadRegRaw(RunKindHive(kind), bed::RunKey(kind).c_str(), name, data, &type);
    return std::to_string(type) + ":" + data;
}

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string BothViews(const std::vector<std::string>& keys)
{
    std::string text;
    for (const std::string& key : keys)
        text += DumpRegTree(HKEY_LOCAL_MACHINE, key) + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(key));
    return text;
}

UndoStatus UndoLastLine() { return UndoHistoryLine(LoadHistoryEntries() - 1).status; }

}  // namespace

TEST_F(StartupActions, DisableThenEnableKeepsRunValuesAndLongWinIniLinesWhole)
{
    // saved: where the disabled store keeps the command, under HKEY_LOCAL_MACHINE
    const struct { int kind; const char *title, *command; DWORD type; const char* saved; } rows[] = {
        {1, "Quoted App", "\"C:\\Program Files\\App\\app.exe\" /min", REG_SZ, DISABLED_STORE_KEY "\\Run"},
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
    // A file of that name already waits in "Disabled": the move must not replace it, nor leave a marker.
    CreateDirectoryA(bed::ProgramFolder("Disabled").c_str(), nullptr);
    WriteWholeFile(aside, "older file");
    EXPECT_EQ(STARTUP_FAILED, Toggle(One("Vgk Roundtrip")));
    EXPECT_EQ("older file|<missing>", ReadWholeFile(aside) + "|" + Marker("Vgk Roundtrip"));
    DeleteFileA(aside.c_str());
    ASSERT_EQ(STARTUP_OK, Toggle(One("Vgk Roundtrip")));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_EQ(content, ReadWholeFile(aside));
    ASSERT_EQ(STARTUP_OK, Toggle(One("Vgk Roundtrip")));
    EXPECT_EQ(content, ReadWholeFile(shortcut)) << "back in the user's Startup folder, not the machine's";
}

// The check before offering to end the program gives what the change gives; asking, like a refusal, changes nothing.
TEST_F(StartupActions, RefusalsAreWhatTheCheckSaidAndChangeNothing)
{
    const struct { const char* what; int kind; std::string title, command; StartupResult toggle, remove; } rows[] = {
        {"another user's entry", 21, "Elsewhere", "C:\\Other\\user.exe", STARTUP_OTHER_USER, STARTUP_OTHER_USER},
        {"a title already disabled", 11, "Twin", "C:\\User\\twin.exe", STARTUP_TITLE_TAKEN, STARTUP_OK},
        // The history line cannot carry it, so a removal could not be undone; disabling keeps it whole.
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

TEST_F(StartupActions, RemovalsWriteOneHistoryLineAndAreUndoneExactlyButADisabledOneLeavesNothing)
{
    const std::string command = "\"C:\\Program Files\\Gone\\gone.exe\" /tray=1";
    bed::SetRun(11, "Gone=App", command);
    PutRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\Program Files\\Gone\\gone.exe /tray:1", "11");  // "=" as ":"
    const std::string before = RawRun(11, "Gone=App");
    // A shortcut is deleted and its target stays; a program file in the folder is kept in "Removed".
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
    HANDLE held = CreateFileA(HistoryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::thread reader([&] {
        Sleep(100);
        CloseHandle(held);
    });
    EXPECT_EQ(1, AppendHistory("Title", "C:\\x.exe /a", "", KIND_CURRENT_RUN, ACTION_START_REMOVE)) << "waits for a reader";
    reader.join();
    ASSERT_EQ(1, SetOption("History", 0));
    EXPECT_EQ(0, AppendHistory("Off", "C:\\off.exe", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    const std::vector<std::string> written = bed::HistoryLines();
    EXPECT_TRUE(written.size() == 1 && written[0].find("\tTitle\tC:\\x.exe /a\t") != std::string::npos) << "none while off";
    const std::string disable = Line("START_Disable", "MACHINE_RUN", "Mon", "C:\\mon.exe");
    WriteWholeFile(HistoryFile(), disable + Line("SERVICE__from_Disabled", "SERVICE_EXE", "Svc", "C:\\svc.exe") +
                                      Line("IEHELPER_Remove", "TYPE_BHO", "h.dll", "C:\\No Such\\h.dll", "key"));
    ASSERT_EQ(3, LoadHistoryEntries());
    EXPECT_EQ(0, IsReversible(0) + IsReversible(1) + IsReversible(2));
    EXPECT_EQ(0, UndoHistoryEntry(1)) << "a service change has no undo";
    EXPECT_EQ(0, UndoHistoryEntry(2)) << "a helper without its saved copy: regsvr32 fails quietly on the missing file";
    // A toggle of the monitor's is undone to the state before it, never blindly; not once the file
    // no longer holds its line.
    const struct { const char* action; bool disabledNow, disabledAfter; UndoStatus status; } rows[] = {
        {"START_Disable", true, false, UNDO_DONE}, {"START_Disable", false, false, UNDO_NOTHING_TO_DO},
        {"START_Enable", false, true, UNDO_DONE}, {"START_Enable", true, true, UNDO_NOTHING_TO_DO}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.action) + (row.disabledNow ? " of a disabled entry" : " of an enabled entry"));
        bed::SetRun(1, "Mon", "C:\\mon.exe");
        if (row.disabledNow) {
            ASSERT_EQ(STARTUP_OK, ToggleStartupEntry("Mon", "C:\\mon.exe", "", 1));
        }
        EXPECT_EQ(row.status, UndoOnly(Line(row.action, "MACHINE_RUN", "Mon", "C:\\mon.exe")));
        EXPECT_EQ(row.disabledAfter ? "1|<missing>" : "<missing>|C:\\mon.exe", Marker("Mon") + "|" + bed::RunText(1, "Mon"));
        ResetProgramState();
        DeleteRegValue(HKEY_LOCAL_MACHINE, bed::RunKey(1).c_str(), "Mon");
    }
    bed::SetRun(1, "Mon", "C:\\mon.exe");
    WriteWholeFile(HistoryFile(), disable);
    ASSERT_EQ(1, LoadHistoryEntries());
    WriteWholeFile(HistoryFile(), Line("*START_Remove", "MACHINE_RUN", "Other", "C:\\o.exe"));
    EXPECT_EQ(UNDO_LINE_GONE, UndoHistoryLine(0).status);
    EXPECT_EQ("C:\\mon.exe", bed::RunText(1, "Mon"));
}

TEST_F(StartupActions, TheChosenLineIsUndoneOnceAlsoWhenTheFileGrew)
{
    std::string filler;  // the monitor's lines fill the newest 128 KiB; two removals of one title follow
    for (int i = 0; filler.size() <= HISTORY_READ_BYTES + 4096; ++i)
        filler += Line("START_Alert", "CURRENT_RUN", "Alert " + std::to_string(100000 + i), "C:\\alert.exe");
    const std::string first = Line("*START_Remove", "CURRENT_RUN", "Tool", "C:\\first.exe");
    WriteWholeFile(HistoryFile(), filler + first + Line("*START_Remove", "CURRENT_RUN", "Tool", "C:\\second.exe"));
    int count = LoadHistoryEntries();
    ASSERT_GT(count, 2);
    // The monitor appends while the dialog is open: every line moves up one place.
    WriteWholeFile(HistoryFile(), ReadWholeFile(HistoryFile()) + Line("START_Alert", "CURRENT_RUN", "Alert 999999", "C:\\alert.exe"));
    EXPECT_EQ(UNDO_DONE, UndoHistoryLine(count - 2).status);
    EXPECT_EQ("C:\\first.exe", bed::RunText(11, "Tool")) << "the chosen line, not the one now in its place";
    // The file says it was undone; a second undo changes nothing, even when the value is gone again.
    EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find("\tSTART_Restore\tCURRENT_RUN\tTool\tC:\\first.exe\t\t"
                                                                      "Undo of *START_Remove 03/07/2005  12:05 AM\r\n"));
    DeleteRegValue(HKEY_CURRENT_USER, bed::RunKey(11).c_str(), "Tool");
    UndoOutcome again = UndoHistoryLine(count - 2);
    EXPECT_TRUE(again.status == UNDO_ALREADY_UNDONE && again.message != 0u) << again.status;
    EXPECT_EQ("<missing>", bed::RunText(11, "Tool"));
    LoadHistoryEntries();
    EXPECT_EQ(0, IsReversible(FindEntryIndex("Tool", "C:\\first.exe"))) << "Restore is offered no more";
    EXPECT_EQ(1, IsReversible(FindEntryIndex("Tool", "C:\\second.exe")));
}

TEST_F(StartupActions, NoFileIsCreatedOrMovedOutsideTheStartupAndTheProgramsOwnFolders)
{
    const std::string outside = TempPath("vgk_outside.exe");
    ASSERT_TRUE(WriteWholeFile(outside, "MZ kept"));
    const std::pair<std::string, std::string> rows[] = {  // a line, and the file its undo would have made
        {Line("*START_Remove", "GROUP_STARTUP", "Planted", outside, TempPath("vgk_planted.lnk")), TempPath("vgk_planted.lnk")},
        {Line("*START_Remove", "GROUP_STARTUP", "Moved", outside, userStartup + "\\moved.exe"), userStartup + "\\moved.exe"},
        // An enable of the monitor's, undone by disabling: only a file in a Startup folder moves.
        {Line("START_Enable", "GROUP_STARTUP", "Elsewhere", outside, outside), bed::ProgramFolder("Disabled") + "\\vgk_outside.exe"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(UNDO_REFUSED, UndoOnly(row.first)) << row.first;
        EXPECT_TRUE(Exists(outside) && !Exists(row.second)) << row.first;
    }
    DeleteFileA(outside.c_str());
}

TEST_F(StartupActions, AnEntryOfEitherRegistryViewIsChangedRecordedAndPutBackInItsOwnViewAndAnOldLineInTheNativeOne)
{
    std::deque<SavedKey> views32;
    for (const char* key : {kRun, kRunOnce}) views32.emplace_back(HKEY_LOCAL_MACHINE, In32BitView(key)).Clear();
    ASSERT_TRUE(bed::SetRun(KIND_MACHINE_RUN, "Twin Tool", "C:\\tools\\twin64.exe"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRun), "Twin Tool", "C:\\tools\\twin32.exe"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRunOnce), "Only Tool", "\"%ProgramFiles%\\o.exe\" /s", REG_EXPAND_SZ));
    const std::string before = BothViews({kRun, kRunOnce});
    ASSERT_TRUE(CreateRegKey(HKEY_CURRENT_USER, bed::kKnownPrograms));  // as the first run makes it
    RecordKnownStartupEntries();
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\twin64.exe"));
    EXPECT_EQ("41", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\twin32.exe"));

    const std::string at = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";
    const struct { const char* title; const char* shown; int kind; std::string location; } rows[] = {  // shown "": any
        {"Twin Tool", "C:\\tools\\twin64.exe", KIND_MACHINE_RUN, at + "Run"},
        {"Twin Tool", "C:\\tools\\twin32.exe", KIND_MACHINE32_RUN, at + "Run (32-bit)"},
        {"Only Tool", "", KIND_MACHINE32_RUN + 1, at + "RunOnce (32-bit)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location);
        for (const char* state : {"", " * Disabled  * "}) {
            CollectStartupEntries();
            int index = FindEntryIndex(row.title, row.shown);
            ASSERT_GE(index, 0);
            EXPECT_EQ(state + row.location, bed::LocationOf(index));
            EXPECT_EQ(row.kind, GetEntryKind(index));
            // Disabled, then enabled: the marker names the view, and nothing else moved.
            ASSERT_EQ(STARTUP_OK, ToggleStartupEntry(row.title, row.shown, "", row.kind));
            if (*state) EXPECT_EQ(before, BothViews({kRun, kRunOnce}));
            else EXPECT_EQ(std::to_string(row.kind), bed::Stored(DISABLED_STORE_KEY, row.title));
        }
        ASSERT_EQ(STARTUP_OK, RemoveStartupEntry(row.title, row.shown, "", row.kind));
        const std::string keyword = std::string("\t") + KindKeyword(row.kind) + "\t";
        EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find(keyword));
        EXPECT_EQ(UNDO_DONE, UndoLastLine());
        EXPECT_EQ(before, BothViews({kRun, kRunOnce})) << "put back by the undo";
    }
    // A line without a view undoes into the native view.
    for (const char* keyword : {"MACHINE_RUN", "MACHINE32_RUN"}) {
        ASSERT_TRUE(WriteWholeFile(HistoryFile(), std::string("03/07/2005  12:05 AM\t*START_Remove\t") + keyword +
                                                      "\tOld Tool\tC:\\old.exe\t\r\n"));
        EXPECT_EQ(UNDO_DONE, UndoLastLine());
        EXPECT_EQ(keyword == std::string("MACHINE_RUN") ? "C:\\old.exe|<missing>" : "<missing>|C:\\old.exe",
                  GetRegString(HKEY_LOCAL_MACHINE, kRun, "Old Tool") + "|" + GetRegString(HKEY_LOCAL_MACHINE, In32BitView(kRun), "Old Tool"));
        DeleteRegValue(HKEY_LOCAL_MACHINE, kRun, "Old Tool");
    }
}
