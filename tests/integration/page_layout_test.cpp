// Window placement in the registry and the layout of real pages and of the cookie list
// window after a resize.
#include "foundations/registry.h"
#include "resource.h"
#include "shell/layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

// The program's key and every placement value the tests write, as they were before.
class Placement : public ::testing::Test {
protected:
    void SetUp() override { InitControls(); }

    void PutValue(const char* name, const char* text)
    {
        ASSERT_EQ(1, SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name, text));
    }
    std::string Value(const char* name) { return ReadValue(HKEY_CURRENT_USER, VIGILARK_KEY, name); }
    bool HasValue(const char* name) { return RegValueExists(HKEY_CURRENT_USER, VIGILARK_KEY, name); }

    ScratchPlacement sheetValues{SHEET_PLACEMENT};
    ScratchPlacement fileTypeValues{ADD_FILETYPE_PLACEMENT};
};

RECT ScreenRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST_F(Placement, SaveWritesTheWindowRectangleAsDecimalText)
{
    HWND window = CreateHost(130, 70, 420, 310);
    ASSERT_NE(nullptr, window);
    RECT rect = ScreenRect(window);
    SavePlacement(window, SHEET_PLACEMENT);
    EXPECT_EQ(std::to_string(rect.left), Value("xPos"));
    EXPECT_EQ(std::to_string(rect.top), Value("yPos"));
    EXPECT_EQ("420", Value("dxPos"));
    EXPECT_EQ("310", Value("dyPos"));

    // Each family has its own names.
    SavePlacement(window, ADD_FILETYPE_PLACEMENT);
    EXPECT_EQ("420", Value("dxPosAddFileType"));
    EXPECT_EQ("310", Value("dyPosAddFileType"));
    DestroyWindow(window);
}

TEST_F(Placement, SaveWritesNothingWithoutARectangleToRead)
{
    HWND window = CreateHost(130, 70, 420, 310);
    DestroyWindow(window);
    SavePlacement(window, SHEET_PLACEMENT);
    SavePlacement(nullptr, SHEET_PLACEMENT);
    EXPECT_FALSE(HasValue("xPos"));
    EXPECT_FALSE(HasValue("dyPos"));

    // A minimised window would report its parking place off screen; the last real
    // placement stays.
    PutValue("xPos", "55");
    window = CreateHost(130, 70, 420, 310);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    SavePlacement(window, SHEET_PLACEMENT);
    EXPECT_EQ("55", Value("xPos"));
    EXPECT_FALSE(HasValue("dxPos"));
    DestroyWindow(window);
}

TEST_F(Placement, RestorePositionMovesWithoutSizingOrCentres)
{
    HWND window = CreateHost(10, 10, 300, 200);
    PutValue("xPosAddFileType", "123");
    PutValue("yPosAddFileType", "87");
    PutValue("dxPosAddFileType", "900");  // only left and top are read back
    RestorePosition(window, "xPosAddFileType", "yPosAddFileType");
    RECT rect = ScreenRect(window);
    EXPECT_EQ(123, rect.left);
    EXPECT_EQ(87, rect.top);
    EXPECT_EQ(300, rect.right - rect.left);
    EXPECT_EQ(200, rect.bottom - rect.top);

    // An empty top value means there is no stored position.
    PutValue("yPosAddFileType", "");
    RestorePosition(window, "xPosAddFileType", "yPosAddFileType");
    rect = ScreenRect(window);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 300) / 2, rect.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 200) / 3, rect.top);
    DestroyWindow(window);
}

TEST_F(Placement, CentreUsesHalfTheWidthAndAThirdOfTheHeight)
{
    HWND window = CreateHost(0, 0, 401, 299);
    CentreWindow(window);
    RECT rect = ScreenRect(window);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 401) / 2, rect.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 299) / 3, rect.top);
    EXPECT_EQ(401, rect.right - rect.left);
    EXPECT_EQ(299, rect.bottom - rect.top);
    DestroyWindow(window);
}

