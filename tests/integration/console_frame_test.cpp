// The sheet's first placement (subclass, minimum track size, status bar, stored rectangle),
// and the cookie list window's placement with its icons, on real windows.
//
// Links the console, so it joins tests/integration when the pages are merged.
#include "foundations/registry.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

RECT ScreenRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

void ExpectRect(const RECT& rect, int left, int top, int width, int height)
{
    EXPECT_EQ(left, rect.left);
    EXPECT_EQ(top, rect.top);
    EXPECT_EQ(width, rect.right - rect.left);
    EXPECT_EQ(height, rect.bottom - rect.top);
}

class ConsoleFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        CreateSharedDrawing(GetModuleHandleA(nullptr));
    }
    void Put(const char* name, const char* text)
    {
        ASSERT_EQ(1, SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name, text));
    }
    std::string Value(const char* name) { return ReadValue(HKEY_CURRENT_USER, VIGILARK_KEY, name); }

    // A sheet at (x, y), 640 x 480, after its first page's placement.
    RECT SheetAfterFirstPage(int x, int y)
    {
        sheet = CreateHost(x, y, 640, 480);
        FirstPlacement(CreatePage(sheet, IDD_STARTUP_PAGE), SHEET_PLACEMENT);
        return ScreenRect(sheet);
    }
    void TearDown() override
    {
        if (sheet) DestroyWindow(sheet);
    }

    ScratchPlacement sheetValues{SHEET_PLACEMENT};
    ScratchPlacement cookieValues{COOKIE_WINDOW_PLACEMENT};
    HWND sheet = nullptr;
};

std::string StatusText()
{
    char text[256] = "";
    SendMessageA(StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST_F(ConsoleFrame, FirstPageSetsUpTheSheetOncePerProcess)
{
    sheet = CreateHost(60, 40, 640, 480);
    HWND page = CreatePage(sheet, IDD_STARTUP_PAGE);
    ASSERT_NE(nullptr, page);
    RECT client;
    GetClientRect(sheet, &client);
    EXPECT_EQ(nullptr, StatusBar());
    EXPECT_EQ(nullptr, PreviousSheetProc());

    FirstPlacement(page, SHEET_PLACEMENT);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(SheetSubclassProc), GetWindowLongPtrA(sheet, GWLP_WNDPROC));
    WNDPROC previous = PreviousSheetProc();
    EXPECT_NE(nullptr, previous);
    EXPECT_EQ(client.right - 10, MinimumTrackSize().x);
    EXPECT_EQ(client.bottom - 32, MinimumTrackSize().y);

    HWND bar = StatusBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(sheet, GetParent(bar));
    EXPECT_EQ(IDC_STATUS_BAR, GetDlgCtrlID(bar));
    EXPECT_NE(0, GetWindowLongPtrA(bar, GWL_STYLE) & SBARS_SIZEGRIP);
    SetStatusText("Startup Location: HKEY_LOCAL_MACHINE");
    EXPECT_EQ("Startup Location: HKEY_LOCAL_MACHINE", StatusText());

    // Without stored values the sheet stays where it is.
    RECT rect = ScreenRect(sheet);
    EXPECT_EQ(60, rect.left);
    EXPECT_EQ(640, rect.right - rect.left);

    // The subclass keeps the sheet from being made smaller than the minimum.
    MINMAXINFO limits = {};
    SendMessageA(sheet, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(client.right - 10, limits.ptMinTrackSize.x);
    EXPECT_EQ(client.bottom - 32, limits.ptMinTrackSize.y);

    // The next page changes nothing, even with a stored rectangle.
    Put("xPos", "5");
    Put("yPos", "6");
    HWND second = CreatePage(sheet, IDD_TASKS_PAGE);
    FirstPlacement(second, SHEET_PLACEMENT);
    EXPECT_EQ(previous, PreviousSheetProc());
    EXPECT_EQ(bar, StatusBar());
    EXPECT_EQ(60, ScreenRect(sheet).left);
    DestroyWindow(sheet);
    sheet = nullptr;
    EXPECT_EQ(nullptr, StatusBar());
}

TEST_F(ConsoleFrame, FirstPageRestoresTheStoredRectangle)
{
    Put("xPos", "40");
    Put("yPos", "30");
    Put("dxPos", "700");
    Put("dyPos", "520");
    RECT rect = SheetAfterFirstPage(200, 200);
    ExpectRect(rect, 40, 30, 700, 520);

    // Closing saves it again, as it is now.
    SetWindowPos(sheet, nullptr, 90, 80, 720, 540, SWP_NOZORDER);
    SavePlacement(sheet, SHEET_PLACEMENT);
    EXPECT_EQ("90", Value("xPos"));
    EXPECT_EQ("540", Value("dyPos"));
}

TEST_F(ConsoleFrame, WithoutAStoredWidthTheSheetMovesAndKeepsItsSize)
{
    Put("xPos", "40");
    Put("yPos", "30");
    RECT rect = SheetAfterFirstPage(200, 200);
    ExpectRect(rect, 40, 30, 640, 480);
}

TEST_F(ConsoleFrame, WithoutAStoredTopTheSheetStaysWhereTheSystemPutIt)
{
    Put("xPos", "40");
    Put("dxPos", "700");
    RECT rect = SheetAfterFirstPage(200, 150);
    EXPECT_EQ(200, rect.left);
    EXPECT_EQ(640, rect.right - rect.left);
    EXPECT_NE(nullptr, StatusBar());
}

TEST_F(ConsoleFrame, ATopLevelDialogIsCentredAndNoSheetIsTouched)
{
    Put("xPos", "40");
    Put("yPos", "30");
    HWND owner = CreateHost(200, 150, 640, 480);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADD_FILETYPE), owner,
                                     RecordingDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    FirstPlacement(dialog, SHEET_PLACEMENT);
    EXPECT_EQ(nullptr, PreviousSheetProc());
    EXPECT_EQ(nullptr, StatusBar());
    EXPECT_EQ(200, ScreenRect(owner).left);
    RECT rect = ScreenRect(dialog);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, rect.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 3, rect.top);
    DestroyWindow(owner);
}

