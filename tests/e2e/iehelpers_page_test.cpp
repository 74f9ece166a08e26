// The IE Helpers page of the real console with the test add-on registered by the prefix's
// regsvr32: its rows, sorting by type, the removal question, and a removal that the real
// regsvr32 unregisters and the History dialog undoes exactly.
#include "foundations/registry.h"
#include "resource.h"
#include "support/addon.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace {

const char kRemovedKey[] = VIGILARK_KEY "\\RemovedIEHelpers";

class IeHelpersPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        RemoveAddonRegistrations();
        DeleteRegTree(HKEY_CURRENT_USER, kRemovedKey);
        DeleteFileA(BesideTestProgram("history.txt").c_str());
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortIEHelper", "0");
        ASSERT_TRUE(InstallAddon(AddonPath()));
    }
    void TearDown() override
    {
        SetKeyAccess(TEST_ADDON_BHO_KEY, KEY_OPEN_TO_ALL);
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        RemoveAddonRegistrations();
        DeleteRegTree(HKEY_CURRENT_USER, kRemovedKey);
    }
    void Open()
    {
        ASSERT_TRUE(StartConsole("-BHO", run_));
        page_ = ActivePage(run_.sheet);
        list_ = GetDlgItem(page_, IDC_LIST);
        ASSERT_NE(nullptr, list_);
        ASSERT_TRUE(WaitFor([&] { return Row("BHO") >= 0; }));
    }
    // The test add-on's row of a type, -1 when there is none.
    int Row(const char* type)
    {
        int rows = ListView_GetItemCount(list_);
        for (int row = 0; row < rows; ++row)
            if (ListCell(run_, list_, row, 1) == "test addon.dll" && ListCell(run_, list_, row, 4) == type) return row;
        return -1;
    }
    // The types of the add-on's rows, top to bottom.
    std::vector<std::string> Types()
    {
        std::vector<std::string> types;
        std::vector<std::string> programs = ListColumn(run_, list_, 1);
        std::vector<std::string> all = ListColumn(run_, list_, 4);
        for (size_t row = 0; row < programs.size(); ++row)
            if (programs[row] == "test addon.dll") types.push_back(all[row]);
        return types;
    }
    HWND AskToRemove(const char* type)
    {
        SelectListRows(run_, list_, {Row(type)});
        PressButton(page_, IDC_REMOVE);
        HWND question = WaitForWindow(run_);
        if (question) WaitFor([&] { return !WindowText(GetDlgItem(question, 0xFFFF)).empty(); });
        return question;
    }

    ConsoleRun run_;
    HWND page_ = nullptr, list_ = nullptr;
};

}  // namespace

TEST_F(IeHelpersPage, RowsShowTheServerAndSortByTypeAndNoRemovesNothing)
{
    Open();
    for (const char* type : {"BHO", "TOOLBAR", "EXTENSION"}) {
        SCOPED_TRACE(type);
        int row = Row(type);
        ASSERT_GE(row, 0);
        EXPECT_EQ(TEST_ADDON_PRODUCT, ListCell(run_, list_, row, 0));
        EXPECT_EQ(TEST_ADDON_COMPANY, ListCell(run_, list_, row, 2));
        EXPECT_EQ(TEST_ADDON_VERSION, ListCell(run_, list_, row, 3));
    }
    const std::vector<std::string> ascending = {"BHO", "EXTENSION", "TOOLBAR"};
    const std::vector<std::string> descending = {"TOOLBAR", "EXTENSION", "BHO"};
    ClickListColumn(run_, page_, list_, 4);
    EXPECT_EQ(ascending, Types());
    ClickListColumn(run_, page_, list_, 4);
    EXPECT_EQ(descending, Types());
    EXPECT_EQ("5", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortIEHelper"));

    // The status bar says where the selected add-on is registered (then that the monitor does
    // not know it yet).
    SelectListRows(run_, list_, {Row("TOOLBAR")});
    HWND status = FindWindowExA(run_.sheet, nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_NE(nullptr, status);
    EXPECT_TRUE(WaitFor([&] {
        return WindowText(status).find("Location: HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar") == 0;
    })) << WindowText(status);

    HWND question = AskToRemove("BHO");
    ASSERT_NE(nullptr, question);
    EXPECT_NE(std::string::npos, WindowText(GetDlgItem(question, 0xFFFF))
                                     .find("You have chosen to remove " TEST_ADDON_PRODUCT " from the Windows registry"));
    PressButton(question, IDNO);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }));
    EXPECT_NE("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_EQ("", ReadWholeFile(BesideTestProgram("history.txt")));

    SelectListRows(run_, list_, {});
    RightClickList(run_, page_, list_);
    EXPECT_EQ(nullptr, WaitForWindow(run_, "#32768", 800)) << "no row, no menu";
}

