// Click-to-sort (see listview.h): the compare function of each list kind reads the two rows'
// entry records by their item data, and the clicked column is remembered per list.
#include "shell/listview.h"

#include "filetypes/filetypes.h"
#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "resource.h"
#include "startup/startup_scan.h"

#include <winsvc.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// What a column compares, read from an entry record.
enum Field {
    FIELD_NONE,             // compares equal
    FIELD_TITLE,
    FIELD_PATH,
    FIELD_EXTRA,
    FIELD_DETAIL,
    FIELD_FILE_NAME,        // the path after its last backslash
    FIELD_PRODUCT_VERSION,  // of the program the path names
    FIELD_COMPANY_NAME,
    FIELD_STARTUP_VERSION,  // "Disabled " for a disabled startup entry, else the product version
    FIELD_SERVICE_STATUS,   // the service's current state, empty when it cannot be read
    FIELD_PROGRAM_NAME,     // the program of a file type's command
    FIELD_KIND_NUMBER,
    FIELD_VALUE_NUMBER,
    FIELD_TYPE_TEXT,        // the type text the kind's subject set (SetKindTypeText)
};

const Field kStartupColumns[5] = {FIELD_TITLE, FIELD_FILE_NAME, FIELD_STARTUP_VERSION, FIELD_NONE, FIELD_NONE};
const Field kRunningColumns[5] = {FIELD_FILE_NAME, FIELD_TITLE, FIELD_PRODUCT_VERSION, FIELD_NONE, FIELD_NONE};
// Next Run Time (extra) is column 2 and Last Run Time (detail) column 3, as the page shows them.
const Field kScheduledColumns[5] = {FIELD_TITLE, FIELD_FILE_NAME, FIELD_EXTRA, FIELD_DETAIL, FIELD_NONE};
const Field kHelperColumns[5] = {FIELD_TITLE, FIELD_FILE_NAME, FIELD_COMPANY_NAME, FIELD_PRODUCT_VERSION,
                                 FIELD_TYPE_TEXT};
const Field kServiceColumns[5] = {FIELD_TITLE, FIELD_FILE_NAME, FIELD_SERVICE_STATUS, FIELD_EXTRA, FIELD_NONE};
const Field kFileTypeColumns[5] = {FIELD_TITLE, FIELD_PROGRAM_NAME, FIELD_EXTRA, FIELD_DETAIL, FIELD_NONE};
const Field kHookColumns[5] = {FIELD_TITLE, FIELD_PATH, FIELD_EXTRA, FIELD_NONE, FIELD_NONE};
const Field kIeCookieColumns[5] = {FIELD_FILE_NAME, FIELD_DETAIL, FIELD_KIND_NUMBER, FIELD_NONE, FIELD_NONE};
const Field kMozillaCookieColumns[5] = {FIELD_TITLE, FIELD_DETAIL, FIELD_PATH, FIELD_EXTRA, FIELD_VALUE_NUMBER};

const int INTERNET_EXPLORER = 1;

struct KindTypeText {
    int kind;
    std::string text;
};
std::vector<KindTypeText> g_typeTexts;

void TypeText(int index, char* out, int capacity)
{
    int kind = GetEntryKind(index);
    for (const KindTypeText& type : g_typeTexts)
        if (type.kind == kind) CopyText(out, (size_t)capacity, type.text.c_str());
}
int g_cookieSource = INTERNET_EXPLORER;

// The version texts the compare functions use.
enum { VERSION_PRODUCT_VERSION, VERSION_COMPANY_NAME };

void ProgramVersionText(int index, int field, char* out, int capacity)
{
    char path[ENTRY_PATH_CHARS] = "";
    char program[MAX_PATH] = "";
    VersionFields fields;
    GetEntryPath(index, path);
    ProgramPathAsWritten(path, program, sizeof program);
    ReadVersionFields(program, &fields);
    CopyText(out, (size_t)capacity, field == VERSION_COMPANY_NAME ? fields.companyName : fields.productVersion);
}

// The state of the service an entry names, as the fill read it into the entry's value:
// a sort compares what was read, never asking the service control manager again. Empty
// when the state was not read.
void ServiceStatusText(int index, char* out, int capacity)
{
    out[0] = '\0';
    DWORD state = (DWORD)GetEntryValue(index) >> 16;
    if (state) LoadText(ServiceStateTextId(state), out, capacity);
}

// The program a file type's command runs, as the File Types page shows it.
void ProgramNameText(int index, char* out, int capacity)
{
    char command[ENTRY_PATH_CHARS] = "";
    GetEntryPath(index, command);
    FileTypeProgramName(command, out, capacity);
}

void FieldText(int index, Field field, char* out, int capacity)
{
    out[0] = '\0';
    char path[ENTRY_PATH_CHARS] = "";
    switch (field) {
    case FIELD_TITLE: GetEntryTitle(index, out); break;
    case FIELD_PATH: GetEntryPath(index, out); break;
    case FIELD_EXTRA: GetEntryExtra(index, out); break;
    case FIELD_DETAIL: GetEntryDetail(index, out); break;
    case FIELD_FILE_NAME:
        GetEntryPath(index, path);
        CopyText(out, (size_t)capacity, path);  // the whole path when it has no backslash
        FileNamePart(path, out, capacity);
        break;
    case FIELD_PRODUCT_VERSION: ProgramVersionText(index, VERSION_PRODUCT_VERSION, out, capacity); break;
    case FIELD_COMPANY_NAME: ProgramVersionText(index, VERSION_COMPANY_NAME, out, capacity); break;
    case FIELD_STARTUP_VERSION:
        if (IsEntryDisabled(index))
            LoadText(IDS_DISABLED_MARK, out, capacity);
        else
            ProgramVersionText(index, VERSION_PRODUCT_VERSION, out, capacity);
        break;
    case FIELD_SERVICE_STATUS: ServiceStatusText(index, out, capacity); break;
    case FIELD_PROGRAM_NAME: ProgramNameText(index, out, capacity); break;
    case FIELD_TYPE_TEXT: TypeText(index, out, capacity); break;
    default: break;
    }
}

