// Changes to Internet Explorer add-ons and their undo (see iehelpers_actions.h).
#include "iehelpers/iehelpers_actions.h"

#include "foundations/text.h"
#include "history/history.h"

#include <windows.h>
#include <cstring>

int RegisterServerAgain(const char* command)
{
    char line[HISTORY_FIELD_CHARS + 32];
    bool quote = strchr(command, ' ') && !strchr(command, '"');
    FormatText(line, sizeof line, quote ? "regsvr32 /s \"%s\"" : "regsvr32 /s %s", command);
    return WinExec(line, SW_SHOW) > 31;
}

static int UndoRemoval(const HistoryRecord& record)
{
    return record.command[0] ? RegisterServerAgain(record.command) : 0;
}

void InstallIeHelperUndo() { SetUndoAction(ACTION_IEHELPER_REMOVE, UndoRemoval); }
