// The real VigilarkEx.exe as a user or the monitor meets it: command lines, single instance,
// exit requests, the first start and the settings saved at exit, Windows 98 and the Monitor icons.
#include "support/console_fixture.h"

namespace {

using Console = ConsoleTest;

// A child's rectangle in its page's client coordinates.
RECT ChildRect(HWND page, int id)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(page, id), &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool MonitorRunning() { return FindWindowA("Vigilark", nullptr) != nullptr; }

}  // namespace

TEST_F(Console, WithoutOptionsTheSheetShowsItsTabsAndOnlyItsCloseButton)
{
    Open();
    const char* tabs[] = {"Startup Programs", " IE Helpers ", " Scheduled Tasks ", " Services ", " Active Tasks ",
                          "Cookies", " File Types ", " System Hooks ", "RORO", "Options"};
    ASSERT_EQ(10, TabCount(run_.sheet)) << "NT family: the Services tab is there";
    for (int i = 0; i < 10; ++i) EXPECT_EQ(tabs[i], TabText(run_, i)) << i;
    EXPECT_EQ(0, ActiveTab(run_.sheet));
    EXPECT_EQ("Vigilark", WindowText(run_.sheet));
    EXPECT_EQ("Vigilark", WindowText(run_.main)) << "the taskbar button carries the caption";
    for (int id : {IDOK, 0x3021 /* Apply */}) EXPECT_FALSE(IsWindowVisible(GetDlgItem(run_.sheet, id))) << id;
    EXPECT_EQ("Close", WindowText(GetDlgItem(run_.sheet, IDCANCEL)));
    // The page's own Close button stands in for the sheet's and ends the program.
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page_, IDC_CLOSE_BUTTON)));
    PressButton(page_, IDC_CLOSE_BUTTON);
    EXPECT_EQ(0, WaitForExit(run_));
}

// Each page's own test opens it by its option; here, the options that name no page of their own
// and that the lowest in the table wins. ("-COOKIE" is the cookie page test's.)
TEST_F(Console, OptionsWithoutAPageOpenTheFirstAndTheLowestInTheTableWins)
{
    // Tabs: 0 Startup Programs, 4 Active Tasks, 9 Options.
    const std::pair<const char*, int> rows[] = {{"-task -nut", 4}, {"-EXIT -RESTART", 0}, {"-service -option", 9},
                                                {"-BLACKLIST", 0}, {"-MONITOR", 0}};
    for (const auto& row : rows) {
        Open(row.first);
        EXPECT_EQ(row.second, ActiveTab(run_.sheet)) << row.first;
        EXPECT_EQ(0, CloseConsole(run_)) << row.first;
    }
}

TEST_F(Console, ASecondStartHandsItsRequestOverOrQuitsTheRunningCopy)
{
    Open("-task");
    ConsoleRun second;
    ASSERT_TRUE(StartConsole("-NUT", second, false));
    EXPECT_EQ(nullptr, second.sheet);
    EXPECT_EQ(0, WaitForExit(second));
    EXPECT_TRUE(WaitFor([&] { return ActiveTabText(run_) == "Cookies"; }));
    // Without options the running console only comes to the front and stays on its page.
    ASSERT_TRUE(StartConsole("", second, false));
    EXPECT_EQ(0, WaitForExit(second));
    EXPECT_FALSE(WaitFor([&] { return ActiveTabText(run_) != "Cookies"; }, 500));
    EXPECT_EQ(1, ConsoleWindowCount());
    // "-q" ends the running copy and itself; without one it ends at once.
    ASSERT_TRUE(StartConsole("-q", second, false));
    EXPECT_EQ(0, WaitForExit(second));
    EXPECT_EQ(0, WaitForExit(run_));
    ASSERT_TRUE(StartConsole("-Q", run_, false));
    EXPECT_EQ(0, WaitForExit(run_, 5000));
    EXPECT_EQ(0, ConsoleWindowCount());
}

TEST_F(Console, CopiesStartedTogetherMakeOneConsole)
{
    PROCESS_INFORMATION copies[3];
    for (auto& copy : copies) ASSERT_TRUE(StartProgram("VigilarkEx.exe", "", &copy));
    int ended = 0;
    for (auto& copy : copies) {
        ConsoleRun run;
        run.process = copy;
        bool stayed = WaitForSingleObject(copy.hProcess, 8000) != WAIT_OBJECT_0;
        stayed ? void(run_ = run) : void(ended += WaitForExit(run) == 0);  // the one that stayed runs on
    }
    EXPECT_EQ(2, ended);
    EXPECT_EQ(1, ConsoleWindowCount());
    run_.sheet = FindSheet(run_.main = FindWindowA("VigilarkEx", nullptr));
}

// A start ends in this copy's console, the running copy raised, or a message that says
// why not: never in silence, never in a busy loop.
TEST_F(Console, AStartLockThatNeverAnswersNeverEndsInSilence)
{
    // The lock held as by a copy that hangs before its window exists.
    HANDLE lock = CreateMutexA(nullptr, TRUE, "Brondlewick.VigilarkEx.Startup");
    ASSERT_NE(nullptr, lock);
    ASSERT_TRUE(StartConsole("", run_, false));
    HWND box = WaitForDialog(nullptr, 30000);
    ASSERT_NE(nullptr, box) << "the start ended without a word";
    EXPECT_EQ(nullptr, run_.main);
    EXPECT_NE("", BoxText(box)) << "a message that says why";
    PressButton(box, IDOK);
    EXPECT_EQ(0, WaitForExit(run_));
    CloseHandle(lock);
}

