// Process-wide state of the console (see app.h).
#include "shell/app.h"

#include "resource.h"

static HWND g_mainWindow = nullptr;
static char g_className[CLASS_NAME_CHARS] = "";
static char g_caption[CAPTION_CHARS] = "";
static int g_activePage = ACTIVE_PAGE_NONE;
static SharedDrawing g_drawing = {};

HWND MainWindow() { return g_mainWindow; }
void SetMainWindow(HWND window) { g_mainWindow = window; }
char* MainClassName() { return g_className; }
char* ConsoleCaption() { return g_caption; }
int ActivePage() { return g_activePage; }
void SetActivePage(int command) { g_activePage = command; }
const SharedDrawing& Drawing() { return g_drawing; }

static HFONT MakeFont(int height, int weight, bool underline, const char* face)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face);
}

static HBITMAP LoadBitmapResource(HINSTANCE instance, int id)
{
    return static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

void CreateSharedDrawing(HINSTANCE instance)
{
    g_drawing.linkFont = MakeFont(-14, 400, true, "Verdana");
    g_drawing.aboutHeadingFont = MakeFont(-18, 600, true, "Verdana");
    g_drawing.boldDialogFont = MakeFont(-14, 600, false, "MS Sans Serif");
    g_drawing.aboutTextFont = MakeFont(-14, 400, false, "Arial");
    g_drawing.smallDialogFont = MakeFont(-12, 500, false, "MS Sans Serif");
    static const int kHelp[3] = {IDB_HELP_REST, IDB_HELP_HELD, IDB_HELP_HOVER};
    static const int kMonitor[3] = {IDB_MONITOR_OFF, IDB_MONITOR_HELD, IDB_MONITOR_ON};
    static const int kCookie[3] = {IDB_COOKIE_REST, IDB_COOKIE_HELD, IDB_COOKIE_HOVER};
    for (int i = 0; i < 3; ++i) {
        g_drawing.helpBitmaps[i] = LoadBitmapResource(instance, kHelp[i]);
        g_drawing.monitorBitmaps[i] = LoadBitmapResource(instance, kMonitor[i]);
        g_drawing.cookieBitmaps[i] = LoadBitmapResource(instance, kCookie[i]);
    }
}
