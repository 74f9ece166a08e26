// What the Properties dialog shows for an Internet Explorer add-on: where the browser
// keeps it, the icon of a toolbar or button, and the advice text instead of the detail.
#include "iehelpers/iehelpers_properties.h"

#include "foundations/entries.h"
#include "iehelpers/iehelpers.h"
#include "shell/properties_dialog.h"

namespace {

void FillIeHelper(HWND dialog, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    char line[600];
    IeHelperLocationLine(entry.kind, line, sizeof line);
    SetPropertiesLocation(dialog, line);
    SetPropertiesStatus(dialog, 0);
    // The detail is a version or an icon file, not a note for the user.
    SetPropertiesAdvice(dialog);
    // A button's detail names its icon file. A toolbar's is its version text, never read as a
    // file name (a text like "1.0" could name some file in the current folder).
    if (BaseKind(entry.kind) == KIND_TYPE_EXTENSION) SetPropertiesIcon(dialog, entry.detail);
}

}  // namespace

void InstallIeHelperProperties()
{
    AddPropertiesKind({KIND_TYPE_BHO, KIND_TYPE_EXTENSION, FillIeHelper, nullptr});
    AddPropertiesKind({KIND_TYPE_BHO32, KIND_TYPE_EXTENSION32, FillIeHelper, nullptr});
}
