// The text viewer: an Internet Explorer cookie file's text, read-only.
#include "cookies/cookie_windows.h"

#include "foundations/paths.h"
#include "foundations/strings.h"
#include "resource.h"
#include "shell/layout.h"

namespace {

const DWORD VIEWER_READ_BYTES = 16384;

struct ViewerRequest {
    const char* path;
    UINT captionId;
};

BOOL OnInitDialog(HWND dialog, const ViewerRequest& request)
{
    char caption[256];
    if (LoadText(request.captionId, caption) > 0) SetWindowTextA(dialog, caption);
    SetItemTextById(dialog, IDS_CLOSE, IDOK);
    SetDlgItemTextA(dialog, IDC_VIEWER_PATH, request.path);
    DWORD size = VIEWER_READ_BYTES;
    char* text = LoadTextFile(request.path, &size);
    SetDlgItemTextA(dialog, IDC_VIEWER_TEXT, text ? text : "");
    FreeTextFile(text);
    CentreWindow(dialog);
    return TRUE;
}

INT_PTR CALLBACK TextViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, *reinterpret_cast<const ViewerRequest*>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

void ShowTextViewer(HWND owner, const char* path, UINT captionId)
{
    ViewerRequest request = {path, captionId};
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_TEXT_VIEWER), owner, TextViewerProc,
                    reinterpret_cast<LPARAM>(&request));
}
