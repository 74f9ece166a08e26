// The real VigilarkEx.exe as a user or the monitor meets it: command lines, single instance,
// exit requests, first run, saved settings, the sheet's frame, size and place, the Monitor icon
// and the About page. Sizes start from the sheet's minimum tracking size (fonts, DPI).
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"
#include "version.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Console : public ::testing::Test {
protected:
    void SetUp() override { EndAllCopies(); }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
    }
    void SetOption(const char* name, const char* value)
    {
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, value);
    }
    std::string Option(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name); }
    // "left,top widthxheight" of the sheet.
    std::string Sheet() const
    {
        RECT r = {};
        GetWindowRect(run_.sheet, &r);
        return Placed(r.left, r.top, SIZE{r.right - r.left, r.bottom - r.top});
    }
    static std::string Placed(int left, int top, SIZE size)
    {
        return std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(size.cx) + "x" +
               std::to_string(size.cy);
    }
    // Sizes the sheet, no smaller than its minimum, and waits until it has that size and has
    // handled what the resize sent it. Returns the size.
    SIZE Resize(int left, int top, int width, int height)
    {
        MINMAXINFO limits = {};
        SendMessageA(run_.sheet, WM_GETMINMAXINFO, 0, (LPARAM)&limits);
        SIZE size = {std::max(width, (int)limits.ptMinTrackSize.x), std::max(height, (int)limits.ptMinTrackSize.y)};
        SetWindowPos(run_.sheet, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(WaitFor([&] { return Sheet() == Placed(left, top, size); })) << Sheet();
        SendMessageTimeoutA(run_.sheet, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        return size;
    }
    ConsoleRun run_;
};

// A child's rectangle in its page's client coordinates.
RECT ChildRect(HWND page, int id)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(page, id), &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int TabRows(HWND sheet) { return TabCtrl_GetRowCount(FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr)); }
bool MonitorRunning() { return FindWindowA("Vigilark", nullptr) != nullptr; }

}  // namespace

TEST_F(Console, WithoutOptionsTheSheetShowsItsTabsAndOnlyItsCloseButton)
{
    ASSERT_TRUE(StartConsole("", run_));
    const char* tabs[] = {"Startup Programs", " IE Helpers ",   " Scheduled Tasks ",
                          " Services ",       " Active Tasks ", "Cookies",
                          " File Types ",     " System Hooks ", "RORO",           "Options"};
    ASSERT_EQ(10, TabCount(run_.sheet)) << "NT family: the Services tab is there";
    for (int i = 0; i < 10; ++i) EXPECT_EQ(tabs[i], TabText(run_, i)) << i;
    EXPECT_EQ(0, ActiveTab(run_.sheet));
    EXPECT_EQ("Vigilark", WindowText(run_.sheet));
    EXPECT_EQ("Vigilark", WindowText(run_.main)) << "the taskbar button carries the caption";
    for (int id : {IDOK, 0x3021 /* Apply */}) EXPECT_FALSE(IsWindowVisible(GetDlgItem(run_.sheet, id))) << id;
    EXPECT_EQ("Close", WindowText(GetDlgItem(run_.sheet, IDCANCEL)));
    EXPECT_FALSE(GetWindowLongPtrA(run_.sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(GetWindowLongPtrA(run_.sheet, GWL_STYLE) & WS_THICKFRAME) << "NT family: resizable";
    // The page's own Close button stands in for the sheet's and ends the program.
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(ActivePage(run_.sheet), IDC_CLOSE_BUTTON)));
    PressButton(ActivePage(run_.sheet), IDC_CLOSE_BUTTON);
    EXPECT_EQ(0, WaitForExit(run_));
}

TEST_F(Console, EachOptionOpensItsTabAndTheLowestInTheTableWins)
{
    SetOption("ViewCookies", "0");
    // Tabs: 0 Startup Programs, 1 IE Helpers, 2 Scheduled Tasks, 3 Services, 4 Active Tasks,
    // 5 Cookies, 6 File Types, 7 System Hooks, 8 RORO, 9 Options.
    const char* options[] = {"-task -nut", "-EXIT -RESTART", "-option", "-BLACKLIST", "-SERVICE", "-BHO",
                             "-SCHEDULE",  "-FILETYPE",      "-NUT",    "-MONITOR",   "-RORO",    "-COOKIE"};
    const int tabs[] = {4, 0, 9, 0, 3, 1, 2, 6, 5, 0, 8, 5};
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(StartConsole(options[i], run_)) << options[i];
        EXPECT_EQ(tabs[i], ActiveTab(run_.sheet)) << options[i];
        // "-COOKIE" shows the cookie list over the page; it is closed first.
        if (strcmp(options[i], "-COOKIE") == 0) {
            HWND cookieList = WaitForWindow(run_);
            ASSERT_NE(nullptr, cookieList);
            PressButton(cookieList, IDCANCEL);
            EXPECT_TRUE(WaitFor([&] { return !IsWindow(cookieList); }));
        }
        EXPECT_EQ(0, CloseConsole(run_)) << options[i];
    }
    EXPECT_EQ("0", Option("ViewCookies")) << "a view-cookies request leaves the setting as it was";
}

