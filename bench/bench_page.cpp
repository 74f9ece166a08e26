// A console page hosted for the bench, filled as the sheet fills it, and the checks of what
// its list drew (see bench_page.h).
#include "bench_page.h"

#include "bench.h"
#include "call_counts.h"
#include "timing.h"

#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <set>

namespace {

HWND g_host = nullptr;

// A hash of an image of the list's image list drawn on white.
unsigned long DrawnImageHash(HIMAGELIST images, int image)
{
    int cx = 0, cy = 0;
    if (!images || !ImageList_GetIconSize(images, &cx, &cy)) return 0;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, cx, cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, image, dc, 0, 0, ILD_NORMAL);
    unsigned long hash = 2166136261u;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) hash = (hash ^ (unsigned long)GetPixel(dc, x, y)) * 16777619u;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return hash & 0xFFFFFFFFu;
}

// The hash of one of the program's icons as a list of the same kind holds it.
unsigned long IconHash(int id)
{
    HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR));
    int image = icon ? ImageList_AddIcon(images, icon) : -1;
    if (icon) DestroyIcon(icon);
    unsigned long hash = image >= 0 ? DrawnImageHash(images, image) : 0;
    ImageList_Destroy(images);
    return hash;
}

int RowImage(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

// The drawn rows and one row in sixteen of the others.
std::vector<int> SampleRows(HWND list, const std::vector<int>& drawn)
{
    std::vector<int> rows = drawn;
    int count = ListView_GetItemCount(list);
    int step = count / 16 > 0 ? count / 16 : 1;
    for (int row = step / 2; row < count; row += step) rows.push_back(row);
    return rows;
}

// The modal dialog being timed.
Stopwatch* g_opened = nullptr;
double g_openMs = -1;
void (*g_drawn)(HWND dialog) = nullptr;
WNDPROC g_hostProcedure = nullptr;

bool Painted(HWND window) { return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE); }

LRESULT CALLBACK HostProcedure(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && g_opened) {
        // The loop goes idle first when the dialog is about to be shown, and again after
        // each paint.
        HWND dialog = reinterpret_cast<HWND>(lParam);
        HWND list = GetDlgItem(dialog, IDC_LIST);
        if (!Painted(dialog) || (list && !Painted(list))) return 0;
        g_openMs = g_opened->Milliseconds();
        g_opened = nullptr;
        if (g_drawn) g_drawn(dialog);
        EndDialog(dialog, IDOK);
        return 0;
    }
    return CallWindowProcA(g_hostProcedure, host, message, wParam, lParam);
}

bool Fail(std::string& why, const char* format, int a, int b = 0, int c = 0)
{
    char text[300];
    FormatText(text, sizeof text, format, a, b, c);
    why = text;
    return false;
}

}  // namespace

HWND BenchHost()
{
    if (g_host) return g_host;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    SetAppInstance(GetModuleHandleA(nullptr));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "VigilarkBenchHost";
    RegisterClassA(&windowClass);
    g_host = CreateWindowExA(WS_EX_CONTROLPARENT, windowClass.lpszClassName, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             0, 0, 700, 500, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return g_host;
}

HWND MakeBenchPage(int dialog, DLGPROC procedure)
{
    HWND host = BenchHost();
    // One page at a time in the host, as the sheet shows one.
    for (HWND child; host && (child = GetWindow(host, GW_CHILD)) != nullptr;) DestroyWindow(child);
    HWND page = host ? CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), host, procedure, 0)
                     : nullptr;
    if (page) ShowWindow(page, SW_SHOW);
    return page;
}

double TimeModalDialog(void (*open)(HWND host), void (*drawn)(HWND dialog))
{
    HWND host = BenchHost();
    if (!g_hostProcedure)
        g_hostProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProcedure)));
    g_openMs = -1;
    g_drawn = drawn;
    Stopwatch opened;
    g_opened = &opened;
    open(host);
    g_opened = nullptr;
    return g_openMs;
}

void PumpBenchMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int ActivateBenchPage(HWND page)
{
    NMHDR header = {};
    header.hwndFrom = GetParent(page);
    header.code = PSN_SETACTIVE;
    SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    // Until the user sees it: the list's first paint, where the icons of the rows drawn are
    // read, is part of the fill.
    HWND list = GetDlgItem(page, IDC_LIST);
    UpdateWindow(list);
    return ListView_GetItemCount(list);
}

