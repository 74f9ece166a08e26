// The IE Helpers page of the real console with the test add-on registered by the prefix's
// regsvr32: its rows and status bar, and Remove, which asks first (the removal, its
// unregistering and its undo are the IE helper integration tests').
#include "support/addon.h"
#include "support/console_fixture.h"

namespace {

class IeHelpersPage : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        RemoveAddonRegistrations();
        ASSERT_TRUE(InstallAddon(AddonPath()));
        Open("-BHO");
        ASSERT_TRUE(WaitFor([&] { return Row("BHO") >= 0; }));
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        RemoveAddonRegistrations();
        DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY "\\RemovedIEHelpers");
    }
    // The test add-on's row of a type, -1 when there is none.
    int Row(const char* type)
    {
        for (int row = 0; row < ListView_GetItemCount(list_); ++row)
            if (ListCell(run_, list_, row, 1) == "test addon.dll" && ListCell(run_, list_, row, 4) == type) return row;
        return -1;
    }
};

}  // namespace

TEST_F(IeHelpersPage, RowsShowTheServerAndRemoveAsksFirst)
{
    for (const char* type : {"BHO", "TOOLBAR", "EXTENSION"}) {
        int row = Row(type);
        ASSERT_GE(row, 0) << type;
        EXPECT_EQ(TEST_ADDON_PRODUCT "|" TEST_ADDON_COMPANY "|" TEST_ADDON_VERSION,
                  ListCell(run_, list_, row, 0) + "|" + ListCell(run_, list_, row, 2) + "|" + ListCell(run_, list_, row, 3));
    }
    // The status bar says where the selected add-on is registered.
    SelectListRows(run_, list_, {Row("TOOLBAR")});
    HWND status = GetDlgItem(run_.sheet, IDC_STATUS_BAR);
    EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Location: HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar"; }))
        << WindowText(status);

    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY);
    SelectListRows(run_, list_, {Row("BHO")});
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE("<no box>", AnswerBox(IDNO));
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY)) << "No removes nothing";
    EXPECT_EQ("", ReadWholeFile(HistoryFile()));
    SelectListRows(run_, list_, {Row("BHO")});
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE("<no box>", AnswerBox(IDYES));
    ASSERT_TRUE(WaitFor([&] { return Row("BHO") < 0; }));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_GE(Row("TOOLBAR"), 0);
}
