// The real cookie list window keeps and removes one Mozilla-based cookie by its whole
// identity: two cookies that share a title are two rows, and keeping one removes nothing of
// the other's keeping, nor the other of its removal.
#include "resource.h"
#include "support/console_fixture.h"
#include "support/cookie_bed.h"

#include <commctrl.h>

class CookieIdentity : public ConsoleTest {
protected:
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    cookiebed::Bed bed_;
};

TEST_F(CookieIdentity, OfTwoCookiesWithOneTitleTheCheckedOneIsKeptAndTheOtherRemoved)
{
    for (const char* option : {"ViewCookies", "SortCookie"}) PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, option, "0");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Browser", "6");
    const std::string plain = "example.com\tFALSE\t/\tFALSE\t1893456000\tid\tone\n";
    const std::string shop = ".example.com\tTRUE\t/shop\tFALSE\t1893456000\tid\ttwo\n";
    bed_.PutCookiesTxt(plain + shop);
    ASSERT_TRUE(StartConsole("-COOKIE", run_));
    HWND window = WaitForWindow(run_, "#32770", 30000);
    ASSERT_NE(nullptr, window);
    HWND rows = GetDlgItem(window, IDC_LIST);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 2; }));
    EXPECT_EQ((std::vector<std::string>{"example.com - id", "example.com - id"}), ListColumn(run_, rows, 0));
    SetListCheck(run_, rows, FindListRow(run_, rows, 2, "/shop"), true);
    PressButton(window, IDC_REMOVE_UNCHECKED);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, window)) && box != run_.sheet; }));
    PressButton(box, IDYES);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(rows) == 1; }));
    EXPECT_EQ("/shop", ListCell(run_, rows, 0, 2));
    EXPECT_TRUE(ListChecked(rows, 0));
    EXPECT_EQ(shop, bed_.CookiesNew());
    PressButton(window, IDCANCEL);
}