// The common rule: the two rows' texts compared without regard to case, the operands
// swapped when the column sorts descending. cutToShorter makes a text equal to every text
// that begins with it.
int CompareRows(LPARAM first, LPARAM second, LPARAM column, const Field* columns, bool cutToShorter)
{
    if (column < 0 || column >= 5) return 0;
    Field field = columns[column];
    int a = (int)first;
    int b = (int)second;
    if (field == FIELD_NONE) return 0;
    if (field == FIELD_KIND_NUMBER || field == FIELD_VALUE_NUMBER) {
        int (*number)(int) = field == FIELD_KIND_NUMBER ? GetEntryKind : GetEntryValue;
        int x = number(a);
        int y = number(b);
        return SortDirection((int)column) ? (y > x) - (y < x) : (x > y) - (x < y);
    }
    char left[ENTRY_DETAIL_CHARS];
    char right[ENTRY_DETAIL_CHARS];
    FieldText(a, field, left, sizeof left);
    FieldText(b, field, right, sizeof right);
    if (cutToShorter) {
        size_t shorter = strlen(left) < strlen(right) ? strlen(left) : strlen(right);
        left[shorter] = '\0';
        right[shorter] = '\0';
    }
    return SortDirection((int)column) ? lstrcmpiA(right, left) : lstrcmpiA(left, right);
}

// The compare function of one list: its column table, and whether texts are cut to the shorter.
template <const Field* columns, bool cutToShorter> int CALLBACK CompareBy(LPARAM a, LPARAM b, LPARAM column)
{
    return CompareRows(a, b, column, columns, cutToShorter);
}

int CALLBACK CompareHistory(LPARAM, LPARAM, LPARAM) { return 0; }

}  // namespace

UINT ServiceStateTextId(DWORD state)
{
    switch (state) {
    case SERVICE_START_PENDING: return IDS_SVC_START_PENDING;
    case SERVICE_STOP_PENDING: return IDS_SVC_STOP_PENDING;
    case SERVICE_RUNNING: return IDS_SVC_RUNNING;
    case SERVICE_CONTINUE_PENDING: return IDS_SVC_CONTINUE_PENDING;
    case SERVICE_PAUSE_PENDING: return IDS_SVC_PAUSE_PENDING;
    case SERVICE_PAUSED: return IDS_SVC_PAUSED;
    default: return IDS_SVC_STOPPED;
    }
}

void SetCookieCompareSource(int browser) { g_cookieSource = browser; }

void SetKindTypeText(int kind, const char* text)
{
    for (KindTypeText& type : g_typeTexts)
        if (type.kind == kind) {
            type.text = text;
            return;
        }
    g_typeTexts.push_back({kind, text});
}

int CookieCompareSource() { return g_cookieSource; }

PFNLVCOMPARE CompareFunctionFor(int listKind)
{
    switch (listKind) {
    case CMD_STARTUP_PAGE: return CompareBy<kStartupColumns, true>;
    case CMD_TASKS_PAGE: return CompareBy<kRunningColumns, false>;
    case CMD_SCHEDULED_PAGE: return CompareBy<kScheduledColumns, false>;
    case CMD_IEHELPERS_PAGE: return CompareBy<kHelperColumns, false>;
    case CMD_SERVICES_PAGE: return CompareBy<kServiceColumns, false>;
    case CMD_FILETYPES_PAGE: return CompareBy<kFileTypeColumns, false>;
    case CMD_HOOKS_PAGE: return CompareBy<kHookColumns, false>;
    case CMD_COOKIES_PAGE:
    case CMD_COOKIE_LIST:
        return g_cookieSource == INTERNET_EXPLORER ? CompareBy<kIeCookieColumns, false>
                                                   : CompareBy<kMozillaCookieColumns, false>;
    case CMD_HISTORY_LIST: return CompareHistory;
    default: return nullptr;
    }
}

void SortList(HWND list, int listKind, int column)
{
    PFNLVCOMPARE compare = CompareFunctionFor(listKind);
    if (!list || !compare || column < 0 || column >= 5) return;
    // A sort compares every row many times; each program is read once per sort.
    FillMemo memo;
    SendMessageA(list, LVM_SORTITEMS, (WPARAM)column, reinterpret_cast<LPARAM>(compare));
}

void OnListColumnClick(HWND list, int listKind, int column)
{
    if (column < 0 || column >= 5) return;
    SortList(list, listKind, column);
    SetSortDirection(column, !SortDirection(column));
    const char* option = SortOptionName(listKind);
    if (option) SetOption(option, column + 1);
}

void ApplyStoredSort(HWND list, int listKind)
{
    const char* option = SortOptionName(listKind);
    if (!option) return;
    int stored = GetOption(option, 0);
    if (stored > 0) SortList(list, listKind, stored - 1);
}

void RefillList(HWND list, int (*collect)(), void (*addRow)(HWND list, int index), int listKind)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    FillMemo memo;  // rows share programs, versions, folders and texts: each is read once
    int count = collect();
    ListView_DeleteAllItems(list);
    CreateImageList(list, 0);
    // Redrawn after each insert, a list of a few hundred rows took longer than everything
    // else its fill does.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int index = 0; index < count; ++index) addRow(list, index);
    ApplyStoredSort(list, listKind);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
}