TEST_F(Console, ASecondStartHandsItsRequestOverOrQuitsTheRunningCopy)
{
    ASSERT_TRUE(StartConsole("-task", run_));
    ConsoleRun second;
    ASSERT_TRUE(StartConsole("-NUT", second, false));
    EXPECT_EQ(nullptr, second.sheet);
    EXPECT_EQ(0, WaitForExit(second));
    EXPECT_TRUE(WaitFor([&] { return ActiveTabText(run_) == "Cookies"; }));
    // The owner is made topmost and takes its sheet with it. Wine: the flag lands on the owned
    // sheet only, not on the hidden owner, so the visible window is what is checked.
    EXPECT_TRUE(WaitFor([&] { return (GetWindowLongPtrA(run_.sheet, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 3000));
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
        if (WaitForSingleObject(copy.hProcess, 8000) == WAIT_OBJECT_0)
            ended += WaitForExit(run) == 0;
        else
            run_ = run;  // the one that stayed is the running copy
    }
    EXPECT_EQ(2, ended);
    EXPECT_EQ(1, ConsoleWindowCount());
    run_.sheet = FindSheet(run_.main = FindWindowA("VigilarkEx", nullptr));
}

// A start ends in this copy's console, the running copy raised, or a message that says
// why not: never in silence, never in a busy loop.
TEST_F(Console, AStartLockThatCannotBeMadeOrNeverAnswersNeverEndsInSilence)
{
    const char kStartupLock[] = "Brondlewick.VigilarkEx.Startup";
    // Any program may own an event of the lock's name; the lock then cannot be made at all.
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, kStartupLock);
    ASSERT_NE(nullptr, event);
    EXPECT_TRUE(StartConsole("", run_) && run_.sheet);
    CloseConsole(run_);
    CloseHandle(event);

    // The lock held as by a copy that hangs before its window exists.
    HANDLE lock = CreateMutexA(nullptr, TRUE, kStartupLock);
    ASSERT_NE(nullptr, lock);
    ASSERT_TRUE(StartConsole("", run_, false));
    HWND box = WaitForWindow(run_, "#32770", 30000);
    ASSERT_NE(nullptr, box) << "the start ended without a word";
    EXPECT_EQ(nullptr, run_.main);
    EXPECT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); })) << "a message that says why";
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
    ASSERT_TRUE(StartConsole("-EXIT", run_));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    SetOption("ConfirmExit", "0");

    bool before = RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    for (bool expected : {!before, before}) {
        PostMessageA(run_.main, WM_COMMAND, CMD_TOGGLE_AUTORUN, 0);
        EXPECT_TRUE(WaitFor([&] { return RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark") == expected; }));
    }
    // Commands that name lists, not pages, are not requests.
    PostMessageA(run_.main, WM_COMMAND, CMD_HISTORY_LIST, 0);
    PostMessageA(run_.main, WM_COMMAND, CMD_COOKIE_LIST, 0);
    EXPECT_EQ(nullptr, WaitForWindow(run_, "#32770", 500));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
}

TEST_F(Console, TheFirstRunMakesTheKeysAndTheSettingsAreSavedAtTheEnd)
{
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
    ASSERT_TRUE(StartConsole("-RORO", run_));
    EXPECT_EQ(0, CloseConsole(run_));
    std::string created = GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr);
    EXPECT_EQ(18u, created.size()) << created << " (YYYY-MM-DD   hh:mm)";
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "Banner"));
    EXPECT_NE(std::string::npos, GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark").find("\\vigilark.exe"));

    // Another program changes a value while the console runs: the console's copy wins at exit.
    SetOption("Start", "5");
    ASSERT_TRUE(StartConsole("-RORO", run_));
    SetOption("Start", "9");
    SetOption("Update", "0");
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("5", Option("Start"));
    EXPECT_EQ("1", Option("Update"));
    SetOption("Start", "2");
}

TEST_F(Console, WindowsNinetyEightHasNoServicesTab)
{
    // Wine reports another Windows version to one program through this key.
    SavedKey version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe");
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe", "Version", "win98"));
    ASSERT_TRUE(StartConsole("-service", run_));
    EXPECT_EQ(9, TabCount(run_.sheet));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));
    ASSERT_TRUE(StartConsole("-OPTION", run_));
    EXPECT_EQ(8, ActiveTab(run_.sheet)) << "the last of nine";
}

