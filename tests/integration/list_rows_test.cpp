// The list-view toolkit on a real Startup Programs page: columns, rows that carry their
// entry index, the selection helpers and the image-list slots with their icons.
#include "foundations/entries.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

using namespace shell_fixture;

namespace {

class ListRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        host = CreateHost(0, 0, 700, 500);
        page = CreatePage(host, IDD_STARTUP_PAGE);
        ASSERT_NE(nullptr, page);
        list = GetDlgItem(page, IDC_LIST);
        ASSERT_NE(nullptr, list);
        FreeEntries();
    }
    void TearDown() override
    {
        ForgetImageLists();
        FreeEntries();
        DestroyWindow(host);
    }

    // Appends entries and one row each, as a page fills its list.
    void Fill(const std::vector<const char*>& titles)
    {
        for (const char* title : titles) {
            int index = EntryCount();
            ASSERT_EQ(1, AddEntry(title, "C:\\Programs\\app.exe", "", "", KIND_MACHINE_RUN, 0));
            ASSERT_EQ(1, InsertListRow(list, title, index, 0));
        }
    }

    std::string CellText(int row, int column)
    {
        char text[260] = "";
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    LPARAM ItemData(int row)
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }

    HWND host = nullptr;
    HWND page = nullptr;
    HWND list = nullptr;
};

// Reverses the rows by their item data, so rows and entry indexes no longer agree.
int CALLBACK Descending(LPARAM a, LPARAM b, LPARAM) { return (int)(b - a); }

// The pixels of one image of an image list drawn on white.
std::vector<COLORREF> ImagePixels(HIMAGELIST images, int index)
{
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, cx, cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The pixels of an icon as an image list of the slots' kind shows it; destroys the icon.
std::vector<COLORREF> PixelsOfIcon(HICON icon)
{
    HIMAGELIST reference = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                            ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(reference, icon);
    DestroyIcon(icon);
    std::vector<COLORREF> pixels = ImagePixels(reference, 0);
    ImageList_Destroy(reference);
    return pixels;
}

// An icon resource of this program at the small-icon size.
std::vector<COLORREF> ResourceIconPixels(int icon)
{
    int size = GetSystemMetrics(SM_CXSMICON);
    return PixelsOfIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon), IMAGE_ICON, size, size, 0)));
}

// Icon `number` of a program file, extracted as the shell gives it.
std::vector<COLORREF> ExtractedPixels(const char* file, int number)
{
    return PixelsOfIcon(ExtractIconA(GetModuleHandleA(nullptr), file, (UINT)number));
}

HIMAGELIST SmallImages(HWND list)
{
    return reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

}  // namespace

TEST_F(ListRows, ColumnsTakeTheirShareOfTheListAndTheirTitles)
{
    ASSERT_TRUE(AddListColumnById(list, 0, IDS_COL_TITLE, CMD_STARTUP_PAGE));
    ASSERT_TRUE(AddListColumnById(list, 1, IDS_COL_COMMAND, CMD_STARTUP_PAGE));
    ASSERT_TRUE(AddListColumnById(list, 2, IDS_COL_VERSION, CMD_STARTUP_PAGE));

    SIZE size = WindowSize(list);
    int scroll = GetSystemMetrics(SM_CYVSCROLL);
    int total = 0;
    const char* titles[] = {"Title", "Command", "Version"};
    for (int column = 0; column < 3; ++column) {
        int width = (int)SendMessageA(list, LVM_GETCOLUMNWIDTH, (WPARAM)column, 0);
        EXPECT_EQ(ColumnWidth(CMD_STARTUP_PAGE, column, size.cx, scroll), width);
        EXPECT_GT(width, 0);
        total += width;

        char title[64] = "";
        LVCOLUMNA header = {};
        header.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
        header.pszText = title;
        header.cchTextMax = sizeof title;
        SendMessageA(list, LVM_GETCOLUMNA, (WPARAM)column, reinterpret_cast<LPARAM>(&header));
        EXPECT_STREQ(titles[column], title);
        EXPECT_EQ(LVCFMT_LEFT, header.fmt & LVCFMT_JUSTIFYMASK);
        EXPECT_EQ(column, header.iSubItem);
    }
    // The three columns (99 hundredths) fill the list but for the scroll bar, without a
    // horizontal scroll.
    EXPECT_LE(total, size.cx - scroll);
    EXPECT_GE(total, (size.cx - scroll) * 99 / 100 - 3);
}

TEST_F(ListRows, EachRowCarriesItsEntryIndex)
{
    AddListColumnById(list, 0, IDS_COL_TITLE, CMD_STARTUP_PAGE);
    AddListColumnById(list, 1, IDS_COL_COMMAND, CMD_STARTUP_PAGE);
    Fill({"Alpha", "Beta", "Gamma"});
    SetListCell(list, 1, 1, "beta.exe");

    ASSERT_EQ(3, (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < 3; ++row) EXPECT_EQ(row, ItemData(row));
    EXPECT_EQ("Beta", CellText(1, 0));
    EXPECT_EQ("beta.exe", CellText(1, 1));

    // Sorting moves rows, not the link to their records.
    SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(Descending));
    EXPECT_EQ("Gamma", CellText(0, 0));
    EXPECT_EQ(2, ItemData(0));
    char title[ENTRY_TITLE_CHARS] = "";
    GetEntryTitle((int)ItemData(0), title);
    EXPECT_STREQ("Gamma", title);
}

