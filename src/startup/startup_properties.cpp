// What the Properties dialog shows for a startup entry: where it starts from, and whether
// its program runs.
#include "startup/startup_properties.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "processes/running_state.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "startup/startup_scan.h"

namespace {

void FillStartupEntry(HWND dialog, int index)
{
    char line[600];
    char location[512];
    LoadText(IDS_STARTUP_LOCATION, line);
    StartupLocationText(index, location, sizeof location);
    AppendText(line, location);
    SetPropertiesLocation(dialog, line);
    FillRunningState(dialog, index);
}

}  // namespace

void InstallStartupProperties()
{
    AddPropertiesKind({KIND_MACHINE_RUN, KIND_USERS_RUNSERVICESONCE, FillStartupEntry, RunningStateCommand});
    AddPropertiesKind({KIND_MACHINE32_RUN, KIND_MACHINE32_POLICIES_RUN, FillStartupEntry, RunningStateCommand});
    AddPropertiesKind({KIND_WIN_LOAD, KIND_WIN_RUN, FillStartupEntry, RunningStateCommand});
    AddPropertiesKind({KIND_GROUP_STARTUP, KIND_GROUP_STARTUP, FillStartupEntry, RunningStateCommand});
}
