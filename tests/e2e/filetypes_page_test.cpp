// The File Types page of the real console: the snapshot made at start-up, a type added through
// the Add File Type Extension dialog (with its refusals) and removed again, read back from the
// three snapshot keys after each step; the dialog's own remembered place; sorting.
#include "filetypes/filetype_text.h"
#include "foundations/registry.h"
#include "integration/filetype_bed.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class FileTypesPage : public ::testing::Test {
protected:
    void SetUp() override { EndAllCopies(); }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
    }
    void Open()
    {
        ASSERT_TRUE(StartConsole("-FILETYPE", run_));
        page_ = ActivePage(run_.sheet);
        list_ = GetDlgItem(page_, IDC_LIST);
        ASSERT_NE(nullptr, list_);
    }
    int Row(const char* extension) { return FindListRow(run_, list_, 3, extension); }
    HWND OpenAddDialog()
    {
        PressButton(page_, IDC_ADD);
        HWND dialog = nullptr;
        WaitFor([&] { return (dialog = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, run_.sheet)) != nullptr; });
        return dialog;
    }
    // A visible message box (a dialog with the static 0xFFFF) of the process in data.
    static BOOL CALLBACK MatchBox(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search->first && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) search->second = window;
        return search->second == nullptr;
    }
    // The text of the message box that appears, answered with OK; empty when none came.
    std::string AnswerBox()
    {
        std::pair<DWORD, HWND> search(run_.process.dwProcessId, nullptr);
        if (!WaitFor([&] { return !EnumWindows(MatchBox, (LPARAM)&search) && search.second; })) return "";
        HWND box = search.second;
        WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); });
        std::string shown = WindowText(GetDlgItem(box, 0xFFFF));
        PressButton(box, IDOK);
        WaitFor([&] { return !IsWindow(box); });
        return shown;
    }
    // The window with the keyboard focus in the window's thread.
    static HWND FocusIn(HWND window)
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
    }
    static RECT WindowRect(HWND window)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return rect;
    }
    // The console's frame has the rectangle it had when the test began.
    bool FrameStayed(const RECT& frame) const
    {
        RECT now = WindowRect(run_.sheet);
        return EqualRect(&frame, &now) != FALSE;
    }
    static std::string Placement(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name); }

    FileTypeBed bed_;
    ConsoleRun run_;
    HWND page_ = nullptr, list_ = nullptr;
};

}  // namespace

TEST_F(FileTypesPage, ATypeIsAddedThroughTheDialogAndRemovedAgain)
{
    bed_.Plant(".sbs", "vkft.sbs", "open", "\"C:\\tools\\sbsview.exe\" \"%1\"", "Storyboard");
    bed_.Plant(".vkfa", "vkft.open", "open", "rundll32.exe C:\\tools\\viewer.dll,Show %1", "Planted Viewer");
    // The first start finds no snapshot and makes it from the default list.
    Open();
    EXPECT_EQ(37u, SplitMonitoredList(bed_.List().c_str()).size());
    EXPECT_EQ("Do not edit", bed_.ExtType(nullptr));
    EXPECT_EQ("vkft.sbs", bed_.Ext(".SBS"));
    ASSERT_TRUE(WaitFor([&] { return Row(".SBS") >= 0; }));
    EXPECT_EQ("Storyboard", ListCell(run_, list_, Row(".SBS"), 0));
    EXPECT_EQ("SBSVIEW.EXE", ListCell(run_, list_, Row(".SBS"), 1));
    EXPECT_LT(Row(".vkfa"), 0);

    // Info names the extension in the Properties dialog's notes.
    SelectListRows(run_, list_, {Row(".SBS")});
    PressButton(page_, IDC_INFO);
    HWND info = WaitForWindow(run_);
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(info, IDC_PROP_NOTES)) == "File Type Extension: .SBS"; }))
        << WindowText(GetDlgItem(info, IDC_PROP_NOTES));
    PressButton(info, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(info); }));

    HWND dialog = OpenAddDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Add File Type Extension", WindowText(dialog));
    HWND edit = GetDlgItem(dialog, IDC_ADDTYPE_EDIT);
    EXPECT_TRUE(WaitFor([&] { return FocusIn(dialog) == edit; })) << "ready for typing";
    const std::string full = std::string(1017, 'x') + ";";
    const struct {
        const char* typed;
        const char* list;  // planted before Add; nullptr keeps it
        const char* refusal;
    } refusals[] = {
        {"vkfz", nullptr, "invalid or does not exist"},
        {".sbs", nullptr, "already being monitored"},
        {"vkfa", full.c_str(), "maximum number of file types"},
    };
    const std::string list = bed_.List();
    for (const auto& row : refusals) {
        SCOPED_TRACE(row.typed);
        if (row.list) bed_.SetList(row.list);
        SetDlgItemTextA(dialog, IDC_ADDTYPE_EDIT, row.typed);
        PressButton(dialog, IDOK);
        EXPECT_NE(std::string::npos, AnswerBox().find(row.refusal));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "open for another try";
        DWORD start = 1, end = 0;
        EXPECT_TRUE(WaitFor([&] {
            SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
            return FocusIn(dialog) == edit && start == 0 && end == strlen(row.typed);
        })) << "the typed text selected in the focused field";
    }
    EXPECT_EQ("<missing>", bed_.Ext(".vkfa"));
    bed_.SetList(list);

    SetDlgItemTextA(dialog, IDC_ADDTYPE_EDIT, "VKFA");
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(WaitFor([&] { return Row(".VKFA") >= 0; }));
    EXPECT_EQ(list + "VKFA;", bed_.List());
    EXPECT_EQ("vkft.open", bed_.Ext(".VKFA"));
    EXPECT_EQ("1", bed_.ExtType(".VKFA"));
    EXPECT_EQ("rundll32.exe C:\\tools\\viewer.dll,Show %1", bed_.ClassCommand("vkft.open"));
    EXPECT_EQ("Planted Viewer", ListCell(run_, list_, Row(".VKFA"), 0));
    EXPECT_EQ("VIEWER.DLL", ListCell(run_, list_, Row(".VKFA"), 1));
    EXPECT_EQ("vkft.open", ListCell(run_, list_, Row(".VKFA"), 2));

    SelectListRows(run_, list_, {Row(".VKFA")});
    PressButton(page_, IDC_REMOVE);
    ASSERT_TRUE(WaitFor([&] { return Row(".VKFA") < 0; }));
    EXPECT_EQ(list, bed_.List());
    EXPECT_EQ("<missing>", bed_.Ext(".VKFA"));
    EXPECT_EQ("<missing>", bed_.ExtType(".VKFA"));
    EXPECT_EQ("<missing>", bed_.ClassCommand("vkft.open"));
    EXPECT_EQ("vkft.sbs", bed_.Ext(".SBS"));

    // No row selected after the refill: Remove says so.
    PressButton(page_, IDC_REMOVE);
    EXPECT_NE(std::string::npos, AnswerBox().find("to selec the program you'd like to remove"));
    PressButton(page_, IDC_INFO);
    EXPECT_NE(std::string::npos, AnswerBox().find("learn more about"));
}

