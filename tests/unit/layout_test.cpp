// The page and cookie-window layout in plain numbers: where the icons, the list and the
// bottom buttons go for a given frame.
#include "shell/layout.h"

#include <gtest/gtest.h>

namespace {

// A page frame with the usual control sizes; tests change what they look at.
LayoutFrame PageFrame(int width, int height)
{
    LayoutFrame frame = {};
    frame.width = width;
    frame.height = height;
    frame.margins = {11, 72, 21, 146};  // (7, 44, 14, 90) dialog units at 8-point Shell Dlg
    frame.buttonLeft = 11;
    frame.buttonBottom = 57;
    frame.helpIcon = {32, 23};
    frame.helpLabel = {40, 13};
    frame.monitorIcon = {32, 23};
    frame.monitorLabel = {60, 13};
    frame.button = {75, 23};
    frame.buttonCount = 5;
    return frame;
}

}  // namespace

TEST(PageLayoutArithmetic, IconsAndLabelsHangFromTheRightEdge)
{
    LayoutFrame frame = PageFrame(700, 500);
    LayoutPlan plan = PlanPageLayout(frame);
    EXPECT_EQ(604, plan.helpIcon.x);  // 700 - 3 * 32
    EXPECT_EQ(3, plan.helpIcon.y);
    EXPECT_EQ(630, plan.helpLabel.x);  // 700 - 1.75 * 40
    EXPECT_EQ(25, plan.helpLabel.y);
    EXPECT_EQ(604, plan.monitorIcon.x);
    EXPECT_EQ(38, plan.monitorIcon.y);
    EXPECT_EQ(610, plan.monitorLabel.x);  // 700 - 1.5 * 60
    EXPECT_EQ(60, plan.monitorLabel.y);

    // Products are truncated before they are subtracted: 1.75 * 41 = 71.75 counts as 71.
    frame.helpLabel.cx = 41;
    frame.monitorLabel.cx = 61;
    plan = PlanPageLayout(frame);
    EXPECT_EQ(629, plan.helpLabel.x);
    EXPECT_EQ(609, plan.monitorLabel.x);  // 1.5 * 61 = 91.5 counts as 91
}

TEST(PageLayoutArithmetic, FiveButtonsSpreadUnderTheList)
{
    int xs[5] = {};
    BottomButtonPositions(11, 600, 75, 5, xs);
    EXPECT_EQ(11, xs[0]);
    EXPECT_EQ(142, xs[1]);
    EXPECT_EQ(273, xs[2]);
    EXPECT_EQ(404, xs[3]);
    EXPECT_EQ(560, xs[4]);  // one step on, plus 25

    // The same through the page: 650 - 1.5 * 20 - 20 gives a list 600 wide.
    LayoutFrame frame = PageFrame(650, 500);
    frame.margins.right = 20;
    LayoutPlan plan = PlanPageLayout(frame);
    EXPECT_EQ(600, plan.listWidth);
    EXPECT_EQ(11, plan.buttonX[0]);
    EXPECT_EQ(404, plan.buttonX[3]);
    EXPECT_EQ(560, plan.buttonX[4]);
    EXPECT_EQ(50, plan.lastButtonWidth);

    // A list too narrow for the buttons gives a negative gap, truncated toward zero
    // (-75 / 4 is -18): the buttons overlap rather than move off.
    BottomButtonPositions(11, 300, 75, 5, xs);
    EXPECT_EQ(68, xs[1]);
    EXPECT_EQ(264, xs[4]);
}

TEST(PageLayoutArithmetic, OneButtonIsCentredOnTheSheet)
{
    LayoutFrame frame = PageFrame(700, 500);
    frame.buttonCount = 1;
    LayoutPlan plan = PlanPageLayout(frame);
    EXPECT_EQ(313, plan.buttonX[0]);  // 350 - 37
    frame.button.cx = 76;
    EXPECT_EQ(312, PlanPageLayout(frame).buttonX[0]);
}

TEST(PageLayoutArithmetic, OneTabRowMakesTheListTallerAndTheButtonsLower)
{
    LayoutFrame frame = PageFrame(700, 500);
    frame.oneTabRow = false;
    LayoutPlan rows = PlanPageLayout(frame);
    EXPECT_EQ(11, rows.listX);
    EXPECT_EQ(77, rows.listY);                // T + 5
    EXPECT_EQ(700 - 31 - 20, rows.listWidth);  // 1.5 * 21 = 31.5 counts as 31
    EXPECT_EQ(500 - 219 - 16, rows.listHeight);
    EXPECT_EQ(500 - 156 + 8, rows.buttonY);  // 2.75 * 57 = 156.75 counts as 156

    frame.oneTabRow = true;
    LayoutPlan row = PlanPageLayout(frame);
    EXPECT_EQ(500 - 219 + 5, row.listHeight);
    EXPECT_EQ(rows.buttonY + 23 / 2 + 6, row.buttonY);
    EXPECT_EQ(rows.listWidth, row.listWidth);
    EXPECT_EQ(rows.buttonX[2], row.buttonX[2]);
}

TEST(CookieWindowLayoutArithmetic, UsesTheWindowItselfAndEqualButtons)
{
    LayoutFrame frame = PageFrame(640, 480);
    frame.helpLabel.cx = 61;
    frame.monitorLabel.cx = 61;
    frame.button = {120, 23};
    frame.buttonCount = 4;
    LayoutPlan plan = PlanCookieWindowLayout(frame);
    EXPECT_EQ(576, plan.helpIcon.x);  // 640 - 2 * 32
    EXPECT_EQ(3, plan.helpIcon.y);
    EXPECT_EQ(564, plan.helpLabel.x);  // 1.25 * 61 = 76.25 counts as 76
    EXPECT_EQ(25, plan.helpLabel.y);
    EXPECT_EQ(576, plan.monitorIcon.x);
    EXPECT_EQ(38, plan.monitorIcon.y);
    EXPECT_EQ(564, plan.monitorLabel.x);
    EXPECT_EQ(60, plan.monitorLabel.y);

    EXPECT_EQ(11, plan.listX);
    EXPECT_EQ(90, plan.listY);         // T + 18
    EXPECT_EQ(609, plan.listWidth);    // 640 - 31
    EXPECT_EQ(281, plan.listHeight);   // 480 - 219 + 20
    EXPECT_EQ(386, plan.buttonY);      // 480 - 2 * 57 + 20

    // Step 120 + (609 - 480) / 3 = 163; the last button is neither moved on nor narrowed.
    EXPECT_EQ(11, plan.buttonX[0]);
    EXPECT_EQ(174, plan.buttonX[1]);
    EXPECT_EQ(337, plan.buttonX[2]);
    EXPECT_EQ(500, plan.buttonX[3]);
    EXPECT_EQ(120, plan.lastButtonWidth);

    // The tab rows of a sheet do not concern the cookie window.
    frame.oneTabRow = true;
    LayoutPlan same = PlanCookieWindowLayout(frame);
    EXPECT_EQ(plan.listHeight, same.listHeight);
    EXPECT_EQ(plan.buttonY, same.buttonY);
}
