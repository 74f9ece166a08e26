// The Cookies page: the cookie filter words, the browser whose cookies are handled, their
// folder, and the way to the cookie list.
#include "cookies/cookie_filters.h"
#include "cookies/cookie_windows.h"
#include "cookies/cookies.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"

#include <commctrl.h>
#include <commdlg.h>
#include <cstring>

namespace {

const int FILTER_EDIT_CHARS = 128;

void FillFilterWords(HWND page);
BOOL OnInitDialog(HWND page);
void OnActivated(HWND page);
void OnCommand(HWND page, int command, int code);
bool OnListNotify(HWND page, const NMHDR* header);

const ControlText kTexts[] = {
    {IDC_COOKIES_INTRO, IDS_COOKIES_INTRO},
    {IDC_COOKIES_VIEW_HINT, IDS_COOKIES_VIEW_HINT},
    {IDC_COOKIES_FILTER_HINT, IDS_COOKIES_FILTER_HINT},
    {IDC_COOKIE_FILTERS_HEADING, IDS_COOKIE_FILTERS},
    {IDC_ADD, IDS_ADD},
    {IDC_REMOVE, IDS_REMOVE},
    {IDC_BROWSER_IE, IDS_BROWSER_IE},
    {IDC_BROWSER_MOZILLA, IDS_BROWSER_MOZILLA},
    {IDC_ALWAYS_VIEW_COOKIES, IDS_ALWAYS_VIEW_COOKIES},
    {IDC_VIEW_COOKIES, IDS_VIEW_COOKIES},
};

// The page keeps its dialog layout when the sheet is resized.
PageDescription Describe()
{
    PageDescription page = DescribePage(CMD_COOKIES_PAGE, kTexts);
    page.patrolKind = IDS_PATROL_NUTS;
    page.fill = FillFilterWords;
    page.onInit = OnInitDialog;
    page.onActivated = OnActivated;
    page.onCommand = OnCommand;
    page.onListNotify = OnListNotify;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

void FillFilterWords(HWND page)
{
    HWND list = List(page);
    LoadFilterList();
    CreateImageList(list, 0);
    HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
    HICON filter = static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_FILTER), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    int image = images && filter ? ImageList_AddIcon(images, filter) : 0;
    if (filter) DestroyIcon(filter);
    ListView_DeleteAllItems(list);
    for (int index = 0; index < FilterCount(); ++index) {
        if (FilterNumber(index) != FILTER_WORD) continue;
        char word[FILTER_TEXT_CHARS];
        FilterText(index, word, sizeof word);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = ListView_GetItemCount(list);
        item.pszText = word;
        item.lParam = index;
        item.iImage = image < 0 ? 0 : image;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void ShowCookieFolder(HWND page, int browser)
{
    char folder[MAX_PATH];
    FindCookieFolder(browser, folder, sizeof folder);
    SetDlgItemTextA(page, IDC_COOKIE_FOLDER, folder);
    SetCookieBrowser(browser);
}

void ChooseBrowser(HWND page, int setting)
{
    CurrentOptions().browser = setting;
    SetOption("Browser", setting);
    ShowCookieFolder(page, CookieBrowserFromSetting(setting));
}

BOOL OnInitDialog(HWND page)
{
    SendDlgItemMessageA(page, IDC_FILTER_EDIT, EM_LIMITTEXT, FILTER_EDIT_CHARS - 1, 0);
    SendDlgItemMessageA(page, IDC_COOKIE_FILTERS_HEADING, WM_SETFONT,
                        reinterpret_cast<WPARAM>(Drawing().boldDialogFont), FALSE);
    TraceMemoryLoad("Get Browser Type");
    if (!MozillaInstalled()) {
        EnableWindow(GetDlgItem(page, IDC_BROWSER_IE), FALSE);
        ShowWindow(GetDlgItem(page, IDC_BROWSER_MOZILLA), SW_HIDE);
    }
    CheckDlgButton(page, IDC_ALWAYS_VIEW_COOKIES, CurrentOptions().viewCookies > 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void OnActivated(HWND page)
{
    TraceMemoryLoad("Update Nut Window");
    const SharedDrawing& drawing = Drawing();
    SetIconProperties(GetDlgItem(page, IDC_COOKIE_FOLDER_ICON), drawing.cookieBitmaps[0], drawing.cookieBitmaps[1],
                      drawing.cookieBitmaps[2], IDC_COOKIE_FOLDER_ICON);
    int browser = CookieBrowserFromSetting(CurrentOptions().browser);
    CheckRadioButton(page, IDC_BROWSER_IE, IDC_BROWSER_MOZILLA,
                     browser == COOKIE_BROWSER_IE ? IDC_BROWSER_IE : IDC_BROWSER_MOZILLA);
    ShowCookieFolder(page, browser);
    if (CurrentOptions().viewCookies > 0) PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_VIEW_COOKIES, BN_CLICKED), 0);
}

void OnAdd(HWND page)
{
    char word[FILTER_EDIT_CHARS];
    if (GetDlgItemTextA(page, IDC_FILTER_EDIT, word, sizeof word) == 0) return;
    LoadFilterList();
    if (FilterWordCount() >= FILTER_WORD_LIMIT) {
        ErrorBox(IDS_ERR_NUT_LIMIT);
        return;
    }
    AddFilterWord(word);
    SetDlgItemTextA(page, IDC_FILTER_EDIT, "");
    FillFilterWords(page);
}

void OnRemove(HWND page)
{
    HWND list = List(page);
    int row = FirstSelectedRow(list);
    if (row < 0) {
        InfoBox(IDS_NO_COOKIE_SELECTED);
        return;
    }
    char word[FILTER_TEXT_CHARS] = "";
    ListView_GetItemText(list, row, 0, word, sizeof word);
    int index = SelectedEntry(list);
    RemoveFilterWord(word);
    FillFilterWords(page);
    SetDlgItemTextA(page, IDC_FILTER_SELECTED, "");
    if (index >= 0 && index < ListView_GetItemCount(list)) SelectRow(list, index);
}

void OnViewCookies(HWND page)
{
    SetCookieBrowser(IsDlgButtonChecked(page, IDC_BROWSER_MOZILLA) == BST_CHECKED ? COOKIE_BROWSER_MOZILLA
                                                                                 : COOKIE_BROWSER_IE);
    ShowCookieList(page);
}

// The folder picker: a file-open dialog whose name field says "Path"; the folder is the
// part of the chosen path up to its last backslash.
bool SelectCookieFolder(HWND owner, char* folder, int capacity)
{
    char title[256];
    char start[MAX_PATH] = "";
    char path[512] = "Path";
    LoadText(IDS_SELECT_COOKIE_FOLDER, title);
    ReadRegString(HKEY_CURRENT_USER, WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\Shell Folders", "AppData", start,
                  sizeof start);
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = "All Folder (*.*) \0 *.*\0";
    open.lpstrFile = path;
    open.nMaxFile = sizeof path;
    open.lpstrInitialDir = start;
    open.lpstrTitle = title;
    open.Flags = OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&open) || strlen(path) <= 4) return false;
    char* lastBackslash = strrchr(path, '\\');
    if (!lastBackslash) return false;
    lastBackslash[1] = '\0';
    return CopyText(folder, (size_t)capacity, path) == strlen(path);
}

void OnFolderIcon(HWND page)
{
    char folder[512];
    if (!SelectCookieFolder(page, folder, sizeof folder)) return;
    StoreCookieFolder(CookieBrowser(), folder);
    SetDlgItemTextA(page, IDC_COOKIE_FOLDER, folder);
}

void OnAlwaysView(HWND page)
{
    int state = IsDlgButtonChecked(page, IDC_ALWAYS_VIEW_COOKIES) == BST_CHECKED ? 1 : 0;
    CurrentOptions().viewCookies = state;
    SetOption("ViewCookies", state);
}

void OnCommand(HWND page, int command, int code)
{
    if (code != BN_CLICKED) return;
    switch (command) {
    case IDOK:
    case IDC_ADD: OnAdd(page); break;
    case IDC_REMOVE: OnRemove(page); break;
    case IDC_ALWAYS_VIEW_COOKIES: OnAlwaysView(page); break;
    case IDC_BROWSER_IE: ChooseBrowser(page, 1); break;
    case IDC_BROWSER_MOZILLA: ChooseBrowser(page, 6); break;
    case IDC_VIEW_COOKIES: OnViewCookies(page); break;
    case IDC_COOKIE_FOLDER_ICON: OnFolderIcon(page); break;
    default: break;
    }
}

bool OnListNotify(HWND page, const NMHDR* header)
{
    if (header->code != LVN_ITEMCHANGED) return false;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!(change->uNewState & LVIS_SELECTED)) return true;
    char word[FILTER_EDIT_CHARS] = "";
    ListView_GetItemText(header->hwndFrom, change->iItem, 0, word, sizeof word);
    if (word[0]) SetDlgItemTextA(page, IDC_FILTER_SELECTED, word);
    return true;
}

}  // namespace

INT_PTR CALLBACK CookiesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Leaving the page also takes the folder icon's images away.
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_KILLACTIVE)
        RemoveIconProperties(GetDlgItem(page, IDC_COOKIE_FOLDER_ICON));
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