TEST_F(Console, PagesFollowTheSheetWhenItIsResized)
{
    ASSERT_TRUE(StartConsole("", run_));
    SIZE size = Resize(0, 0, 640, 520);
    HWND page = ActivePage(run_.sheet);
    RECT list = ChildRect(page, IDC_LIST), help = ChildRect(page, IDC_HELP_ICON), remove = ChildRect(page, IDC_REMOVE);
    int rows = TabRows(run_.sheet);
    // As much larger as the screen allows, at most 200 x 150.
    int dx = std::min(200, GetSystemMetrics(SM_CXMAXTRACK) - (int)size.cx);
    int dy = std::min(150, GetSystemMetrics(SM_CYMAXTRACK) - (int)size.cy);
    ASSERT_GT(std::min(dx, dy), 20);
    Resize(0, 0, size.cx + dx, size.cy + dy);
    RECT bigList = ChildRect(page, IDC_LIST), bigRemove = ChildRect(page, IDC_REMOVE);
    // With a single row of tabs the page is taller: the list grows by 21 more pixels and the
    // buttons sit half a button plus 6 pixels lower.
    int bigRows = TabRows(run_.sheet), button = remove.bottom - remove.top;
    int extraList = (bigRows == 1) * 21 - (rows == 1) * 21;
    int extraButtons = ((bigRows == 1) - (rows == 1)) * (button / 2 + 6);
    EXPECT_EQ(list.left, bigList.left);
    EXPECT_EQ(list.top, bigList.top);
    EXPECT_EQ(list.right + dx, bigList.right);
    EXPECT_EQ(dy + extraList, (bigList.bottom - bigList.top) - (list.bottom - list.top));
    EXPECT_EQ(help.left + dx, ChildRect(page, IDC_HELP_ICON).left) << "the icons keep to the right edge";
    EXPECT_EQ(remove.top + dy + extraButtons, bigRemove.top) << "the buttons keep to the foot";
    EXPECT_GT(bigRemove.left, remove.left) << "and spread over the wider list";
    EXPECT_GE(bigRemove.top, bigList.bottom);
    // Every page that lays itself out follows the new size too; screenshots for the record.
    for (int i = 0; i < TabCount(run_.sheet); ++i) {
        SelectTab(run_.sheet, i);
        ASSERT_TRUE(WaitFor([&] { return ActiveTab(run_.sheet) == i; }));
        HWND shown = ActivePage(run_.sheet);
        if (GetDlgItem(shown, IDC_LIST) && TabText(run_, i) != "Cookies") {
            EXPECT_TRUE(WaitFor([&] { return ChildRect(shown, IDC_LIST).right == bigList.right; })) << i;
        }
        EXPECT_TRUE(SaveScreenshot(run_.sheet, "tab-" + std::to_string(i + 1) + ".bmp"));
    }
}

TEST_F(Console, TheSheetComesBackWhereItWasLeft)
{
    ASSERT_TRUE(StartConsole("", run_));
    SIZE size = Resize(40, 30, 700, 560);
    EXPECT_EQ(0, CloseConsole(run_));
    auto stored = [](const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name); };
    EXPECT_EQ(Placed(40, 30, size),
              stored("xPos") + "," + stored("yPos") + " " + stored("dxPos") + "x" + stored("dyPos"));
    ASSERT_TRUE(StartConsole("-task", run_));
    EXPECT_EQ(Placed(40, 30, size), Sheet());
}

TEST_F(Console, TheMonitorIconSetsThePatrolTime)
{
    SetOption("Start", "2");
    ASSERT_TRUE(StartConsole("", run_));
    HWND page = ActivePage(run_.sheet), icon = GetDlgItem(page, IDC_MONITOR_ICON);
    HANDLE on = (HANDLE)SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0);
    RECT rect = ChildRect(page, IDC_MONITOR_ICON);
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // Typed minutes are stored and switch the icon; Close changes nothing.
    const struct {
        const char *typed, *stored;
        int button;
        bool iconOn;
    } rows[] = {{"0", "0", IDOK, false}, {"45", "45", IDOK, true}, {"3", "45", IDCANCEL, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(page, WM_LBUTTONUP, 0, at);
        HWND dialog = WaitForWindow(run_);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("Patrol Time for Startup Programs", WindowText(dialog));
        SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, (LPARAM)row.typed);
        PressButton(dialog, row.button);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(WaitFor([&] { return Option("Start") == row.stored; }));
        EXPECT_TRUE(
            WaitFor([&] { return ((HANDLE)SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0) == on) == row.iconOn; }));
    }
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("45", Option("Start")) << "kept at exit";
    SetOption("Start", "2");
}

TEST_F(Console, TheAboutPageShowsBothVersionsAndOffersTheSearch)
{
    ASSERT_TRUE(StartConsole("-RORO", run_));
    HWND page = ActivePage(run_.sheet);
    EXPECT_EQ("Vigilark v" VIGILARK_VERSION_STRING ":" VIGILARK_VERSION_STRING,
              WindowText(GetDlgItem(page, IDC_ABOUT_VERSION)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_SEARCH_EDIT)));
    EXPECT_EQ(MAKELONG(IDC_SEARCH_BUTTON, DC_HASDEFID), (LONG)SendMessageA(page, DM_GETDEFID, 0, 0));
    EXPECT_TRUE(SaveScreenshot(run_.sheet, "about-page.bmp"));
    // Enter and Escape do nothing; closing ends the program.
    PostMessageA(page, WM_COMMAND, IDOK, 0);
    PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(run_.process.hProcess, 500));
    EXPECT_EQ(page, ActivePage(run_.sheet));
    EXPECT_EQ(0, CloseConsole(run_));
}
