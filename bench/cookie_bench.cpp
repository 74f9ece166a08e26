// The cookie filtering pass over both browsers' cookies: a Mozilla-based cookies.txt of N KiB
// (2.5 and 10 MiB), and an Internet Explorer cookie folder of N files (1,250 and 5,000), each
// with the filter words and removal marks planted under the program's key. One cookie in
// twenty carries a filter word in its site and a few are marked removed. The Mozilla pass
// must write every other line exactly as read; the Internet Explorer pass must delete the
// matching files (and their cached copies) and list the first ones the entry list takes.
// The floors: a plain copy of the same bytes; the directory walk with the same deletions.
#include "bench.h"
#include "floor_work.h"
#include "timing.h"

#include "cookies/cookie_filters.h"
#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "foundations/text.h"
#include "support/testing.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kMozillaFolder[] = "C:\\VkBench\\mozilla";
const char kIeFolder[] = "C:\\VkBench\\iecookies";
const char* const kWords[] = {"AdServ", "Banner", "Click", "hitbox", "metric"};
const int kMarks = 10;  // cookies removed one by one: a mark each

std::string Format(const char* format, int number)
{
    char text[MAX_PATH];
    FormatText(text, sizeof text, format, number);
    return text;
}

std::string Upper(std::string text)
{
    if (!text.empty()) CharUpperBuffA(&text[0], (DWORD)text.size());
    return text;
}

// Cookie i's site: one in twenty is an ad server's, which a filter word names.
std::string Site(int i) { return i % 20 == 7 ? Format("ads%05d.adserv.example", i) : Format("site%05d.example", i); }

// The filter words, and removal marks for the first few cookies that no word matches.
bool PlantFilters(const std::vector<std::string>& marks)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, FILTER_KEY);
    bool ok = CreateRegKey(HKEY_CURRENT_USER, FILTER_KEY);
    for (const char* word : kWords) ok = ok && SetRegString(HKEY_CURRENT_USER, FILTER_KEY, word, "1");
    for (const std::string& mark : marks) ok = ok && SetRegString(HKEY_CURRENT_USER, FILTER_KEY, mark.c_str(), "2");
    return ok;
}

bool MatchesWord(const std::string& text)
{
    std::string upper = Upper(text);
    for (const char* word : kWords)
        if (upper.find(Upper(word)) != std::string::npos) return true;
    return false;
}

std::string Join(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

// ---- Mozilla-based: cookies.txt ----------------------------------------------------------

std::string g_expectedOutput;  // the lines the pass must keep, as written
int g_expectedRemoved = 0;
double g_passMs = -1;
std::string g_why;

std::string CookiesFile() { return Join(kMozillaFolder, "cookies.txt"); }
std::string OutputFile() { return Join(kMozillaFolder, "cookiesnew.txt"); }

bool PlantCookieFile(int kib, Planted& planted)
{
    SHCreateDirectoryExA(nullptr, kMozillaFolder, nullptr);
    std::string bytes = "# Netscape HTTP Cookie File\n";
    g_expectedOutput = bytes;
    g_expectedRemoved = 0;
    std::vector<std::string> marks;
    int lines = 0;
    for (int i = 0; bytes.size() < (size_t)kib * 1024; ++i, ++lines) {
        std::string site = Site(i);
        std::string name = Format("sess%d", i);
        std::string line = "." + site + "\tTRUE\t/\tFALSE\t" + std::to_string(1900000000 + i) + "\t" + name + "\t" +
                           Format("v%040d", i) + "\n";
        bytes += line;
        bool marked = i % 997 == 500 && (int)marks.size() < kMarks;
        if (marked) marks.push_back(site + " - " + name);
        if (MatchesWord(line.substr(0, line.size() - 1)) || marked)
            ++g_expectedRemoved;
        else
            g_expectedOutput += line;
    }
    if (!WriteWholeFile(CookiesFile(), bytes) || !PlantFilters(marks) ||
        !SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "CookieFolder", kMozillaFolder))
        return false;
    planted.items = lines;
    planted.expectedRows = lines - g_expectedRemoved;
    planted.note = std::to_string(bytes.size()) + " bytes, " + std::to_string(lines) + " cookies; " +
                   std::to_string(g_expectedRemoved) + " to remove (" + std::to_string(marks.size()) + " by mark)";
    return true;
}

