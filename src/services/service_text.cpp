// The service list's text rules (see service_text.h).
#include "services/service_text.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "history/history.h"
#include "resource.h"

#include <winsvc.h>

#include <cstring>

int ServiceKindOfImage(const char* imagePath)
{
    if (!imagePath || !ContainsNoCase(imagePath, ".exe")) return 0;
    return ContainsNoCase(imagePath, "svchost.exe") ? KIND_SERVICE_SVCHOST : KIND_SERVICE_EXE;
}

UINT StartTypeTextId(DWORD start)
{
    switch (start) {
    case SERVICE_AUTO_START: return IDS_START_AUTOMATIC;
    case SERVICE_DEMAND_START: return IDS_START_MANUAL;
    case SERVICE_DISABLED: return IDS_START_DISABLED;
    default: return 0;
    }
}

DWORD StartValueOfChoice(int choice) { return choice >= 0 && choice <= 2 ? (DWORD)choice + SERVICE_AUTO_START : 0; }

int StartTypeFromAction(DWORD start)
{
    return StartTypeTextId(start) ? ACTION_SERVICE_FROM_AUTOMATIC + (int)(start - SERVICE_AUTO_START) : -1;
}

int StartTypeToAction(DWORD start)
{
    return StartTypeTextId(start) ? ACTION_SERVICE_AUTOMATIC + (int)(start - SERVICE_AUTO_START) : -1;
}

void ServiceCommandText(const char* path, int kind, char* out, int capacity)
{
    if (capacity <= 0) return;
    out[0] = '\0';
    const char* slash = strrchr(path, '\\');
    if (kind == KIND_SERVICE_SVCHOST) CopyText(out, (size_t)capacity, "svchost.exe ");
    AppendText(out, (size_t)capacity, slash ? slash + 1 : path);
}

DWORD ServiceRightsForControl(DWORD control)
{
    switch (control) {
    case SERVICE_CONTROL_STOP: return SERVICE_STOP;
    case SERVICE_CONTROL_INTERROGATE: return SERVICE_INTERROGATE;
    case SERVICE_CONTROL_PAUSE:
    case SERVICE_CONTROL_CONTINUE:
    case SERVICE_CONTROL_PARAMCHANGE:
    case SERVICE_CONTROL_NETBINDADD:
    case SERVICE_CONTROL_NETBINDREMOVE:
    case SERVICE_CONTROL_NETBINDENABLE:
    case SERVICE_CONTROL_NETBINDDISABLE: return SERVICE_PAUSE_CONTINUE;
    default: return control >= 128 && control <= 255 ? SERVICE_USER_DEFINED_CONTROL : 0;
    }
}