TEST_F(Console, ExitRequestsFollowConfirmExitAndTheAutorunCommandSwitchesTheMonitor)
{
    SetOption("ConfirmExit", "0");
    ASSERT_TRUE(StartConsole("-EXIT", run_, false));
    EXPECT_EQ(0, WaitForExit(run_));
    EXPECT_FALSE(MonitorRunning());
    // Monitor absent: it is started, and no console opens.
    SetOption("ConfirmExit", "1");
    ASSERT_TRUE(StartConsole("-exit", run_, false));
    EXPECT_TRUE(WaitFor(MonitorRunning));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(run_.process.hProcess, 500)) << "still running, hidden";
    EXPECT_EQ(nullptr, FindSheet(run_.main));
    ConsoleRun quit;
    ASSERT_TRUE(StartConsole("-Q", quit, false));
    EXPECT_EQ(0, WaitForExit(quit));
    EXPECT_EQ(0, WaitForExit(run_));
    // Monitor running: the console opens on its first page.
    Open("-EXIT");
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    SetOption("ConfirmExit", "0");

    bool before = RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    for (bool expected : {!before, before}) {
        PostMessageA(run_.main, WM_COMMAND, CMD_TOGGLE_AUTORUN, 0);
        EXPECT_TRUE(WaitFor([&] { return RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark") == expected; }));
    }
}

// What the first start records is tested in the first-run integration test; here, that the
// console makes the first start, and that its copy of the settings wins at exit.
TEST_F(Console, TheFirstStartMakesTheKeysAndTheSettingsAreSavedAtTheEnd)
{
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
    Open("-RORO");
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ(18u, GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr).size()) << "YYYY-MM-DD   hh:mm";
    SetOption("Start", "5");
    Open("-RORO");
    SetOption("Start", "9");
    SetOption("Update", "0");
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("5|1", Option("Start") + "|" + Option("Update")) << "its copy wins, and the monitor is told";
}

TEST_F(Console, WindowsNinetyEightHasNoServicesTabAndShowsTheRestartFileRow)
{
    // Wine reports another Windows version to one program through this key.
    SavedKey version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe");
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe", "Version", "win98"));
    Open("-service");
    EXPECT_EQ(9, TabCount(run_.sheet));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));
    SetOption("WinInit", "5");
    Open("-OPTION");
    EXPECT_EQ(8, ActiveTab(run_.sheet)) << "the last of nine";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page_, IDC_WININIT_LABEL)));
    PressButton(page_, IDC_WININIT_ICON);
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Patrol Time for WinInit/Restart file", WindowText(dialog));
    EXPECT_EQ("5", WindowText(GetDlgItem(dialog, IDC_PATROL_EDIT)));
    SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, (LPARAM) "0");
    PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitFor([&] { return Option("WinInit") == "0"; }));
}


// The dialog itself is the patrol integration test; here, each icon reaches its own setting.
TEST_F(Console, EachMonitorIconSetsItsOwnPatrolTimeAndShowsWhetherItIsOn)
{
    SetOption("Start", "2");
    SetOption("StartPage", "2");
    SetOption("HostFile", "3");
    const struct {
        const char* tab;
        int icon;
        const char *title, *typed, *setting, *stored;  // typed nullptr: Close
        bool on;
    } rows[] = {
        {"Startup Programs", IDC_MONITOR_ICON, "Patrol Time for Startup Programs", "45", "Start", "45", true},
        {"Options", IDC_STARTPAGE_ICON, "Patrol Time for Default Internet Pages", nullptr, "StartPage", "2", true},
        {"Options", IDC_HOSTS_ICON, "Patrol Time for checking HOST file", "", "HostFile", "0", false},
    };
    Open();
    HANDLE on = (HANDLE)SendDlgItemMessageA(page_, IDC_MONITOR_ICON, STM_GETIMAGE, IMAGE_BITMAP, 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        HWND page = OpenTab(row.tab), icon = GetDlgItem(page, row.icon);
        RECT rect = ChildRect(page, row.icon);
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        if (row.icon != IDC_MONITOR_ICON) {
            PressButton(page, row.icon);
        } else {  // a click as the mouse gives it
            PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(page, WM_LBUTTONUP, 0, at);
        }
        HWND dialog = WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(row.title, WindowText(dialog));
        if (row.typed) SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, (LPARAM)row.typed);
        PressButton(dialog, row.typed ? IDOK : IDCANCEL);
        ASSERT_TRUE(WaitGone(dialog));
        EXPECT_TRUE(WaitFor([&] { return Option(row.setting) == row.stored; })) << Option(row.setting);
        EXPECT_TRUE(WaitFor([&] { return ((HANDLE)SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0) == on) == row.on; }));
    }
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(ActivePage(run_.sheet), IDC_WININIT_ICON))) << "NT family";
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("45", Option("Start")) << "kept at exit";
}

