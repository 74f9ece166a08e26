// Where the browsers keep their cookies (see cookies.h).
#include "cookies/cookies.h"

#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/report_sections.h"

#include <cstring>
#include <string>

namespace {

const char kShellFolders[] = WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\Shell Folders";
const char kUserShellFolders[] = WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\User Shell Folders";

int g_cookieBrowser = 0;  // 0 until the Cookies page chooses one

// A candidate folder is the cookie folder when it holds index.dat.
bool HoldsIndexFile(const char* folder)
{
    size_t length = strlen(folder);
    if (length <= 2 || length > 250) return false;
    char probe[MAX_PATH + 16];
    FormatText(probe, sizeof probe, "%s%sindex.dat", folder, folder[length - 1] == '\\' ? "" : "\\");
    return FindProgramFile(probe, sizeof probe) != 0;
}

bool AcceptFolder(const char* candidate, char* out, int capacity)
{
    if (!candidate[0] || !HoldsIndexFile(candidate)) return false;
    CopyText(out, (size_t)capacity, candidate);
    AddBackslash(out, capacity);
    return true;
}

bool AppDataFolder(char* out, int capacity)
{
    return ReadRegString(HKEY_CURRENT_USER, kShellFolders, "AppData", out, capacity) > 0;
}

bool IsFolder(const WIN32_FIND_DATAA& found) { return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The first entry of a search that passes `accept`, as <base>\<name>.
template <typename Accept> bool FirstMatch(const std::string& pattern, Accept accept, std::string& name)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool matched = false;
    do {
        if (accept(found)) {
            name = found.cFileName;
            matched = true;
        }
    } while (!matched && FindNextFileA(search, &found));
    FindClose(search);
    return matched;
}

}  // namespace

int CookieBrowserFromSetting(int setting)
{
    return (setting == 2 || setting == 3 || setting == 6) ? COOKIE_BROWSER_MOZILLA : COOKIE_BROWSER_IE;
}

int CookieBrowser() { return g_cookieBrowser ? g_cookieBrowser : CookieBrowserFromSetting(CurrentOptions().browser); }

void SetCookieBrowser(int browser) { g_cookieBrowser = browser; }

int FindIeCookieFolder(char* out, int capacity)
{
    char candidate[1024];
    if (ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder", candidate, sizeof candidate) &&
        AcceptFolder(candidate, out, capacity))
        return 1;
    if (ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Cookies", candidate, sizeof candidate) &&
        AcceptFolder(candidate, out, capacity))
        return 1;
    // ReadRegString expands the environment strings of a REG_EXPAND_SZ value.
    if (ReadRegString(HKEY_CURRENT_USER, kUserShellFolders, "Cookies", candidate, sizeof candidate) &&
        AcceptFolder(candidate, out, capacity))
        return 1;
    UINT n = GetWindowsDirectoryA(candidate, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        AppendText(candidate, "\\Cookies");
        if (AcceptFolder(candidate, out, capacity)) return 1;
    }
    LoadText(IDS_COOKIE_FOLDER_NOT_FOUND, out, capacity);
    return 0;
}

int FindMozillaCookieFolder(char* out, int capacity)
{
    if (capacity > 0) out[0] = '\0';
    if (ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "CookieFolder", out, capacity) > 0) return 1;
    char appData[MAX_PATH];
    if (!AppDataFolder(appData, sizeof appData)) return 0;

    int result = 0;
    std::string profiles = std::string(appData) + "\\Mozilla\\FireFox\\Profiles\\";
    std::string name;
    if (FirstMatch(profiles + "default.*", [](const WIN32_FIND_DATAA&) { return true; }, name) &&
        FitsText((profiles + name).c_str(), (size_t)capacity)) {
        CopyText(out, (size_t)capacity, (profiles + name).c_str());
        result = 1;
    }
    if (BrowserKind() != 2) return result;

    // Netscape keeps its profiles under Mozilla\Profiles\default.
    std::string older = std::string(appData) + "\\Mozilla\\Profiles\\default\\";
    WIN32_FIND_DATAA probe;
    HANDLE search = FindFirstFileA((older + "*.*").c_str(), &probe);
    if (search == INVALID_HANDLE_VALUE) {
        if (capacity > 0) out[0] = '\0';
        return 0;
    }
    FindClose(search);
    auto profileFolder = [](const WIN32_FIND_DATAA& found) { return IsFolder(found) && found.cFileName[0] != '.'; };
    if (FirstMatch(older + "*.*", profileFolder, name) && FitsText((older + name).c_str(), (size_t)capacity)) {
        CopyText(out, (size_t)capacity, (older + name).c_str());
        result = 1;
    }
    return result;
}

int FindCookieFolder(int browser, char* out, int capacity)
{
    return browser == COOKIE_BROWSER_IE ? FindIeCookieFolder(out, capacity) : FindMozillaCookieFolder(out, capacity);
}

int MozillaInstalled()
{
    char appData[MAX_PATH];
    if (!AppDataFolder(appData, sizeof appData)) return 0;
    AppendText(appData, "\\Mozilla");
    DWORD attributes = GetFileAttributesA(appData);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int StoreCookieFolder(int browser, const char* folder)
{
    return SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY,
                        browser == COOKIE_BROWSER_IE ? "IECookieFolder" : "CookieFolder", folder);
}

void InstallCookieReport() { SetReportCookieFolder(FindIeCookieFolder); }

void DeleteCachedCopy(const char* fileName)
{
    if (!fileName || !fileName[0]) return;
    // A filtering pass deletes many copies: the folder is looked up once in a pass.
    static const char kKey[] = "folder|Cache";
    std::string cache;
    if (!RecallText(kKey, cache)) {
        char folder[MAX_PATH];
        if (ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Cache", folder, sizeof folder) > 0) cache = folder;
        RememberText(kKey, cache);
    }
    if (cache.empty()) return;
    char path[MAX_PATH * 2];
    FormatText(path, sizeof path, "%s\\%s", cache.c_str(), fileName);
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}
