// Records made on the first run (see firstrun.h).
#include "app/firstrun.h"

#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/entries.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "hooks/hooks.h"
#include "hooks/hooks_patrol.h"
#include "iehelpers/iehelpers.h"
#include "resource.h"
#include "scheduler/task_scheduler.h"
#include "cookies/cookie_filters.h"
#include "cookies/cookies.h"
#include "startup/startup_actions.h"

#include <windows.h>

static const char* const kFilterWordsKey = VIGILARK_KEY "\\Nuts";

const char* const kDefaultFilterWords[14] = {"180S",  "2o7",        "AdServ", "atwola", "Banner", "bfast",  "CGI-Bin",
                                             "Click", "Commission", "gator",  "hitbox", "kazaa",  "metric", "ru4"};

void RecordInitialData()
{
    RecordKnownStartupEntries();
    RecordKnownTasks();
    RecordKnownIeHelpers();
    RecordKnownHooks();
    RecordHookValues();
    RecordKeptCookies(SettingsFile());

    // An older installation registered the monitor under another title; replace it.
    char oldTitle[64];
    char directory[MAX_PATH];
    char command[MAX_PATH];
    LoadText(IDS_MONITOR_RUN_TITLE, oldTitle);
    ProgramDirectory(directory, sizeof directory);
    FormatText(command, sizeof command, "%s\\vigilark.exe", directory);
    RemoveStartupEntry(oldTitle, command, "", KIND_MACHINE_RUN);
    SetMonitorAutostart(true);
}

void ImportFilterWords()
{
    const char* settings = SettingsFile();
    // The file's own number: capped at the filter list's size, so no count drives this loop on.
    int count = (int)GetPrivateProfileIntA("Nuts", "count", 0, settings);
    if (count > FILTER_LIST_CAPACITY) count = FILTER_LIST_CAPACITY;
    if (count <= 0) {
        for (const char* word : kDefaultFilterWords) SetRegString(HKEY_CURRENT_USER, kFilterWordsKey, word, "1");
        return;
    }
    for (int n = 1; n <= count; ++n) {
        char key[32];
        char word[256];
        FormatText(key, sizeof key, "Nut%d", n);
        GetPrivateProfileStringA("Nuts", key, "", word, sizeof word, settings);
        if (word[0]) SetRegString(HKEY_CURRENT_USER, kFilterWordsKey, word, "1");
    }
}
