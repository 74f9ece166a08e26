// The Cookies page and the cookie list window of the real console, one path per browser
// family, on cookie folders planted in the prefix; the folders and the registry are read
// back afterwards.
#include "cookies/cookie_text.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/cookie_bed.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace {

class CookiesPage : public ::testing::Test {
protected:
    void SetUp() override { EndAllCopies(); }
    void TearDown() override
    {
        if (list_) PressButton(list_, IDCANCEL);
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
    }
    void SetOption(const char* name, const char* value)
    {
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, value);
    }
    // The cookie list window, opened by the console itself or by View Cookies.
    HWND WaitForCookieList()
    {
        // The window fills its list before it shows: hundreds of files take a while on a busy machine.
        list_ = WaitForWindow(run_, "#32770", 30000);
        if (!list_) return nullptr;
        HWND rows = GetDlgItem(list_, IDC_LIST);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(rows) != 0; }));
        return rows;
    }
    // Answers the removal question with Yes.
    void AnswerYes()
    {
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, list_)) &&
                                         box != run_.sheet; }));
        ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); }));
        EXPECT_NE(std::string::npos, WindowText(GetDlgItem(box, 0xFFFF)).find("Are you sure"));
        PressButton(box, IDYES);
    }
    std::string Nut(const char* name) { return GetRegString(HKEY_CURRENT_USER, cookiebed::kNuts, name); }
    std::string Kept(const char* name) { return GetRegString(HKEY_CURRENT_USER, cookiebed::kKept, name); }
    // The name the marks of the cookie on this cookies.txt line use.
    static std::string Mark(const std::string& line)
    {
        CookieLine cookie;
        ScanCookieLine(line.data(), line.size() - 1, cookie);
        return CookieMarkName(cookie);
    }

    cookiebed::Bed bed_;
    ConsoleRun run_;
    HWND list_ = nullptr;
};

}  // namespace

TEST_F(CookiesPage, InternetExplorerWordsFilesMarksAndTheListLimit)
{
    SetOption("Browser", "1");
    SetOption("ViewCookies", "0");
    SetOption("SortCookie", "1");
    bed_.PutIeCookie("clicker@zzkeep[1].txt");
    bed_.PutIeCookie("clicker@zzdrop[1].txt");
    bed_.PutIeCookie("clicker@trackme[1].txt");
    WriteWholeFile(bed_.cache + "\\clicker@zzdrop[1].txt", "cached");
    ASSERT_TRUE(StartConsole("-NUT", run_));
    HWND page = ActivePage(run_.sheet);
    EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(page, IDC_COOKIE_FOLDER)) == bed_.ieFolder + "\\"; }));
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(page, IDC_BROWSER_IE, BM_GETCHECK, 0, 0));

    // A word is added and applied at once, to the site of each file only.
    SendDlgItemMessageA(page, IDC_FILTER_EDIT, WM_SETTEXT, 0, (LPARAM) "TrackMe");
    PressButton(page, IDC_ADD);
    HWND words = GetDlgItem(page, IDC_LIST);
    EXPECT_TRUE(WaitFor([&] { return FindListRow(run_, words, 0, "TrackMe") >= 0; }));
    EXPECT_EQ("1", Nut("TrackMe"));
    EXPECT_FALSE(bed_.HasIeCookie("clicker@trackme[1].txt"));
    EXPECT_TRUE(bed_.HasIeCookie("clicker@zzkeep[1].txt"));

    PressButton(page, IDC_VIEW_COOKIES);
    HWND rows = WaitForCookieList();
    ASSERT_NE(nullptr, rows);
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 2; }));
    EXPECT_EQ(bed_.ieFolder + "\\", WindowText(GetDlgItem(list_, IDC_COOKIELIST_FOLDER)));
    RECT frame;
    GetWindowRect(list_, &frame);
    EXPECT_GE(frame.right - frame.left, 640);

    // Remove Checked: the checked cookie goes with its cached copy; the others stay.
    int drop = FindListRow(run_, rows, 0, "clicker@zzdrop[1].txt");
    int keep = FindListRow(run_, rows, 0, "clicker@zzkeep[1].txt");
    ASSERT_GE(drop, 0);
    ASSERT_GE(keep, 0);
    SetListCheck(run_, rows, drop, true);
    PressButton(list_, IDC_REMOVE_CHECKED);
    AnswerYes();
    EXPECT_TRUE(WaitFor([&] { return !bed_.HasIeCookie("clicker@zzdrop[1].txt"); }));
    // The cached copy goes right after the file, so it is waited for on its own.
    EXPECT_TRUE(WaitFor([&] { return !Exists(bed_.cache + "\\clicker@zzdrop[1].txt"); }));
    EXPECT_TRUE(bed_.HasIeCookie("clicker@zzkeep[1].txt"));
    EXPECT_EQ("<missing>", Kept("clicker@zzkeep[1].txt"));
    PressButton(list_, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(list_); }));

    // More files than the list holds: the window says how many it could not show.
    for (int i = 0; i < 330; ++i) bed_.PutIeCookie("clicker@news" + std::to_string(1000 + i) + "[1].txt");
    PressButton(page, IDC_VIEW_COOKIES);
    rows = WaitForCookieList();
    ASSERT_NE(nullptr, rows);
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 325; }));
    HWND status = GetDlgItem(list_, IDC_STATUS_BAR);
    EXPECT_EQ(0u, WindowText(status).find("6 more cookies are not listed")) << WindowText(status);
    PressButton(list_, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(list_); }));
    list_ = nullptr;

    // Removing the word takes it off the page and out of the key.
    SelectListRows(run_, words, {FindListRow(run_, words, 0, "TrackMe")});
    PressButton(page, IDC_REMOVE);
    EXPECT_TRUE(WaitFor([&] { return FindListRow(run_, words, 0, "TrackMe") < 0; }));
    EXPECT_EQ("<missing>", Nut("TrackMe"));
}

