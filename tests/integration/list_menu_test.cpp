// The right-click menu of the lists: its items per list kind, and the real popup on a page,
// driven from a timer while it runs its own loop.
//
// Needs the disabled-marker test of the startup slice to link, so it joins
// tests/integration when that is merged.
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace shell_fixture;

namespace {

// "id text" per item, "-" for a separator.
std::vector<std::string> Items(HMENU menu)
{
    std::vector<std::string> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        char text[128] = "";
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, (UINT)i, TRUE, &info);
        items.push_back(info.fType & MFT_SEPARATOR ? "-" : std::to_string(info.wID) + " " + text);
    }
    return items;
}

std::vector<std::string> ItemsOf(int listKind, int entry)
{
    HMENU menu = BuildListContextMenu(listKind, entry);
    std::vector<std::string> items = Items(menu);
    DestroyMenu(menu);
    return items;
}

class ListMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        FreeEntries();
        Commands().clear();
        ASSERT_EQ(1, AddEntry("Updater", "C:\\Programs\\updater.exe", "", "", KIND_MACHINE_RUN, 0));
        ASSERT_EQ(1, AddEntry("Sleeper", "C:\\Programs\\sleeper.exe", "", "", KIND_MACHINE_RUN, 0));
    }
    void TearDown() override { FreeEntries(); }
};

using Lines = std::vector<std::string>;

// Set by the timer while the popup runs: the items it saw, and how it ended the menu.
Lines g_shownItems;
bool g_chooseFirst = false;

BOOL CALLBACK FindVisibleMenu(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK InsideMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&popup));
    if (!popup) {
        EndMenu();  // the test fails on the items instead of waiting forever
        return;
    }
    g_shownItems = Items(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)));
    if (g_chooseFirst) {
        PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    } else {
        EndMenu();
    }
}

}  // namespace

TEST_F(ListMenu, StartupItemsOfferEnableOrDisableAsTheEntryIs)
{
    ScratchDisabledMarker marker("Sleeper", "1");
    ASSERT_TRUE(marker.written());

    EXPECT_EQ((Lines{"1008 Info...", "1064 &Add", "1003 &Remove", "11 &Disable", "1144 &Delete File on Reboot", "-",
                     "9 Full Repor&t", "1077 Vigilark Help"}),
              ItemsOf(CMD_STARTUP_PAGE, 0));
    EXPECT_EQ("10 &Enable", ItemsOf(CMD_STARTUP_PAGE, 1)[3]);
}

TEST_F(ListMenu, EachListKindHasItsItems)
{
    EXPECT_EQ((Lines{"1008 &View...", "1004 Remove &Unchecked", "1103 Remove &Checked", "-", "1077 Vigilark Help"}),
              ItemsOf(CMD_COOKIES_PAGE, 0));
    EXPECT_EQ((Lines{"1008 Info...", "1006 &Refresh", "1007 &Kill Task", "1144 &Delete File on Reboot", "-",
                     "9 Full Repor&t", "1077 Vigilark Help"}),
              ItemsOf(CMD_TASKS_PAGE, 0));
    EXPECT_EQ((Lines{"1008 Info...", "-", "9 Full Repor&t", "1077 Vigilark Help"}), ItemsOf(CMD_SERVICES_PAGE, 0));
    const Lines removable = {"1008 Info...", "1003 &Remove", "1144 &Delete File on Reboot", "-", "9 Full Repor&t",
                             "1077 Vigilark Help"};
    EXPECT_EQ(removable, ItemsOf(CMD_SCHEDULED_PAGE, 0));
    EXPECT_EQ(removable, ItemsOf(CMD_IEHELPERS_PAGE, 0));
    EXPECT_EQ((Lines{"1104 &Restore", "1106 &Clear File", "1 Close", "-", "9 Full Repor&t", "1077 Vigilark Help"}),
              ItemsOf(CMD_HISTORY_LIST, 0));
    EXPECT_EQ((Lines{"1008 Info...", "1064 &Add", "1003 &Remove", "-", "9 Full Repor&t", "1077 Vigilark Help"}),
              ItemsOf(CMD_FILETYPES_PAGE, 0));
    // A kind without items of its own still has the separator before the shared items.
    EXPECT_EQ((Lines{"-", "9 Full Repor&t", "1077 Vigilark Help"}), ItemsOf(CMD_COOKIE_LIST, 0));
}

TEST_F(ListMenu, NoSelectionShowsNoMenu)
{
    HWND host = CreateHost(0, 0, 700, 500);
    HWND page = CreatePage(host, IDD_STARTUP_PAGE);
    HWND list = GetDlgItem(page, IDC_LIST);
    InsertListRow(list, "Updater", 0, 0);
    // Without a selection the call returns at once; a shown menu would wait for the user.
    EXPECT_EQ(0, ShowListContextMenu(page, CMD_TASKS_PAGE, IDC_LIST));
    EXPECT_EQ(0, ShowListContextMenu(page, CMD_TASKS_PAGE, 4242));  // no such list
    DestroyWindow(host);
}

TEST_F(ListMenu, TheChosenItemReachesThePageAsItsCommand)
{
    HWND host = CreateHost(0, 0, 700, 500);
    HWND page = CreatePage(host, IDD_STARTUP_PAGE);
    HWND list = GetDlgItem(page, IDC_LIST);
    InsertListRow(list, "Updater", 0, 0);
    InsertListRow(list, "Sleeper", 1, 0);
    SelectRow(list, 1);

    // Dismissed: the menu was shown with the page's items, and no command follows.
    g_shownItems.clear();
    g_chooseFirst = false;
    SetTimer(nullptr, 0, 300, InsideMenu);
    EXPECT_EQ(1, ShowListContextMenu(page, CMD_TASKS_PAGE, IDC_LIST));
    PumpMessages();
    EXPECT_EQ(ItemsOf(CMD_TASKS_PAGE, 1), g_shownItems);
    EXPECT_TRUE(Commands().empty());

    // The first item chosen with the keyboard: the page receives Info.
    g_chooseFirst = true;
    SetTimer(nullptr, 0, 300, InsideMenu);
    EXPECT_EQ(1, ShowListContextMenu(page, CMD_TASKS_PAGE, IDC_LIST));
    PumpMessages();
    ASSERT_EQ(1u, Commands().size());
    EXPECT_EQ(IDC_INFO, Commands()[0]);
    DestroyWindow(host);
}
