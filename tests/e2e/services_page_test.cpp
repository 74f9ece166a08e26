// The Services page of the real console with a real service of the prefix: its row, Info
// opening Properties, Stop, a new start type applied, the history lines, the refill with the
// same row selected; and the check box that hides Microsoft's services.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/test_service.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>

namespace {

class ServicesPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        DeleteFileA(History().c_str());
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        DeleteFileA(History().c_str());
    }
    static std::string History() { return BesideTestProgram("history.txt"); }
    HWND OpenServicesPage()
    {
        if (!StartConsole("-SERVICE", run_)) return nullptr;
        HWND page = nullptr;
        WaitFor([&] { return (page = ActivePage(run_.sheet)) != nullptr && ActiveTabText(run_) == " Services "; });
        return page;
    }
    ConsoleRun run_;
};

std::string Lower(std::string text)
{
    for (char& c : text) c = (char)tolower((unsigned char)c);
    return text;
}

}  // namespace

TEST_F(ServicesPage, ARealServiceIsStoppedAndGivenAnotherStartTypeFromItsProperties)
{
    TestService service("VkE2eService", "Vigilark E2E Service");
    ASSERT_TRUE(service.Registered());
    ASSERT_TRUE(service.Start());
    const std::string title = service.DisplayName();
    HWND page = OpenServicesPage();
    ASSERT_NE(nullptr, page);
    HWND list = GetDlgItem(page, IDC_LIST);
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = FindListRow(run_, list, 0, title)) >= 0; }));
    EXPECT_EQ("test_service.exe", Lower(ListCell(run_, list, row, 1)));
    EXPECT_EQ("Running", ListCell(run_, list, row, 2));
    EXPECT_EQ("Manual", ListCell(run_, list, row, 3));

    SelectListRows(run_, list, {row});
    PressButton(page, IDC_INFO);
    HWND dialog = WaitForWindow(run_);
    ASSERT_NE(nullptr, dialog);
    HWND status = GetDlgItem(dialog, IDC_PROP_STATUS);
    HWND stop = GetDlgItem(dialog, IDC_PROP_KILL);
    HWND apply = GetDlgItem(dialog, IDC_PROP_APPLY);
    EXPECT_EQ(title, WindowText(dialog));
    EXPECT_EQ("Running", WindowText(status));
    EXPECT_EQ("&Stop", WindowText(stop));
    EXPECT_TRUE(IsWindowEnabled(stop));
    EXPECT_FALSE(IsWindowEnabled(apply));
    SaveScreenshot(dialog, "services-properties.bmp");

    PressButton(dialog, IDC_PROP_KILL);
    ASSERT_TRUE(service.WaitForState(SERVICE_STOPPED));
    // The refill: a stopped service does not answer, so its state is blank and Stop is off.
    ASSERT_TRUE(WaitFor([&] { return WindowText(status).empty() && !IsWindowEnabled(stop); }));
    std::string history;
    ASSERT_TRUE(WaitFor([&] {
        history = ReadWholeFile(History());
        return history.find("\tSERVICE_Stop\tSERVICE_EXE\t" + title + "\t") != std::string::npos;
    })) << history;

    HWND startType = GetDlgItem(dialog, IDC_PROP_STARTTYPE);
    EXPECT_EQ(1, (int)SendMessageA(startType, CB_GETCURSEL, 0, 0)) << "Manual";
    SendMessageA(startType, CB_SETCURSEL, 2, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_STARTTYPE, CBN_SELCHANGE), (LPARAM)startType);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
    PressButton(dialog, IDC_PROP_APPLY);
    ASSERT_TRUE(WaitFor([&] { return service.RegistryStart() == SERVICE_DISABLED && !IsWindowEnabled(apply); }));
    ASSERT_TRUE(WaitFor([&] {
        history = ReadWholeFile(History());
        return history.find("\tSERVICE_Disabled\t") != std::string::npos;
    })) << history;
    size_t from = history.find("\tSERVICE_from_Manual\tSERVICE_EXE\t" + title + "\t");
    EXPECT_NE(std::string::npos, from) << history;
    EXPECT_LT(from, history.find("\tSERVICE_Disabled\tSERVICE_EXE\t" + title + "\t"));

    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    // Filled again, with the same row number selected.
    ASSERT_TRUE(WaitFor([&] { return ListCell(run_, list, row, 3) == "Disabled"; }));
    EXPECT_EQ(title, ListCell(run_, list, row, 0));
    EXPECT_EQ(" ", ListCell(run_, list, row, 2));
    EXPECT_EQ(row, (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED));
}

TEST_F(ServicesPage, TheCheckBoxHidesMicrosoftServicesAndIsRemembered)
{
    const std::string options = "Software\\Brondlewick\\Vigilark\\Options";
    SavedKey saved(HKEY_CURRENT_USER, options);
    TestService service("VkE2eOwnService", "Vigilark E2E Own Service");
    ASSERT_TRUE(service.Registered());
    PutRegString(HKEY_CURRENT_USER, options, "HideMicrosoftServices", "0");
    HWND page = OpenServicesPage();
    ASSERT_NE(nullptr, page);
    HWND list = GetDlgItem(page, IDC_LIST);
    HWND check = GetDlgItem(page, IDC_HIDE_MS_SERVICES);
    ASSERT_TRUE(WaitFor([&] { return FindListRow(run_, list, 0, service.DisplayName()) >= 0; }));
    int all = ListView_GetItemCount(list);

    SendMessageA(check, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, options, "HideMicrosoftServices") == "1"; }));
    int own = ListView_GetItemCount(list);
    // Wine's own service DLLs name Microsoft as their company; this test's program names none.
    EXPECT_LT(own, all);
    EXPECT_GE(FindListRow(run_, list, 0, service.DisplayName()), 0);

    CloseConsole(run_);
    run_ = ConsoleRun();
    page = OpenServicesPage();
    ASSERT_NE(nullptr, page);
    list = GetDlgItem(page, IDC_LIST);
    check = GetDlgItem(page, IDC_HIDE_MS_SERVICES);
    EXPECT_EQ(BST_CHECKED, (int)SendMessageA(check, BM_GETCHECK, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == own; }));
    SendMessageA(check, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == all; }));
    EXPECT_EQ("0", GetRegString(HKEY_CURRENT_USER, options, "HideMicrosoftServices"));
}
