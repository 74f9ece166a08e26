// The console's frame as a user meets it: pages follow the sheet when it is resized, the
// sheet comes back where it was left, the Monitor icon sets the patrol time, and the About
// page shows what it should.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class ConsoleFrame : public ::testing::Test {
protected:
    void SetUp() override { EndAllCopies(); }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
    }
    ConsoleRun run_;
};

// A child's rectangle in its page's client coordinates.
RECT ChildRect(HWND page, int id)
{
    RECT rect = {};
    HWND child = GetDlgItem(page, id);
    if (!child) return rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ResizeSheet(HWND sheet, int width, int height)
{
    RECT rect;
    GetWindowRect(sheet, &rect);
    SetWindowPos(sheet, nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TabRows(HWND sheet)
{
    HWND tabs = FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
    return tabs ? (int)SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0) : 0;
}

void ClickIcon(HWND page, int id)
{
    RECT icon = ChildRect(page, id);
    LPARAM at = MAKELPARAM((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
    PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(page, WM_LBUTTONUP, 0, at);
}

HANDLE IconImage(HWND page, int id)
{
    return reinterpret_cast<HANDLE>(SendMessageA(GetDlgItem(page, id), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

}  // namespace

TEST_F(ConsoleFrame, PagesFollowTheSheetWhenItIsResized)
{
    ASSERT_TRUE(StartConsole("", run_));
    ResizeSheet(run_.sheet, 640, 520);
    HWND page = ActivePage(run_.sheet);
    ASSERT_TRUE(WaitFor([&] {
        RECT r;
        GetWindowRect(run_.sheet, &r);
        return r.right - r.left == 640;
    }));
    Sleep(300);
    RECT list = ChildRect(page, IDC_LIST);
    RECT help = ChildRect(page, IDC_HELP_ICON);
    RECT remove = ChildRect(page, IDC_REMOVE);
    int rows = TabRows(run_.sheet);

    ResizeSheet(run_.sheet, 840, 670);
    ASSERT_TRUE(WaitFor([&] { return ChildRect(page, IDC_LIST).right - list.right == 200; }));
    RECT bigList = ChildRect(page, IDC_LIST);
    // With a single row of tabs the page is taller: the list grows by 21 more pixels and the
    // buttons sit half a button plus 6 pixels lower.
    int bigRows = TabRows(run_.sheet);
    int buttonHeight = remove.bottom - remove.top;
    int extraList = (bigRows == 1 ? 21 : 0) - (rows == 1 ? 21 : 0);
    int extraButtons = (bigRows == 1 ? buttonHeight / 2 + 6 : 0) - (rows == 1 ? buttonHeight / 2 + 6 : 0);
    EXPECT_EQ(list.left, bigList.left);
    EXPECT_EQ(list.top, bigList.top);
    EXPECT_EQ(150 + extraList, (bigList.bottom - bigList.top) - (list.bottom - list.top));
    EXPECT_EQ(200, ChildRect(page, IDC_HELP_ICON).left - help.left);  // the icons keep to the right edge
    RECT bigRemove = ChildRect(page, IDC_REMOVE);
    EXPECT_EQ(150 + extraButtons, bigRemove.top - remove.top);  // the buttons keep to the foot
    EXPECT_GT(bigRemove.left, remove.left);      // and spread over the wider list
    EXPECT_GE(bigRemove.top, bigList.bottom);

    // Every page that lays itself out follows the new size too; screenshots for the record.
    int tabs = TabCount(run_.sheet);
    for (int i = 0; i < tabs; ++i) {
        SelectTab(run_.sheet, i);
        ASSERT_TRUE(WaitFor([&] { return ActiveTab(run_.sheet) == i; }));
        Sleep(300);
        HWND shown = ActivePage(run_.sheet);
        HWND pageList = GetDlgItem(shown, IDC_LIST);
        std::string tab = TabText(run_, i);
        if (pageList && tab != "Cookies") {
            RECT r = ChildRect(shown, IDC_LIST);
            EXPECT_EQ(bigList.right, r.right) << tab;
        }
        char name[40];
        snprintf(name, sizeof name, "resized-tab-%d.bmp", i + 1);
        EXPECT_TRUE(SaveScreenshot(run_.sheet, name));
    }
}

TEST_F(ConsoleFrame, SheetComesBackWhereItWasLeft)
{
    ASSERT_TRUE(StartConsole("", run_));
    SetWindowPos(run_.sheet, nullptr, 40, 30, 700, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([&] {
        RECT r;
        GetWindowRect(run_.sheet, &r);
        return r.left == 40 && r.right - r.left == 700;
    }));
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("40", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xPos"));
    EXPECT_EQ("30", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "yPos"));
    EXPECT_EQ("700", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "dxPos"));
    EXPECT_EQ("560", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "dyPos"));

    ASSERT_TRUE(StartConsole("-task", run_));
    RECT rect;
    GetWindowRect(run_.sheet, &rect);
    EXPECT_EQ(40, rect.left);
    EXPECT_EQ(30, rect.top);
    EXPECT_EQ(700, rect.right - rect.left);
    EXPECT_EQ(560, rect.bottom - rect.top);
}

TEST_F(ConsoleFrame, MonitorIconSetsThePatrolTime)
{
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "2");
    ASSERT_TRUE(StartConsole("", run_));
    HWND page = ActivePage(run_.sheet);
    HANDLE on = IconImage(page, IDC_MONITOR_ICON);

    ClickIcon(page, IDC_MONITOR_ICON);
    HWND dialog = WaitForDialog(run_);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Patrol Time for Startup Programs", WindowText(dialog));
    EXPECT_EQ("2", WindowText(GetDlgItem(dialog, IDC_PATROL_EDIT)));  // the current value
    SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
    AnswerDialog(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start") == "0"; }));
    ASSERT_TRUE(WaitFor([&] { return IconImage(page, IDC_MONITOR_ICON) != on; }));
    HANDLE off = IconImage(page, IDC_MONITOR_ICON);

    ClickIcon(page, IDC_MONITOR_ICON);
    dialog = WaitForDialog(run_);
    ASSERT_NE(nullptr, dialog);
    SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("45"));
    AnswerDialog(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start") == "45"; }));
    EXPECT_TRUE(WaitFor([&] { return IconImage(page, IDC_MONITOR_ICON) == on; }));

    // Close changes nothing.
    ClickIcon(page, IDC_MONITOR_ICON);
    dialog = WaitForDialog(run_);
    ASSERT_NE(nullptr, dialog);
    AnswerDialog(dialog, IDCANCEL);
    Sleep(300);
    EXPECT_EQ("45", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start"));
    EXPECT_EQ(on, IconImage(page, IDC_MONITOR_ICON));
    EXPECT_NE(on, off);
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("45", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start"));  // kept at exit
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "2");
}

TEST_F(ConsoleFrame, AboutPageShowsVersionsAndTheSearchField)
{
    ASSERT_TRUE(StartConsole("-RORO", run_));
    HWND page = ActivePage(run_.sheet);
    EXPECT_EQ("Vigilark v5.0.0.1:5.0.0.1", WindowText(GetDlgItem(page, IDC_ABOUT_VERSION)));
    EXPECT_EQ("Check for new Vigilark version", WindowText(GetDlgItem(page, IDC_CHECK_VERSION)));
    EXPECT_EQ("Enter Program Name to Search for:", WindowText(GetDlgItem(page, IDC_SEARCH_PROMPT)));
    EXPECT_EQ("&Search", WindowText(GetDlgItem(page, IDC_SEARCH_BUTTON)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_SEARCH_EDIT)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_SEARCH_BUTTON)));
    EXPECT_NE("", WindowText(GetDlgItem(page, IDC_ABOUT_SUPPORT)));
    EXPECT_NE(std::string::npos, WindowText(GetDlgItem(page, IDC_ABOUT_NEWS_LINK)).find("vigilark.invalid"));
    EXPECT_TRUE(SaveScreenshot(run_.sheet, "about-page.bmp"));
}