// The pass's rows: the lines it kept (the comment line among them).
int FilterCookieFilePass()
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    CookieCollection result = {};
    DeleteFileA(OutputFile().c_str());
    Stopwatch pass;
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    g_passMs = pass.Milliseconds();
    std::string written = ReadWholeFile(OutputFile());
    g_why.clear();
    if (result.removed != g_expectedRemoved)
        g_why = std::to_string(result.removed) + " cookies removed, " + std::to_string(g_expectedRemoved) + " planted";
    else if (written != g_expectedOutput)
        g_why = "cookiesnew.txt (" + std::to_string(written.size()) + " bytes) is not the kept lines as read (" +
                std::to_string(g_expectedOutput.size()) + " bytes)";
    int lines = 0;
    for (char c : written) lines += c == '\n';
    return lines - 1;
}

double PassMs() { return g_passMs; }

bool CheckPass(std::string& why)
{
    why = g_why;
    return why.empty();
}

// A plain copy: the file read in the pass's chunks and every byte written to a temporary
// file beside cookiesnew.txt; then that file flushed and moved in place, as the pass must
// (a cookie file is never left half written).
bool CopyFloor(FloorParts& parts)
{
    Stopwatch copy;
    HANDLE input = CreateFileA(CookiesFile().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string temporary;
    HANDLE output = CreateBeside(OutputFile(), temporary);
    std::vector<char> chunk(65536);
    bool ok = input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE;
    for (DWORD got = 0, written = 0; ok; ) {
        ok = ReadFile(input, chunk.data(), (DWORD)chunk.size(), &got, nullptr) != FALSE;
        if (!ok || got == 0) break;
        ok = WriteFile(output, chunk.data(), got, &written, nullptr) && written == got;
    }
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    parts["copy"] = copy.Milliseconds();
    if (output == INVALID_HANDLE_VALUE) return false;
    Stopwatch replace;
    ok = FlushAndReplace(output, temporary, OutputFile()) && ok;
    parts["replace"] = replace.Milliseconds();
    return ok;
}

// ---- Internet Explorer: the cookie folder ------------------------------------------------

int g_files = 0;
std::vector<std::string> g_matching;  // file names the pass must delete
int g_expectedListed = 0;
std::string g_cacheFolder;

std::string CookieFileName(int i) { return "bench@" + Site(i) + Format("[%d].txt", 1 + i % 3); }

bool WriteCookieFile(const std::string& name)
{
    return WriteWholeFile(Join(kIeFolder, name), Site(0) + "\nsess\nvalue\n") &&
           (g_cacheFolder.empty() || WriteWholeFile(Join(g_cacheFolder, name), "cached\n"));
}

// Puts back the files the last pass deleted (untimed, before each pass and floor).
void Replant()
{
    for (const std::string& name : g_matching)
        if (!PathFileExistsA(Join(kIeFolder, name).c_str())) WriteCookieFile(name);
}

bool PlantCookieFolder(int files, Planted& planted)
{
    char cache[MAX_PATH];
    g_cacheFolder = ReadRegString(HKEY_CURRENT_USER, WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\Shell Folders", "Cache",
                                  cache, sizeof cache) > 0 ? cache : "";
    if (!g_cacheFolder.empty()) SHCreateDirectoryExA(nullptr, g_cacheFolder.c_str(), nullptr);
    SHCreateDirectoryExA(nullptr, kIeFolder, nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(kIeFolder, "*.txt").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileA(Join(kIeFolder, found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    g_matching.clear();
    std::vector<std::string> marks;
    bool ok = WriteWholeFile(Join(kIeFolder, "index.dat"), "index");
    for (int i = 0; i < files && ok; ++i) {
        std::string name = CookieFileName(i);
        ok = WriteCookieFile(name);
        bool marked = i % 97 == 50 && (int)marks.size() < kMarks;
        if (marked) marks.push_back(name);
        if (MatchesWord(Site(i)) || marked) g_matching.push_back(name);
    }
    if (!ok || !PlantFilters(marks) || !SetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder", kIeFolder)) {
        fprintf(stderr, "bench: the cookie folder could not be planted\n");
        return false;
    }
    g_files = files;
    g_expectedListed = files < MAX_ENTRIES_BEFORE_IE_COOKIE ? files : MAX_ENTRIES_BEFORE_IE_COOKIE;
    planted.items = files;
    planted.expectedRows = g_expectedListed;
    planted.note = std::to_string(files) + " cookie files, " + std::to_string(g_matching.size()) + " to delete (" +
                   std::to_string(marks.size()) + " by mark), each with a cached copy; the list takes the first " +
                   std::to_string(g_expectedListed);
    return true;
}

int FilterCookieFolderPass()
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    CookieCollection result = {};
    Stopwatch pass;
    int listed = CollectCookies(COOKIE_PASS_FILTERING, &result);
    g_passMs = pass.Milliseconds();
    g_why.clear();
    int left = 0;
    for (const std::string& name : g_matching)
        left += PathFileExistsA(Join(kIeFolder, name).c_str()) ||
                (!g_cacheFolder.empty() && PathFileExistsA(Join(g_cacheFolder, name).c_str()));
    if (result.removed != (int)g_matching.size() || left > 0)
        g_why = std::to_string(result.removed) + " cookies removed, " + std::to_string(left) + " of the " +
                std::to_string(g_matching.size()) + " planted to go are still there";
    else if (result.notListed != g_files - g_expectedListed)
        g_why = std::to_string(result.notListed) + " cookies not listed";
    return listed;
}

// The walk the pass makes, and the deletions it must make: each matching file and its
// cached copy, attributes cleared first.
bool WalkFloor(FloorParts& parts)
{
    Replant();
    std::vector<std::string> names;
    Stopwatch walk;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(kIeFolder, "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    parts["walk"] = walk.Milliseconds();

    Stopwatch remove;
    for (const std::string& name : g_matching)
        for (const std::string& folder : {std::string(kIeFolder), g_cacheFolder}) {
            if (folder.empty()) continue;
            std::string path = Join(folder, name);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    parts["delete"] = remove.Milliseconds();
    Replant();
    return (int)names.size() == g_files + 1;  // and index.dat
}

}  // namespace

BenchWorkload CookieFileWorkload()
{
    return BenchWorkload{
        "cookies-file",
        {2560, 10240},
        {1024},
        PlantCookieFile,
        CopyFloor,
        {
            {"cookie-filter-pass-mozilla", FilterCookieFilePass, {"copy", "replace"}, nullptr, nullptr, CheckPass, PassMs},
        },
        "copy = cookies.txt read in 64 KiB chunks and every byte written to a temporary file beside cookiesnew.txt; "
        "replace = that file flushed and moved over cookiesnew.txt (N is the file's KiB)",
    };
}

BenchWorkload CookieFolderWorkload()
{
    return BenchWorkload{
        "cookies-folder",
        {1250, 5000},
        {500},
        PlantCookieFolder,
        WalkFloor,
        {
            {"cookie-filter-pass-ie", FilterCookieFolderPass, {"walk", "delete"}, Replant, nullptr, CheckPass, PassMs},
        },
        "walk = the cookie folder listed; delete = each matching cookie file and its cached copy deleted, attributes "
        "cleared first (N is the number of cookie files)",
    };
}
