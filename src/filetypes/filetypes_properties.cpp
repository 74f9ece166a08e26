// What the Properties dialog shows for a file type: the extension, and whether the program
// it opens with runs.
#include "filetypes/filetypes.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "processes/running_state.h"
#include "resource.h"
#include "shell/properties_dialog.h"

namespace {

void FillFileType(HWND dialog, int index)
{
    char notes[ENTRY_DETAIL_CHARS + 64];
    char extension[ENTRY_DETAIL_CHARS];
    LoadText(IDS_FILETYPE_EXTENSION, notes);
    GetEntryDetail(index, extension);
    AppendText(notes, extension);
    SetPropertiesLocation(dialog, "");
    SetPropertiesNotes(dialog, notes);
    FillRunningState(dialog, index);
}

}  // namespace

void InstallFileTypeProperties()
{
    AddPropertiesKind({KIND_FILETYPE, KIND_FILETYPE, FillFileType, RunningStateCommand});
}