namespace {

// What the layout works from, measured here on the real windows: the outer window's size,
// the dialog units of the window holding the controls, and the controls' own sizes.
LayoutFrame MeasuredFrame(HWND window, HWND outer, int firstButton, int buttonCount)
{
    LayoutFrame frame = {};
    SIZE size = WindowSize(outer);
    frame.width = size.cx;
    frame.height = size.cy;
    frame.margins = {7, 44, 14, 90};
    MapDialogRect(window, &frame.margins);
    RECT buttons = {7, 25, 14, 35};
    MapDialogRect(window, &buttons);
    frame.buttonLeft = buttons.left;
    frame.buttonBottom = buttons.bottom;
    frame.helpIcon = WindowSize(GetDlgItem(window, IDC_HELP_ICON));
    frame.helpLabel = WindowSize(GetDlgItem(window, IDC_HELP_LABEL));
    frame.monitorIcon = WindowSize(GetDlgItem(window, IDC_MONITOR_ICON));
    frame.monitorLabel = WindowSize(GetDlgItem(window, IDC_MONITOR_LABEL));
    frame.button = WindowSize(GetDlgItem(window, firstButton));
    frame.buttonCount = buttonCount;
    return frame;
}

const int kStartupButtons[5] = {IDC_INFO, IDC_ENABLE, IDC_ADD, IDC_REMOVE, IDC_CLOSE_BUTTON};
const int kStartupAlternates[5] = {0, IDC_DISABLE, 0, 0, 0};

// The Startup Programs page in a stand-in sheet of 700 x 500 with a tab control.
class StartupPageLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        sheet = CreateHost(20, 20, 700, 500);
        ASSERT_NE(nullptr, sheet);
        page = CreatePage(sheet, IDD_STARTUP_PAGE);
        ASSERT_NE(nullptr, page);
    }
    void TearDown() override { DestroyWindow(sheet); }

    // A tab control with one row, or (narrow and multi-line) with several.
    void AddTabs(bool severalRows)
    {
        DWORD style = WS_CHILD | WS_VISIBLE | (severalRows ? TCS_MULTILINE : 0);
        tabs = CreateWindowExA(0, WC_TABCONTROLA, "", style, 0, 0, severalRows ? 120 : 600, 30, sheet, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, tabs);
        for (int i = 0; i < 9; ++i) {
            char caption[] = "Startup";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = caption;
            SendMessageA(tabs, TCM_INSERTITEMA, (WPARAM)i, reinterpret_cast<LPARAM>(&item));
        }
        int rows = (int)SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0);
        if (severalRows)
            ASSERT_GT(rows, 1);
        else
            ASSERT_EQ(1, rows);
    }

    // What the layout should do, worked out from the page as it is now.
    LayoutPlan Expected(bool oneRow)
    {
        LayoutFrame frame = MeasuredFrame(page, sheet, IDC_INFO, 5);
        frame.oneTabRow = oneRow;
        return PlanPageLayout(frame);
    }

    void LayOut() { LayOutPage(PageLayoutOf(page, kStartupButtons, 5, kStartupAlternates)); }
    HWND Item(int id) { return GetDlgItem(page, id); }

    HWND sheet = nullptr;
    HWND page = nullptr;
    HWND tabs = nullptr;
};

void ExpectAt(HWND control, int x, int y, const char* what)
{
    RECT rect = ChildRect(control);
    EXPECT_EQ(x, rect.left) << what;
    EXPECT_EQ(y, rect.top) << what;
}

}  // namespace

TEST_F(StartupPageLayout, ControlsFollowTheSheetsSize)
{
    AddTabs(false);
    const SIZE button = WindowSize(Item(IDC_INFO));
    const SIZE monitor = WindowSize(Item(IDC_MONITOR_ICON));
    const LayoutPlan plan = Expected(true);
    LayOut();

    ExpectAt(Item(IDC_HELP_ICON), plan.helpIcon.x, 3, "help icon");
    ExpectAt(Item(IDC_HELP_LABEL), plan.helpLabel.x, 25, "help label");
    ExpectAt(Item(IDC_MONITOR_ICON), plan.monitorIcon.x, 38, "monitor icon");
    ExpectAt(Item(IDC_MONITOR_LABEL), plan.monitorLabel.x, 60, "monitor label");
    EXPECT_EQ(monitor.cx, WindowSize(Item(IDC_MONITOR_ICON)).cx);
    EXPECT_EQ(700 - 3 * monitor.cx, plan.monitorIcon.x);

    RECT list = ChildRect(Item(IDC_LIST));
    EXPECT_EQ(plan.listX, list.left);
    EXPECT_EQ(plan.listY, list.top);
    EXPECT_EQ(plan.listWidth, list.right - list.left);
    EXPECT_EQ(plan.listHeight, list.bottom - list.top);

    const char* names[5] = {"Info", "Enable", "Add", "Remove", "Close"};
    for (int i = 0; i < 5; ++i) ExpectAt(Item(kStartupButtons[i]), plan.buttonX[i], plan.buttonY, names[i]);
    // The buttons spread from the list's left edge to its right edge.
    EXPECT_EQ(list.left, ChildRect(Item(IDC_INFO)).left);
    EXPECT_EQ(button.cx, WindowSize(Item(IDC_REMOVE)).cx);
    EXPECT_EQ(button.cx - 25, WindowSize(Item(IDC_CLOSE_BUTTON)).cx);
    EXPECT_EQ(button.cy, WindowSize(Item(IDC_CLOSE_BUTTON)).cy);
}

