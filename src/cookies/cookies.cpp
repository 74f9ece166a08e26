// Collecting, filtering and removing cookies (see cookies.h).
#include "cookies/cookies.h"

#include "cookies/cookie_filters.h"
#include "cookies/cookie_marks.h"
#include "cookies/cookie_text.h"
#include "foundations/entries.h"
#include "foundations/file_replace.h"
#include "foundations/fill_memo.h"
#include "foundations/handles.h"
#include "foundations/option_text.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const DWORD READ_CHUNK = 65536;

// The cookies of the last listing pass, by entry index.
std::vector<ListedCookie> g_listed;

void FormatLocalTime(const SYSTEMTIME& time, const char* format, char* out, int capacity)
{
    FormatText(out, (size_t)capacity, format, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
}

bool IsRemovalMarked(const char* name)
{
    char data[16];
    return ReadRegString(HKEY_CURRENT_USER, FILTER_KEY, name, data, sizeof data) > 0 &&
           ParseOptionText(data, 0) == FILTER_REMOVAL_MARK;
}

bool IsAscii(const std::string& text)
{
    for (char c : text)
        if (c & 0x80) return false;
    return true;
}

std::string AsciiFolded(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return text;
}

// The names of a key's values, read once for a walk over thousands of cookie files: a
// file whose name no value has is answered without asking the registry. Names compare as
// the registry compares them (any case); when a value's name is not plain ASCII, every file
// is asked of the registry as before.
class ValueNames {
public:
    explicit ValueNames(const char* subkey)
    {
        std::vector<RegValue> values;
        ReadRegValues(HKEY_CURRENT_USER, subkey, values);
        for (const RegValue& value : values) {
            exact_ = exact_ && IsAscii(value.name);
            names_.insert(AsciiFolded(value.name));
        }
    }
    bool MayHave(const char* name) const { return !exact_ || !IsAscii(name) || names_.count(AsciiFolded(name)); }

private:
    bool exact_ = true;
    std::set<std::string> names_;
};

struct IeCookieMarks {
    ValueNames kept{KEPT_COOKIES_KEY};
    ValueNames marked{FILTER_KEY};
};

// One Internet Explorer cookie file met by the walk. A kept cookie is never removed by a
// filter word; its own removal mark still removes it.
void VisitIeCookie(int pass, const char* folder, const WIN32_FIND_DATAA& found, const IeCookieMarks& marks,
                   CookieCollection& result)
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

    bool kept = marks.kept.MayHave(found.cFileName) && IsCookieKept(found.cFileName);
    bool deleted = false;
    if (pass == COOKIE_PASS_FILTERING &&
        ((marks.marked.MayHave(found.cFileName) && IsRemovalMarked(found.cFileName)) ||
         (!kept && MatchesCookieFile(found.cFileName)))) {
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
    if (!AddEntry(found.cFileName, path, "", created, KIND_INFO_COOKIE, 0)) {
        ++result.notListed;
        return;
    }
    g_listed.resize((size_t)EntryCount());
    g_listed.back() = ListedCookie{found.cFileName, found.cFileName, kept, false, true};
}

bool IsCookieFile(const WIN32_FIND_DATAA& found)
{
    if (found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) return false;
    size_t length = strlen(found.cFileName);
    return length >= 4 && lstrcmpiA(found.cFileName + length - 4, ".txt") == 0;
}

// Every cookie file of the Internet Explorer cookie folder; false without the folder.
template <typename Visit> bool ForEachIeCookieFile(Visit visit)
{
    char folder[MAX_PATH];
    if (!FindIeCookieFolder(folder, sizeof folder)) return false;
    // Thousands of files: the folder's long name, and the cache folder, are read once.
    FillMemo memo;
    char pattern[MAX_PATH + 8];
    FormatText(pattern, sizeof pattern, "%s*.*", folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    do {
        if (IsCookieFile(found)) visit(folder, found);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

// Reads a stream in chunks through the line reader; false when a read fails part-way.
bool ReadCookieLines(HANDLE input, const CookieLineReader::Sink& sink)
{
    std::string chunk(READ_CHUNK, '\0');
    CookieLineReader reader;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(input, &chunk[0], READ_CHUNK, &got, nullptr)) return false;
        if (got == 0) return reader.Finish(sink);
        if (!reader.Feed(chunk.data(), got, sink)) return false;
    }
}

// The whole lines that hold a cookie; the pieces of overlong lines are not read.
template <typename Visit> bool ForEachCookieLine(HANDLE input, Visit visit)
{
    CookieLine cookie;  // one for every line: its strings keep their room
    return ReadCookieLines(input, [&visit, &cookie](const CookieLinePiece& piece) {
        if (!piece.whole) return true;
        ScanCookieLine(piece.text, piece.length, cookie);
        if (!cookie.domain.empty()) visit(cookie);
        return true;
    });
}

bool Rewind(HANDLE input) { return SetFilePointer(input, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER; }

// The marks from the registry, and, when marks of the older title form need it, every
// cookie of the stream counted (the stream is then read from its start again).
bool LoadCookieMarks(HANDLE input, CookieMarks& marks)
{
    std::vector<RegValue> values;
    std::string data;
    ReadRegValues(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, values);
    for (const RegValue& value : values)
        if (RegDataText(value.data, value.type, data) && !data.empty()) marks.AddKeep(value.name);
    ReadRegValues(HKEY_CURRENT_USER, FILTER_KEY, values);
    for (const RegValue& value : values) {
        if (!RegDataText(value.data, value.type, data) || data.empty()) continue;
        if (ParseOptionText(data.c_str(), 0) == FILTER_REMOVAL_MARK)
            marks.AddRemoval(value.name);
        else
            marks.AddWord(value.name);
    }
    if (!marks.HasTitleMarks()) return true;
    return ForEachCookieLine(input, [&marks](const CookieLine& cookie) { marks.Count(cookie); }) && Rewind(input);
}

// cookies.txt of the Mozilla cookie folder, opened for shared reading; false when it is
// missing or empty.
bool OpenCookiesTxt(ScopedHandle& input, std::string& folder)
{
    char found[MAX_PATH];
    if (!FindMozillaCookieFolder(found, sizeof found)) return false;
    folder = found;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    input.Reset(CreateFileA((folder + "\\cookies.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD high = 0;
    return input.valid() && (GetFileSize(input.get(), &high) > 0 || high > 0);
}

void ListMozillaCookies(HANDLE input, CookieCollection& result)
{
    CookieMarks marks;
    if (!LoadCookieMarks(input, marks)) return;
    std::vector<CookieLine> listed;
    ReadCookieLines(input, [&](const CookieLinePiece& piece) {
        if (!piece.whole) {
            if (piece.first) ++result.notListed;
            return true;
        }
        CookieLine cookie;
        ScanCookieLine(piece.text, piece.length, cookie);
        std::string name = CookieName(cookie);
        Trace("COLLECTCOOKIES", name.c_str());
        if (cookie.domain.empty()) return true;
        Trace("COOKIEADDED2LIST", name.c_str());
        SYSTEMTIME time = {};
        UnixTimeToLocal((DWORD)cookie.expiry, &time);
        char expires[32];
        FormatLocalTime(time, "%d/%02d/%02d %02d:%02d", expires, sizeof expires);
        if (AddEntryAsIs(name.c_str(), cookie.path.c_str(), cookie.value.c_str(), expires, KIND_NET_COOKIE,
                         cookie.secure))
            listed.push_back(cookie);
        else
            ++result.notListed;
        return true;
    });
    for (const CookieLine& cookie : listed)
        g_listed.push_back(ListedCookie{CookieMarkName(cookie), CookieName(cookie), marks.IsKept(cookie),
                                        marks.IsHidden(cookie), marks.OwnsTitle(cookie)});
}

// UpdateCookieFile asks the resident monitor to put cookiesnew.txt in place of cookies.txt:
// it is there only while a complete copy is.
void RequestCookieFileUpdate(bool complete)
{
    if (complete)
        SetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile", "1");
    else
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile");
}

void CollectMozillaCookies(int pass, CookieCollection& result)
{
    ScopedHandle input;
    std::string folder;
    bool opened = OpenCookiesTxt(input, folder);
    if (pass == COOKIE_PASS_LISTING) {
        if (opened) ListMozillaCookies(input.get(), result);
        return;
    }
    FileReplacement output;
    bool complete = opened && output.Begin((folder + "\\cookiesnew.txt").c_str()) &&
                    FilterCookieFile(input.get(), output, &result) && output.Commit();
    RequestCookieFileUpdate(complete);
}

}  // namespace

bool FilterCookieFile(HANDLE input, FileReplacement& output, CookieCollection* result)
{
    CookieCollection ignored = {};
    CookieCollection& counts = result ? *result : ignored;
    CookieMarks marks;
    if (!LoadCookieMarks(input, marks)) return false;
    // One line and one title for the whole pass: their room is reused from line to line.
    CookieLine cookie;
    std::string name;
    return ReadCookieLines(input, [&](const CookieLinePiece& piece) {
        if (piece.whole) {
            ScanCookieLine(piece.text, piece.length, cookie);
            CookieNameInto(cookie, name);
            Trace("COLLECTCOOKIES", name.c_str());
            // Filter words match the title; a kept cookie is never removed by one.
            if (!cookie.domain.empty() &&
                (marks.IsRemoved(cookie) || (!marks.IsKept(cookie) && MatchesFilter(name.c_str())))) {
                ++counts.removed;
                return true;
            }
            Trace("COOKIENONUTS", name.c_str());
        }
        return output.Write(piece.text, piece.length) && output.Write(piece.end, piece.endLength);
    });
}

int CollectCookies(int pass, CookieCollection* result)
{
    CookieCollection counts = {};
    if (pass == COOKIE_PASS_FILTERING) LoadFilterList();
    FreeEntries();
    g_listed.clear();
    if (CookieBrowser() == COOKIE_BROWSER_IE) {
        IeCookieMarks marks;
        ForEachIeCookieFile([pass, &marks, &counts](const char* folder, const WIN32_FIND_DATAA& found) {
            VisitIeCookie(pass, folder, found, marks, counts);
        });
    } else {
        CollectMozillaCookies(pass, counts);
    }
    if (pass == COOKIE_PASS_FILTERING) FreeFilterList();
    if (result) *result = counts;
    return EntryCount();
}

const ListedCookie* ListedCookieAt(int entry)
{
    return entry >= 0 && entry < EntryCount() && (size_t)entry < g_listed.size() ? &g_listed[(size_t)entry] : nullptr;
}

bool IsCookieKept(const char* mark)
{
    char data[16];
    return ReadRegString(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, mark, data, sizeof data) > 0;
}

void SetCookieKept(const char* mark) { SetRegString(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, mark, "1"); }

void RemoveCookie(int browser, const char* mark)
{
    if (!mark || !mark[0]) return;
    DeleteRegValue(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, mark);
    if (browser != COOKIE_BROWSER_IE) {
        MarkCookieRemoved(mark);
        return;
    }
    // A row names a file of the cookie folder, never one elsewhere.
    if (strchr(mark, '\\') || strchr(mark, '/') || strchr(mark, ':')) return;
    char folder[MAX_PATH];
    if (!FindIeCookieFolder(folder, sizeof folder)) return;
    char path[MAX_PATH * 2];
    FormatText(path, sizeof path, "%s%s", folder, mark);
    ForceDeleteFile(path);
    DeleteCachedCopy(mark);
}

void RemoveListedCookie(int browser, int entry)
{
    const ListedCookie* cookie = ListedCookieAt(entry);
    if (!cookie) return;
    if (browser != COOKIE_BROWSER_IE && cookie->ownsTitle)
        DeleteRegValue(HKEY_CURRENT_USER, KEPT_COOKIES_KEY, cookie->title.c_str());
    RemoveCookie(browser, cookie->mark.c_str());
}

void KeepListedCookie(int entry)
{
    if (const ListedCookie* cookie = ListedCookieAt(entry)) SetCookieKept(cookie->mark.c_str());
}

void RecordKeptCookies(const char* settingsFile)
{
    auto named = [settingsFile](const char* title) {
        char kept[256];
        return GetPrivateProfileStringA("Cookies", title, "", kept, sizeof kept, settingsFile) > 0;
    };
    if (CookieBrowser() == COOKIE_BROWSER_IE) {
        ForEachIeCookieFile([&named](const char*, const WIN32_FIND_DATAA& found) {
            if (named(found.cFileName)) SetCookieKept(found.cFileName);
        });
        return;
    }
    ScopedHandle input;
    std::string folder;
    if (!OpenCookiesTxt(input, folder)) return;
    ForEachCookieLine(input.get(), [&named](const CookieLine& cookie) {
        if (named(CookieName(cookie).c_str())) SetCookieKept(CookieMarkName(cookie).c_str());
    });
}
