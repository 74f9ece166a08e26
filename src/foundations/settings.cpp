// The option store and the start-up step (see settings.h).
#include "foundations/settings.h"

#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

namespace {

Options g_options;
bool g_monitorAutostart = false;
WORD g_messageLanguage = LANG_ENGLISH;
bool g_traceCounterSet = false;
char g_settingsFile[MAX_PATH] = "";

const char* const kServicesKey = VIGILARK_KEY "\\Services";

void TraceStep(const char* word) { Trace("Get Initial Values", word); }

// The default value of a key holds the local time the key was made.
void WriteCreationTime(const char* subkey)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[64];
    FormatCreationTime(&now, text, sizeof text);
    SetRegString(HKEY_CURRENT_USER, subkey, nullptr, text);
}

void CreateProgramKeys()
{
    CreateRegKey(HKEY_CURRENT_USER, "Software\\Brondlewick");
    CreateRegKey(HKEY_CURRENT_USER, VIGILARK_KEY);
    WriteCreationTime(VIGILARK_KEY);
    static const char* const kSubkeys[] = {"Nuts", "Cookies", "Options", "Run", "IEHelpers", "HostFile", "Tasks"};
    for (const char* name : kSubkeys) {
        char subkey[128];
        FormatText(subkey, sizeof subkey, "%s\\%s", VIGILARK_KEY, name);
        CreateRegKey(HKEY_CURRENT_USER, subkey);
    }
}

}  // namespace

bool MonitorRunValueExists()
{
    static const char* const kRunKey = WINDOWS_CURRENT_VERSION_KEY "\\Run";
    char name[64];
    LoadText(IDS_APP_NAME, name);
    // The monitor starts from the native view's Run key, whichever build asks.
    RegRoot machine = RootInView(HKEY_LOCAL_MACHINE, VIEW_NATIVE);
    if (RegValueExists(machine, kRunKey, name)) return true;
    LoadText(IDS_MONITOR_RUN_TITLE, name);
    return RegValueExists(machine, kRunKey, name);
}

Options& CurrentOptions() { return g_options; }

int GetOption(const char* name, int defaultValue)
{
    char text[64];
    ReadRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, text, sizeof text);
    return ParseOptionText(text, defaultValue);
}

int SetOption(const char* name, int value)
{
    char text[16];
    FormatText(text, sizeof text, "%d", value);
    SetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, text);
    return SetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update", "1");
}

bool TakeSettingsUpdate()
{
    if (GetOption("Update", 0) != 1) return false;
    SetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update", "0");
    return true;
}

void LoadOptions()
{
    Options& o = g_options;
    o.hideTobrin = GetOption("HideTobrin", 0);
    o.hideAlerts = GetOption("HideAlerts", 0);
    o.format = GetOption("Format", 0);
    o.confirmExit = GetOption("ConfirmExit", 0);
    o.sound = GetOption("Sound", 1);
    o.history = GetOption("History", 1);
    o.hideMicrosoftServices = GetOption("HideMicrosoftServices", 0);
    o.start = GetOption("Start", 2);
    o.cookies = GetOption("Cookies", 0);
    o.nuts = GetOption("Nuts", 9);
    o.tasks = GetOption("Tasks", 11);
    o.ieHelpers = GetOption("IEHelpers", 2);
    o.fileType = GetOption("FileType", 10);
    o.hooks = GetOption("Hooks", 5);
    o.startPage = GetOption("StartPage", 2);
    o.hostFile = GetOption("HostFile", 3);
    o.winInit = GetOption("WinInit", 5);
    o.services = GetOption("Services", 7);
    o.viewCookies = GetOption("ViewCookies", 0);
    o.browser = GetOption("Browser", 1);
}

void SaveOptions()
{
    const Options& o = g_options;
    SetOption("Format", o.format);
    SetOption("ConfirmExit", o.confirmExit);
    SetOption("Sound", o.sound);
    SetOption("History", o.history);
    SetOption("NoMicrosoftServices", o.hideMicrosoftServices);
    SetOption("Start", o.start);
    SetOption("Cookies", o.cookies);
    SetOption("Nuts", o.nuts);
    SetOption("Tasks", o.tasks);
    SetOption("IEHelpers", o.ieHelpers);
    SetOption("FileType", o.fileType);
    SetOption("Hooks", o.hooks);
    SetOption("StartPage", o.startPage);
    SetOption("HostFile", o.hostFile);
    SetOption("WinInit", o.winInit);
    SetOption("Services", o.services);
    SetOption("ViewCookies", o.viewCookies);
}

void DecideTracing()
{
    // Once per run, so a run writes at most 9001 records however often the Options page
    // reloads the settings.
    if (g_traceCounterSet) return;
    SetTraceCounter(GetOption("Debug", 0) != 0 ? 0 : TRACE_OFF);
    g_traceCounterSet = true;
}

bool CreateProgramKeysOnFirstRun()
{
    TraceStep("INIFILE");
    SettingsFile();
    char created[32];
    if (ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr, created, sizeof created) != 0) return false;
    TraceStep("FIRSTTIME");
    CreateProgramKeys();
    TraceStep("REGKEYSCREATE");
    return true;
}

bool CreateServicesKeyWhenMissing()
{
    char created[32];
    if (ReadRegString(HKEY_CURRENT_USER, kServicesKey, nullptr, created, sizeof created) != 0) return false;
    CreateRegKey(HKEY_CURRENT_USER, kServicesKey);
    WriteCreationTime(kServicesKey);
    return true;
}

void LoadSettingValues()
{
    TraceStep("CREATECLASSINFO");

    TraceStep("GETVARIABLES");
    LoadOptions();

    g_monitorAutostart = MonitorRunValueExists();
    TraceStep("SETSTARTUP");

    char language[8];
    LoadText(IDS_LANGUAGE, language);
    g_messageLanguage = LanguageFromCode(language);
}

bool MonitorStartsAutomatically() { return g_monitorAutostart; }
void SetMonitorStartsAutomatically(bool on) { g_monitorAutostart = on; }

WORD MessageLanguage() { return g_messageLanguage; }

WORD LanguageFromCode(const char* code)
{
    static const struct { const char* code; WORD language; } kLanguages[] = {
        {"de", LANG_GERMAN}, {"fr", LANG_FRENCH}, {"es", LANG_SPANISH}, {"it", LANG_ITALIAN},
    };
    for (const auto& row : kLanguages)
        if (SameText(code, row.code)) return row.language;
    return LANG_ENGLISH;
}

void FormatCreationTime(const SYSTEMTIME* time, char* out, int capacity)
{
    FormatText(out, (size_t)capacity, "%d-%02d-%02d   %02d:%02d", time->wYear, time->wMonth, time->wDay, time->wHour,
               time->wMinute);
}

const char* SettingsFile()
{
    if (!g_settingsFile[0]) SettingsFilePath(g_settingsFile, sizeof g_settingsFile);
    return g_settingsFile;
}
