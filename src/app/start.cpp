// The program's start-up step (see start.h).
#include "app/start.h"

#include "app/firstrun.h"
#include "cookies/cookies.h"
#include "cookies/cookies_patrol.h"
#include "filetypes/filetypes_patrol.h"
#include "hooks/hooks.h"
#include "hooks/hooks_patrol.h"
#include "iehelpers/iehelpers_patrol.h"
#include "options/hosts_patrol.h"
#include "options/system_patrol.h"
#include "processes/blacklist_patrol.h"
#include "scheduler/scheduled_patrol.h"
#include "services/services_patrol.h"
#include "startup/startup_patrol.h"
#include "filetypes/filetypes.h"
#include "foundations/entries.h"
#include "foundations/settings.h"
#include "foundations/trace.h"
#include "iehelpers/iehelpers_actions.h"
#include "iehelpers/iehelpers_properties.h"
#include "shell/listview.h"
#include "processes/processes.h"
#include "processes/running_state.h"
#include "services/service_properties.h"
#include "services/services.h"
#include "scheduler/scheduled_properties.h"
#include "scheduler/task_scheduler.h"
#include "reports/reports_install.h"
#include "startup/startup_actions.h"
#include "startup/startup_properties.h"
#include "startup/startup_scan.h"

void LoadInitialValues()
{
    DecideTracing();
    if (CreateProgramKeysOnFirstRun()) {
        RecordInitialData();
        Trace("Get Initial Values", "INITIALDATA");
        ImportFilterWords();
        Trace("Get Initial Values", "GETOLDSTARTUP");
    }
    if (CreateServicesKeyWhenMissing()) RecordKnownServices();
    Trace("Get Initial Values", "CREATECLASSINFO");
    CreateFileTypeSnapshot();
    LoadSettingValues();
    ForgetImageLists();
    FreeEntries();
}

void LoadSettingsToRead()
{
    DecideTracing();
    LoadSettingValues();
    ForgetImageLists();
    FreeEntries();
}

void InstallSubjectTables()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    InstallStartupUndo();
    InstallIeHelperUndo();
    InstallHookUndo();
    InstallHookProperties();
    InstallHookReport();
    InstallStartupProperties();
    InstallTaskProperties();
    InstallStartupReport();
    InstallTaskReport();
    InstallServiceProperties();
    InstallServiceReport();
    InstallScheduledTaskProperties();
    InstallScheduledTaskReport();
    InstallIeHelperProperties();
    InstallIeHelperReport();
    InstallFileTypeProperties();
    InstallFileTypeReport();
    InstallCookieReport();
    InstallReports();
}

void InstallPatrolPlaces()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    InstallStartupPatrol();
    InstallIeHelperPatrol();
    InstallScheduledTaskPatrol();
    InstallServicePatrol();
    InstallFileTypePatrol();
    InstallHostsPatrol();
    InstallSystemPatrols();
    InstallBlacklistPatrol();
    InstallCookiePatrol();
    InstallHookPatrol();
}
