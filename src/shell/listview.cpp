// The list-view toolkit (see listview.h): column widths, rows, the two image-list slots,
// selection and the sort direction flags. Sorting itself is in listview_sort.cpp and the
// context menu in listview_menu.cpp.
#include "shell/listview.h"

#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "resource.h"

#include <shellapi.h>

#include <map>
#include <string>

namespace {

// Column widths in hundredths of the list's width; integer arithmetic keeps the truncation
// exact (0.35 * 100 in floating point falls just short of 35).
struct ColumnRow {
    int kind;
    bool lessScrollBar;  // the width is W - S, not W
    int hundredths[5];
};
const ColumnRow kColumnRows[] = {
    {CMD_STARTUP_PAGE, true, {38, 45, 16, 0, 0}},
    {CMD_COOKIES_PAGE, true, {60, 39, 0, 0, 0}},
    {CMD_TASKS_PAGE, true, {25, 55, 19, 0, 0}},
    {CMD_SERVICES_PAGE, true, {42, 30, 12, 15, 0}},
    {CMD_SCHEDULED_PAGE, false, {35, 20, 25, 20, 0}},
    {CMD_IEHELPERS_PAGE, false, {30, 25, 25, 10, 9}},
    {CMD_HISTORY_LIST, true, {35, 22, 22, 38, 0}},
    {CMD_FILETYPES_PAGE, true, {40, 35, 15, 9, 0}},
    {CMD_HOOKS_PAGE, true, {30, 35, 34, 0, 0}},
    {CMD_COOKIE_LIST, true, {40, 20, 10, 20, 9}},
    {CMD_MONITOR, true, {30, 30, 14, 25, 0}},
    {CMD_BLACKLIST, true, {30, 30, 14, 25, 0}},
};

const struct {
    int kind;
    const char* option;
} kSortOptions[] = {
    {CMD_STARTUP_PAGE, "SortStartup"},    {CMD_TASKS_PAGE, "SortActiveTask"},
    {CMD_SCHEDULED_PAGE, "SortScheduledTask"}, {CMD_IEHELPERS_PAGE, "SortIEHelper"},
    {CMD_SERVICES_PAGE, "SortService"},   {CMD_FILETYPES_PAGE, "SortFileType"},
    {CMD_COOKIES_PAGE, "SortCookie"},     {CMD_COOKIE_LIST, "SortCookie"},
    {CMD_HISTORY_LIST, "SortHistory"},    {CMD_HOOKS_PAGE, "SortHook"},
};

// A row whose icon is read when the list first draws it.
struct DeferredIcon {
    std::string command;
    int iconNumber;
    bool set;
};

// The slots own their image lists. Every list they are attached to shares them
// (LVS_SHAREIMAGELISTS), so a list view never destroys one behind a slot's back, and a
// slot takes its list away from the list view before destroying it.
struct ImageSlot {
    HIMAGELIST images;
    HWND list;  // the list view it was attached to
    // The image each program's icon got in this image list: a program is read once,
    // however many rows name it.
    std::map<std::string, int> programImages;
    std::vector<DeferredIcon> deferred;  // by the rows' item data
    bool notKnownOverlay;  // the badge of rows the monitor does not know is in the list
};
ImageSlot g_slots[2] = {};
// No program's key: those start with the icon number.
const char kDefaultIconKey[] = "default";

int g_sortDescending[SORT_COLUMNS] = {};

bool ValidSlot(int slot) { return slot == 0 || slot == 1; }

int ReleaseSlot(ImageSlot& slot)
{
    if (!slot.images) return 0;
    HWND list = slot.list;
    if (list && IsWindow(list) &&
        reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) == slot.images)
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    int result = ImageList_Destroy(slot.images) ? 1 : 0;
    slot.images = nullptr;
    slot.list = nullptr;
    slot.programImages.clear();
    slot.deferred.clear();
    slot.notKnownOverlay = false;
    return result;
}

void ShareImageLists(HWND list)
{
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    if (!(style & LVS_SHAREIMAGELISTS)) SetWindowLongPtrA(list, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
}

HICON LoadSmallIcon(int id)
{
    return static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         LR_DEFAULTCOLOR));
}