TEST_F(FileTypesPage, TheDialogComesBackWhereItWasAndTheConsoleStays)
{
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xPosAddFileType", "23");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "yPosAddFileType", "31");
    Open();
    const RECT frame = WindowRect(run_.sheet);
    HWND dialog = OpenAddDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(WaitFor([&] { return WindowRect(dialog).left == 23 && WindowRect(dialog).top == 31; }))
        << WindowRect(dialog).left << "," << WindowRect(dialog).top;
    EXPECT_TRUE(FrameStayed(frame)) << "the console did not move";

    // Moved by the user and closed: its own place is remembered, the console's is not touched.
    SetWindowPos(dialog, nullptr, 57, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([&] { return WindowRect(dialog).left == 57; }));
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ("57", Placement("xPosAddFileType"));
    EXPECT_EQ("44", Placement("yPosAddFileType"));
    EXPECT_TRUE(FrameStayed(frame));

    dialog = OpenAddDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(WaitFor([&] { return WindowRect(dialog).left == 57 && WindowRect(dialog).top == 44; }));
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(FrameStayed(frame));
    for (const char* name : {"xPosAddFileType", "yPosAddFileType", "dxPosAddFileType", "dyPosAddFileType"})
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, name);
}

TEST_F(FileTypesPage, ClickingAHeaderTwiceReversesTheOrderAndIsRemembered)
{
    bed_.Plant(".vkfa", "vkft.a", "open", "C:\\tools\\a.exe", "Zulu Type");
    bed_.Plant(".vkfb", "vkft.b", "open", "C:\\tools\\b.exe", "Alpha Type");
    bed_.SetList("vkfa;vkfb;");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortFileType", "0");
    PutRegString(HKEY_CURRENT_USER, FileTypeBed::kExtTypeKey, nullptr, "Do not edit");
    Open();
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list_) == 2; }));
    EXPECT_EQ(".vkfa", ListCell(run_, list_, 0, 3)) << "each visit shows the types by extension";
    ClickListColumn(run_, page_, list_, 0);
    EXPECT_EQ("Zulu Type", ListCell(run_, list_, 0, 0)) << "Title was set to sort in reverse";
    ClickListColumn(run_, page_, list_, 0);
    EXPECT_EQ("Alpha Type", ListCell(run_, list_, 0, 0));
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortFileType"));
    // No row: no menu.
    SelectListRows(run_, list_, {});
    RightClickList(run_, page_, list_);
    EXPECT_EQ(nullptr, WaitForWindow(run_, "#32768", 800));
}