TEST_F(IeHelpersPage, ARemovedHelperIsUnregisteredAndTheHistoryDialogBringsItBackExactly)
{
    // The helper is the last add-on and the last class of its server; its key has a subkey and a number.
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    DeleteRegValue(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR);
    DeleteRegTree(HKEY_CLASSES_ROOT, "CLSID\\" TEST_ADDON_TOOLBAR);
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY, "NoExplorer", std::string("\1\0\0\0", 4), REG_DWORD));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY "\\Settings", "Mode", "quiet"));
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY);
    Open();

    HWND question = AskToRemove("BHO");
    ASSERT_NE(nullptr, question);
    PressButton(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return Row("BHO") < 0; }));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_FALSE(ClassRegistered(TEST_ADDON_BHO)) << "regsvr32 /u got the quoted path";
    EXPECT_NE(std::string::npos, ReadWholeFile(BesideTestProgram("history.txt"))
                                     .find("\tIEHELPER_Remove\tTYPE_BHO\ttest addon.dll\t" + AddonPath() + "\t"));

    HWND history = OpenHistoryDialog(run_);
    ASSERT_NE(nullptr, history);
    HWND lines = GetDlgItem(history, IDC_LIST);
    int line = -1;
    ASSERT_TRUE(WaitFor([&] { return (line = FindListRow(run_, lines, 0, "test addon.dll")) >= 0; }));
    EXPECT_EQ("IEHELPER_Remove", ListCell(run_, lines, line, 1));
    EXPECT_EQ("TYPE_BHO", ListCell(run_, lines, line, 2));
    SelectListRows(run_, lines, {line});
    DoubleClickList(run_, history, lines);
    ASSERT_TRUE(WaitFor([&] { return DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY) != "<missing>"; }));
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY)) << "back exactly as it was";
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO)) << "registered again";
    PressButton(history, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(history); }));
}

TEST_F(IeHelpersPage, AHelperWindowsWillNotLetGoIsKeptAndTheUserIsTold)
{
    ASSERT_TRUE(SetKeyAccess(TEST_ADDON_BHO_KEY, KEY_UNDELETABLE));
    if (!DeleteRefused(TEST_ADDON_BHO_KEY)) GTEST_SKIP() << "Wine opened the key for DELETE although its DACL denies it";
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY);
    Open();

    HWND question = AskToRemove("BHO");
    ASSERT_NE(nullptr, question);
    PressButton(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }));
    HWND told = WaitForWindow(run_);
    ASSERT_NE(nullptr, told);
    ASSERT_TRUE(WaitFor([&] { return !WindowText(GetDlgItem(told, 0xFFFF)).empty(); }));
    EXPECT_NE(std::string::npos, WindowText(GetDlgItem(told, 0xFFFF))
                                     .find("The registration of " TEST_ADDON_PRODUCT " could not be removed"));
    PressButton(told, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(told); }));
    EXPECT_GE(Row("BHO"), 0);
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO)) << "nothing was unregistered";
    EXPECT_EQ("", ReadWholeFile(BesideTestProgram("history.txt"))) << "no line claims a removal";
}
