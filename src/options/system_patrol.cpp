// The resident monitor's start-page and restart-file places (see system_patrol.h).
#include "options/system_patrol.h"

#include "foundations/entries.h"
#include "foundations/file_replace.h"
#include "foundations/known_list.h"
#include "foundations/paths.h"
#include "foundations/patrol_places.h"
#include "foundations/platform.h"
#include "foundations/registry.h"
#include "foundations/restart_text.h"
#include "foundations/strings.h"
#include "history/history.h"
#include "options/sound.h"
#include "options/system_files.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

const char kStartPageKey[] = VIGILARK_KEY "\\StartPage";
const char kWinInitKey[] = VIGILARK_KEY "\\WinInit";
const char* const kPageValues[] = {"Start Page", "Search Page"};

std::string BrowserMainKey()
{
    char key[260];
    LoadText(IDS_IE_MAIN_KEY, key);
    return key;
}

// ---- Start and search pages ----------------------------------------------------------

bool CollectPages(std::vector<PatrolItem>& live)
{
    std::string main = BrowserMainKey();
    for (const char* name : kPageValues) {
        std::string now;
        std::string recorded;
        ReadRegText(HKEY_CURRENT_USER, main.c_str(), name, now);
        if (!ReadRegText(HKEY_CURRENT_USER, kStartPageKey, name, recorded)) {
            // Nothing recorded yet: the page as it is now is the record.
            std::string data;
            DWORD type = 0;
            if (ReadRegRaw(HKEY_CURRENT_USER, main.c_str(), name, data, &type) && CreateRegKey(HKEY_CURRENT_USER, kStartPageKey))
                WriteRegRaw(HKEY_CURRENT_USER, kStartPageKey, name, data, type);
            continue;
        }
        PatrolItem item;
        item.title = name;
        item.command = now;
        item.extra = recorded;
        item.location = "HKEY_CURRENT_USER\\" + main;
        item.kind = KIND_PROSEARCH;
        item.identity = std::string(name) + "=" + now;
        item.known = now == recorded;
        item.changed = true;
        live.push_back(item);
    }
    return true;
}

// The value is copied with its type and bytes either way.
bool CopyPageValue(const char* fromKey, const char* toKey, const char* name)
{
    std::string data;
    DWORD type = 0;
    return ReadRegRaw(HKEY_CURRENT_USER, fromKey, name, data, &type) && CreateRegKey(HKEY_CURRENT_USER, toKey) &&
           WriteRegRaw(HKEY_CURRENT_USER, toKey, name, data, type);
}

void RecordPage(const PatrolItem& item)
{
    CopyPageValue(BrowserMainKey().c_str(), kStartPageKey, item.title.c_str());
}

unsigned PageChoices(const PatrolItem&) { return CHOICE_RESTORE; }

bool RestorePage(const PatrolItem& item, unsigned choice)
{
    return choice == CHOICE_RESTORE && CopyPageValue(kStartPageKey, BrowserMainKey().c_str(), item.title.c_str());
}

void PageWatches(std::vector<PatrolWatch>& out)
{
    out.push_back(PatrolWatch::Key(HKEY_CURRENT_USER, BrowserMainKey()));
}

// ---- Restart commands (Windows 95 family) ----------------------------------------------

bool CollectRestartLines(std::vector<PatrolItem>& live)
{
    if (IsNtFamily()) return true;  // only the Windows 95 family runs wininit.ini
    char path[MAX_PATH];
    WinInitPath(path, sizeof path);
    std::string text;
    ReadFileBytes(path, text);
    KnownList known;
    bool recorded = known.Load(HKEY_CURRENT_USER, kWinInitKey);
    if (!recorded) CreateRegKey(HKEY_CURRENT_USER, kWinInitKey);
    for (const std::string& line : RestartCommandLines(text)) {
        if (!recorded) {
            SetRegString(HKEY_CURRENT_USER, kWinInitKey, line.c_str(), "1");
            continue;
        }
        PatrolItem item;
        item.title = "wininit.ini";
        item.command = line;
        item.location = path;
        item.kind = KIND_RESTART_DELETE;
        item.identity = line;
        item.known = known.Has(line);
        live.push_back(item);
    }
    return true;
}

void RecordRestartLine(const PatrolItem& item)
{
    CreateRegKey(HKEY_CURRENT_USER, kWinInitKey);
    SetRegString(HKEY_CURRENT_USER, kWinInitKey, item.command.c_str(), "1");
}

unsigned RestartChoices(const PatrolItem&) { return 0; }

}  // namespace

void InstallSystemPatrols()
{
    PatrolPlace pages = DescribePlace(8, "StartPage", "StartPage", 2);
    pages.titleId = IDS_ALERT_STARTPAGE;
    pages.sound = SOUND_STARTUP_ALERT;
    pages.history = {ACTION_START_ALERT, -1, ACTION_START_RESTORE};
    pages.calls = {CollectPages, RecordPage, PageChoices, RestorePage, PageWatches};
    AddPatrolPlace(pages);

    PatrolPlace restart = DescribePlace(9, "WinInit", "WinInit", 5);
    restart.titleId = IDS_ALERT_WININIT;
    restart.sound = SOUND_STARTUP_ALERT;
    restart.history.found = ACTION_MONITOR_ALERT;
    restart.calls = {CollectRestartLines, RecordRestartLine, RestartChoices, nullptr, nullptr};
    AddPatrolPlace(restart);
}
