// The real VigilarkEx.exe started with command lines, as a user or the resident monitor
// would: which page opens, single-instance hand-over, quitting, exit requests, and the
// settings it saves when it ends.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <gtest/gtest.h>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kVersionOverride[] = "Software\\Wine\\AppDefaults\\VigilarkEx.exe";

class ConsoleStart : public ::testing::Test {
protected:
    void SetUp() override { EndAllCopies(); }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
    }
    void SetOptionText(const char* name, const char* value)
    {
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, value));
    }
    ConsoleRun run_;
};

bool MonitorRunning() { return FindWindowA("Vigilark", nullptr) != nullptr; }

}  // namespace

TEST_F(ConsoleStart, WithoutOptionsOpensStartupProgramsAndClosingEndsTheProgram)
{
    ASSERT_TRUE(StartConsole("", run_));
    ASSERT_NE(nullptr, run_.sheet);
    EXPECT_EQ(9, TabCount(run_.sheet));  // NT family: the Services tab is there
    EXPECT_EQ(0, ActiveTab(run_.sheet));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    EXPECT_EQ("Vigilark", WindowText(run_.sheet));
    EXPECT_EQ("Vigilark", WindowText(run_.main));  // the taskbar button carries the caption
    EXPECT_EQ(0, CloseConsole(run_));
}

TEST_F(ConsoleStart, SheetFrameHasOnlyItsCloseButtonAndCanBeResized)
{
    ASSERT_TRUE(StartConsole("", run_));
    HWND ok = GetDlgItem(run_.sheet, IDOK);
    EXPECT_TRUE(ok == nullptr || !IsWindowVisible(ok));
    HWND apply = GetDlgItem(run_.sheet, 0x3021);  // the sheet's Apply button
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply));
    EXPECT_EQ("Close", WindowText(GetDlgItem(run_.sheet, IDCANCEL)));
    EXPECT_FALSE(GetWindowLongPtrA(run_.sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(GetWindowLongPtrA(run_.sheet, GWL_STYLE) & WS_THICKFRAME);  // NT family: resizable
    // The page's own Close button stands in for the sheet's.
    HWND page = ActivePage(run_.sheet);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_CLOSE_BUTTON)));
    PressButton(page, IDC_CLOSE_BUTTON);
    EXPECT_EQ(0, WaitForExit(run_));
}

