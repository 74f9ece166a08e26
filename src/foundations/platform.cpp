// Which Windows family the program runs on (see platform.h).
#include "foundations/platform.h"

#include <windows.h>

static bool ReadVersion(OSVERSIONINFOA* version)
{
    *version = OSVERSIONINFOA();
    version->dwOSVersionInfoSize = sizeof *version;
    return GetVersionExA(version) != 0;
}

bool IsNtFamily()
{
    OSVERSIONINFOA version;
    return ReadVersion(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWindows95()
{
    OSVERSIONINFOA version;
    return ReadVersion(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMinorVersion == 0;
}
