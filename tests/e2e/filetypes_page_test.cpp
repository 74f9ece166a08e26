// The File Types page of the real console: a type added through the Add File Type Extension
// dialog (a refusal keeps the dialog open for another try) and removed again, Info, and the
// page without a selection. The snapshot keys and every refusal are the file-type integration
// tests'.
#include "integration/filetype_bed.h"
#include "support/console_fixture.h"

namespace {

class FileTypesPage : public ConsoleTest {
protected:
    FileTypeBed bed_;
};

}  // namespace

TEST_F(FileTypesPage, ATypeIsAddedThroughTheDialogAndRemovedAgain)
{
    bed_.Plant(".sbs", "vkft.sbs", "open", "\"C:\\tools\\sbsview.exe\" \"%1\"", "Storyboard");
    bed_.Plant(".vkfa", "vkft.open", "open", "rundll32.exe C:\\tools\\viewer.dll,Show %1", "Planted Viewer");
    Open("-FILETYPE");  // the first start makes the snapshot from the default list
    ASSERT_TRUE(WaitForRow(".SBS", 3));
    EXPECT_EQ("Storyboard", ListCell(run_, list_, Row(".SBS", 3), 0));
    EXPECT_EQ("SBSVIEW.EXE", ListCell(run_, list_, Row(".SBS", 3), 1));
    EXPECT_LT(Row(".vkfa", 3), 0);

    // Info names the extension in the Properties dialog's notes.
    Select({".SBS"}, 3);
    PressButton(page_, IDC_INFO);
    HWND info = WaitForDialog();
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(info, IDC_PROP_NOTES)) == "File Type Extension: .SBS"; }));
    PressButton(info, IDOK);
    ASSERT_TRUE(WaitGone(info));

    PressButton(page_, IDC_ADD);
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Add File Type Extension", WindowText(dialog));
    SetDlgItemTextA(dialog, IDC_ADDTYPE_EDIT, ".sbs");
    PressButton(dialog, IDOK);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK, dialog).find("already being monitored"));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "open for another try";
    SetDlgItemTextA(dialog, IDC_ADDTYPE_EDIT, "VKFA");
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(WaitForRow(".VKFA", 3));  // its cells are made as the other rows' are
    Select({".VKFA"}, 3);
    PressButton(page_, IDC_REMOVE);
    ASSERT_TRUE(WaitFor([&] { return Row(".VKFA", 3) < 0; }));
    EXPECT_GE(Row(".SBS", 3), 0);

    // No row selected after the refill: Remove and Info say so.
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK).find("to selec the program you'd like to remove"));
    PressButton(page_, IDC_INFO);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK).find("learn more about"));
}
