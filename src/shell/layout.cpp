// Window placement in the registry, the page layout on resize, the icon controls' hover
// and click behaviour and the owner-drawn link buttons (see layout.h). What needs the
// console's sheet itself (first placement, status bar, cookie window) is in console_frame.cpp.
#include "shell/layout.h"

#include "foundations/registry.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>
#include <cstring>

const PlacementNames SHEET_PLACEMENT = {"xPos", "yPos", "dxPos", "dyPos"};
const PlacementNames COOKIE_WINDOW_PLACEMENT = {"xCookie", "yCookie", "dxCookie", "dyCookie"};
const PlacementNames ADD_FILETYPE_PLACEMENT = {"xPosAddFileType", "yPosAddFileType", "dxPosAddFileType",
                                               "dyPosAddFileType"};
const PlacementNames PROPERTIES_PLACEMENT = {"xInfo", "yInfo", "dxInfo", "dyInfo"};

namespace {

// Icons that show a hover image (help-style) and icons that switch a patrol (switch-style).
enum IconGroup { NOT_AN_ICON, HELP_STYLE_ICON, SWITCH_STYLE_ICON };

HWND g_heldIcon = nullptr;
HWND g_hoveredIcon = nullptr;
HWND g_highlightedLink = nullptr;
COLORREF g_linkColour = LINK_COLOUR_REST;

// quarters * value / 4, truncated toward zero: the layout's factors are all quarters
// (1.25, 1.5, 1.75, 2, 2.75, 3), so integer arithmetic gives the exact products.
int Quarters(int quarters, int value) { return quarters * value / 4; }

void WriteNumber(const char* name, int value)
{
    char text[16];
    FormatText(text, sizeof text, "%d", value);
    SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name, text);
}

SIZE SizeOf(HWND window)
{
    SIZE size = {0, 0};
    RECT rect;
    if (window && GetWindowRect(window, &rect)) {
        size.cx = rect.right - rect.left;
        size.cy = rect.bottom - rect.top;
    }
    return size;
}

RECT DialogUnits(HWND window, int left, int top, int right, int bottom)
{
    RECT rect = {left, top, right, bottom};
    MapDialogRect(window, &rect);
    return rect;
}

// What the arithmetic needs of the page's (or window's) controls; the frame size is the caller's.
LayoutFrame FrameOf(const PageLayout& layout, HWND unitsWindow, const RECT& outer)
{
    LayoutFrame frame = {};
    frame.width = outer.right - outer.left;
    frame.height = outer.bottom - outer.top;
    frame.margins = DialogUnits(unitsWindow, 7, 44, 14, 90);
    RECT buttons = DialogUnits(unitsWindow, 7, 25, 14, 35);
    frame.buttonLeft = buttons.left;
    frame.buttonBottom = buttons.bottom;
    frame.helpIcon = SizeOf(layout.helpIcon);
    frame.helpLabel = SizeOf(layout.helpLabel);
    frame.monitorIcon = SizeOf(layout.monitorIcon);
    frame.monitorLabel = SizeOf(layout.monitorLabel);
    frame.button = SizeOf(layout.buttonCount > 0 ? layout.buttons[0] : nullptr);
    frame.buttonCount = layout.buttonCount < 0 ? 0 : layout.buttonCount;
    if (frame.buttonCount > LAYOUT_MAX_BUTTONS) frame.buttonCount = LAYOUT_MAX_BUTTONS;
    return frame;
}

// One step of a deferred layout; a missing control is skipped, and a batch the system gave
// up on stays given up (EndDeferWindowPos is then not called).
void Defer(HDWP* batch, HWND control, int x, int y, int cx, int cy, UINT flags)
{
    if (!control || !*batch) return;
    *batch = DeferWindowPos(*batch, control, nullptr, x, y, cx, cy, flags);
}

void Finish(HDWP batch)
{
    if (batch) EndDeferWindowPos(batch);
}

int TabRowCount(HWND sheet)
{
    HWND tabs = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
    return tabs ? (int)SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0) : 0;
}

void EvenButtonPositions(int left, int listWidth, int buttonWidth, int count, int* xs)
{
    if (count < 1) return;
    if (count == 1) {
        xs[0] = left;
        return;
    }
    int step = buttonWidth + (listWidth - buttonWidth * count) / (count - 1);
    for (int i = 0, x = left; i < count; ++i, x += step) xs[i] = x;
}

