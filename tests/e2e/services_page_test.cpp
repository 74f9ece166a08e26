// The Services page of the real console with a real service of the prefix: its row, Info
// opening Properties, Stop, a new start type applied, the history lines, the refill with the
// same row selected; and the check box that hides Microsoft's services.
#include "support/console_fixture.h"
#include "support/test_service.h"

namespace {

class ServicesPage : public ConsoleTest {
protected:
    bool HistoryHas(const std::string& text)
    {
        return WaitFor([&] { return ReadWholeFile(HistoryFile()).find(text) != std::string::npos; });
    }
};

}  // namespace

TEST_F(ServicesPage, ARealServiceIsStoppedAndGivenAnotherStartTypeAndMicrosoftsServicesAreHidden)
{
    TestService service("VkE2eService", "Vigilark E2E Service");
    ASSERT_TRUE(service.Registered() && service.Start());
    const std::string title = service.DisplayName();
    SetOption("HideMicrosoftServices", "0");
    Open("-SERVICE");
    ASSERT_EQ(" Services ", ActiveTabText(run_));
    ASSERT_TRUE(WaitForRow(title));
    int row = Row(title);

    Select({title});
    PressButton(page_, IDC_INFO);
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    HWND status = GetDlgItem(dialog, IDC_PROP_STATUS), stop = GetDlgItem(dialog, IDC_PROP_KILL);
    HWND apply = GetDlgItem(dialog, IDC_PROP_APPLY), startType = GetDlgItem(dialog, IDC_PROP_STARTTYPE);
    EXPECT_EQ(title, WindowText(dialog));
    EXPECT_EQ("Running", WindowText(status));
    EXPECT_TRUE(IsWindowEnabled(stop));
    EXPECT_FALSE(IsWindowEnabled(apply));

    PressButton(dialog, IDC_PROP_KILL);
    ASSERT_TRUE(service.WaitForState(SERVICE_STOPPED));
    // The refill: a stopped service does not answer, so its state is blank and Stop is off.
    ASSERT_TRUE(WaitFor([&] { return WindowText(status).empty() && !IsWindowEnabled(stop); }));
    EXPECT_TRUE(HistoryHas("\tSERVICE_Stop\tSERVICE_EXE\t" + title + "\t"));

    EXPECT_EQ(1, (int)SendMessageA(startType, CB_GETCURSEL, 0, 0)) << "Manual";
    SendMessageA(startType, CB_SETCURSEL, 2, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_STARTTYPE, CBN_SELCHANGE), (LPARAM)startType);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
    PressButton(dialog, IDC_PROP_APPLY);
    ASSERT_TRUE(WaitFor([&] { return service.RegistryStart() == SERVICE_DISABLED && !IsWindowEnabled(apply); }));
    ASSERT_TRUE(HistoryHas("\tSERVICE_Disabled\tSERVICE_EXE\t" + title + "\t"));
    std::string history = ReadWholeFile(HistoryFile());
    size_t from = history.find("\tSERVICE_from_Manual\tSERVICE_EXE\t" + title + "\t");
    EXPECT_NE(std::string::npos, from) << history;
    EXPECT_LT(from, history.find("\tSERVICE_Disabled\t")) << "the old start type first";

    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    // Filled again, with the same row number selected.
    ASSERT_TRUE(WaitFor([&] { return ListCell(run_, list_, row, 3) == "Disabled"; }));
    EXPECT_EQ(title + "| ", ListCell(run_, list_, row, 0) + "|" + ListCell(run_, list_, row, 2));
    EXPECT_EQ(row, (int)SendMessageA(list_, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED));

    // The check box hides Microsoft's services: Wine's own service DLLs name Microsoft as their
    // company; this test's program names none.
    int all = ListView_GetItemCount(list_);
    SendDlgItemMessageA(page_, IDC_HIDE_MS_SERVICES, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return Option("HideMicrosoftServices") == "1"; }));
    int own = ListView_GetItemCount(list_);
    EXPECT_LT(own, all);
    EXPECT_GE(Row(title), 0);
}
