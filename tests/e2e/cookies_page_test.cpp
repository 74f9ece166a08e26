// The Cookies page and the cookie list window of the real console, one path per browser family,
// on cookie folders planted in the prefix: the buttons reach the filters and the removals (whose
// rules the cookie integration tests pin), and the window says what it could not list.
#include "cookies/cookie_text.h"
#include "support/console_fixture.h"
#include "support/cookie_bed.h"

namespace {

class CookiesPage : public ConsoleTest {
protected:
    void TearDown() override
    {
        if (window_ && IsWindow(window_)) PressButton(window_, IDCANCEL);
        ConsoleTest::TearDown();
    }
    // The cookie list window, opened by the console itself or by View Cookies; its list.
    HWND WaitForCookieList()
    {
        // The window fills its list before it shows: hundreds of files take a while on a busy machine.
        if (!(window_ = WaitForDialog(nullptr, 30000))) return nullptr;
        HWND rows = GetDlgItem(window_, IDC_LIST);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(rows) != 0; }));
        return rows;
    }
    void CloseCookieList()
    {
        PressButton(window_, IDCANCEL);
        EXPECT_TRUE(WaitGone(window_));
    }
    static std::string Mark(const char* key, const std::string& name) { return GetRegString(HKEY_CURRENT_USER, key, name.c_str()); }
    // The name the marks of the cookie on this cookies.txt line use.
    static std::string MarkName(const std::string& line)
    {
        CookieLine cookie;
        ScanCookieLine(line.data(), line.size() - 1, cookie);
        return CookieMarkName(cookie);
    }

    cookiebed::Bed bed_;
    HWND window_ = nullptr;
};

}  // namespace

TEST_F(CookiesPage, InternetExplorerWordsRemovalsAndTheListLimit)
{
    SetOption("Browser", "1");
    SetOption("ViewCookies", "0");
    bed_.PutIeCookie("clicker@zzkeep[1].txt");
    bed_.PutIeCookie("clicker@zzdrop[1].txt");
    bed_.PutIeCookie("clicker@zzheld[1].txt");
    bed_.PutIeCookie("clicker@trackme[1].txt");
    Open("-NUT");
    EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(page_, IDC_COOKIE_FOLDER)) == bed_.ieFolder + "\\"; }));

    // A word is added and applied at once.
    SendDlgItemMessageA(page_, IDC_FILTER_EDIT, WM_SETTEXT, 0, (LPARAM) "TrackMe");
    PressButton(page_, IDC_ADD);
    EXPECT_TRUE(WaitForRow("TrackMe"));
    EXPECT_EQ("1", Mark(cookiebed::kNuts, "TrackMe"));
    EXPECT_FALSE(bed_.HasIeCookie("clicker@trackme[1].txt"));

    PressButton(page_, IDC_VIEW_COOKIES);
    HWND rows = WaitForCookieList();
    ASSERT_NE(nullptr, rows);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 3; }));
    // Remove Checked, after its question: the checked cookies go, one that another program holds
    // open stays (silently) and is still listed, the unchecked one stays.
    HANDLE held = CreateFileA((bed_.ieFolder + "\\clicker@zzheld[1].txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    for (const char* name : {"clicker@zzdrop[1].txt", "clicker@zzheld[1].txt"})
        SetListCheck(run_, rows, FindListRow(run_, rows, 0, name), true);
    PressButton(window_, IDC_REMOVE_CHECKED);
    EXPECT_NE("<no box>", AnswerBox(IDYES, window_));
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 2; }));
    CloseHandle(held);
    EXPECT_FALSE(bed_.HasIeCookie("clicker@zzdrop[1].txt"));
    EXPECT_TRUE(bed_.HasIeCookie("clicker@zzheld[1].txt"));
    EXPECT_GE(FindListRow(run_, rows, 0, "clicker@zzheld[1].txt"), 0);
    EXPECT_TRUE(bed_.HasIeCookie("clicker@zzkeep[1].txt"));
    EXPECT_EQ(nullptr, WaitForDialog(window_, 500)) << "no message about the held file";
    CloseCookieList();

    // More files than the list holds: the window says how many it could not show.
    for (int i = 0; i < 330; ++i) bed_.PutIeCookie("clicker@news" + std::to_string(1000 + i) + "[1].txt");
    PressButton(page_, IDC_VIEW_COOKIES);
    rows = WaitForCookieList();
    ASSERT_NE(nullptr, rows);
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 325; }));
    std::string status = WindowText(GetDlgItem(window_, IDC_STATUS_BAR));
    EXPECT_EQ(0u, status.find("7 more cookies are not listed")) << status;
    CloseCookieList();

    // Removing the word takes it off the page and out of the key.
    Select({"TrackMe"});
    PressButton(page_, IDC_REMOVE);
    EXPECT_TRUE(WaitFor([&] { return Row("TrackMe") < 0; }));
    EXPECT_EQ("<missing>", Mark(cookiebed::kNuts, "TrackMe"));
}

TEST_F(CookiesPage, MozillaRemoveUncheckedKeepsTheCheckedCookies)
{
    SetOption("Browser", "6");
    SetOption("ViewCookies", "0");
    SetOption("SortCookie", "0");
    // Two cookies of one title ("keep.example - sid"): kept and removed one by one.
    const std::string keep = ".keep.example\tTRUE\t/k\tTRUE\t1893456000\tsid\tkv\n";
    const std::string drop = "keep.example\tFALSE\t/d\tFALSE\t1893456000\tsid\tdv\n";
    bed_.PutCookiesTxt("# Netscape HTTP Cookie File\n" + keep + drop + "last.example\tFALSE\t/\tFALSE\t0\tlid\tlv");
    Open("-COOKIE");
    HWND rows = WaitForCookieList();
    ASSERT_NE(nullptr, rows);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 3; }));
    int keepRow = FindListRow(run_, rows, 2, "/k");
    ASSERT_GE(keepRow, 0);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window_, IDC_VIEW_COOKIE)));

    SetListCheck(run_, rows, keepRow, true);
    SetListCheck(run_, rows, FindListRow(run_, rows, 0, "last.example - lid"), true);
    PressButton(window_, IDC_REMOVE_UNCHECKED);
    EXPECT_NE("<no box>", AnswerBox(IDYES, window_));
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 2; }));
    EXPECT_LT(FindListRow(run_, rows, 2, "/d"), 0);
    EXPECT_TRUE(ListChecked(rows, FindListRow(run_, rows, 2, "/k")));
    EXPECT_EQ("2", Mark(cookiebed::kNuts, MarkName(drop)));
    EXPECT_EQ("1", Mark(cookiebed::kKept, MarkName(keep)));
    CloseCookieList();
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("0", Option("ViewCookies"));
}
