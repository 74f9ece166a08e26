// On the Windows 95 family the sheet is not resizable: the first page makes no status bar, and
// the sheet stays where the system put it, whatever place was stored.
#include "foundations/registry.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "../integration/shell_fixture.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

TEST(FirstPlacementOn95Family, LeavesTheSheetAsTheSystemMadeIt)
{
    ASSERT_FALSE(IsNT());
    InitControls();
    SavedKey program(HKEY_CURRENT_USER, VIGILARK_KEY);
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xPos", "40");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "yPos", "30");
    HWND sheet = CreateHost(200, 150, 640, 480);
    FirstPlacement(CreatePage(sheet, IDD_STARTUP_PAGE), SHEET_PLACEMENT);
    EXPECT_EQ(nullptr, StatusBar());
    EXPECT_EQ(200 * 1000 + 150, ScreenRect(sheet).left * 1000 + ScreenRect(sheet).top);
    DestroyWindow(sheet);
}
