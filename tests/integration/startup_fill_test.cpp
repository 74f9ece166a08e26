// The Startup Programs page's fill reads each program once per fill, and afresh at the next.
#include "startup_bed.h"

#include "foundations/version_info.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "shell_fixture.h"

namespace {

class StartupFill : public bed::StartupBed {
protected:
    void SetUp() override
    {
        bed::StartupBed::SetUp();
        shell_fixture::InitControls();
        host_ = shell_fixture::CreateHost(0, 0, 700, 500);
        page_ = shell_fixture::CreatePage(host_, IDD_STARTUP_PAGE);
        ASSERT_NE(nullptr, page_);
        list_ = GetDlgItem(page_, IDC_LIST);
        const UINT columns[] = {IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_VERSION};
        for (int column = 0; column < 3; ++column) AddListColumnById(list_, column, columns[column], CMD_STARTUP_PAGE);
        // The page's own procedure fills the list; the fixture's procedure stays for its creation
        // and destruction, so that nothing else of the page runs.
        SetWindowLongPtrA(page_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(StartupPageProc));
    }
    void TearDown() override
    {
        if (page_)
            SetWindowLongPtrA(page_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(shell_fixture::RecordingDialogProc));
        ForgetImageLists();
        FreeEntries();
        DestroyWindow(host_);
        DeleteFileA(program_.c_str());
        bed::StartupBed::TearDown();
    }
    std::string VersionCell(const char* title)
    {
        SendMessageA(page_, MSG_REFILL, 0, 0);
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = title;
        int row = (int)SendMessageA(list_, LVM_FINDITEMA, (WPARAM)-1, reinterpret_cast<LPARAM>(&find));
        char text[128] = "";
        LVITEMA item = {};
        item.iSubItem = 2;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (row >= 0) SendMessageA(list_, LVM_GETITEMTEXTA, (WPARAM)row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static std::string ProductVersion(const std::string& file)
    {
        VersionFields fields;
        ReadVersionFields(file.c_str(), &fields);
        return fields.productVersion;
    }

    HWND host_ = nullptr;
    HWND page_ = nullptr;
    HWND list_ = nullptr;
    std::string program_ = TempPath("vgk_replaced.exe");
};

}  // namespace

TEST_F(StartupFill, AProgramReplacedBetweenTwoFillsShowsItsNewVersion)
{
    bed::SetRun(KIND_CURRENT_RUN, "Replaced Tool", program_ + " /min");
    bed::SetRun(KIND_MACHINE_RUN, "Same Program", program_);
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), program_.c_str(), FALSE));
    std::string before = ProductVersion(program_);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before, VersionCell("Replaced Tool"));

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_TRUE(CopyFileA((std::string(windows) + "\\regedit.exe").c_str(), program_.c_str(), FALSE));
    std::string after = ProductVersion(program_);
    ASSERT_FALSE(after.empty());
    ASSERT_NE(before, after);
    EXPECT_EQ(after, VersionCell("Replaced Tool"));
    EXPECT_EQ(after, VersionCell("Same Program"));  // the same program on another row of the fill
}
