// The Startup Programs page's fill reads each program once per fill, and afresh at the next.
#include "startup_bed.h"

#include "foundations/version_info.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "shell_fixture.h"

class StartupFill : public bed::StartupBed {};

TEST_F(StartupFill, AProgramReplacedBetweenTwoFillsShowsItsNewVersionOnEveryRow)
{
    shell_fixture::InitControls();
    HWND host = shell_fixture::CreateHost(0, 0, 700, 500), page = shell_fixture::CreatePage(host, IDD_STARTUP_PAGE);
    ASSERT_NE(nullptr, page);
    HWND list = GetDlgItem(page, IDC_LIST);
    const UINT columns[] = {IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_VERSION};
    for (int column = 0; column < 3; ++column) AddListColumnById(list, column, columns[column], CMD_STARTUP_PAGE);
    // The page's own procedure fills the list; the fixture's stays for its creation and destruction.
    SetWindowLongPtrA(page, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(StartupPageProc));
    const std::string program = TempPath("vgk_replaced.exe");
    bed::SetRun(KIND_CURRENT_RUN, "Replaced Tool", program + " /min");
    bed::SetRun(KIND_MACHINE_RUN, "Same Program", program);
    auto versions = [&] {  // the version cells of the two rows, after a fill
        SendMessageA(page, MSG_REFILL, 0, 0);
        std::string cells;
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            char text[128] = "";
            ListView_GetItemText(list, row, 2, text, sizeof text);
            cells += std::string(text) + "|";
        }
        return cells;
    };
    auto productVersion = [&] {
        VersionFields fields;
        ReadVersionFields(program.c_str(), &fields);
        return std::string(fields.productVersion);
    };
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), program.c_str(), FALSE));
    const std::string before = productVersion();
    EXPECT_EQ(before + "|" + before + "|", versions());
    ASSERT_TRUE(CopyFileA((std::string(windows) + "\\regedit.exe").c_str(), program.c_str(), FALSE));
    const std::string after = productVersion();
    ASSERT_NE(before, after);
    EXPECT_EQ(after + "|" + after + "|", versions());
    SetWindowLongPtrA(page, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(shell_fixture::RecordingDialogProc));
    ForgetImageLists();
    FreeEntries();
    DestroyWindow(host);
    DeleteFileA(program.c_str());
}
