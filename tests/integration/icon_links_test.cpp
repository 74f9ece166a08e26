// The Help and Monitor icons of a real page under the mouse: only a press and release over one
// icon sends its command, and the icon under the mouse is highlighted.
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

TEST(PageIcons, OnlyAPressAndReleaseOverOneIconSendsItsCommand)
{
    InitControls();
    CreateSharedDrawing(GetModuleHandleA(nullptr));
    HWND sheet = CreateHost(0, 0, 700, 500), page = CreatePage(sheet, IDD_STARTUP_PAGE);
    ASSERT_NE(nullptr, page);
    // What the console gives the icons when a page becomes active: at rest, held, hover.
    HBITMAP help[3], monitor[3];
    for (int i = 0; i < 3; ++i) {
        help[i] = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_HELP_REST + i));
        monitor[i] = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MONITOR_OFF + i));
    }
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
    // Without its properties an icon sends nothing.
    Commands().clear();
    RemoveIconProperties(GetDlgItem(page, IDC_HELP_ICON));
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) mouse(message, IDC_HELP_ICON);
    EXPECT_TRUE(Commands().empty());
    DestroyWindow(sheet);
}
