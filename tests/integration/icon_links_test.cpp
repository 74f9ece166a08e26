// The Help and Monitor icons of a real page under the mouse: the images they show and the
// command a click sends.
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

#include <map>

using namespace shell_fixture;

namespace {

class PageIcons : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        CreateSharedDrawing(GetModuleHandleA(nullptr));
        Commands().clear();
        ASSERT_NE(nullptr, page = CreatePage(sheet, IDD_STARTUP_PAGE));
        // What the console gives the icons when a page becomes active: at rest, held, hover
        // (for the Monitor icon: off, held, on).
        for (int i = 0; i < 3; ++i) {
            help[i] = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_HELP_REST + i));
            monitor[i] = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MONITOR_OFF + i));
        }
        SetIconProperties(Item(IDC_HELP_ICON), help[0], help[1], help[2], IDC_HELP_ICON);
        SetIconProperties(Item(IDC_MONITOR_ICON), monitor[0], monitor[1], monitor[2], IDC_MONITOR_ICON);
        SendDlgItemMessageA(page, IDC_HELP_ICON, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)help[0]);
        SendDlgItemMessageA(page, IDC_MONITOR_ICON, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)monitor[0]);
    }
    void TearDown() override { DestroyWindow(sheet); }
    HWND Item(int id) const { return GetDlgItem(page, id); }
    HBITMAP Shown(int id) { return (HBITMAP)SendDlgItemMessageA(page, id, STM_GETIMAGE, IMAGE_BITMAP, 0); }
    // Sends a mouse message at the middle of a control (0: a point of the page with none).
    int Mouse(UINT message, int id)
    {
        RECT rect = ChildRect(Item(id));
        POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        for (at = id ? at : POINT{2, 2}; !id && ChildWindowFromPoint(page, at) != page && at.y < 2000; at.y += 3) {}
        return IconMouseHandler(page, message, 0, MAKELPARAM(at.x, at.y));
    }
    HWND sheet = CreateHost(0, 0, 700, 500), page = nullptr;
    HBITMAP help[3] = {}, monitor[3] = {};
};

}  // namespace

TEST_F(PageIcons, TheyShowHoverAndHeldImagesAndOnlyAReleaseOverOneSendsItsCommand)
{
    RECT rect = ScreenRect(Item(IDC_HELP_ICON));
    EXPECT_EQ(page, WindowFromPoint(POINT{rect.left + 2, rect.top + 2})) << "the page sees the mouse over its icons";
    EXPECT_EQ(1, Mouse(WM_MOUSEMOVE, IDC_HELP_ICON));
    EXPECT_EQ(help[2], Shown(IDC_HELP_ICON));
    Mouse(WM_MOUSEMOVE, IDC_MONITOR_ICON);  // a switch-style icon shows its held image
    EXPECT_EQ((std::vector<HBITMAP>{help[0], monitor[1]}),
              (std::vector<HBITMAP>{Shown(IDC_HELP_ICON), Shown(IDC_MONITOR_ICON)}));
    Mouse(WM_LBUTTONDOWN, IDC_MONITOR_ICON);
    Mouse(WM_MOUSEMOVE, IDC_HELP_ICON);
    EXPECT_EQ(help[0], Shown(IDC_HELP_ICON)) << "while one is held, the other is not highlighted";
    Mouse(WM_LBUTTONUP, 0);
    const struct {
        int down, up;  // where the button goes down and comes up (0: the page's background)
        std::vector<int> commands;
    } rows[] = {{IDC_HELP_ICON, IDC_HELP_ICON, {IDC_HELP_ICON}},
                {IDC_HELP_ICON, 0, {}},
                {0, IDC_MONITOR_ICON, {IDC_MONITOR_ICON}},
                {IDC_HELP_LABEL, IDC_HELP_LABEL, {}}};
    for (const auto& row : rows) {
        Commands().clear();
        Mouse(WM_MOUSEMOVE, row.down);
        Mouse(WM_LBUTTONDOWN, row.down);
        Mouse(WM_MOUSEMOVE, row.up);
        Mouse(WM_LBUTTONUP, row.up);
        EXPECT_EQ(row.commands, Commands()) << row.down << " to " << row.up;
        EXPECT_EQ(help[0], Shown(IDC_HELP_ICON));
    }
    Commands().clear();
    Mouse(WM_LBUTTONDBLCLK, IDC_MONITOR_ICON);
    EXPECT_EQ(std::vector<int>{IDC_MONITOR_ICON}, Commands());
    EXPECT_EQ(0, IconMouseHandler(page, WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000))) << "outside the page";
    // Without its properties an icon stays as it is and sends nothing.
    Commands().clear();
    RemoveIconProperties(Item(IDC_HELP_ICON));
    Mouse(WM_MOUSEMOVE, IDC_HELP_ICON);
    Mouse(WM_LBUTTONDOWN, IDC_HELP_ICON);
    EXPECT_EQ(help[0], Shown(IDC_HELP_ICON));
    Mouse(WM_LBUTTONUP, IDC_HELP_ICON);
    EXPECT_TRUE(Commands().empty());
}