// Adds the icon and destroys it; the image index or -1.
int AddIcon(HIMAGELIST images, HICON icon)
{
    if (!icon) return -1;
    int index = ImageList_AddIcon(images, icon);
    DestroyIcon(icon);
    return index;
}

}  // namespace

int ColumnWidth(int listKind, int column, int listWidth, int scrollWidth)
{
    if (column < 0 || column >= 5) return 0;
    for (const ColumnRow& row : kColumnRows) {
        if (row.kind != listKind) continue;
        int base = row.lessScrollBar ? listWidth - scrollWidth : listWidth;
        return row.hundredths[column] * base / 100;
    }
    return 0;
}

bool AddListColumn(HWND list, int column, const char* title, int listKind)
{
    RECT rect = {};
    GetWindowRect(list, &rect);
    int scroll = GetSystemMetrics(listKind == CMD_FILETYPES_PAGE ? SM_CXVSCROLL : SM_CYVSCROLL);
    LVCOLUMNA header = {};
    header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    header.fmt = LVCFMT_LEFT;
    header.cx = ColumnWidth(listKind, column, rect.right - rect.left, scroll);
    header.pszText = const_cast<char*>(title ? title : "");
    header.iSubItem = column;
    return SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)column, reinterpret_cast<LPARAM>(&header)) != -1;
}

bool AddListColumnById(HWND list, int column, UINT titleId, int listKind)
{
    char title[128];
    LoadText(titleId, title);
    return AddListColumn(list, column, title, listKind);
}

// The badge goes into the list's image list the first time a row needs it.
static void PrepareNotKnownBadge(HWND list)
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    for (ImageSlot& slot : g_slots) {
        if (!images || slot.images != images || slot.notKnownOverlay) continue;
        int index = AddIcon(images, LoadSmallIcon(IDI_NOT_KNOWN));
        slot.notKnownOverlay = index >= 0 && ImageList_SetOverlayImage(images, index, NOT_KNOWN_OVERLAY);
    }
}

int InsertListRow(HWND list, const char* text, int row, int image, bool notKnown)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    if (notKnown) {
        PrepareNotKnownBadge(list);
        item.mask |= LVIF_STATE;
        item.state = INDEXTOOVERLAYMASK(NOT_KNOWN_OVERLAY);
        item.stateMask = LVIS_OVERLAYMASK;
    }
    item.iItem = row;
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(text ? text : "");
    item.iImage = image;
    item.lParam = row;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return 1;
}

void SetListCell(HWND list, int row, int column, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text ? text : "");
    SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)row, reinterpret_cast<LPARAM>(&item));
}

int CreateImageList(HWND list, int slot)
{
    if (!ValidSlot(slot)) return 0;
    ImageSlot& target = g_slots[slot];
    ReleaseSlot(target);
    HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         ILC_COLOR32 | ILC_MASK, 16, 16);
    if (!images) return 0;
    target.images = images;
    target.list = list;
    if (list) {
        ShareImageLists(list);
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    }
    return AddIcon(images, LoadSmallIcon(IDI_PROGRAM)) == 0 ? 1 : 0;
}

bool RowMarkedNotKnown(HWND list, int row)
{
    UINT state = (UINT)SendMessageA(list, LVM_GETITEMSTATE, (WPARAM)row, LVIS_OVERLAYMASK);
    return (state & LVIS_OVERLAYMASK) == INDEXTOOVERLAYMASK(NOT_KNOWN_OVERLAY);
}

int DestroyImageList(int slot)
{
    return ValidSlot(slot) ? ReleaseSlot(g_slots[slot]) : 0;
}

void ForgetImageLists()
{
    for (ImageSlot& slot : g_slots) ReleaseSlot(slot);
}

