// On the Windows 95 family the sheet is not resizable: the first page neither subclasses the
// sheet nor makes a status bar, and the sheet stays where the system put it.
//
// Links the console, so it joins tests/win98_tests when the pages are merged.
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
    ScratchKey maker{HKEY_CURRENT_USER, "Software\\Brondlewick"};
    ScratchKey program{HKEY_CURRENT_USER, VIGILARK_KEY};
    SavedValue left{HKEY_CURRENT_USER, VIGILARK_KEY, "xPos"};
    SavedValue top{HKEY_CURRENT_USER, VIGILARK_KEY, "yPos"};
    ASSERT_EQ(1, SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xPos", "40"));
    ASSERT_EQ(1, SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "yPos", "30"));

    HWND sheet = CreateHost(200, 150, 640, 480);
    LONG_PTR procedure = GetWindowLongPtrA(sheet, GWLP_WNDPROC);
    FirstPlacement(CreatePage(sheet, IDD_STARTUP_PAGE), SHEET_PLACEMENT);
    EXPECT_EQ(procedure, GetWindowLongPtrA(sheet, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, PreviousSheetProc());
    EXPECT_EQ(nullptr, StatusBar());
    RECT rect;
    GetWindowRect(sheet, &rect);
    EXPECT_EQ(200, rect.left);
    EXPECT_EQ(150, rect.top);
    DestroyWindow(sheet);
}
