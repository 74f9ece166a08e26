// Placement and mouse on real windows: the sheet's first placement (once per process, so one
// test) with its status bar and minimum size, a popup centred, nothing saved without a rectangle,
// the cookie list window's place, and the page icons under the mouse. A restart is end to end.
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        CreateSharedDrawing(GetModuleHandleA(nullptr));
    }
    static void Put(const char* name, const char* text) { PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name, text); }
    static std::string Value(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name); }
    static std::string Rect(HWND window)
    {
        RECT r = ScreenRect(window);
        return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
               std::to_string(r.bottom - r.top);
    }
    // Centred: half the free width to the left, a third of the free height above.
    static std::string Centred(HWND window)
    {
        SIZE size = WindowSize(window);
        return std::to_string((GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2) + "," +
               std::to_string((GetSystemMetrics(SM_CYSCREEN) - size.cy) / 3) + " " + std::to_string(size.cx) + "x" +
               std::to_string(size.cy);
    }
    SavedKey program_{HKEY_CURRENT_USER, VIGILARK_KEY};
};

}  // namespace

TEST_F(Placement, TheFirstPageSetsUpTheSheetOnceAndAPopupIsCentred)
{
    Put("xPos", "40");
    HWND owner = CreateHost(300, 250, 400, 300);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADD_FILETYPE), owner, RecordingDialogProc, 0);
    FirstPlacement(dialog, SHEET_PLACEMENT);
    EXPECT_EQ(Centred(dialog), Rect(dialog));
    EXPECT_EQ("300,250 400x300", Rect(owner));
    EXPECT_EQ(nullptr, StatusBar());
    DestroyWindow(owner);
    // Without a stored width the sheet moves and keeps its size; it gets a status bar with a grip
    // and cannot be made smaller than it was made.
    Put("yPos", "30");
    HWND sheet = CreateHost(200, 150, 640, 480);
    RECT client;
    GetClientRect(sheet, &client);
    FirstPlacement(CreatePage(sheet, IDD_STARTUP_PAGE), SHEET_PLACEMENT);
    EXPECT_EQ("40,30 640x480", Rect(sheet));
    MINMAXINFO limits = {};
    SendMessageA(sheet, WM_GETMINMAXINFO, 0, (LPARAM)&limits);
    EXPECT_EQ((client.right - 10) * 1000 + client.bottom - 32, limits.ptMinTrackSize.x * 1000 + limits.ptMinTrackSize.y);
    HWND bar = StatusBar();
    ASSERT_TRUE(bar && GetParent(bar) == sheet && (GetWindowLongPtrA(bar, GWL_STYLE) & SBARS_SIZEGRIP));
    SetStatusText("Startup Location: HKEY_LOCAL_MACHINE");
    EXPECT_EQ("Startup Location: HKEY_LOCAL_MACHINE", TextOf(bar));
    // The next page changes nothing, even with another stored place.
    Put("xPos", "5");
    FirstPlacement(CreatePage(sheet, IDD_TASKS_PAGE), SHEET_PLACEMENT);
    EXPECT_EQ("40,30 640x480", Rect(sheet));
    EXPECT_EQ(bar, StatusBar()) << "no second status bar";
    // Nothing is saved without a rectangle to read; a minimised window would report its parking place.
    DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, "dxPos");
    ShowWindow(sheet, SW_MINIMIZE);
    SavePlacement(sheet, SHEET_PLACEMENT);
    DestroyWindow(sheet);
    SavePlacement(sheet, SHEET_PLACEMENT);
    SavePlacement(nullptr, SHEET_PLACEMENT);
    EXPECT_EQ("5|<missing>", Value("xPos") + "|" + Value("dxPos"));
    EXPECT_EQ(nullptr, StatusBar());
}

TEST_F(Placement, WithoutAStoredTopTheSheetStaysWhereTheSystemPutIt)
{
    Put("xPos", "40");
    Put("dxPos", "700");
    HWND sheet = CreateHost(200, 150, 640, 480);
    FirstPlacement(CreatePage(sheet, IDD_STARTUP_PAGE), SHEET_PLACEMENT);
    EXPECT_EQ("200,150 640x480", Rect(sheet));
    DestroyWindow(sheet);
}

