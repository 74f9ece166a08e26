// Help topics, the AOL client, the version text and the web actions of the About page
// and the Properties dialog (see help.h). The addresses themselves are built in
// help_addresses.cpp; this file finds what they need and opens them.
#include "shell/help.h"

#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/help_addresses.h"

#include <shellapi.h>

#include <cstring>

namespace {

const char kMonitorProgram[] = "Vigilark.exe";
const char kConsoleProgram[] = "VigilarkEx.exe";

void ProductVersionOf(const char* directory, const char* program, char* out, int capacity)
{
    char path[MAX_PATH];
    FormatText(path, sizeof path, "%s\\%s", directory, program);
    VersionFields version;
    ReadVersionFields(path, &version);
    CopyText(out, (size_t)capacity, version.productVersion);
}

void OpenWithShell(const char* target)
{
    ShellExecuteA(MainWindow(), "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

// Runs the AOL client on an address; a failed start is the browser's concern, as always.
// Without a command line that cannot be extended (no program folder, a quote in the
// folder or the address), the address goes to the default browser instead.
void OpenWithAol(const char* address, int appPathChars)
{
    char command[WEB_COMMAND_CHARS];
    if (AolCommandFor(address, appPathChars, command, sizeof command) > 0)
        WinExec(command, SW_SHOWNORMAL);
    else
        OpenWithShell(address);
}

// Where Internet Explorer is, from its App Paths entry.
void StartInternetExplorer(const char* address)
{
    char key[260];
    char path[260] = "";
    LoadText(IDS_IE_APP_PATH_KEY, key);
    ReadRegString(HKEY_LOCAL_MACHINE, key, "Path", path, sizeof path);
    char command[WEB_COMMAND_CHARS];
    if (IeCommandLine(path, address, command, sizeof command) > 0) WinExec(command, SW_SHOWNORMAL);
}

}  // namespace

void ServerAddress(char* out, int capacity)
{
    if (!out || capacity <= 0) return;
    int length = LoadText(IDS_SERVER, out, capacity);
    // An override without the final slash still has to take page names after it.
    if (length > 0 && out[length - 1] != '/') AppendText(out, (size_t)capacity, "/");
}

bool IsAolRunning()
{
    static const struct { const char* windowClass; const char* title; } kWindows[] = {
        {"AOL Frame25", "America  Online"}, {"AOL Frame25", "America Online"}, {"AOL Frame25", "AOL"},
        {"AOL Frame25", "AOL Canada"},      {"AOL Frame", "America  Online"},
    };
    for (const auto& window : kWindows)
        if (FindWindowA(window.windowClass, window.title)) return true;
    return false;
}

int AolCommandFor(const char* address, int appPathChars, char* out, int capacity)
{
    char appPath[512];
    int chars = appPathChars < (int)sizeof appPath ? appPathChars : (int)sizeof appPath;
    GetProfileStringA("WAOL", "AppPath", "", appPath, (DWORD)chars);
    return AolCommandLine(appPath, address, out, capacity);
}

int HelpTarget(int command, WORD language, char* out, int capacity)
{
    char topic[HELP_TOPIC_CHARS];
    HelpTopicFile(command, language, topic, sizeof topic);

    // The pages are installed beside the program, and only a page there is opened: a file of
    // that name in the current, Windows or system folder is nothing of the program's (the
    // monitor or the Run key may start the console from anywhere).
    char beside[MAX_PATH];
    if (ProgramDirectory(beside, sizeof beside) > 0) {
        AppendText(beside, "\\");
        AppendText(beside, topic);
        if (FileExists(beside)) {
            CopyText(out, (size_t)capacity, beside);
            return 1;
        }
    }

    char server[256];
    ServerAddress(server, sizeof server);
    ServerPageAddress(server, topic, out, capacity);
    return 0;
}

int OpenHelp(HWND, int command)
{
    char target[WEB_ADDRESS_CHARS];
    if (HelpTarget(command, MessageLanguage(), target, sizeof target) == 0 && IsAolRunning())
        OpenWithAol(target, 260);
    else if (target[0])
        OpenWithShell(target);
    return 1;
}

void OpenWebAddress(const char* address)
{
    if (!address || !*address) return;
    if (IsAolRunning())
        OpenWithAol(address, 512);
    else
        OpenWithShell(address);
}

int VersionTextIn(const char* directory, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    char monitor[128];
    ProductVersionOf(directory, kMonitorProgram, monitor, sizeof monitor);
    if (!monitor[0]) return 0;

    char console[MAX_PATH];
    FormatText(console, sizeof console, "%s\\%s", directory, kConsoleProgram);
    CopyText(out, (size_t)capacity, monitor);
    if (FileExists(console)) {
        char version[128];
        ProductVersionOf(directory, kConsoleProgram, version, sizeof version);
        AppendText(out, (size_t)capacity, ":");
        AppendText(out, (size_t)capacity, version);
    }
    return (int)strlen(out);
}

int VersionText(char* out, int capacity)
{
    char directory[MAX_PATH];
    if (ProgramDirectory(directory, sizeof directory) == 0) {
        if (out && capacity > 0) out[0] = '\0';
        return 0;
    }
    return VersionTextIn(directory, out, capacity);
}

void CheckForNewVersion()
{
    char server[256];
    char version[300];
    char address[WEB_ADDRESS_CHARS];
    ServerAddress(server, sizeof server);
    VersionText(version, sizeof version);
    if (VersionCheckAddress(server, version, MessageLanguage(), address, sizeof address) == 0) return;
    if (IsAolRunning())
        OpenWithAol(address, 512);
    else
        OpenWithShell(address);
}

int LookUpAddress(int type, const char* text, bool escapeName, char* out, int capacity)
{
    VersionFields fields;
    ReadVersionFields(text ? text : "", &fields);
    char server[256];
    char version[300];
    ServerAddress(server, sizeof server);
    VersionText(version, sizeof version);

    LookupRequest request = {};
    request.server = server;
    request.program = text;
    request.companyName = fields.companyName;
    request.productVersion = fields.productVersion;
    request.versionText = version;
    request.type = type;
    request.language = MessageLanguage();
    request.escapeName = escapeName;
    return ProgramLookupAddress(request, out, capacity);
}

void LookUpProgram(int type, const char* text)
{
    char address[WEB_ADDRESS_CHARS];
    if (IsAolRunning()) {
        if (LookUpAddress(type, text, false, address, sizeof address) > 0) OpenWithAol(address, 512);
        return;
    }
    if (LookUpAddress(type, text, true, address, sizeof address) == 0) return;
    HINSTANCE result = ShellExecuteA(MainWindow(), "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 31) StartInternetExplorer(address);
}
