// The page layout in plain numbers (products are truncated before they are subtracted), and
// the column widths of the lists.
#include "resource.h"
#include "shell/layout.h"
#include "shell/listview.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A page frame with the usual control sizes at 8-point Shell Dlg (margins (7, 44, 14, 90)
// dialog units).
LayoutFrame PageFrame(int width, int height)
{
    return LayoutFrame{width, height, {11, 72, 21, 146}, 11, 57, false, {32, 23}, {40, 13}, {32, 23}, {60, 13}, {75, 23}, 5};
}

// "icons <help> <label> <monitor> <label> list <x,y> <w>x<h> buttons <y>: <xs> last <width>"
std::string Text(const LayoutPlan& plan, int buttons)
{
    char text[200];
    snprintf(text, sizeof text, "icons %ld,%ld %ld,%ld %ld,%ld %ld,%ld list %d,%d %dx%d buttons %d:",
             plan.helpIcon.x, plan.helpIcon.y, plan.helpLabel.x, plan.helpLabel.y, plan.monitorIcon.x, plan.monitorIcon.y,
             plan.monitorLabel.x, plan.monitorLabel.y, plan.listX, plan.listY, plan.listWidth, plan.listHeight,
             plan.buttonY);
    std::string result = text;
    for (int i = 0; i < buttons; ++i) result += " " + std::to_string(plan.buttonX[i]);
    return result + " last " + std::to_string(plan.lastButtonWidth);
}

}  // namespace

TEST(PageLayoutArithmetic, IconsHangFromTheRightEdgeAndButtonsSpreadUnderTheList)
{
    // 700 - 3 * 32; 700 - 1.75 * 40; 700 - 1.5 * 60. The list: T + 5, W - 1.5 * 21 - 20,
    // H - 219 - 16 with several tab rows; the buttons 2.75 * 57 = 156.75 (156) up, + 8.
    EXPECT_EQ("icons 604,3 630,25 604,38 610,60 list 11,77 649x265 buttons 352: 11 154 297 440 608 last 50",
              Text(PlanPageLayout(PageFrame(700, 500)), 5));
}

TEST(ListColumns, AColumnOutsideTheListsTableHasNoWidth)
{
    EXPECT_EQ(0, ColumnWidth(CMD_STARTUP_PAGE, 5, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_STARTUP_PAGE, -1, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_ABOUT_PAGE, 0, 500, 16));
}