TEST_F(ConsoleStart, ToggleAutorunCommandSwitchesTheMonitorsRunValue)
{
    ASSERT_TRUE(StartConsole("-RORO", run_));
    bool before = RegValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    PostMessageA(run_.main, WM_COMMAND, CMD_TOGGLE_AUTORUN, 0);
    EXPECT_TRUE(WaitFor([&] { return RegValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark") != before; }));
    PostMessageA(run_.main, WM_COMMAND, CMD_TOGGLE_AUTORUN, 0);
    EXPECT_TRUE(WaitFor([&] { return RegValuePresent(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark") == before; }));
    // Commands that name lists, not pages, are not requests.
    PostMessageA(run_.main, WM_COMMAND, CMD_HISTORY_LIST, 0);
    PostMessageA(run_.main, WM_COMMAND, CMD_COOKIE_LIST, 0);
    Sleep(300);
    EXPECT_EQ("RORO", ActiveTabText(run_));
    EXPECT_EQ(nullptr, WaitForDialog(run_, 300));
}

TEST_F(ConsoleStart, TabsInOrderWithTheirCaptions)
{
    ASSERT_TRUE(StartConsole("-RORO", run_));
    const char* expected[] = {"Startup Programs", " IE Helpers ", " Scheduled Tasks ", " Services ", " Active Tasks ",
                              "Cookies", " File Types ", "RORO", "Options"};
    ASSERT_EQ(9, TabCount(run_.sheet));
    for (int i = 0; i < 9; ++i) EXPECT_EQ(expected[i], TabText(run_, i)) << "tab " << i;
    EXPECT_EQ(7, ActiveTab(run_.sheet));
}

TEST_F(ConsoleStart, OptionLowestInTheTableWinsWhateverTheCase)
{
    ASSERT_TRUE(StartConsole("-task -nut", run_));
    EXPECT_EQ(" Active Tasks ", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));

    ASSERT_TRUE(StartConsole("-EXIT -RESTART", run_));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));

    ASSERT_TRUE(StartConsole("-option", run_));
    EXPECT_EQ(8, ActiveTab(run_.sheet));  // the last tab
    EXPECT_EQ("Options", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));

    ASSERT_TRUE(StartConsole("-BLACKLIST", run_));
    EXPECT_EQ(0, ActiveTab(run_.sheet));
}

TEST_F(ConsoleStart, EveryPageCommandOpensItsTab)
{
    const struct {
        const char* option;
        const char* tab;
    } cases[] = {{"-SERVICE", " Services "}, {"-BHO", " IE Helpers "}, {"-SCHEDULE", " Scheduled Tasks "},
                 {"-FILETYPE", " File Types "}, {"-NUT", "Cookies"}, {"-MONITOR", "Startup Programs"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(StartConsole(c.option, run_)) << c.option;
        EXPECT_EQ(c.tab, ActiveTabText(run_)) << c.option;
        EXPECT_EQ(0, CloseConsole(run_)) << c.option;
    }
}

TEST_F(ConsoleStart, QuitWithoutARunningCopyEndsAtOnce)
{
    ASSERT_TRUE(StartConsole("-Q", run_, false));
    EXPECT_EQ(0, WaitForExit(run_, 5000));
    EXPECT_EQ(nullptr, FindWindowA("VigilarkEx", nullptr));
}

TEST_F(ConsoleStart, QuitEndsTheRunningCopy)
{
    ASSERT_TRUE(StartConsole("", run_));
    ConsoleRun second;
    ASSERT_TRUE(StartConsole("-q", second, false));
    EXPECT_EQ(0, WaitForExit(second));
    EXPECT_EQ(0, WaitForExit(run_));
}

TEST_F(ConsoleStart, SecondStartHandsItsRequestToTheRunningCopy)
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
    ConsoleRun third;
    ASSERT_TRUE(StartConsole("", third, false));
    EXPECT_EQ(0, WaitForExit(third));
    Sleep(300);
    EXPECT_EQ("Cookies", ActiveTabText(run_));
    int windows = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "VigilarkEx", nullptr)) != nullptr) ++windows;
    EXPECT_EQ(1, windows);
}

TEST_F(ConsoleStart, CopiesStartedTogetherMakeOneConsole)
{
    PROCESS_INFORMATION copies[3];
    for (auto& copy : copies) ASSERT_TRUE(StartProgram("VigilarkEx.exe", "", &copy));
    ConsoleRun probe;
    EXPECT_TRUE(WaitFor([&] { return FindWindowA("VigilarkEx", nullptr) != nullptr; }));
    int ended = 0;
    for (auto& copy : copies) {
        if (WaitForSingleObject(copy.hProcess, 8000) == WAIT_OBJECT_0) {
            ++ended;
            CloseHandle(copy.hProcess);
            CloseHandle(copy.hThread);
        } else {
            run_.process = copy;  // the one that stayed is the running copy
        }
    }
    EXPECT_EQ(2, ended);
    int windows = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "VigilarkEx", nullptr)) != nullptr) ++windows;
    EXPECT_EQ(1, windows);
    run_.main = FindWindowA("VigilarkEx", nullptr);
    run_.sheet = FindSheet(run_.main);
}

TEST_F(ConsoleStart, ViewCookiesRequestLeavesTheSettingAsItWas)
{
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    SetOptionText("ViewCookies", "0");
    ASSERT_TRUE(StartConsole("-COOKIE", run_));
    EXPECT_EQ("Cookies", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("0", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "ViewCookies"));
}