TEST_F(ListRows, SelectionHelpersGiveTheRowAndItsEntry)
{
    AddListColumnById(list, 0, IDS_COL_TITLE, CMD_STARTUP_PAGE);
    Fill({"Alpha", "Beta", "Gamma", "Delta"});
    EXPECT_EQ(-1, FirstSelectedRow(list));
    EXPECT_EQ(-1, SelectedEntry(list));
    EXPECT_EQ(-1, SelectedEntry(page, IDC_LIST));
    EXPECT_EQ(-1, SelectedEntry(nullptr));

    SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(Descending));
    EXPECT_EQ(-1, SelectRow(list, 1));
    EXPECT_EQ(1, FirstSelectedRow(list));
    EXPECT_EQ(2, SelectedEntry(list));  // row 1 now holds entry 2 ("Gamma")
    EXPECT_EQ(2, SelectedEntry(page, IDC_LIST));

    // Selecting another row leaves only that one selected.
    SelectRow(list, 3);
    EXPECT_EQ(1, (int)SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
    EXPECT_EQ(3, FirstSelectedRow(list));
    EXPECT_EQ(0, SelectedEntry(list));

    // With several rows selected the first in row order counts.
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(2, FirstSelectedRow(list));
    EXPECT_EQ(1, SelectedEntry(list));
}

TEST_F(ListRows, SelectingARowScrollsItIntoView)
{
    AddListColumnById(list, 0, IDS_COL_TITLE, CMD_STARTUP_PAGE);
    for (int i = 0; i < 60; ++i) {
        char title[32];
        FormatText(title, sizeof title, "Entry %02d", i);
        AddEntry(title, "C:\\Programs\\app.exe", "", "", KIND_MACHINE_RUN, 0);
        InsertListRow(list, title, i, 0);
    }
    ASSERT_EQ(0, (int)SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    SelectRow(list, 59);
    int top = (int)SendMessageA(list, LVM_GETTOPINDEX, 0, 0);
    int visible = (int)SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0);
    EXPECT_GT(top, 0);
    EXPECT_LE(top, 59);
    EXPECT_GE(top + visible, 60);  // wholly visible
}

TEST_F(ListRows, ImageZeroIsTheProgramIconAndMissingProgramsGetTheDefault)
{
    const std::vector<COLORREF> program = ResourceIconPixels(IDI_PROGRAM);
    const std::vector<COLORREF> fallback = ResourceIconPixels(IDI_DEFAULT_PROGRAM);
    ASSERT_NE(program, fallback) << "the two icons must differ for this test to mean anything";

    ASSERT_EQ(1, CreateImageList(list, 0));
    HIMAGELIST images = SmallImages(list);
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(1, ImageList_GetImageCount(images));
    EXPECT_EQ(program, ImagePixels(images, 0));
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), cy);

    EXPECT_EQ(1, AddProgramIcon("\"C:\\No Such Folder\\missing.exe\" /min", 0, 0));
    EXPECT_EQ(fallback, ImagePixels(images, 1));

    // A file that exists but holds no icon.
    EXPECT_EQ(2, AddProgramIcon("C:\\windows\\win.ini", 0, 0));
    EXPECT_EQ(fallback, ImagePixels(images, 2));

    // A real program gives the icon of that number: this test program carries the console's
    // icons, the first of which (number 0) is the program icon, resource 101.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    EXPECT_EQ(3, AddProgramIcon(self, 0, 0));
    EXPECT_EQ(ExtractedPixels(self, -IDI_PROGRAM), ImagePixels(images, 3));
    EXPECT_EQ(4, AddProgramIcon(self, -IDI_PAGE_COOKIES, 0));
    EXPECT_EQ(ExtractedPixels(self, -IDI_PAGE_COOKIES), ImagePixels(images, 4));
    EXPECT_NE(ImagePixels(images, 3), ImagePixels(images, 4));
    EXPECT_EQ(5, ImageList_GetImageCount(images));
}

TEST_F(ListRows, SlotsOwnTheirImageListsAndTakeThemBack)
{
    EXPECT_EQ(-1, AddProgramIcon("C:\\windows\\notepad.exe", 0, 0));  // slot still empty
    EXPECT_EQ(0, CreateImageList(list, 2));
    EXPECT_EQ(0, DestroyImageList(2));
    EXPECT_EQ(0, DestroyImageList(0));

    // A list made without LVS_SHAREIMAGELISTS is given it, so it never destroys the slot's list.
    HWND plain = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100, page,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, plain);
    ASSERT_EQ(0, GetWindowLongPtrA(plain, GWL_STYLE) & LVS_SHAREIMAGELISTS);
    ASSERT_EQ(1, CreateImageList(plain, 1));
    EXPECT_NE(0, GetWindowLongPtrA(plain, GWL_STYLE) & LVS_SHAREIMAGELISTS);
    EXPECT_NE(nullptr, SmallImages(plain));

    // Refilling a slot replaces its list: a fresh one with only the program icon.
    ASSERT_EQ(1, CreateImageList(list, 0));
    AddProgramIcon("C:\\missing.exe", 0, 0);
    AddProgramIcon("C:\\missing.exe", 0, 0);
    EXPECT_EQ(3, ImageList_GetImageCount(SmallImages(list)));
    ASSERT_EQ(1, CreateImageList(list, 0));
    EXPECT_EQ(1, ImageList_GetImageCount(SmallImages(list)));

    // Destroying a slot takes the list away from its list view first.
    EXPECT_EQ(1, DestroyImageList(0));
    EXPECT_EQ(nullptr, SmallImages(list));
    EXPECT_EQ(0, DestroyImageList(0));
    EXPECT_NE(nullptr, SmallImages(plain));

    // So does forgetting both (start-up and settings reload), which leaves nothing behind.
    ForgetImageLists();
    EXPECT_EQ(nullptr, SmallImages(plain));
    EXPECT_EQ(0, DestroyImageList(1));
    EXPECT_EQ(-1, AddProgramIcon("C:\\missing.exe", 0, 1));
}
