// The File Types page of the real console: a type added through the Add File Type Extension
// dialog (a refusal keeps the dialog open for another try) and removed again, Info, the page
// without a selection, and the dialog's own remembered place. The snapshot keys and every
// refusal are the file-type integration tests'.
#include "integration/filetype_bed.h"
#include "support/console_fixture.h"

#include <cstring>

namespace {

class FileTypesPage : public ConsoleTest {
protected:
    HWND OpenAddDialog()
    {
        PressButton(page_, IDC_ADD);
        return WaitForDialog();
    }
    // The window with the keyboard focus in the window's thread.
    static HWND FocusIn(HWND window)
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
    }
    static POINT Corner(HWND window)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return {rect.left, rect.top};
    }

    FileTypeBed bed_;
};

}  // namespace

TEST_F(FileTypesPage, ATypeIsAddedThroughTheDialogThatComesBackWhereItWasLeftAndRemovedAgain)
{
    bed_.Plant(".sbs", "vkft.sbs", "open", "\"C:\\tools\\sbsview.exe\" \"%1\"", "Storyboard");
    bed_.Plant(".vkfa", "vkft.open", "open", "rundll32.exe C:\\tools\\viewer.dll,Show %1", "Planted Viewer");
    SavedKey program(HKEY_CURRENT_USER, VIGILARK_KEY);
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xPosAddFileType", "23");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "yPosAddFileType", "31");
    Open("-FILETYPE");  // the first start makes the snapshot from the default list
    const POINT sheet = Corner(run_.sheet);
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

    HWND dialog = OpenAddDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Add File Type Extension", WindowText(dialog));
    EXPECT_TRUE(WaitFor([&] { return Corner(dialog).x == 23 && Corner(dialog).y == 31; })) << "where it was left";
    HWND edit = GetDlgItem(dialog, IDC_ADDTYPE_EDIT);
    EXPECT_TRUE(WaitFor([&] { return FocusIn(dialog) == edit; })) << "ready for typing";
    SetDlgItemTextA(dialog, IDC_ADDTYPE_EDIT, ".sbs");
    PressButton(dialog, IDOK);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK, nullptr, dialog).find("already being monitored"));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "open for another try";
    DWORD start = 1, end = 0;
    EXPECT_TRUE(WaitFor([&] {
        SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        return FocusIn(dialog) == edit && start == 0 && end == 4;
    })) << "the typed text selected in the focused field";

    SetWindowPos(dialog, nullptr, 57, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // moved by the user
    ASSERT_TRUE(WaitFor([&] { return Corner(dialog).x == 57; }));
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

    // The dialog comes back where the user left it; the console never moves.
    dialog = OpenAddDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(WaitFor([&] { return Corner(dialog).x == 57 && Corner(dialog).y == 44; }))
        << Corner(dialog).x << "," << Corner(dialog).y;
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_EQ(sheet.x, Corner(run_.sheet).x);
    EXPECT_EQ(sheet.y, Corner(run_.sheet).y);
}
