// The system hooks in the other lists' tables: the full report's section and CSV rows, the
// Properties dialog's location line, and the first run's known records.
#include "hooks/hooks.h"
#include "hooks/hooks_patrol.h"

#include "foundations/entries.h"
#include "foundations/known_list.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "processes/running_state.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "shell/report_sections.h"

namespace {

int LocationText(int index, char* out, int capacity)
{
    EntryCopy entry;
    if (!CopyEntry(index, entry)) return 0;
    return (int)CopyText(out, (size_t)capacity, HookLocationText(entry.kind, entry.extra).c_str());
}

int LocationField(int index, ReportField* out, int capacity)
{
    if (capacity < 1) return 0;
    LoadText(IDS_LOCATION, out[0].label);
    LocationText(index, out[0].value, sizeof out[0].value);
    return 1;
}

void FillHook(HWND dialog, int index)
{
    char location[600];
    LocationText(index, location, sizeof location);
    SetPropertiesLocation(dialog, location);
    FillRunningState(dialog, index);
}

}  // namespace

void InstallHookReport()
{
    ReportSection section;
    section.order = 7;
    section.titleId = IDS_TAB_HOOKS;
    section.keyword = "hook";
    section.enumerate = EnumerateSystemHooks;
    section.location = LocationText;
    section.fields = LocationField;
    AddReportSection(section);
}

void InstallHookProperties()
{
    AddPropertiesKind({KIND_HOOK_SHELL, KIND_HOOK32_ACTIVE_SETUP, FillHook, RunningStateCommand});
}

void RecordKnownHooks()
{
    // The key itself says that the record was made, also when there was nothing to record.
    CreateRegKey(HKEY_CURRENT_USER, HOOKS_KNOWN_KEY);
    for (int index = 0, count = EnumerateSystemHooks(); index < count; ++index) RecordKnownHook(index);
    FreeEntries();
}
