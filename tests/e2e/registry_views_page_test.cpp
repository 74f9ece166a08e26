// The real console on a 64-bit Windows (the wine64 prefix): a title in the machine's Run key of
// both registry views is two rows, and the Properties of each say which view it starts from.
#include "support/console_fixture.h"

#include <algorithm>

TEST_F(ConsoleTest, ATitleInBothViewsIsTwoRowsThatEachNameTheirView)
{
    SavedKey native(HKEY_LOCAL_MACHINE, kRunKey), view32(HKEY_LOCAL_MACHINE, In32BitView(kRunKey));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kRunKey, "Twin Tool", "C:\\tools\\twin64.exe"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRunKey), "Twin Tool", "C:\\tools\\twin32.exe"));
    Open();

    std::vector<std::string> shown;  // "program: location" of each row of the title
    const std::vector<std::string> titles = ListColumn(run_, list_, 0);
    for (int row = 0; row < (int)titles.size(); ++row) {
        if (titles[(size_t)row] != "Twin Tool") continue;
        SelectListRows(run_, list_, {row});
        PressButton(page_, IDC_INFO);
        HWND dialog = WaitForDialog();
        ASSERT_TRUE(dialog && WaitFor([&] { return !WindowText(GetDlgItem(dialog, IDC_PROP_LOCATION)).empty(); }));
        shown.push_back(ListCell(run_, list_, row, 1) + ": " + WindowText(GetDlgItem(dialog, IDC_PROP_LOCATION)));
        PressButton(dialog, IDOK);
        ASSERT_TRUE(WaitGone(dialog));
    }
    std::sort(shown.begin(), shown.end());
    const std::string at = "Startup Location: HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_EQ((std::vector<std::string>{"twin32.exe: " + at + " (32-bit)", "twin64.exe: " + at}), shown);
}
