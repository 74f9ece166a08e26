// The page and cookie-window layout in plain numbers (products are truncated before they are
// subtracted), and the column widths of the lists.
#include "resource.h"
#include "shell/layout.h"
#include "shell/listview.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A page frame with the usual control sizes at 8-point Shell Dlg; tests change what they look at.
LayoutFrame PageFrame(int width, int height)
{
    LayoutFrame frame = {};
    frame.width = width;
    frame.height = height;
    frame.margins = {11, 72, 21, 146};  // (7, 44, 14, 90) dialog units
    frame.buttonLeft = 11;
    frame.buttonBottom = 57;
    frame.helpIcon = frame.monitorIcon = {32, 23};
    frame.helpLabel = {40, 13};
    frame.monitorLabel = {60, 13};
    frame.button = {75, 23};
    frame.buttonCount = 5;
    return frame;
}

// "icons <help> <label> <monitor> <label> list <x,y> <w>x<h> buttons <y>: <xs> last <width>"
std::string Text(const LayoutPlan& plan, int buttons)
{
    std::string text = "icons";
    for (POINT p : {plan.helpIcon, plan.helpLabel, plan.monitorIcon, plan.monitorLabel})
        text += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    text += " list " + std::to_string(plan.listX) + "," + std::to_string(plan.listY) + " " +
            std::to_string(plan.listWidth) + "x" + std::to_string(plan.listHeight) + " buttons " +
            std::to_string(plan.buttonY) + ":";
    for (int i = 0; i < buttons; ++i) text += " " + std::to_string(plan.buttonX[i]);
    return text + " last " + std::to_string(plan.lastButtonWidth);
}

}  // namespace

TEST(PageLayoutArithmetic, IconsHangFromTheRightEdgeAndButtonsSpreadUnderTheList)
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
}

TEST(PageLayoutArithmetic, ButtonsSpreadOrOverlapAndOneIsCentred)
{
    int xs[5] = {};
    BottomButtonPositions(11, 600, 75, 5, xs);
    EXPECT_EQ((std::vector<int>{11, 142, 273, 404, 560}), std::vector<int>(xs, xs + 5)) << "the last one on, + 25";
    // A list too narrow for the buttons gives a negative gap, truncated toward zero
    // (-75 / 4 is -18): the buttons overlap rather than move off.
    BottomButtonPositions(11, 300, 75, 5, xs);
    EXPECT_EQ(68, xs[1]);
    EXPECT_EQ(264, xs[4]);

    LayoutFrame frame = PageFrame(700, 500);
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
    // 640 - 2 * 32; 1.25 * 61 = 76.25 (76); the list at T + 18, 640 - 31 wide, 480 - 219 + 20
    // high; the buttons at 480 - 2 * 57 + 20, a step of 120 + (609 - 480) / 3 = 163, the last
    // neither moved on nor narrowed. The tab rows of a sheet do not concern the window.
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
