// Click-to-sort on real lists: the order after each click, the remembered column in the
// settings, and the compare function of each list against the entry list.
//
// Needs the disabled-marker test of the startup slice and the first-run step of the settings
// store to link, so it joins tests/integration when those are merged.
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>
#include <winsvc.h>

#include <string>
#include <vector>

using namespace shell_fixture;

namespace {

class ListSort : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        FreeEntries();
        ResetSortDirections();
        SetCookieCompareSource(1);
        host = CreateHost(0, 0, 700, 500);
        page = CreatePage(host, IDD_STARTUP_PAGE);
        ASSERT_NE(nullptr, page);
        list = GetDlgItem(page, IDC_LIST);
        AddListColumnById(list, 0, IDS_COL_TITLE, CMD_STARTUP_PAGE);
        AddListColumnById(list, 1, IDS_COL_COMMAND, CMD_STARTUP_PAGE);
    }
    void TearDown() override
    {
        FreeEntries();
        DestroyWindow(host);
    }

    int Add(const char* title, const char* path, const char* extra = "", const char* detail = "", int kind = 1,
            int value = 0)
    {
        int index = EntryCount();
        EXPECT_EQ(1, AddEntry(title, path, extra, detail, kind, value));
        return index;
    }
    void InsertRows()
    {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        for (int i = 0; i < EntryCount(); ++i) {
            char title[ENTRY_TITLE_CHARS];
            GetEntryTitle(i, title);
            InsertListRow(list, title, i, 0);
        }
    }
    // The entry indexes of the rows, top to bottom.
    std::vector<int> Order()
    {
        std::vector<int> order;
        int count = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        for (int row = 0; row < count; ++row) {
            LVITEMA item = {};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            order.push_back((int)item.lParam);
        }
        return order;
    }
    static int Compare(int listKind, int a, int b, int column) { return CompareFunctionFor(listKind)(a, b, column); }

    ScratchKey maker{HKEY_CURRENT_USER, "Software\\Brondlewick"};
    ScratchKey program{HKEY_CURRENT_USER, VIGILARK_KEY};
    ScratchKey options{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    SavedValue sortStartup{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup"};
    SavedValue sortTasks{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortActiveTask"};
    SavedValue update{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"};
    HWND host = nullptr;
    HWND page = nullptr;
    HWND list = nullptr;
};

std::string SelfPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

}  // namespace

TEST_F(ListSort, ClickingAColumnThreeTimesSortsUpDownUpAndRemembersIt)
{
    int beta = Add("Beta", "C:\\Programs\\one.exe");
    int alpha = Add("alpha", "C:\\Programs\\two.exe");
    int gamma = Add("Gamma", "C:\\Programs\\three.exe");
    InsertRows();

    OnListColumnClick(list, CMD_STARTUP_PAGE, 0);
    EXPECT_EQ((std::vector<int>{alpha, beta, gamma}), Order());
    EXPECT_EQ(1, GetOption("SortStartup", 0));
    EXPECT_EQ("1", ReadValue(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"));

    OnListColumnClick(list, CMD_STARTUP_PAGE, 0);
    EXPECT_EQ((std::vector<int>{gamma, beta, alpha}), Order());
    EXPECT_EQ(1, GetOption("SortStartup", 0));

    OnListColumnClick(list, CMD_STARTUP_PAGE, 0);
    EXPECT_EQ((std::vector<int>{alpha, beta, gamma}), Order());
    EXPECT_EQ(1, GetOption("SortStartup", 0));

    // The Command column sorts by file name, whatever the folders.
    OnListColumnClick(list, CMD_STARTUP_PAGE, 1);
    EXPECT_EQ((std::vector<int>{beta, gamma, alpha}), Order());  // one, three, two
    EXPECT_EQ(2, GetOption("SortStartup", 0));

    // Columns past the fifth are not sorted and not remembered.
    OnListColumnClick(list, CMD_STARTUP_PAGE, 5);
    EXPECT_EQ((std::vector<int>{beta, gamma, alpha}), Order());
    EXPECT_EQ(2, GetOption("SortStartup", 0));
}

TEST_F(ListSort, ARefillSortsByTheStoredColumnInItsCurrentDirection)
{
    int beta = Add("Beta", "C:\\Programs\\one.exe");
    int alpha = Add("alpha", "C:\\Programs\\two.exe");
    int gamma = Add("Gamma", "C:\\Programs\\three.exe");

    // Nothing stored: the rows keep the order of the entry list.
    InsertRows();
    ApplyStoredSort(list, CMD_STARTUP_PAGE);
    EXPECT_EQ((std::vector<int>{beta, alpha, gamma}), Order());

    // After a restart the stored column is sorted ascending.
    SetOption("SortStartup", 1);
    ApplyStoredSort(list, CMD_STARTUP_PAGE);
    EXPECT_EQ((std::vector<int>{alpha, beta, gamma}), Order());

    // One click sorted it ascending and turned the column round: the next refill is descending.
    InsertRows();
    OnListColumnClick(list, CMD_STARTUP_PAGE, 0);
    InsertRows();
    ApplyStoredSort(list, CMD_STARTUP_PAGE);
    EXPECT_EQ((std::vector<int>{gamma, beta, alpha}), Order());

    // Each list keeps its own column.
    EXPECT_EQ(0, GetOption("SortActiveTask", 0));
}

TEST_F(ListSort, StartupTitlesCompareByTheirCommonBeginning)
{
    int net = Add("Net", "C:\\a.exe");
    int netscape = Add("Netscape", "C:\\b.exe");
    int nfoo = Add("Nfoo", "C:\\c.exe");
    EXPECT_EQ(0, Compare(CMD_STARTUP_PAGE, net, netscape, 0));
    EXPECT_EQ(0, Compare(CMD_STARTUP_PAGE, netscape, net, 0));
    EXPECT_LT(Compare(CMD_STARTUP_PAGE, net, nfoo, 0), 0);
    SetSortDirection(0, 1);
    EXPECT_GT(Compare(CMD_STARTUP_PAGE, net, nfoo, 0), 0);
    EXPECT_EQ(0, Compare(CMD_STARTUP_PAGE, net, nfoo, 3));  // a column the list has not
}

TEST_F(ListSort, StartupVersionColumnPutsDisabledEntriesByTheirMark)
{
    ScratchDisabledMarker marker("Sleeper", "11");
    ASSERT_TRUE(marker.written());

    int versioned = Add("Versioned", SelfPath().c_str());   // "5.0.0.1"
    int sleeper = Add("Sleeper", SelfPath().c_str(), "", "", 11);  // "Disabled "
    EXPECT_LT(Compare(CMD_STARTUP_PAGE, versioned, sleeper, 2), 0);
    EXPECT_GT(Compare(CMD_STARTUP_PAGE, sleeper, versioned, 2), 0);
}

TEST_F(ListSort, VersionColumnsReadTheProgramsVersionTexts)
{
    int self = Add("Self", SelfPath().c_str());          // Brondlewick, 5.0.0.1
    int plain = Add("Plain", "C:\\windows\\win.ini");     // no version texts
    EXPECT_GT(Compare(CMD_TASKS_PAGE, self, plain, 2), 0);
    EXPECT_LT(Compare(CMD_TASKS_PAGE, plain, self, 2), 0);
    EXPECT_GT(Compare(CMD_IEHELPERS_PAGE, self, plain, 2), 0);  // company
    EXPECT_GT(Compare(CMD_IEHELPERS_PAGE, self, plain, 3), 0);  // version
    EXPECT_EQ(0, Compare(CMD_IEHELPERS_PAGE, self, plain, 4));

    // The running-programs list sorts its first column by file name, its second by title.
    int zed = Add("Alpha", "C:\\A\\zed.exe");
    int abe = Add("Zulu", "C:\\Z\\abe.exe");
    EXPECT_GT(Compare(CMD_TASKS_PAGE, zed, abe, 0), 0);
    EXPECT_LT(Compare(CMD_TASKS_PAGE, zed, abe, 1), 0);
}

TEST_F(ListSort, ScheduledTasksAndFileTypesCompareTheirOwnFields)
{
    int first = Add("Backup", "C:\\B\\x.exe", "extra-b", "2004/01/02");
    int second = Add("Cleanup", "C:\\A\\y.exe", "extra-a", "2003/01/02");
    EXPECT_LT(Compare(CMD_SCHEDULED_PAGE, first, second, 0), 0);
    EXPECT_LT(Compare(CMD_SCHEDULED_PAGE, first, second, 1), 0);  // x.exe before y.exe
    EXPECT_GT(Compare(CMD_SCHEDULED_PAGE, first, second, 2), 0);  // detail
    EXPECT_GT(Compare(CMD_SCHEDULED_PAGE, first, second, 3), 0);  // extra

    // File types compare the program of the command as the page shows it.
    int program = Add("Zed Viewer", "C:\\Apps\\zed.exe %1", "ZedFile", ".zed", KIND_FILETYPE);
    int executable = Add("Application", "%1 %*", "exefile", ".exe", KIND_FILETYPE);
    int none = Add("Nothing", "", "nofile", ".non", KIND_FILETYPE);
    int dll = Add("Pictures", "rundll32.exe C:\\Lib\\viewer.dll,Show %1", "picfile", ".pic", KIND_FILETYPE);
    EXPECT_GT(Compare(CMD_FILETYPES_PAGE, program, executable, 1), 0);  // ZED.EXE after Executable
    EXPECT_LT(Compare(CMD_FILETYPES_PAGE, executable, none, 1), 0);     // before No Associated File
    EXPECT_LT(Compare(CMD_FILETYPES_PAGE, none, dll, 1), 0);           // before VIEWER.DLL
    EXPECT_LT(Compare(CMD_FILETYPES_PAGE, dll, program, 1), 0);
    EXPECT_LT(Compare(CMD_FILETYPES_PAGE, executable, program, 2), 0);  // class
    EXPECT_LT(Compare(CMD_FILETYPES_PAGE, executable, program, 3), 0);  // extension
}

TEST_F(ListSort, CookiesCompareByTheirSourcesForm)
{
    int first = Add("www.b.example - id", "C:\\Cookies\\b@site.txt", "value-a", "2004/05/06 07:08",
                    KIND_NET_COOKIE, 10);
    int second = Add("www.a.example - id", "C:\\Cookies\\a@site.txt", "value-b", "2004/05/06 07:09",
                     KIND_NET_COOKIE, 9);

    SetCookieCompareSource(1);  // Internet Explorer: file name, date, kind
    EXPECT_GT(Compare(CMD_COOKIES_PAGE, first, second, 0), 0);
    EXPECT_LT(Compare(CMD_COOKIE_LIST, first, second, 1), 0);
    EXPECT_EQ(0, Compare(CMD_COOKIES_PAGE, first, second, 2));
    EXPECT_EQ(0, Compare(CMD_COOKIES_PAGE, first, second, 4));

    SetCookieCompareSource(6);  // Mozilla-based: name, expiry, path, value, secure flag
    EXPECT_GT(Compare(CMD_COOKIE_LIST, first, second, 0), 0);
    EXPECT_LT(Compare(CMD_COOKIE_LIST, first, second, 3), 0);
    EXPECT_GT(Compare(CMD_COOKIE_LIST, first, second, 4), 0);  // 10 after 9, as numbers
    SetSortDirection(4, 1);
    EXPECT_LT(Compare(CMD_COOKIE_LIST, first, second, 4), 0);
}

TEST_F(ListSort, ServicesCompareTheirCurrentState)
{
    // Wine: INTERROGATE answers for running services only; a stopped service reads as no state.
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    ASSERT_NE(nullptr, manager);
    char running[256] = "";
    DWORD size = sizeof running;
    ASSERT_TRUE(GetServiceDisplayNameA(manager, "RpcSs", running, &size));
    SC_HANDLE rpc = OpenServiceA(manager, "RpcSs", SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    ASSERT_TRUE(QueryServiceStatus(rpc, &status));
    ASSERT_EQ((DWORD)SERVICE_RUNNING, status.dwCurrentState);
    CloseServiceHandle(rpc);
    CloseServiceHandle(manager);

    int up = Add(running, "C:\\windows\\system32\\rpcss.exe", "Automatic", "", KIND_SERVICE_EXE);
    int unknown = Add("No Such Service Here", "C:\\windows\\system32\\none.exe", "Manual", "", KIND_SERVICE_EXE);
    EXPECT_GT(Compare(CMD_SERVICES_PAGE, up, unknown, 2), 0);  // "Running" after no state
    EXPECT_LT(Compare(CMD_SERVICES_PAGE, up, unknown, 3), 0);  // start type text

    // An entry that carries the service's key name instead of a known display name.
    int byKey = Add("Remote calls", "C:\\windows\\system32\\rpcss.exe", "RpcSs", "", KIND_SERVICE_EXE);
    EXPECT_EQ(0, Compare(CMD_SERVICES_PAGE, up, byKey, 2));
}

TEST_F(ListSort, ListsWithoutACompareAreLeftAlone)
{
    int beta = Add("Beta", "C:\\b.exe");
    int alpha = Add("Alpha", "C:\\a.exe");
    InsertRows();
    EXPECT_EQ(nullptr, CompareFunctionFor(CMD_MONITOR));
    OnListColumnClick(list, CMD_MONITOR, 0);
    EXPECT_EQ((std::vector<int>{beta, alpha}), Order());
    // The history dialog's rows stay in file order whatever is clicked.
    EXPECT_EQ(0, Compare(CMD_HISTORY_LIST, beta, alpha, 0));
}
