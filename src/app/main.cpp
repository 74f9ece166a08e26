// Entry point of the console VigilarkEx.exe: turns the command line into one command,
// hands it to a copy that is already running, or becomes the running copy.
#include "app/start.h"
#include "cookies/cookie_filters.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/trace.h"
#include "reports/csv_export.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/main_window.h"

#include <objbase.h>
#include <commctrl.h>

namespace {

// "-csv FILE": every list written as CSV for a script, without a window and without
// handing anything to a running copy. Read-only: it records nothing, not even a first run.
// 0 when the file was written.
int RunCsvExport(const char* file)
{
    if (!file[0]) return 2;
    CoInitialize(nullptr);
    SetTraceFileName("sendex2kw.txt");
    LoadSettingsToRead();
    InstallSubjectTables();
    DWORD error = 0;
    bool written = WriteCsvFile(file, &error);
    if (EntryCount() > 0) FreeEntries();
    CoUninitialize();
    return written ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    SetAppInstance(instance);
    if (LoadText(IDS_CLASS_NAME, MainClassName(), CLASS_NAME_CHARS) == 0) return 0;
    if (LoadText(IDS_LOADING, ConsoleCaption(), CAPTION_CHARS) == 0) return 0;

    char csvFile[MAX_PATH];
    if (CsvFileFromCommandLine(commandLine, csvFile, sizeof csvFile)) return RunCsvExport(csvFile);

    int command = CommandFromCommandLine(commandLine);
    bool quit = HasQuitOption(commandLine);

    bool gaveUp = false;
    HWND running = FindOrClaimRunningCopy(MainClassName(), &gaveUp);
    if (running) {
        PostMessageA(running, WM_COMMAND, quit ? CMD_QUIT : command, 0);
        return 0;
    }
    if (gaveUp) {
        // Never end a start in silence: say why no console opens.
        if (!quit) ErrorBox(IDS_START_NO_ANSWER);
        return 0;
    }
    if (quit) return 0;

    HWND mainWindow = CreateMainWindow(instance);
    if (!mainWindow) return 0;
    SetMainWindow(mainWindow);
    CreateSharedDrawing(instance);

    CoInitialize(nullptr);
    InitCommonControls();

    SetTraceFileName("sendex2kw.txt");
    LoadInitialValues();
    InstallSubjectTables();
    Trace("Application Start", "Vigilark Explorer ");

    PostMessageA(mainWindow, WM_COMMAND, command, 0);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    if (EntryCount() > 0) FreeEntries();
    if (FilterCount() > 0) FreeFilterList();
    CoUninitialize();
    SaveOptions();
    return (int)message.wParam;
}