double TimeBareList(HWND like, int rows, int columns)
{
    static HWND window = nullptr;
    static HWND list = nullptr;
    RECT size = {0, 0, 680, 260};
    if (like) GetClientRect(like, &size);
    if (!window) {
        // Below the host, where it covers nothing a case draws.
        window = CreateWindowExA(WS_EX_TOOLWINDOW, "VigilarkBenchHost", "Bare list", WS_POPUP | WS_VISIBLE, 0, 500,
                                 size.right, size.bottom, BenchHost(), nullptr, GetModuleHandleA(nullptr), nullptr);
        list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                               size.right, size.bottom, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    for (int column = Header_GetItemCount(ListView_GetHeader(list)); column < columns; ++column) {
        LVCOLUMNA header = {};
        header.mask = LVCF_WIDTH | LVCF_TEXT;
        header.cx = size.right / (columns > 0 ? columns : 1);
        header.pszText = const_cast<char*>("Column");
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)column, reinterpret_cast<LPARAM>(&header));
    }
    Stopwatch fill;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < rows; ++row) {
        char text[64];
        FormatText(text, sizeof text, "Row text %04d", row);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = text;
        item.lParam = row;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < columns; ++column) {
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = text;
            SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)row, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    double ms = fill.Milliseconds();
    ListView_DeleteAllItems(list);
    PumpBenchMessages();
    return ms;
}

int FillBenchPage(HWND& page, int dialog, DLGPROC procedure)
{
    if (!IsWindow(page) && !(page = MakeBenchPage(dialog, procedure))) {
        fprintf(stderr, "bench: page %d could not be created\n", dialog);
        return -1;
    }
    return ActivateBenchPage(page);
}

std::vector<int> DrawnRows(HWND list, int* whole)
{
    std::vector<int> rows;
    RECT client;
    GetClientRect(list, &client);
    int count = ListView_GetItemCount(list);
    int shown = 0;
    for (int row = ListView_GetTopIndex(list); row >= 0 && row < count; ++row) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        if (!SendMessageA(list, LVM_GETITEMRECT, (WPARAM)row, reinterpret_cast<LPARAM>(&bounds))) break;
        if (bounds.top >= client.bottom) break;
        if (bounds.bottom <= client.top) continue;
        rows.push_back(row);
        if (bounds.bottom <= client.bottom) ++shown;
    }
    if (whole) *whole = shown;
    return rows;
}

std::string CellText(HWND list, int row, int column)
{
    char text[520] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::string> RowCells(HWND list, int row, int columns)
{
    std::vector<std::string> cells;
    for (int column = 0; column < columns; ++column) cells.push_back(CellText(list, row, column));
    return cells;
}

bool CheckDrawnList(HWND list, int columns, RowJudge judge, std::string& why)
{
    // The extractions are those of the fill; reading the images below must not add any.
    long extractions = CallCount("ExtractIconExA");
    int whole = 0;
    std::vector<int> drawn = DrawnRows(list, &whole);
    if (drawn.empty()) return Fail(why, "the list drew no row (%d rows)", ListView_GetItemCount(list));
    for (int row : SampleRows(list, drawn)) {
        RowWanted wanted;
        std::string reason;
        if (!judge(RowCells(list, row, columns), wanted, reason)) {
            why = "row " + std::to_string(row) + ": " + reason;
            return false;
        }
    }
    // One extraction per program of the rows shown whole, at most one per program of the
    // rows drawn at all.
    std::set<std::string> least, most;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    unsigned long standIn = IconHash(IDI_DEFAULT_PROGRAM);
    unsigned long own = IconHash(IDI_PROGRAM);
    int withIcon = 0;
    for (size_t n = 0; n < drawn.size(); ++n) {
        RowWanted wanted;
        std::string reason;
        judge(RowCells(list, drawn[n], columns), wanted, reason);
        if (wanted.extracted) {
            most.insert(wanted.program);
            if ((int)n < whole) least.insert(wanted.program);
        }
        unsigned long hash = DrawnImageHash(images, RowImage(list, drawn[n]));
        if (wanted.ownIcon && (hash == standIn || hash == own || hash == 0))
            return Fail(why, "row %d shows the default icon, its program has one of its own", drawn[n]);
        if (!wanted.ownIcon && hash != standIn) return Fail(why, "row %d does not show the default icon", drawn[n]);
        if (wanted.ownIcon) ++withIcon;
    }
    if (withIcon == 0) return Fail(why, "none of the %d drawn rows has an icon of its own", (int)drawn.size());
    if (extractions < (long)least.size() || extractions > (long)most.size())
        return Fail(why, "the fill read %d icons for %d to %d programs drawn", (int)extractions, (int)least.size(),
                    (int)most.size());
    return true;
}

unsigned long ImageHash(HWND list, int row)
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    return DrawnImageHash(images, RowImage(list, row));
}

void DumpListRows(HWND list, int columns, const std::string& name)
{
    if (RowDumpFolder().empty() || !list) return;
    FILE* out = fopen((RowDumpFolder() + "\\" + name + ".txt").c_str(), "wb");
    if (!out) return;
    int rows = ListView_GetItemCount(list);
    for (int row = 0; row < rows; ++row) {
        fprintf(out, "%d", row);
        for (const std::string& cell : RowCells(list, row, columns)) fprintf(out, "\t%s", cell.c_str());
        fprintf(out, "\t%08lx\n", ImageHash(list, row));
    }
    fclose(out);
}
