// Delete File on Reboot (see delete_on_reboot.h).
#include "shell/delete_on_reboot.h"

#include "foundations/delete_at_restart.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/questions.h"

void OfferDeleteOnReboot(HWND list)
{
    int index = SelectedEntry(list);
    if (index < 0) {
        InfoBox(IDS_NO_SELECTION);
        return;
    }
    // The entry's command may carry arguments; the file is its program, named in the question.
    char path[ENTRY_PATH_CHARS];
    char program[1024];
    GetEntryPath(index, path);
    ProgramPathAsWritten(path, program, sizeof program);
    if (!FileExists(program)) {
        ErrorBox(IDS_DELETE_ON_RESTART_FAILED);
        return;
    }
    char text[1024];
    LoadText(IDS_CONFIRM_DELETE_ON_REBOOT, text);
    std::string question = QuestionNaming(text, {program});
    if (ConsoleMessageBox(question.c_str(), MB_YESNO | MB_ICONHAND) != IDYES) return;
    if (!DeleteFileOnRestart(program)) ErrorBox(IDS_DELETE_ON_RESTART_FAILED);
}
