// The list-view toolkit on a real Startup Programs page: rows and their entries, selection,
// what a column click leaves, the compare functions, the menu. Sorting by a click and at the next start is end to end.
#include "foundations/entries.h"
#include "foundations/settings.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "shell_fixture.h"
#include "support/views.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

namespace {

class ListPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        FreeEntries();
        ResetSortDirections();
        SetCookieCompareSource(1);
        Commands().clear();
        host = CreateHost(0, 0, 700, 500);
        list = GetDlgItem(page = CreatePage(host, IDD_STARTUP_PAGE), IDC_LIST);
        ASSERT_NE(nullptr, list);
        AddListColumnById(list, 0, IDS_COL_TITLE, CMD_STARTUP_PAGE);
    }
    void TearDown() override
    {
        ForgetImageLists();
        FreeEntries();
        DestroyWindow(host);
    }
    int Add(const char* title, const char* path, const char* extra = "", const char* detail = "", int kind = 1,
            int value = 0)
    {
        EXPECT_EQ(1, AddEntry(title, path, extra, detail, kind, value));
        return EntryCount() - 1;
    }
    void Fill()
    {
        ListView_DeleteAllItems(list);
        for (int i = 0; i < EntryCount(); ++i) InsertListRow(list, "", i, 0);
    }
    // A row's entry index (item data), or its image.
    int Item(int row, UINT mask)
    {
        LVITEMA item = {};
        item.mask = mask;
        item.iItem = row;
        EXPECT_TRUE(ListView_GetItem(list, &item));
        return mask == LVIF_PARAM ? (int)item.lParam : item.iImage;
    }
    std::vector<int> Order()
    {
        std::vector<int> order;
        for (int row = 0; row < ListView_GetItemCount(list); ++row) order.push_back(Item(row, LVIF_PARAM));
        return order;
    }
    static int Compare(int listKind, int a, int b, int column) { return CompareFunctionFor(listKind)(a, b, column); }

    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    HWND host = nullptr, page = nullptr, list = nullptr;
};

// Reverses the rows by their item data, so rows and entry indexes no longer agree.
int CALLBACK Descending(LPARAM a, LPARAM b, LPARAM) { return (int)(b - a); }

}  // namespace