// The two icons and their labels hang from the right edge at fixed heights; each stands off
// the edge by a multiple of its own width, in quarters.
void PlaceIcons(const LayoutFrame& frame, int iconQuarters, int helpLabelQuarters, int monitorLabelQuarters,
                LayoutPlan* plan)
{
    const int w = frame.width;
    plan->helpIcon = {w - Quarters(iconQuarters, frame.helpIcon.cx), 3};
    plan->helpLabel = {w - Quarters(helpLabelQuarters, frame.helpLabel.cx), 25};
    plan->monitorIcon = {w - Quarters(iconQuarters, frame.monitorIcon.cx), 38};
    plan->monitorLabel = {w - Quarters(monitorLabelQuarters, frame.monitorLabel.cx), 60};
}

IconGroup GroupOf(HWND dialog, HWND control)
{
    if (!control || control == dialog) return NOT_AN_ICON;
    // Only bitmap statics are icons: a text or an icon static may carry one of these ids
    // on another page.
    if ((GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) return NOT_AN_ICON;
    switch (GetDlgCtrlID(control)) {
    case IDC_HELP_ICON:
    case IDC_COOKIE_FOLDER_ICON:
        return HELP_STYLE_ICON;
    case IDC_MONITOR_ICON:
    case IDC_STARTPAGE_ICON:
    case IDC_HOSTS_ICON:
    case IDC_WININIT_ICON:
        return SWITCH_STYLE_ICON;
    default:
        return NOT_AN_ICON;
    }
}

void ShowIconImage(HWND icon, int property)
{
    HANDLE image = GetPropA(icon, MAKEINTATOM(property));
    if (image) SendMessageA(icon, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
}

void ForgetClosedIcons()
{
    if (g_heldIcon && !IsWindow(g_heldIcon)) g_heldIcon = nullptr;
    if (g_hoveredIcon && !IsWindow(g_hoveredIcon)) g_hoveredIcon = nullptr;
}

void OnIconMouseMove(HWND control, IconGroup group)
{
    if (group == NOT_AN_ICON) {
        if (g_hoveredIcon) ShowIconImage(g_hoveredIcon, ICON_PROP_REST);
        g_hoveredIcon = nullptr;
        g_heldIcon = nullptr;
        return;
    }
    if (g_heldIcon) return;
    // Straight from one icon onto its neighbour: the first one is at rest again.
    if (g_hoveredIcon && g_hoveredIcon != control) ShowIconImage(g_hoveredIcon, ICON_PROP_REST);
    ShowIconImage(control, group == HELP_STYLE_ICON ? ICON_PROP_ALT : ICON_PROP_HELD);
    g_hoveredIcon = control;
}

void OnIconRelease(HWND dialog, HWND control)
{
    ShowIconImage(control, ICON_PROP_REST);
    g_heldIcon = nullptr;
    int command = (int)(INT_PTR)GetPropA(control, MAKEINTATOM(ICON_PROP_ID));
    if (command) SendMessageA(dialog, WM_COMMAND, (WPARAM)command, 0);
}

bool IsLinkButton(HWND window)
{
    if (!window) return false;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    // Common controls 6 may report the class with its version prefix ("6.0...!Button").
    const char* bang = strrchr(className, '!');
    if (!SameText(bang ? bang + 1 : className, "Button")) return false;
    return (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

}  // namespace

void SavePlacement(HWND window, const PlacementNames& names)
{
    RECT rect;
    // A minimised window reports a parking place far off screen, not where it was.
    if (!window || IsIconic(window) || !GetWindowRect(window, &rect)) return;
    WriteNumber(names.left, rect.left);
    WriteNumber(names.top, rect.top);
    WriteNumber(names.width, rect.right - rect.left);
    WriteNumber(names.height, rect.bottom - rect.top);
}

bool ReadPlacementNumber(const char* name, int* value)
{
    char text[32];
    if (ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY, name, text, sizeof text) == 0) return false;
    *value = (int)strtol(text, nullptr, 10);
    return true;
}

void RestorePosition(HWND dialog, const char* leftName, const char* topName)
{
    int x = 0;
    int y = 0;
    if (ReadPlacementNumber(leftName, &x) && ReadPlacementNumber(topName, &y))
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        CentreWindow(dialog);
}

void CentreWindow(HWND window)
{
    RECT rect;
    if (!window || !GetWindowRect(window, &rect)) return;
    int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 3;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

PageLayout PageLayoutOf(HWND page, const int* buttonIds, int buttonCount, const int* alternateIds)
{
    PageLayout layout = {};
    layout.page = page;
    layout.helpIcon = GetDlgItem(page, IDC_HELP_ICON);
    layout.helpLabel = GetDlgItem(page, IDC_HELP_LABEL);
    layout.monitorIcon = GetDlgItem(page, IDC_MONITOR_ICON);
    layout.monitorLabel = GetDlgItem(page, IDC_MONITOR_LABEL);
    layout.list = GetDlgItem(page, IDC_LIST);
    if (buttonCount > LAYOUT_MAX_BUTTONS) buttonCount = LAYOUT_MAX_BUTTONS;
    layout.buttonCount = buttonIds && buttonCount > 0 ? buttonCount : 0;
    for (int i = 0; i < layout.buttonCount; ++i) {
        layout.buttons[i] = buttonIds[i] ? GetDlgItem(page, buttonIds[i]) : nullptr;
        if (alternateIds && alternateIds[i]) layout.alternates[i] = GetDlgItem(page, alternateIds[i]);
    }
    return layout;
}

void BottomButtonPositions(int left, int listWidth, int buttonWidth, int count, int* xs)
{
    EvenButtonPositions(left, listWidth, buttonWidth, count, xs);
    if (count >= 2) xs[count - 1] += 25;
}

LayoutPlan PlanPageLayout(const LayoutFrame& frame)
{
    LayoutPlan plan = {};
    const int w = frame.width;
    const int h = frame.height;
    PlaceIcons(frame, 12, 7, 6, &plan);

    plan.listX = frame.margins.left;
    plan.listY = frame.margins.top + 5;
    plan.listWidth = w - Quarters(6, frame.margins.right) - 20;
    plan.listHeight = h - Quarters(6, frame.margins.bottom) + (frame.oneTabRow ? 5 : -16);

    plan.buttonY = h - Quarters(11, frame.buttonBottom) + 8;
    if (frame.oneTabRow) plan.buttonY += frame.button.cy / 2 + 6;
    if (frame.buttonCount < 2) {
        plan.buttonX[0] = w / 2 - frame.button.cx / 2;
        plan.lastButtonWidth = frame.button.cx;
    } else {
        BottomButtonPositions(frame.buttonLeft, plan.listWidth, frame.button.cx, frame.buttonCount, plan.buttonX);
        plan.lastButtonWidth = frame.button.cx - 25;
    }
    return plan;
}

LayoutPlan PlanCookieWindowLayout(const LayoutFrame& frame)
{
    LayoutPlan plan = {};
    const int w = frame.width;
    const int h = frame.height;
    PlaceIcons(frame, 8, 5, 5, &plan);

    plan.listX = frame.margins.left;
    plan.listY = frame.margins.top + 18;
    plan.listWidth = w - Quarters(6, frame.margins.right);
    plan.listHeight = h - Quarters(6, frame.margins.bottom) + 20;

    plan.buttonY = h - 2 * frame.buttonBottom + 20;
    if (frame.buttonCount < 2)
        plan.buttonX[0] = w / 2 - frame.button.cx / 2;
    else
        EvenButtonPositions(frame.buttonLeft, plan.listWidth, frame.button.cx, frame.buttonCount, plan.buttonX);
    plan.lastButtonWidth = frame.button.cx;
    return plan;
}

void LayOutPage(const PageLayout& layout)
{
    HWND sheet = layout.page ? GetParent(layout.page) : nullptr;
    RECT outer;
    if (!sheet || !GetWindowRect(sheet, &outer)) return;
    LayoutFrame frame = FrameOf(layout, layout.page, outer);
    frame.oneTabRow = TabRowCount(sheet) == 1;
    const LayoutPlan plan = PlanPageLayout(frame);

    const UINT moveShow = SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW;
    HDWP batch = BeginDeferWindowPos(8);
    Defer(&batch, layout.helpIcon, plan.helpIcon.x, plan.helpIcon.y, 0, 0, moveShow);
    Defer(&batch, layout.helpLabel, plan.helpLabel.x, plan.helpLabel.y, 0, 0, moveShow);
    Defer(&batch, layout.monitorIcon, plan.monitorIcon.x, plan.monitorIcon.y, frame.monitorIcon.cx,
          frame.monitorIcon.cy, SWP_NOACTIVATE);
    Defer(&batch, layout.monitorLabel, plan.monitorLabel.x, plan.monitorLabel.y, frame.monitorLabel.cx,
          frame.monitorLabel.cy, SWP_NOACTIVATE);
    Defer(&batch, layout.list, plan.listX, plan.listY, plan.listWidth, plan.listHeight,
          SWP_NOZORDER | SWP_SHOWWINDOW);

    const int n = frame.buttonCount;
    if (n == 1) Defer(&batch, layout.buttons[0], plan.buttonX[0], plan.buttonY, 0, 0, moveShow);
    for (int i = 0; n >= 2 && i < n - 1; ++i) {
        // A button that shares its place with an alternate is shown or hidden by its page,
        // which keeps exactly one of the pair visible; showing both would stack them.
        HWND alternate = layout.alternates[i];
        UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | (alternate ? 0 : SWP_SHOWWINDOW);
        Defer(&batch, layout.buttons[i], plan.buttonX[i], plan.buttonY, 0, 0, flags);
        Defer(&batch, alternate, plan.buttonX[i], plan.buttonY, 0, 0, flags);
    }
    if (n >= 2)
        Defer(&batch, layout.buttons[n - 1], plan.buttonX[n - 1], plan.buttonY, plan.lastButtonWidth,
              frame.button.cy, SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    Finish(batch);
}

void LayOutCookieWindow(const PageLayout& layout)
{
    HWND window = layout.page;
    RECT outer;
    if (!window || !GetWindowRect(window, &outer)) return;
    const LayoutFrame frame = FrameOf(layout, window, outer);
    const LayoutPlan plan = PlanCookieWindowLayout(frame);

    HDWP batch = BeginDeferWindowPos(10);
    Defer(&batch, layout.helpIcon, plan.helpIcon.x, plan.helpIcon.y, frame.helpIcon.cx, frame.helpIcon.cy,
          SWP_NOACTIVATE);
    Defer(&batch, layout.helpLabel, plan.helpLabel.x, plan.helpLabel.y, frame.helpLabel.cx, frame.helpLabel.cy,
          SWP_NOACTIVATE);
    Defer(&batch, layout.monitorIcon, plan.monitorIcon.x, plan.monitorIcon.y, frame.monitorIcon.cx,
          frame.monitorIcon.cy, SWP_NOACTIVATE);
    Defer(&batch, layout.monitorLabel, plan.monitorLabel.x, plan.monitorLabel.y, frame.monitorLabel.cx,
          frame.monitorLabel.cy, SWP_NOACTIVATE);
    Defer(&batch, layout.list, plan.listX, plan.listY, plan.listWidth, plan.listHeight, SWP_NOACTIVATE);
    for (int i = 0; i < frame.buttonCount; ++i)
        Defer(&batch, layout.buttons[i], plan.buttonX[i], plan.buttonY, frame.button.cx, frame.button.cy,
              SWP_NOACTIVATE);
    Defer(&batch, GetDlgItem(window, IDC_STATUS_BAR), 0, 0, frame.width, frame.height - 9,
          SWP_NOMOVE | SWP_NOACTIVATE);
    Finish(batch);
}

int IconMouseHandler(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HWND control = ChildWindowFromPoint(dialog, point);
    if (!control) return 0;
    ForgetClosedIcons();
    IconGroup group = GroupOf(dialog, control);
    switch (message) {
    case WM_MOUSEMOVE:
        OnIconMouseMove(control, group);
        break;
    case WM_LBUTTONDOWN:
        if (group == NOT_AN_ICON) break;
        ShowIconImage(control, ICON_PROP_HELD);
        g_heldIcon = control;
        break;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (group != NOT_AN_ICON) OnIconRelease(dialog, control);
        break;
    default:
        break;
    }
    return 1;
}

int DrawLink(const DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_BUTTON || item->itemAction != ODA_DRAWENTIRE) return 0;
    char text[512] = "";
    GetWindowTextA(item->hwndItem, text, sizeof text);
    HDC dc = item->hDC;
    SetBkMode(dc, TRANSPARENT);
    HFONT font = Drawing().linkFont;
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;

    UINT format = strchr(text, '\n') ? DT_WORDBREAK : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    RECT shadow = item->rcItem;
    OffsetRect(&shadow, 1, 1);
    RECT face = item->rcItem;
    SetTextColor(dc, RGB(192, 192, 192));
    DrawTextA(dc, text, -1, &shadow, format);
    SetTextColor(dc, g_linkColour);
    DrawTextA(dc, text, -1, &face, format);

    if (previousFont) SelectObject(dc, previousFont);
    g_linkColour = LINK_COLOUR_REST;
    return 1;
}

void CursorOverControl(HWND window)
{
    if (IsLinkButton(window)) {
        g_linkColour = LINK_COLOUR_HOVER;
        InvalidateRect(window, nullptr, FALSE);
        g_highlightedLink = window;
        return;
    }
    if (!g_highlightedLink) return;
    g_linkColour = LINK_COLOUR_REST;
    if (IsWindow(g_highlightedLink)) InvalidateRect(g_highlightedLink, nullptr, TRUE);
    g_highlightedLink = nullptr;
}

void MakeLink(HWND dialog, int control)
{
    HWND target = control ? GetDlgItem(dialog, control) : dialog;
    if (!target) return;
    LONG_PTR style = GetWindowLongPtrA(target, GWL_STYLE);
    SetWindowLongPtrA(target, GWL_STYLE, style | BS_OWNERDRAW);
    InvalidateRect(target, nullptr, TRUE);
}

COLORREF LinkColour() { return g_linkColour; }