TEST_F(ConsoleFrame, CookieWindowComesBackWhereItWasWithItsIcons)
{
    HWND window = CreateTopLevelDialog(IDD_COOKIE_LIST);
    ASSERT_NE(nullptr, window);
    HWND help = GetDlgItem(window, IDC_HELP_ICON);
    HWND monitor = GetDlgItem(window, IDC_MONITOR_ICON);

    // Nothing stored: centred, and the icons have their images and commands.
    RestoreCookieWindowPlacement(window);
    RECT rect = ScreenRect(window);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, rect.left);
    EXPECT_EQ(Drawing().helpBitmaps[2], GetPropA(help, MAKEINTATOM(ICON_PROP_ALT)));
    EXPECT_EQ(IDC_HELP_ICON, (int)(INT_PTR)GetPropA(help, MAKEINTATOM(ICON_PROP_ID)));
    EXPECT_EQ(Drawing().monitorBitmaps[0], GetPropA(monitor, MAKEINTATOM(ICON_PROP_REST)));  // patrol off
    EXPECT_EQ(IDC_MONITOR_ICON, (int)(INT_PTR)GetPropA(monitor, MAKEINTATOM(ICON_PROP_ID)));

    SetWindowPos(window, nullptr, 70, 60, 660, 400, SWP_NOZORDER);
    SaveCookieWindowPlacement(window);
    EXPECT_EQ("70", Value("xCookie"));
    EXPECT_EQ("60", Value("yCookie"));
    EXPECT_EQ("660", Value("dxCookie"));
    EXPECT_EQ("400", Value("dyCookie"));
    EXPECT_EQ(nullptr, GetPropA(help, MAKEINTATOM(ICON_PROP_ID)));
    EXPECT_EQ(nullptr, GetPropA(monitor, MAKEINTATOM(ICON_PROP_REST)));
    DestroyWindow(window);

    window = CreateTopLevelDialog(IDD_COOKIE_LIST);
    RestoreCookieWindowPlacement(window);
    rect = ScreenRect(window);
    ExpectRect(rect, 70, 60, 660, 400);

    // A lost size keeps the window's own; a lost top counts as 0.
    Put("dxCookie", "");
    Put("yCookie", "");
    SetWindowPos(window, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    RestoreCookieWindowPlacement(window);
    rect = ScreenRect(window);
    ExpectRect(rect, 70, 0, 700, 450);
    DestroyWindow(window);
}
