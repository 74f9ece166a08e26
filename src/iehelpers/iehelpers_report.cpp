// The add-ons' section of the full report and the CSV export.
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_properties.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/report_sections.h"

namespace {

// "Location" with the value "HKLM\<key of the kind>" in double quotes, and " (32-bit)" for
// that view.
int LocationField(int index, ReportField* out, int capacity)
{
    int kind = GetEntryKind(index);
    const char* key = IeHelperRegistryKey(kind);
    if (!key || capacity < 1) return 0;
    LoadText(IDS_LOCATION, out[0].label);
    FormatText(out[0].value, sizeof out[0].value, "\"HKLM\\%s\"", key);
    AppendViewMark(KindView(kind), out[0].value, sizeof out[0].value);
    return 1;
}

}  // namespace

void InstallIeHelperReport()
{
    ReportSection section;
    section.order = 4;
    section.titleId = IDS_TAB_IEHELPERS;
    section.keyword = "iehelper";
    section.enumerate = EnumerateIeHelpers;
    section.location = IeHelperLocationText;
    section.fields = LocationField;
    AddReportSection(section);
}
