// The page and cookie-window layout in plain numbers (products are truncated before they are
// subtracted), and the column widths of the lists.
#include "resource.h"
#include "shell/layout.h"
#include "shell/listview.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A page frame with the usual control sizes at 8-point Shell Dlg (margins (7, 44, 14, 90)
// dialog units); tests change what they look at.
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

TEST(PageLayoutArithmetic, IconsHangFromTheRightEdgeAndButtonsSpreadOrOverlapUnderTheList)
{
    LayoutFrame frame = PageFrame(700, 500);
    // 700 - 3 * 32; 700 - 1.75 * 40; 700 - 1.5 * 60. The list: T + 5, W - 1.5 * 21 - 20,
    // H - 219 - 16 with several tab rows; the buttons 2.75 * 57 = 156.75 (156) up, + 8.
    EXPECT_EQ("icons 604,3 630,25 604,38 610,60 list 11,77 649x265 buttons 352: 11 154 297 440 608 last 50",
              Text(PlanPageLayout(frame), 5));
    // One row of tabs: a taller list, the buttons half a button and 6 lower.
    frame.oneTabRow = true;
    EXPECT_EQ("icons 604,3 630,25 604,38 610,60 list 11,77 649x286 buttons 369: 11 154 297 440 608 last 50",
              Text(PlanPageLayout(frame), 5));
    // 1.75 * 41 = 71.75 and 1.5 * 61 = 91.5 count as 71 and 91.
    frame.helpLabel.cx = 41;
    frame.monitorLabel.cx = 61;
    EXPECT_EQ("icons 604,3 629,25 604,38 609,60 list 11,77 649x286 buttons 369: 11 154 297 440 608 last 50",
              Text(PlanPageLayout(frame), 5));
    int xs[5] = {};
    BottomButtonPositions(11, 600, 75, 5, xs);
    EXPECT_EQ((std::vector<int>{11, 142, 273, 404, 560}), std::vector<int>(xs, xs + 5)) << "the last one on, + 25";
    // Too narrow a list: a negative gap truncated toward zero (-75 / 4 is -18); buttons overlap.
    BottomButtonPositions(11, 300, 75, 5, xs);
    EXPECT_EQ(68, xs[1]);
    EXPECT_EQ(264, xs[4]);

    frame = PageFrame(700, 500);
    frame.buttonCount = 1;
    EXPECT_EQ(313, PlanPageLayout(frame).buttonX[0]);  // 350 - 37
    frame.button.cx = 76;
    EXPECT_EQ(312, PlanPageLayout(frame).buttonX[0]);
}

TEST(CookieWindowLayoutArithmetic, UsesTheWindowItselfAndEqualButtons)
{
    LayoutFrame frame = PageFrame(640, 480);
    frame.helpLabel.cx = frame.monitorLabel.cx = 61;
    frame.button = {120, 23};
    frame.buttonCount = 4;
    // 640 - 2 * 32; 1.25 * 61 = 76.25 (76); the list at T + 18, 609 x (480 - 219 + 20); the buttons at
    // 480 - 2 * 57 + 20, 120 + (609 - 480) / 3 apart, the last as it is. The sheet's tab rows do not count.
    const std::string expected =
        "icons 576,3 564,25 576,38 564,60 list 11,90 609x281 buttons 386: 11 174 337 500 last 120";
    EXPECT_EQ(expected, Text(PlanCookieWindowLayout(frame), 4));
    frame.oneTabRow = true;
    EXPECT_EQ(expected, Text(PlanCookieWindowLayout(frame), 4));
}

TEST(ListColumns, SharesOfTheListTruncateExactly)
{
    // 0.35 of 100 is 35, although 0.35 * 100 in floating point falls just below it.
    EXPECT_EQ(35, ColumnWidth(CMD_SCHEDULED_PAGE, 0, 100, 16));
    EXPECT_EQ(29, ColumnWidth(CMD_STARTUP_PAGE, 0, 93, 16));  // 0.38 * 77 = 29.26
    EXPECT_EQ(0, ColumnWidth(CMD_STARTUP_PAGE, 5, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_STARTUP_PAGE, -1, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_ABOUT_PAGE, 0, 500, 16));
}
