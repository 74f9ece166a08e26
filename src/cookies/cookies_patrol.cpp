// The resident monitor's cookie place (see cookies_patrol.h).
#include "cookies/cookies_patrol.h"

#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "processes/processes.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

const char kSwapOption[] = "UpdateCookieFile";

// A browser of the Mozilla family that runs may write cookies.txt at any moment.
bool MozillaBrowserRunning()
{
    int kind = BrowserKind();
    char program[MAX_PATH];
    return (kind == 2 || kind == 6) && DefaultBrowserProgram(program, sizeof program) > 0 && IsProgramRunning(program);
}

bool FileHeldElsewhere(const std::string& path)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file.valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}

// The one step that puts the new file in place: atomic, with the backup, where the system
// has ReplaceFileA (Windows 2000 on); on older systems the backup is made first.
bool ReplaceWithBackup(const std::string& target, const std::string& fresh, const std::string& backup)
{
    typedef BOOL(WINAPI * ReplaceFileFn)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);
    ScopedLibrary kernel("kernel32.dll");
    ReplaceFileFn replaceFile = kernel.Proc<ReplaceFileFn>("ReplaceFileA");
    DeleteFileA(backup.c_str());
    if (replaceFile && GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES)
        return replaceFile(target.c_str(), fresh.c_str(), backup.c_str(), 0, nullptr, nullptr) != 0;
    if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES && !MoveFileA(target.c_str(), backup.c_str()))
        return false;
    if (MoveFileA(fresh.c_str(), target.c_str())) return true;
    MoveFileA(backup.c_str(), target.c_str());
    return false;
}

bool Sweep(std::vector<PatrolItem>&)
{
    if (GetOption(kSwapOption, 0) == 1 && !MozillaBrowserRunning()) {
        char folder[MAX_PATH];
        if (FindMozillaCookieFolder(folder, sizeof folder) && SwapInFilteredCookies(folder))
            SetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, kSwapOption, "0");
    }
    // The filter words, on Internet Explorer's cookie files whatever browser the console shows.
    int browser = CookieBrowser();
    SetCookieBrowser(COOKIE_BROWSER_IE);
    CollectCookies(COOKIE_PASS_FILTERING);
    SetCookieBrowser(browser);
    FreeEntries();
    return true;
}

void RecordNothing(const PatrolItem&) {}

unsigned NoChoices(const PatrolItem&) { return 0; }

// The console asks for the swap through the options key.
void Watches(std::vector<PatrolWatch>& out)
{
    out.push_back(PatrolWatch::Key(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY));
}

}  // namespace

bool SwapInFilteredCookies(const char* folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    std::string target = base + "\\cookies.txt";
    std::string fresh = base + "\\cookiesnew.txt";
    if (GetFileAttributesA(fresh.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    if (FileHeldElsewhere(target) || FileHeldElsewhere(fresh)) return false;
    return ReplaceWithBackup(target, fresh, base + "\\cookies.bak");
}

void InstallCookiePatrol()
{
    PatrolPlace place = DescribePlace(11, "Cookies", "Nuts", 9);
    place.titleId = IDS_ALERT_COOKIES;
    place.calls = {Sweep, RecordNothing, NoChoices, nullptr, Watches};
    AddPatrolPlace(place);
}