TEST_F(StartupPageLayout, AlternateButtonSharesItsPlaceAndStaysHidden)
{
    AddTabs(false);
    ASSERT_FALSE(IsWindowVisible(Item(IDC_DISABLE)));
    LayOut();
    RECT enable = ChildRect(Item(IDC_ENABLE));
    RECT disable = ChildRect(Item(IDC_DISABLE));
    EXPECT_EQ(enable.left, disable.left);
    EXPECT_EQ(enable.top, disable.top);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_ENABLE)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_DISABLE)));

    // The page shows Disable instead of Enable; a new layout keeps it that way.
    ShowWindow(Item(IDC_ENABLE), SW_HIDE);
    ShowWindow(Item(IDC_DISABLE), SW_SHOW);
    SetWindowPos(sheet, nullptr, 0, 0, 800, 560, SWP_NOMOVE | SWP_NOZORDER);
    LayOut();
    EXPECT_FALSE(IsWindowVisible(Item(IDC_ENABLE)));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_DISABLE)));
    EXPECT_EQ(ChildRect(Item(IDC_ENABLE)).left, ChildRect(Item(IDC_DISABLE)).left);
}

TEST_F(StartupPageLayout, SeveralTabRowsLeaveLessRoomForTheList)
{
    AddTabs(true);
    const SIZE button = WindowSize(Item(IDC_INFO));
    const LayoutPlan plan = Expected(false);
    LayOut();
    RECT rows = ChildRect(Item(IDC_LIST));
    int rowsButtonY = ChildRect(Item(IDC_INFO)).top;
    EXPECT_EQ(plan.listHeight, rows.bottom - rows.top);
    EXPECT_EQ(plan.buttonY, rowsButtonY);

    DestroyWindow(tabs);
    AddTabs(false);
    LayOut();
    RECT row = ChildRect(Item(IDC_LIST));
    EXPECT_EQ((rows.bottom - rows.top) + 21, row.bottom - row.top);
    EXPECT_EQ(rowsButtonY + button.cy / 2 + 6, ChildRect(Item(IDC_INFO)).top);
}

TEST_F(StartupPageLayout, GrowingTheSheetGrowsTheList)
{
    AddTabs(false);
    LayOut();
    RECT before = ChildRect(Item(IDC_LIST));
    RECT helpBefore = ChildRect(Item(IDC_HELP_ICON));
    SetWindowPos(sheet, nullptr, 0, 0, 900, 650, SWP_NOMOVE | SWP_NOZORDER);
    LayOut();
    RECT after = ChildRect(Item(IDC_LIST));
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ((before.right - before.left) + 200, after.right - after.left);
    EXPECT_EQ((before.bottom - before.top) + 150, after.bottom - after.top);
    EXPECT_EQ(helpBefore.left + 200, ChildRect(Item(IDC_HELP_ICON)).left);
}

TEST(CookieWindowLayout, ListButtonsAndIconsFollowTheWindow)
{
    InitControls();
    HWND window = CreateTopLevelDialog(IDD_COOKIE_LIST);
    ASSERT_NE(nullptr, window);
    HWND status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", window, IDC_STATUS_BAR);
    ASSERT_NE(nullptr, status);
    SetWindowPos(window, nullptr, 0, 0, 760, 520, SWP_NOMOVE | SWP_NOZORDER);
    // Another size for one button: the layout gives every button the first one's size.
    SetWindowPos(GetDlgItem(window, IDC_REMOVE_CHECKED), nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER);

    const int buttons[4] = {IDC_VIEW_COOKIE, IDC_REMOVE_UNCHECKED, IDC_REMOVE_CHECKED, IDCANCEL};
    const LayoutFrame frame = MeasuredFrame(window, window, IDC_VIEW_COOKIE, 4);
    const SIZE first = frame.button;
    const LayoutPlan plan = PlanCookieWindowLayout(frame);

    LayOutCookieWindow(PageLayoutOf(window, buttons, 4, nullptr));

    EXPECT_EQ(760 - 2 * frame.helpIcon.cx, ChildRect(GetDlgItem(window, IDC_HELP_ICON)).left);
    EXPECT_EQ(plan.helpLabel.x, ChildRect(GetDlgItem(window, IDC_HELP_LABEL)).left);
    EXPECT_EQ(38, ChildRect(GetDlgItem(window, IDC_MONITOR_ICON)).top);
    RECT list = ChildRect(GetDlgItem(window, IDC_LIST));
    EXPECT_EQ(plan.listX, list.left);
    EXPECT_EQ(frame.margins.top + 18, list.top);
    EXPECT_EQ(plan.listWidth, list.right - list.left);
    EXPECT_EQ(plan.listHeight, list.bottom - list.top);
    for (int i = 0; i < 4; ++i) {
        HWND button = GetDlgItem(window, buttons[i]);
        RECT rect = ChildRect(button);
        EXPECT_EQ(plan.buttonX[i], rect.left) << i;
        EXPECT_EQ(520 - 2 * frame.buttonBottom + 20, rect.top) << i;
        EXPECT_EQ(first.cx, rect.right - rect.left) << i;
        EXPECT_EQ(first.cy, rect.bottom - rect.top) << i;
    }
    // The last button ends where the list ends, but for the rounding of the step.
    EXPECT_NEAR(list.right, ChildRect(GetDlgItem(window, IDCANCEL)).right, 2);
    EXPECT_TRUE(IsWindow(status));
    DestroyWindow(window);
}
