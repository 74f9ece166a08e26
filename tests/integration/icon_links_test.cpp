// The Help and Monitor icons of a real page under the mouse (hover, held and click images,
// the command they send), and the owner-drawn link buttons with their colours.
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

HBITMAP Bitmap(int id)
{
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

// What the console gives the icons when a page becomes active, and takes away when it is left.
void GiveImages(HWND icon, HBITMAP rest, HBITMAP held, HBITMAP alt, int id)
{
    SetPropA(icon, MAKEINTATOM(ICON_PROP_REST), rest);
    SetPropA(icon, MAKEINTATOM(ICON_PROP_HELD), held);
    SetPropA(icon, MAKEINTATOM(ICON_PROP_ALT), alt);
    SetPropA(icon, MAKEINTATOM(ICON_PROP_ID), reinterpret_cast<HANDLE>((INT_PTR)id));
}

void TakeImages(HWND icon)
{
    for (int prop = ICON_PROP_REST; prop <= ICON_PROP_ID; ++prop) RemovePropA(icon, MAKEINTATOM(prop));
}

class PageIcons : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        Commands().clear();
        sheet = CreateHost(0, 0, 700, 500);
        page = CreatePage(sheet, IDD_STARTUP_PAGE);
        ASSERT_NE(nullptr, page);
        help = GetDlgItem(page, IDC_HELP_ICON);
        monitor = GetDlgItem(page, IDC_MONITOR_ICON);
        for (int i = 0; i < 3; ++i) {
            helpImages[i] = Bitmap(IDB_HELP_REST + i);
            monitorImages[i] = Bitmap(IDB_MONITOR_OFF + i);
        }
        GiveImages(help, helpImages[0], helpImages[1], helpImages[2], IDC_HELP_ICON);
        GiveImages(monitor, monitorImages[0], monitorImages[1], monitorImages[2], IDC_MONITOR_ICON);
        Show(help, helpImages[0]);
        Show(monitor, monitorImages[0]);
    }
    void TearDown() override
    {
        TakeImages(help);
        TakeImages(monitor);
        DestroyWindow(sheet);
    }

    static void Show(HWND icon, HBITMAP image)
    {
        SendMessageA(icon, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    }
    static HBITMAP Shown(HWND icon)
    {
        return reinterpret_cast<HBITMAP>(SendMessageA(icon, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }

    // The middle of a control, in the page's client coordinates, as the mouse message has it.
    LPARAM Over(HWND control)
    {
        RECT rect = ChildRect(control);
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // A point of the page where there is no control.
    LPARAM Background()
    {
        RECT client;
        GetClientRect(page, &client);
        for (int y = 2; y < client.bottom; y += 3)
            for (int x = 2; x < client.right; x += 3) {
                POINT point = {x, y};
                if (ChildWindowFromPoint(page, point) == page) return MAKELPARAM(x, y);
            }
        ADD_FAILURE() << "no free point on the page";
        return 0;
    }
    int Mouse(UINT message, LPARAM where) { return IconMouseHandler(page, message, 0, where); }

    HWND sheet = nullptr;
    HWND page = nullptr;
    HWND help = nullptr;
    HWND monitor = nullptr;
    HBITMAP helpImages[3] = {};     // at rest, held, hover
    HBITMAP monitorImages[3] = {};  // off, held, on
};

}  // namespace

TEST_F(PageIcons, TheMouseReachesThePageThroughTheIcons)
{
    // The icons are hit-test transparent, so the page itself sees the mouse over them.
    RECT rect;
    GetWindowRect(help, &rect);
    LRESULT hit = SendMessageA(help, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
    EXPECT_EQ(HTTRANSPARENT, hit);
    POINT inside = {rect.left + 2, rect.top + 2};
    EXPECT_EQ(page, WindowFromPoint(inside));
}

TEST_F(PageIcons, HoverShowsTheHoverImageUntilTheMouseLeaves)
{
    EXPECT_EQ(1, Mouse(WM_MOUSEMOVE, Over(help)));
    EXPECT_EQ(helpImages[2], Shown(help));
    EXPECT_EQ(1, Mouse(WM_MOUSEMOVE, Background()));
    EXPECT_EQ(helpImages[0], Shown(help));

    // A switch-style icon shows its held image under the mouse.
    Mouse(WM_MOUSEMOVE, Over(monitor));
    EXPECT_EQ(monitorImages[1], Shown(monitor));
    Mouse(WM_MOUSEMOVE, Over(GetDlgItem(page, IDC_LIST)));
    EXPECT_EQ(monitorImages[0], Shown(monitor));

    // Straight from one icon to the other: only the one under the mouse is highlighted.
    Mouse(WM_MOUSEMOVE, Over(help));
    Mouse(WM_MOUSEMOVE, Over(monitor));
    EXPECT_EQ(helpImages[0], Shown(help));
    EXPECT_EQ(monitorImages[1], Shown(monitor));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PageIcons, ClickShowsTheHeldImageThenSendsTheIconsCommand)
{
    Mouse(WM_MOUSEMOVE, Over(help));
    Mouse(WM_LBUTTONDOWN, Over(help));
    EXPECT_EQ(helpImages[1], Shown(help));
    EXPECT_TRUE(Commands().empty());
    Mouse(WM_LBUTTONUP, Over(help));
    EXPECT_EQ(helpImages[0], Shown(help));
    ASSERT_EQ(1u, Commands().size());
    EXPECT_EQ(IDC_HELP_ICON, Commands()[0]);

    Mouse(WM_LBUTTONDBLCLK, Over(monitor));
    ASSERT_EQ(2u, Commands().size());
    EXPECT_EQ(IDC_MONITOR_ICON, Commands()[1]);
}

TEST_F(PageIcons, OnlyAReleaseOverAnIconSendsACommand)
{
    // Pressed on the icon, released elsewhere: nothing.
    Mouse(WM_MOUSEMOVE, Over(help));
    Mouse(WM_LBUTTONDOWN, Over(help));
    Mouse(WM_MOUSEMOVE, Background());
    EXPECT_EQ(helpImages[0], Shown(help));
    Mouse(WM_LBUTTONUP, Background());
    EXPECT_TRUE(Commands().empty());

    // Pressed elsewhere, released over an icon: that icon's command.
    Mouse(WM_LBUTTONDOWN, Background());
    Mouse(WM_LBUTTONUP, Over(monitor));
    ASSERT_EQ(1u, Commands().size());
    EXPECT_EQ(IDC_MONITOR_ICON, Commands()[0]);

    // While an icon is held, moving over another does not highlight it.
    Mouse(WM_MOUSEMOVE, Over(help));
    Mouse(WM_LBUTTONDOWN, Over(help));
    Mouse(WM_MOUSEMOVE, Over(monitor));
    EXPECT_EQ(monitorImages[0], Shown(monitor));
}

TEST_F(PageIcons, IconsWithoutTheirPropertiesStayAsTheyAre)
{
    TakeImages(help);
    Mouse(WM_MOUSEMOVE, Over(help));
    Mouse(WM_LBUTTONDOWN, Over(help));
    EXPECT_EQ(helpImages[0], Shown(help));
    Mouse(WM_LBUTTONUP, Over(help));
    EXPECT_TRUE(Commands().empty());

    // A control that is not an icon, and a point outside the page.
    Mouse(WM_LBUTTONUP, Over(GetDlgItem(page, IDC_HELP_LABEL)));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(0, Mouse(WM_LBUTTONUP, MAKELPARAM(5000, 5000)));
}

namespace {

// A 200 x 40 white canvas that DrawLink paints on.
class LinkCanvas {
public:
    LinkCanvas()
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 200, 40);
        old_ = SelectObject(dc_, bitmap_);
        ReleaseDC(nullptr, screen);
        RECT all = {0, 0, 200, 40};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~LinkCanvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DRAWITEMSTRUCT Item(HWND button, UINT type = ODT_BUTTON, UINT action = ODA_DRAWENTIRE) const
    {
        DRAWITEMSTRUCT item = {};
        item.CtlType = type;
        item.CtlID = (UINT)GetDlgCtrlID(button);
        item.itemAction = action;
        item.hwndItem = button;
        item.hDC = dc_;
        item.rcItem = {0, 0, 200, 40};
        return item;
    }
    int Count(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x) count += GetPixel(dc_, x, y) == colour;
        return count;
    }
    // The leftmost column with ink, or -1.
    int LeftmostInk() const
    {
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 40; ++y)
                if (GetPixel(dc_, x, y) != RGB(255, 255, 255)) return x;
        return -1;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class Links : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        CreateSharedDrawing(GetModuleHandleA(nullptr));
        sheet = CreateHost(0, 0, 700, 500);
        page = CreatePage(sheet, IDD_STARTUP_PAGE);
        ASSERT_NE(nullptr, page);
        link = GetDlgItem(page, IDC_INFO);
        MakeLink(page, IDC_INFO);
    }
    void TearDown() override { DestroyWindow(sheet); }

    HWND sheet = nullptr;
    HWND page = nullptr;
    HWND link = nullptr;
};

}  // namespace