TEST_F(ListPage, RowsCarryTheirEntryIndexThroughSortingSelectionAndScrolling)
{
    for (int i = 0; i < 60; ++i) Add(("Entry " + std::to_string(i)).c_str(), "C:\\Programs\\app.exe");
    Fill();
    EXPECT_EQ((std::vector<int>{-1, -1, -1}), (std::vector<int>{FirstSelectedRow(list), SelectedEntry(list), SelectedEntry(nullptr)}));
    // Sorting moves rows, not the link to their records; the selected row is scrolled into view.
    ListView_SortItems(list, Descending, 0);
    EXPECT_EQ(-1, SelectRow(list, 58));
    EXPECT_EQ((std::vector<int>{58, 1, 1}), (std::vector<int>{FirstSelectedRow(list), SelectedEntry(list), SelectedEntry(page, IDC_LIST)}));
    EXPECT_GE(ListView_GetTopIndex(list) + ListView_GetCountPerPage(list), 59) << "wholly visible";
    // Selecting another row leaves only that one selected; with several the first counts.
    SelectRow(list, 3);
    ListView_SetItemState(list, 5, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(56, SelectedEntry(list));
    EXPECT_EQ((std::vector<int>{56, 54}), SelectedEntries(list));
}

// A click stores its column and asks for an update; not past the fifth column, nor without a compare.
TEST_F(ListPage, AClickStoresOnlyASortableColumnOfItsOwnList)
{
    int beta = Add("Beta", "C:\\P\\one.exe"), alpha = Add("alpha", "C:\\P\\two.exe");
    Fill();
    ApplyStoredSort(list, CMD_STARTUP_PAGE);
    EXPECT_EQ((std::vector<int>{beta, alpha}), Order()) << "nothing stored: the entry list's order";
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update", "0");
    OnListColumnClick(list, CMD_STARTUP_PAGE, 0);
    EXPECT_EQ((std::vector<int>{alpha, beta}), Order()) << "titles in any case";
    EXPECT_EQ("1|1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup") + "|" +
                         GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"));
    OnListColumnClick(list, CMD_STARTUP_PAGE, 5);
    OnListColumnClick(list, CMD_MONITOR, 0);
    EXPECT_EQ((std::vector<int>{alpha, beta}), Order());
    EXPECT_EQ(1, GetOption("SortStartup", 0));
    EXPECT_EQ(0, GetOption("SortActiveTask", 0)) << "each list keeps its own column";
}

TEST_F(ListPage, EachListComparesItsOwnFields)
{
    int net = Add("Net", "C:\\a.exe"), netscape = Add("Netscape", "C:\\b.exe"), nfoo = Add("Nfoo", "C:\\c.exe");
    int self = Add("Self", ThisProgram().c_str());     // Brondlewick, 5.0.0.1
    int plain = Add("Plain", "C:\\windows\\win.ini");  // no version texts
    int zed = Add("Alpha", "C:\\A\\zed.exe"), abe = Add("Zulu", "C:\\Z\\abe.exe");
    int viewer = Add("Zed Viewer", "C:\\Apps\\zed.exe %1", "ZedFile", ".zed", KIND_FILETYPE);
    int exe = Add("Application", "%1 %*", "exefile", ".exe", KIND_FILETYPE);
    int cookieB = Add("www.b.example - id", "C:\\C\\b@site.txt", "value-a", "2004/05/06 07:08", KIND_NET_COOKIE, 10);
    int cookieA = Add("www.a.example - id", "C:\\C\\a@site.txt", "value-b", "2004/05/06 07:09", KIND_NET_COOKIE, 9);
    const struct { int kind, a, b, column, sign; const char* why; } rows[] = {
        {CMD_STARTUP_PAGE, net, netscape, 0, 0, "titles by their common beginning"},
        {CMD_STARTUP_PAGE, net, nfoo, 0, -1, "title"},
        {CMD_STARTUP_PAGE, net, nfoo, 3, 0, "a column the list has not"},
        {CMD_TASKS_PAGE, zed, abe, 0, 1, "file name"},
        {CMD_IEHELPERS_PAGE, self, plain, 2, 1, "company"},
        {CMD_FILETYPES_PAGE, exe, viewer, 3, -1, "extension"},
        {CMD_COOKIES_PAGE, cookieB, cookieA, 0, 1, "Internet Explorer: file name"},
        {CMD_COOKIES_PAGE, cookieB, cookieA, 4, 0, "Internet Explorer: no fifth field"},
        {CMD_HISTORY_LIST, net, nfoo, 0, 0, "the history keeps file order"},
    };
    for (const auto& row : rows) {
        int result = Compare(row.kind, row.a, row.b, row.column);
        EXPECT_EQ(row.sign, (result > 0) - (result < 0)) << row.why;
    }
    SetCookieCompareSource(6);  // Mozilla-based: name, expiry, path, value, secure flag
    EXPECT_GT(Compare(CMD_COOKIE_LIST, cookieB, cookieA, 4), 0) << "10 after 9, as numbers";
    SetSortDirection(0, 1);
    EXPECT_GT(Compare(CMD_STARTUP_PAGE, net, nfoo, 0), 0) << "descending";
}

// The menu's items per kind and how it is answered (no row, no menu, is end to end).
TEST_F(ListPage, EachKindsMenuHasItsOwnItemsThenWhatEveryListHasAndOnlyAChosenItemIsSent)
{
    Add("Updater", "C:\\Programs\\updater.exe");
    Fill();
    EXPECT_EQ(0, ShowListContextMenu(page, CMD_TASKS_PAGE, IDC_LIST)) << "no selected row: no menu waits";
    EXPECT_EQ(0, ShowListContextMenu(page, CMD_TASKS_PAGE, 4242)) << "no such list";
    SelectRow(list, 0);
    for (WPARAM key : {VK_ESCAPE, VK_DOWN})  // Escape chooses nothing; Down and Enter the first item
        EXPECT_EQ(1, RunWithDialog([&] { return ShowListContextMenu(page, CMD_TASKS_PAGE, IDC_LIST); }, [&](HWND popup) {
            PostMessageA(popup, WM_KEYDOWN, key, 0);
            PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        },
                                   "#32768"));
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    EXPECT_EQ(std::vector<int>{IDC_INFO}, Commands());
    auto items = [](int kind) {
        HMENU menu = BuildListContextMenu(kind, 0);
        std::vector<UINT> ids;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
        DestroyMenu(menu);
        return ids;
    };
    EXPECT_EQ((std::vector<UINT>{IDC_INFO, IDC_REFRESH, IDC_KILL_TASK, IDC_DELETE_ON_REBOOT, 0, IDC_FULL_REPORT_CMD,
                                 IDC_SAVE_CSV_CMD, IDC_HELP_ICON}),
              items(CMD_TASKS_PAGE));
    EXPECT_EQ((std::vector<UINT>{0, IDC_FULL_REPORT_CMD, IDC_HELP_ICON}), items(CMD_COOKIE_LIST)) << "still the separator";
}
