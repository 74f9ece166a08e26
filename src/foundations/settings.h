// The option store shared with the resident monitor: decimal-text values under
// HKCU\Software\Brondlewick\Vigilark\Options, an in-memory copy for the console,
// and the registry keys the program makes on its first run.
#pragma once

#include <windows.h>

#include "foundations/option_text.h"

// The in-memory copy of the options (defaults as the monitor expects them).
struct Options {
    int hideTobrin = 0;
    int hideAlerts = 0;
    int format = 0;
    int confirmExit = 0;
    int sound = 1;
    int history = 1;
    int hideMicrosoftServices = 0;
    int start = 2;
    int cookies = 0;
    int nuts = 9;
    int tasks = 11;
    int ieHelpers = 2;
    int fileType = 10;
    int hooks = 5;
    int startPage = 2;
    int hostFile = 3;
    int winInit = 5;
    int services = 7;
    int viewCookies = 0;
    int browser = 1;
};

Options& CurrentOptions();

// The option's value: the leading number of its text, or the default when the value
// is missing or empty.
int GetOption(const char* name, int defaultValue);

// Writes the decimal text, then "Update" = "1" (tells the monitor to reload);
// returns the result of the second write.
int SetOption(const char* name, int value);


void LoadOptions();
void SaveOptions();

// For the resident monitor: true when a writer set "Update" = "1" since the last call, which
// clears it again ("0"). The key whose change may mean that is VIGILARK_OPTIONS_KEY.
bool TakeSettingsUpdate();

// The pieces of the start-up step that belong to the settings (the step itself, with the
// first-run records of every subject, is the application's LoadInitialValues):
// Decides once per run whether the trace file is written (option "Debug").
void DecideTracing();
// Creates the program's keys when they do not exist yet; true on that first run.
bool CreateProgramKeysOnFirstRun();
// Creates the Services key with its creation time when it has none; true then (the
// services have to be recorded as known).
bool CreateServicesKeyWhenMissing();
// Reads the options, the monitor's autostart flag and the message-box language.
void LoadSettingValues();

// Whether the resident monitor is registered to start at log-on (kept current by
// the start-up step and by the code that switches it).
bool MonitorStartsAutomatically();
// Whether the machine's Run key holds the monitor's value now (what the flag is read from).
bool MonitorRunValueExists();
void SetMonitorStartsAutomatically(bool on);

// The primary language id passed with every message box (9 English unless string 634
// names "de", "fr", "es" or "it").
WORD MessageLanguage();
WORD LanguageFromCode(const char* code);

// The creation-time text "%d-%02d-%02d   %02d:%02d" of a local time.
void FormatCreationTime(const SYSTEMTIME* time, char* out, int capacity);

// The path of the settings file, worked out once per run.
const char* SettingsFile();