TEST_F(Links, MakeLinkTurnsAButtonOwnerDrawn)
{
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongPtrA(link, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_NE(BS_OWNERDRAW, GetWindowLongPtrA(GetDlgItem(page, IDC_ADD), GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(Links, TheLinkUnderTheCursorTurnsPureBlueUntilTheCursorLeaves)
{
    EXPECT_EQ(LINK_COLOUR_REST, LinkColour());
    CursorOverControl(link);
    EXPECT_EQ(LINK_COLOUR_HOVER, LinkColour());
    CursorOverControl(page);  // the page background
    EXPECT_EQ(LINK_COLOUR_REST, LinkColour());

    // An ordinary push button or a check box is no link.
    CursorOverControl(GetDlgItem(page, IDC_ADD));
    EXPECT_EQ(LINK_COLOUR_REST, LinkColour());
    HWND box = CreateWindowExA(0, "Button", "Box", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 20, page, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    CursorOverControl(box);
    EXPECT_EQ(LINK_COLOUR_REST, LinkColour());

    // A highlighted link that has gone is simply forgotten.
    CursorOverControl(link);
    DestroyWindow(link);
    CursorOverControl(page);
    EXPECT_EQ(LINK_COLOUR_REST, LinkColour());
}

TEST_F(Links, DrawLinkWritesTheTextWithAGreyShadowAndResetsTheColour)
{
    SetWindowTextA(link, "Check for new Vigilark version");
    LinkCanvas canvas;
    DRAWITEMSTRUCT item = canvas.Item(link);
    EXPECT_EQ(1, DrawLink(&item));
    EXPECT_GT(canvas.Count(LINK_COLOUR_REST), 0);
    EXPECT_GT(canvas.Count(RGB(192, 192, 192)), 0);
    EXPECT_EQ(0, canvas.Count(LINK_COLOUR_HOVER));

    // Under the cursor the text is pure blue, and the colour is dark blue again afterwards.
    LinkCanvas hover;
    CursorOverControl(link);
    item = hover.Item(link);
    EXPECT_EQ(1, DrawLink(&item));
    EXPECT_GT(hover.Count(LINK_COLOUR_HOVER), 0);
    EXPECT_EQ(0, hover.Count(LINK_COLOUR_REST));
    EXPECT_EQ(LINK_COLOUR_REST, LinkColour());
}

TEST_F(Links, OneLineIsCentredAndSeveralLinesWrapFromTheLeft)
{
    LinkCanvas single;
    SetWindowTextA(link, "Search");
    DRAWITEMSTRUCT item = single.Item(link);
    DrawLink(&item);
    EXPECT_GT(single.LeftmostInk(), 40);

    LinkCanvas wrapped;
    SetWindowTextA(link, "Search\nthe web");
    item = wrapped.Item(link);
    DrawLink(&item);
    EXPECT_GE(wrapped.LeftmostInk(), 0);
    EXPECT_LT(wrapped.LeftmostInk(), 5);
}

TEST_F(Links, OnlyWholeButtonDrawingsAreTaken)
{
    LinkCanvas canvas;
    DRAWITEMSTRUCT focus = canvas.Item(link, ODT_BUTTON, ODA_FOCUS);
    DRAWITEMSTRUCT menu = canvas.Item(link, ODT_MENU, ODA_DRAWENTIRE);
    EXPECT_EQ(0, DrawLink(&focus));
    EXPECT_EQ(0, DrawLink(&menu));
    EXPECT_EQ(0, DrawLink(nullptr));
    EXPECT_EQ(-1, canvas.LeftmostInk());
}