TEST_F(ConsoleStart, ExitRequestFollowsConfirmExit)
{
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);

    SetOptionText("ConfirmExit", "0");
    ASSERT_TRUE(StartConsole("-EXIT", run_, false));
    EXPECT_EQ(0, WaitForExit(run_));
    EXPECT_FALSE(MonitorRunning());

    // Monitor absent: it is started, and no console opens.
    SetOptionText("ConfirmExit", "1");
    ASSERT_TRUE(StartConsole("-exit", run_, false));
    EXPECT_TRUE(WaitFor(MonitorRunning));
    Sleep(500);
    EXPECT_EQ(nullptr, FindSheet(run_.main));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(run_.process.hProcess, 0));  // still running, hidden
    ConsoleRun quit;
    ASSERT_TRUE(StartConsole("-Q", quit, false));
    EXPECT_EQ(0, WaitForExit(quit));
    EXPECT_EQ(0, WaitForExit(run_));

    // Monitor running: the console opens on its first page.
    ASSERT_TRUE(StartConsole("-EXIT", run_));
    ASSERT_NE(nullptr, run_.sheet);
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    SetOptionText("ConfirmExit", "0");
}

TEST_F(ConsoleStart, SettingsAreSavedWhenTheProgramEnds)
{
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    SetOptionText("Start", "5");
    ASSERT_TRUE(StartConsole("-RORO", run_));
    // Another program changes the value while the console runs: the console's copy wins at exit.
    SetOptionText("Start", "9");
    SetOptionText("Update", "0");
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("5", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start"));
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"));
    EXPECT_NE("<missing>", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "NoMicrosoftServices"));
    SetOptionText("Start", "2");
}

TEST_F(ConsoleStart, WindowsNinetyEightHasNoServicesTab)
{
    // Wine reports another Windows version to one program through this key.
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kVersionOverride, "Version", "win98"));
    ASSERT_TRUE(StartConsole("-service", run_));
    EXPECT_EQ(8, TabCount(run_.sheet));
    EXPECT_EQ(0, ActiveTab(run_.sheet));
    EXPECT_EQ("Startup Programs", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));

    ASSERT_TRUE(StartConsole("-OPTION", run_));
    EXPECT_EQ(7, ActiveTab(run_.sheet));  // the last of eight
    EXPECT_EQ(0, CloseConsole(run_));
    DeleteRegTree(HKEY_CURRENT_USER, kVersionOverride);
}

TEST_F(ConsoleStart, FirstRunCreatesTheProgramKeys)
{
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
    ASSERT_TRUE(StartConsole("-RORO", run_));
    EXPECT_EQ(0, CloseConsole(run_));
    std::string created = GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr);
    ASSERT_EQ(18u, created.size()) << created;  // "YYYY-MM-DD   hh:mm"
    EXPECT_EQ("   ", created.substr(10, 3));
    for (const char* sub : {"Nuts", "Cookies", "Options", "Run", "IEHelpers", "HostFile", "Tasks", "Services"}) {
        std::string key = std::string(VIGILARK_KEY) + "\\" + sub;
        HKEY handle;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle)) << sub;
        RegCloseKey(handle);
    }
    EXPECT_EQ(18u, GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Services", nullptr).size());
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "Banner"));
    std::string monitor = GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    EXPECT_NE(std::string::npos, monitor.find("\\vigilark.exe")) << monitor;
}

TEST_F(ConsoleStart, ScreenshotOfEveryTab)
{
    ASSERT_TRUE(StartConsole("", run_));
    int tabs = TabCount(run_.sheet);
    for (int i = 0; i < tabs; ++i) {
        SelectTab(run_.sheet, i);
        EXPECT_TRUE(WaitFor([&] { return ActiveTab(run_.sheet) == i; }));
        Sleep(300);
        char name[32];
        snprintf(name, sizeof name, "tab-%d.bmp", i + 1);
        EXPECT_TRUE(SaveScreenshot(run_.sheet, name));
    }
}