int AddProgramIcon(const char* command, int iconNumber, int slot)
{
    if (!ValidSlot(slot) || !g_slots[slot].images) return -1;
    ImageSlot& target = g_slots[slot];
    char canonical[MAX_PATH] = "";
    bool named = command && CanonicalProgramPath(command, canonical, sizeof canonical) > 0;
    std::string key = std::to_string(iconNumber) + "|" + canonical;
    auto known = target.programImages.find(key);
    if (known != target.programImages.end()) return known->second;

    HICON icon = nullptr;
    char path[MAX_PATH] = "";
    if (named) ProgramPathAsWritten(command, path, sizeof path);
    if (named && FindProgramFile(path, sizeof path)) {
        // The small image itself: a large one shrunk into the list costs more than the
        // extraction, and looks worse.
        FileChoice readable = ReadableFile(path);
        FileRedirectionOff native(readable.redirectionOff);
        if (ExtractIconExA(readable.path.c_str(), iconNumber, nullptr, &icon, 1) == 0) icon = nullptr;
    }
    int index = -1;
    if (icon) {
        index = AddIcon(target.images, icon);
    } else {
        // Every program without an icon of its own shares one image of the default icon.
        auto standIn = target.programImages.find(kDefaultIconKey);
        index = standIn != target.programImages.end() ? standIn->second
                                                      : AddIcon(target.images, LoadSmallIcon(IDI_DEFAULT_PROGRAM));
        if (index >= 0) target.programImages[kDefaultIconKey] = index;
    }
    if (index >= 0) target.programImages[key] = index;
    return index;
}

int DeferProgramIcon(int row, const char* command, int iconNumber, int slot)
{
    if (!ValidSlot(slot) || !g_slots[slot].images || row < 0) return 0;
    std::vector<DeferredIcon>& deferred = g_slots[slot].deferred;
    if ((size_t)row >= deferred.size()) deferred.resize((size_t)row + 1, DeferredIcon{"", 0, false});
    deferred[(size_t)row] = DeferredIcon{command ? command : "", iconNumber, true};
    return I_IMAGECALLBACK;
}

bool ResolveDeferredIcon(NMHDR* header)
{
    if (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW) return false;
    // The image fields are laid out alike in both forms of the notification.
    LVITEMA& asked = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if (!(asked.mask & LVIF_IMAGE)) return false;
    for (int slot = 0; slot < 2; ++slot) {
        const ImageSlot& target = g_slots[slot];
        if (!target.images || target.list != header->hwndFrom) continue;
        LVITEMA row = {};
        row.mask = LVIF_PARAM;
        row.iItem = asked.iItem;
        int index = -1;
        if (ListView_GetItem(header->hwndFrom, &row) && row.lParam >= 0 &&
            (size_t)row.lParam < target.deferred.size() && target.deferred[(size_t)row.lParam].set) {
            const DeferredIcon& icon = target.deferred[(size_t)row.lParam];
            index = AddProgramIcon(icon.command.c_str(), icon.iconNumber, slot);
        }
        asked.iImage = index < 0 ? 0 : index;
        asked.mask |= LVIF_DI_SETITEM;  // the list keeps it and does not ask again
        return true;
    }
    return false;
}

std::vector<int> SelectedEntries(HWND list)
{
    std::vector<int> entries;
    int row = -1;
    while ((row = ListView_GetNextItem(list, row, LVNI_SELECTED)) != -1) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        if (ListView_GetItem(list, &item)) entries.push_back((int)item.lParam);
    }
    return entries;
}

int FirstSelectedRow(HWND list)
{
    if (!list) return -1;
    return (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
}

int SelectedEntry(HWND list)
{
    int row = FirstSelectedRow(list);
    if (row < 0) return -1;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return (int)item.lParam;
}

int SelectedEntry(HWND dialog, int control)
{
    return SelectedEntry(GetDlgItem(dialog, control));
}

int SelectRow(HWND list, int row)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)-1, reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, (WPARAM)row, FALSE);
    return -1;
}

void ResetSortDirections()
{
    for (int& descending : g_sortDescending) descending = 0;
}

int SortDirection(int column)
{
    return column >= 0 && column < SORT_COLUMNS ? g_sortDescending[column] : 0;
}

void SetSortDirection(int column, int descending)
{
    if (column >= 0 && column < SORT_COLUMNS) g_sortDescending[column] = descending ? 1 : 0;
}

const char* SortOptionName(int listKind)
{
    for (const auto& row : kSortOptions)
        if (row.kind == listKind) return row.option;
    return nullptr;
}