TEST_F(CookiesPage, MozillaListRemovesCheckedCookiesIntoTheNewCookieFile)
{
    SetOption("Browser", "6");
    SetOption("ViewCookies", "0");
    SetOption("SortCookie", "0");
    const std::string keep = ".keep.example\tTRUE\t/k\tTRUE\t1893456000\tsid\tkv\n";
    // Two cookies of one title ("keep.example - sid"): kept and removed one by one.
    const std::string drop = "keep.example\tFALSE\t/d\tFALSE\t1893456000\tsid\tdv\n";
    const std::string last = "last.example\tFALSE\t/\tFALSE\t0\tlid\tlv";
    bed_.PutCookiesTxt("# Netscape HTTP Cookie File\n" + keep + drop + last);
    ASSERT_TRUE(StartConsole("-COOKIE", run_));
    HWND rows = WaitForCookieList();
    ASSERT_NE(nullptr, rows);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 3; }));
    int keepRow = FindListRow(run_, rows, 2, "/k");
    ASSERT_GE(keepRow, 0);
    EXPECT_EQ("/k", ListCell(run_, rows, keepRow, 2));
    EXPECT_EQ("kv", ListCell(run_, rows, keepRow, 3));
    EXPECT_EQ("True", ListCell(run_, rows, keepRow, 4));
    EXPECT_GE(FindListRow(run_, rows, 0, "last.example - lid"), 0) << "the last line has no line feed";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(list_, IDC_VIEW_COOKIE)));

    // Remove Unchecked keeps the checked cookies (marked kept) and drops the rest.
    SetListCheck(run_, rows, keepRow, true);
    SetListCheck(run_, rows, FindListRow(run_, rows, 0, "last.example - lid"), true);
    PressButton(list_, IDC_REMOVE_UNCHECKED);
    AnswerYes();
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 2; }));
    EXPECT_LT(FindListRow(run_, rows, 2, "/d"), 0);
    EXPECT_TRUE(ListChecked(rows, FindListRow(run_, rows, 2, "/k")));
    EXPECT_EQ("2", Nut(Mark(drop).c_str()));
    EXPECT_EQ("1", Kept(Mark(keep).c_str()));
    EXPECT_EQ("# Netscape HTTP Cookie File\n" + keep + last, bed_.CookiesNew());
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"));
    PressButton(list_, IDCANCEL);
    list_ = nullptr;

    HWND page = ActivePage(run_.sheet);
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(page, IDC_BROWSER_MOZILLA, BM_GETCHECK, 0, 0));
    EXPECT_EQ(bed_.profile, WindowText(GetDlgItem(page, IDC_COOKIE_FOLDER)));
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("0", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "ViewCookies"));
}