TEST_F(Placement, TheCookieWindowComesBackWhereItWasWithItsIcons)
{
    HWND window = CreatePage(nullptr, IDD_COOKIE_LIST);
    auto click = [&](int id) {  // a click on the icon as the window's mouse handler sees it
        RECT rect = ChildRect(GetDlgItem(window, id));
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        Commands().clear();
        for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) IconMouseHandler(window, message, 0, at);
        return Commands();
    };
    // Nothing stored: centred, and the icons send their commands.
    RestoreCookieWindowPlacement(window);
    EXPECT_EQ(Centred(window), Rect(window));
    EXPECT_EQ(std::vector<int>{IDC_HELP_ICON}, click(IDC_HELP_ICON));
    EXPECT_EQ(std::vector<int>{IDC_MONITOR_ICON}, click(IDC_MONITOR_ICON));
    SetWindowPos(window, nullptr, 70, 60, 660, 400, SWP_NOZORDER);
    SaveCookieWindowPlacement(window);
    EXPECT_EQ("70,60,660,400", Value("xCookie") + "," + Value("yCookie") + "," + Value("dxCookie") + "," + Value("dyCookie"));
    EXPECT_TRUE(click(IDC_HELP_ICON).empty()) << "the icons are let go with the window";
    DestroyWindow(window);
    window = CreatePage(nullptr, IDD_COOKIE_LIST);
    RestoreCookieWindowPlacement(window);
    EXPECT_EQ("70,60 660x400", Rect(window));
    // A lost size keeps the window's own; a lost top counts as 0.
    Put("dxCookie", "");
    Put("yCookie", "");
    SetWindowPos(window, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    RestoreCookieWindowPlacement(window);
    EXPECT_EQ("70,0 700x450", Rect(window));
    DestroyWindow(window);
}

// Only a press and release over one icon sends its command; the icon under the mouse is lit.
TEST_F(Placement, OnlyAPressAndReleaseOverOneIconSendsItsCommand)
{
    HWND sheet = CreateHost(0, 0, 700, 500), page = CreatePage(sheet, IDD_STARTUP_PAGE);
    ASSERT_NE(nullptr, page);
    const HBITMAP *help = Drawing().helpBitmaps, *monitor = Drawing().monitorBitmaps;  // rest, held, hover
    SetIconProperties(GetDlgItem(page, IDC_HELP_ICON), help[0], help[1], help[2], IDC_HELP_ICON);
    SetIconProperties(GetDlgItem(page, IDC_MONITOR_ICON), monitor[0], monitor[1], monitor[2], IDC_MONITOR_ICON);
    SendDlgItemMessageA(page, IDC_HELP_ICON, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)help[0]);
    // A mouse message at the middle of a control (0: a point of the page with none).
    auto mouse = [&](UINT message, int id) {
        RECT rect = ChildRect(GetDlgItem(page, id));
        POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        for (at = id ? at : POINT{2, 2}; !id && ChildWindowFromPoint(page, at) != page && at.y < 2000; at.y += 3) {}
        return IconMouseHandler(page, message, 0, MAKELPARAM(at.x, at.y));
    };
    auto shown = [&] { return (HBITMAP)SendDlgItemMessageA(page, IDC_HELP_ICON, STM_GETIMAGE, IMAGE_BITMAP, 0); };
    EXPECT_EQ(1, mouse(WM_MOUSEMOVE, IDC_HELP_ICON));
    EXPECT_EQ(help[2], shown()) << "highlighted under the mouse";
    mouse(WM_MOUSEMOVE, 0);
    const struct {
        int down, up;  // where the button goes down and comes up (0: the page's background)
        std::vector<int> commands;
    } rows[] = {{IDC_HELP_ICON, IDC_HELP_ICON, {IDC_HELP_ICON}},
                {IDC_HELP_ICON, 0, {}},
                {0, IDC_MONITOR_ICON, {IDC_MONITOR_ICON}},
                {IDC_HELP_LABEL, IDC_HELP_LABEL, {}}};
    for (const auto& row : rows) {
        Commands().clear();
        for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN}) mouse(message, row.down);
        for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP}) mouse(message, row.up);
        EXPECT_EQ(row.commands, Commands()) << row.down << " to " << row.up;
        EXPECT_EQ(help[0], shown()) << "at rest again";
    }
    Commands().clear();
    mouse(WM_LBUTTONDBLCLK, IDC_MONITOR_ICON);
    EXPECT_EQ(std::vector<int>{IDC_MONITOR_ICON}, Commands());
    EXPECT_EQ(0, IconMouseHandler(page, WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000))) << "outside the page";
    Commands().clear();  // without its properties an icon sends nothing
    RemoveIconProperties(GetDlgItem(page, IDC_HELP_ICON));
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) mouse(message, IDC_HELP_ICON);
    EXPECT_TRUE(Commands().empty());
    DestroyWindow(sheet);
}
