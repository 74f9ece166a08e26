// Window placement on real windows: saving and centring, the sheet's first placement (once per
// process, so one test each) and the cookie list window's place and icons.
#include "foundations/registry.h"
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
    void TearDown() override { DestroyWindow(window); }
    void Put(const char* name, const char* text) { PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name, text); }
    std::string Value(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name); }
    // The rectangle of a stand-in sheet made at (200, 150), 640 x 480, after its first page.
    RECT SheetAfterFirstPage()
    {
        window = CreateHost(200, 150, 640, 480);
        FirstPlacement(CreatePage(window, IDD_STARTUP_PAGE), SHEET_PLACEMENT);
        return ScreenRect(window);
    }

    SavedKey program_{HKEY_CURRENT_USER, VIGILARK_KEY};
    HWND window = nullptr;
};

void ExpectRect(const RECT& rect, int left, int top, int width, int height)
{
    EXPECT_EQ((std::vector<LONG>{left, top, width, height}),
              (std::vector<LONG>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}));
}

// Centred: half the free width to the left, a third of the free height above.
void ExpectCentred(HWND window)
{
    SIZE size = WindowSize(window);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2, ScreenRect(window).left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - size.cy) / 3, ScreenRect(window).top);
}

}  // namespace

TEST_F(Placement, SaveWritesTheRectangleAsDecimalTextUnderItsFamilysNames)
{
    window = CreateHost(130, 70, 420, 310);
    RECT rect = ScreenRect(window);
    SavePlacement(window, SHEET_PLACEMENT);
    SavePlacement(window, ADD_FILETYPE_PLACEMENT);
    EXPECT_EQ(std::to_string(rect.left) + "," + std::to_string(rect.top) + " 420x310",
              Value("xPos") + "," + Value("yPos") + " " + Value("dxPos") + "x" + Value("dyPos"));
    EXPECT_EQ("420x310", Value("dxPosAddFileType") + "x" + Value("dyPosAddFileType"));

    // Nothing without a rectangle to read; a minimised window would report its parking place.
    Put("xPos", "55");
    DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, "dxPos");
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    SavePlacement(window, SHEET_PLACEMENT);
    DestroyWindow(window);
    SavePlacement(window, SHEET_PLACEMENT);
    SavePlacement(nullptr, SHEET_PLACEMENT);
    window = nullptr;
    EXPECT_EQ("55", Value("xPos"));
    EXPECT_EQ("<missing>", Value("dxPos"));
}

TEST_F(Placement, FirstPageSetsUpTheSheetOncePerProcess)
{
    window = CreateHost(60, 40, 640, 480);
    HWND page = CreatePage(window, IDD_STARTUP_PAGE);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(nullptr, StatusBar());
    FirstPlacement(page, SHEET_PLACEMENT);
    // The subclass keeps the sheet from being made smaller than it was made.
    MINMAXINFO limits = {};
    SendMessageA(window, WM_GETMINMAXINFO, 0, (LPARAM)&limits);
    EXPECT_EQ(client.right - 10, limits.ptMinTrackSize.x);
    EXPECT_EQ(client.bottom - 32, limits.ptMinTrackSize.y);
    HWND bar = StatusBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(window, GetParent(bar));
    EXPECT_NE(0, GetWindowLongPtrA(bar, GWL_STYLE) & SBARS_SIZEGRIP);
    SetStatusText("Startup Location: HKEY_LOCAL_MACHINE");
    EXPECT_EQ("Startup Location: HKEY_LOCAL_MACHINE", TextOf(bar));
    ExpectRect(ScreenRect(window), 60, 40, 640, 480);  // nothing stored: it stays where it is

    // The next page changes nothing, even with a stored rectangle.
    Put("xPos", "5");
    Put("yPos", "6");
    FirstPlacement(CreatePage(window, IDD_TASKS_PAGE), SHEET_PLACEMENT);
    EXPECT_EQ(bar, StatusBar()) << "no second status bar";
    EXPECT_EQ(60, ScreenRect(window).left);
    DestroyWindow(window);
    window = nullptr;
    EXPECT_EQ(nullptr, StatusBar());
}

TEST_F(Placement, WithoutAStoredWidthTheSheetMovesAndKeepsItsSize)
{
    Put("xPos", "40");
    Put("yPos", "30");
    ExpectRect(SheetAfterFirstPage(), 40, 30, 640, 480);
}

TEST_F(Placement, APopupIsCentredAndWithoutAStoredTopTheSheetStaysWhereTheSystemPutIt)
{
    Put("xPos", "40");
    Put("dxPos", "700");
    HWND owner = CreateHost(300, 250, 400, 300);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADD_FILETYPE), owner,
                                     RecordingDialogProc, 0);
    FirstPlacement(dialog, SHEET_PLACEMENT);
    ExpectCentred(dialog);
    EXPECT_EQ(nullptr, StatusBar()) << "no sheet is touched";
    EXPECT_EQ(300, ScreenRect(owner).left);
    DestroyWindow(owner);
    ExpectRect(SheetAfterFirstPage(), 200, 150, 640, 480);
    EXPECT_NE(nullptr, StatusBar());
}

TEST_F(Placement, CookieWindowComesBackWhereItWasWithItsIcons)
{
    window = CreatePage(nullptr, IDD_COOKIE_LIST);
    auto click = [&](int id) {  // a click on the icon as the window's mouse handler sees it
        RECT rect = ChildRect(GetDlgItem(window, id));
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        Commands().clear();
        for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) IconMouseHandler(window, message, 0, at);
        return Commands();
    };
    // Nothing stored: centred, and the icons send their commands.
    RestoreCookieWindowPlacement(window);
    ExpectCentred(window);
    EXPECT_EQ(std::vector<int>{IDC_HELP_ICON}, click(IDC_HELP_ICON));
    EXPECT_EQ(std::vector<int>{IDC_MONITOR_ICON}, click(IDC_MONITOR_ICON));

    SetWindowPos(window, nullptr, 70, 60, 660, 400, SWP_NOZORDER);
    SaveCookieWindowPlacement(window);
    EXPECT_EQ("70,60,660,400",
              Value("xCookie") + "," + Value("yCookie") + "," + Value("dxCookie") + "," + Value("dyCookie"));
    EXPECT_TRUE(click(IDC_HELP_ICON).empty()) << "the icons are let go with the window";
    DestroyWindow(window);

    window = CreatePage(nullptr, IDD_COOKIE_LIST);
    RestoreCookieWindowPlacement(window);
    ExpectRect(ScreenRect(window), 70, 60, 660, 400);
    // A lost size keeps the window's own; a lost top counts as 0.
    Put("dxCookie", "");
    Put("yCookie", "");
    SetWindowPos(window, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    RestoreCookieWindowPlacement(window);
    ExpectRect(ScreenRect(window), 70, 0, 700, 450);
}
