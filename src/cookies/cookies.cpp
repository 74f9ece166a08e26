// Collecting, filtering and removing cookies (see cookies.h).
#include "cookies/cookies.h"

#include "cookies/cookie_filters.h"
#include "cookies/cookie_text.h"
#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"

#include <cstring>
#include <string>

namespace {

const DWORD READ_CHUNK = 65536;

void FormatLocalTime(const SYSTEMTIME& time, const char* format, char* out, int capacity)
{
    FormatText(out, (size_t)capacity, format, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
}

// One Internet Explorer cookie file met by the walk.
void VisitIeCookie(int pass, const char* folder, const WIN32_FIND_DATAA& found, CookieCollection& result)
{
    char path[MAX_PATH * 2];
    FormatText(path, sizeof path, "%s%s", folder, found.cFileName);
    RemoveBackslash(path, 1);

    FILETIME local;
    SYSTEMTIME time = {};
    FileTimeToLocalFileTime(&found.ftCreationTime, &local);
    FileTimeToSystemTime(&local, &time);
    char created[32];
    FormatLocalTime(time, "%04d/%02d/%02d %02d:%02d", created, sizeof created);

    bool deleted = false;
    if (pass == COOKIE_PASS_FILTERING && MatchesCookieFile(found.cFileName)) {
        deleted = ForceDeleteFile(path);
        DeleteCachedCopy(found.cFileName);
        ++result.removed;
    }
    // The list has room for only so many cookies; the walk goes on to filter the rest. A
    // listed file's long name is the folder's and its name as found.
    if (EntryCount() < MAX_ENTRIES_BEFORE_IE_COOKIE) {
        std::string base = folder;
        if (!base.empty() && base.back() == '\\') base.pop_back();
        PrepareFolderItemLongPath(base.c_str(), found.cFileName, deleted);
    }
    if (!AddEntry(found.cFileName, path, "", created, KIND_INFO_COOKIE, 0)) ++result.notListed;
}

bool IsCookieFile(const WIN32_FIND_DATAA& found)
{
    if (found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) return false;
    size_t length = strlen(found.cFileName);
    return length >= 4 && lstrcmpiA(found.cFileName + length - 4, ".txt") == 0;
}

void CollectIeCookies(int pass, CookieCollection& result)
{
    char folder[MAX_PATH];
    if (!FindIeCookieFolder(folder, sizeof folder)) return;
    // Thousands of files: the folder's long name, and the cache folder, are read once.
    FillMemo memo;
    char pattern[MAX_PATH + 8];
    FormatText(pattern, sizeof pattern, "%s*.*", folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsCookieFile(found)) VisitIeCookie(pass, folder, found, result);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Reads a stream in chunks and hands over each line with its line feed, if it has one.
template <typename OnLine> bool ForEachLine(HANDLE input, OnLine onLine)
{
    std::string chunk(READ_CHUNK, '\0');
    std::string line;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(input, &chunk[0], READ_CHUNK, &got, nullptr)) return false;
        if (got == 0) break;
        for (size_t at = 0, n; (n = NextLineLength(chunk.data(), got, at)) != 0; at += n) {
            line.append(chunk, at, n);
            if (line.back() != '\n') break;  // continues in the next chunk
            if (!onLine(line)) return false;
            line.clear();
        }
    }
    return line.empty() || onLine(line);
}

size_t LineContentLength(const std::string& line)
{
    return !line.empty() && line.back() == '\n' ? line.size() - 1 : line.size();
}

void ListCookieLine(const std::string& line, CookieCollection& result)
{
    CookieLine cookie;
    ScanCookieLine(line.data(), LineContentLength(line), cookie);
    std::string name = CookieName(cookie);
    Trace("COLLECTCOOKIES", name.c_str());
    if (cookie.domain.empty()) return;
    Trace("COOKIEADDED2LIST", name.c_str());
    SYSTEMTIME time = {};
    UnixTimeToLocal((DWORD)cookie.expiry, &time);
    char expires[32];
    FormatLocalTime(time, "%d/%02d/%02d %02d:%02d", expires, sizeof expires);
    if (!AddEntry(name.c_str(), cookie.path.c_str(), cookie.value.c_str(), expires, KIND_NET_COOKIE, cookie.secure))
        ++result.notListed;
}

bool OpenCookieFiles(const char* folder, int pass, ScopedHandle& input, ScopedHandle& output, std::string& outputPath)
{
    std::string base = folder;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    if (pass == COOKIE_PASS_FILTERING) {
        outputPath = base + "\\cookiesnew.txt";
        output.Reset(CreateFileA(outputPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        if (!output.valid()) return false;
    }
    input.Reset(CreateFileA((base + "\\cookies.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD high = 0;
    return input.valid() && (GetFileSize(input.get(), &high) > 0 || high > 0);
}

void CollectMozillaCookies(int pass, CookieCollection& result)
{
    char folder[MAX_PATH];
    if (!FindMozillaCookieFolder(folder, sizeof folder)) return;
    ScopedHandle input;
    ScopedHandle output;
    std::string outputPath;
    if (!OpenCookieFiles(folder, pass, input, output, outputPath)) return;
    if (pass == COOKIE_PASS_LISTING) {
        ForEachLine(input.get(), [&result](const std::string& line) {
            ListCookieLine(line, result);
            return true;
        });
        return;
    }
    bool complete = FilterCookieFile(input.get(), output.get(), &result);
    output.Reset(nullptr);
    // An incomplete copy must never take the place of cookies.txt.
    if (!complete) {
        DeleteFileA(outputPath.c_str());
        return;
    }
    SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Options", "UpdateCookieFile", "1");
}

}  // namespace

bool FilterCookieFile(HANDLE input, HANDLE output, CookieCollection* result)
{
    CookieCollection ignored = {};
    CookieCollection& counts = result ? *result : ignored;
    // A large file has a hundred thousand lines: the key is read once, not once a line, and
    // the kept lines are written a chunk at a time.
    FilterValueNames removed;
    std::string pending;
    auto flush = [output, &pending]() {
        DWORD written = 0;
        bool ok = pending.empty() ||
                  (WriteFile(output, pending.data(), (DWORD)pending.size(), &written, nullptr) && written == pending.size());
        pending.clear();
        return ok;
    };
    bool complete = ForEachLine(input, [&](const std::string& line) {
        CookieLine cookie;
        ScanCookieLine(line.data(), LineContentLength(line), cookie);
        std::string name = CookieName(cookie);
        Trace("COLLECTCOOKIES", name.c_str());
        std::string text = line.substr(0, LineContentLength(line));
        if (MatchesFilter(text.c_str()) || removed.Has(name)) {
            ++counts.removed;
            return true;
        }
        Trace("COOKIENONUTS", name.c_str());
        pending += line;
        return pending.size() < READ_CHUNK || flush();
    });
    return flush() && complete;
}

int CollectCookies(int pass, CookieCollection* result)
{
    CookieCollection counts = {};
    if (pass == COOKIE_PASS_FILTERING) LoadFilterList();
    FreeEntries();
    if (CookieBrowser() == COOKIE_BROWSER_IE)
        CollectIeCookies(pass, counts);
    else
        CollectMozillaCookies(pass, counts);
    if (pass == COOKIE_PASS_FILTERING) FreeFilterList();
    if (result) *result = counts;
    return EntryCount();
}

bool IsCookieKept(const char* name)
{
    char data[16];
    return ReadRegString(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, name, data, sizeof data) > 0;
}

void SetCookieKept(const char* name) { SetRegString(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, name, "1"); }

void RemoveCookie(int browser, const char* name)
{
    if (!name || !name[0]) return;
    DeleteRegValue(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, name);
    if (browser != COOKIE_BROWSER_IE) {
        MarkCookieRemoved(name);
        return;
    }
    // A row names a file of the cookie folder, never one elsewhere.
    if (strchr(name, '\\') || strchr(name, '/') || strchr(name, ':')) return;
    char folder[MAX_PATH];
    if (!FindIeCookieFolder(folder, sizeof folder)) return;
    char path[MAX_PATH * 2];
    FormatText(path, sizeof path, "%s%s", folder, name);
    ForceDeleteFile(path);
    DeleteCachedCopy(name);
}

void RecordKeptCookies(const char* settingsFile)
{
    int count = CollectCookies(COOKIE_PASS_LISTING);
    for (int index = 0; index < count; ++index) {
        char title[ENTRY_TITLE_CHARS];
        char kept[256];
        GetEntryTitle(index, title);
        if (GetPrivateProfileStringA("Cookies", title, "", kept, sizeof kept, settingsFile) > 0) SetCookieKept(title);
    }
    FreeEntries();
}
