// The services' section of the full report and the CSV export: the start type and, when
// the service answers, its state after each entry.
#include "services/services.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "services/service_text.h"
#include "shell/listview.h"
#include "shell/report_sections.h"

namespace {

int ServiceFields(int index, ReportField* out, int capacity)
{
    char state[128];
    int count = 0;
    if (count < capacity) {
        CopyText(out[count].label, "Startup Type");
        GetEntryExtra(index, out[count].value);
        ++count;
    }
    // In the report's walk every listed service's state is read at the first row.
    DWORD value = ListedServiceState(index);
    if (count < capacity && value != 0) {
        LoadText(ServiceStateTextId(StateOfValue(value)), state, sizeof state);
        CopyText(out[count].label, "Service Status");
        CopyText(out[count].value, state);
        ++count;
    }
    return count;
}

// The start type as the fill wrote it into the entry's extra: Disabled is a disabled entry.
bool IsServiceDisabled(int index)
{
    char startType[ENTRY_EXTRA_CHARS];
    char disabled[64];
    GetEntryExtra(index, startType);
    return LoadText(IDS_START_DISABLED, disabled) > 0 && SameText(startType, disabled);
}

}  // namespace

void InstallServiceReport()
{
    ReportSection section;
    section.order = 6;
    section.titleId = IDS_TAB_SERVICES;
    section.keyword = "service";
    section.enumerate = EnumerateServices;
    section.fields = ServiceFields;
    section.disabled = IsServiceDisabled;
    AddReportSection(section);
}
