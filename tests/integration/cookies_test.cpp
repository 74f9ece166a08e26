// Cookies in the prefix, on real cookie folders and cookies.txt files: the folders found, the
// listing and filtering passes, removal; and no cookie lost to the program's own passes: the copy
// for the monitor exists only when complete, a mark names one cookie, a filter word reads only
// the title and stops at a kept cookie, a value stays data, a huge line passes through unread.
#include "app/firstrun.h"
#include "cookies/cookie_filters.h"
#include "cookies/cookie_text.h"
#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "support/call_hooks.h"
#include "support/cookie_bed.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using cookiebed::kKept;
using cookiebed::kNuts;

std::string Line(const std::string& domain, const std::string& path, const std::string& name,
                 const std::string& value, const char* end = "\n")
{
    return domain + "\tTRUE\t" + path + "\tFALSE\t1893456000\t" + name + "\t" + value + end;
}

std::string Mark(const std::string& line)
{
    CookieLine cookie;
    ScanCookieLine(line.data(), line.find_first_of("\r\n"), cookie);
    return CookieMarkName(cookie);
}

class Cookies : public ::testing::Test {
protected:
    void TearDown() override
    {
        FreeEntries();
        FreeFilterList();
        SetCookieBrowser(0);
    }
    std::string IeFolder()
    {
        char folder[MAX_PATH];
        return FindIeCookieFolder(folder, sizeof folder) ? folder : std::string("<none>:") + folder;
    }
    // "title|path|extra|detail|kind|value"
    static std::string Listed(int index)
    {
        EntryCopy e;
        CopyEntry(index, e);
        return std::string(e.title) + "|" + e.path + "|" + e.extra + "|" + e.detail + "|" + std::to_string(e.kind) + "|" +
               std::to_string(e.value);
    }
    std::string Update() { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"); }
    std::string Copy() { return Exists(bed_.profile + "\\cookiesnew.txt") ? bed_.CookiesNew() : "<none>"; }
    cookiebed::Bed bed_;
};

class CookieSafety : public Cookies {
protected:
    void SetUp() override { SetCookieBrowser(COOKIE_BROWSER_MOZILLA); }
};

}  // namespace

TEST_F(Cookies, TheFoldersAreFoundAsStoredOrWhereTheShellSaysAndNeedWhatTheBrowserLeaves)
{
    EXPECT_EQ(bed_.ieFolder + "\\", IeFolder());
    std::string other = cookiebed::FreshFolder(bed_.appData + "\\Other");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder", other);
    EXPECT_EQ(bed_.ieFolder + "\\", IeFolder()) << "a stored folder without index.dat is passed over";
    WriteWholeFile(other + "\\index.dat", "x");
    EXPECT_EQ(other + "\\", IeFolder());
    // The User Shell Folders value is expanded before it is tried.
    DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder");
    PutRegString(HKEY_CURRENT_USER, cookiebed::kShellFolders, "Cookies", other + "\\missing");
    char temp[MAX_PATH];
    GetEnvironmentVariableA("TEMP", temp, sizeof temp);
    PutRegString(HKEY_CURRENT_USER, cookiebed::kUserShellFolders, "Cookies", "%TEMP%" + bed_.ieFolder.substr(strlen(temp)),
                 REG_EXPAND_SZ);
    EXPECT_EQ(bed_.ieFolder + "\\", IeFolder());
    PutRegString(HKEY_CURRENT_USER, cookiebed::kUserShellFolders, "Cookies", other + "\\missing");
    EXPECT_EQ("<none>:Cookie Folder Not Found", IeFolder());

    char folder[MAX_PATH];  // Mozilla's: the profile under AppData, or the folder stored
    ASSERT_EQ(1, FindMozillaCookieFolder(folder, sizeof folder));
    EXPECT_EQ(bed_.profile, folder);
    EXPECT_NE(0, MozillaInstalled());
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "CookieFolder", "D:\\chosen\\");
    ASSERT_EQ(1, FindMozillaCookieFolder(folder, sizeof folder));
    EXPECT_STREQ("D:\\chosen\\", folder);
}

// Words match the site part of the file name (user "Clicker" keeps other sites' cookies), marks
// the whole name; a kept cookie stays whatever word its site holds.
TEST_F(Cookies, IeFilterWordsMatchTheSiteAndMarksTheWholeFileNameButNeverAKeptCookie)
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    const char* const names[] = {"clicker@example[1].txt", "clicker@doubleclick[1].txt", "clicker@news.site[2].txt",
                                 "clicker@ADSERVER[1].txt", "clicker@adserv[2].txt"};
    for (const char* name : names) bed_.PutIeCookie(name);
    WriteWholeFile(bed_.cache + "\\clicker@doubleclick[1].txt", "cached");
    SetCookieKept("clicker@adserv[2].txt");
    PutRegString(HKEY_CURRENT_USER, kNuts, "Click", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "clicker@news.site[2].txt", "2");
    PutRegString(HKEY_CURRENT_USER, kNuts, "licker@example[1].txt", "2");  // names no file
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    std::string present;  // "1" for each file there, "0" for each gone
    for (const char* name : names) present += bed_.HasIeCookie(name) ? "1" : "0";
    EXPECT_EQ("10001|3", present + "|" + std::to_string(result.removed));
    EXPECT_FALSE(Exists(bed_.cache + "\\clicker@doubleclick[1].txt")) << "with its cached copy";
    EXPECT_TRUE(Exists(bed_.ieFolder + "\\index.dat"));
    ASSERT_EQ(2, CollectCookies(COOKIE_PASS_LISTING));
    EntryCopy e;
    ASSERT_TRUE(CopyEntry(FindEntryIndex("clicker@example[1].txt"), e));
    EXPECT_EQ(bed_.ieFolder + "\\clicker@example[1].txt", e.path);
    EXPECT_EQ(16u, strlen(e.detail)) << e.detail << ": yyyy/mm/dd hh:mm";
    EXPECT_EQ(KIND_INFO_COOKIE, e.kind);
}

// Filtering reaches all 1,000 cookies of a folder, beyond the 325 the list holds.
TEST_F(Cookies, IeFilteringVisitsEveryCookieBeyondTheListLimit)
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    for (int i = 0; i < 1000; ++i) bed_.PutIeCookie("user@" + std::string(i % 3 ? "news" : "adsrv") + std::to_string(1000 + i) + "[1].txt", "v");
    PutRegString(HKEY_CURRENT_USER, kNuts, "adsrv", "1");
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    EXPECT_EQ(334, result.removed);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((bed_.ieFolder + "\\*adsrv*").c_str(), &found)) << found.cFileName;
}

// A 1 MiB cookies.txt, CR LF lines, no final line feed: the copy holds every unmatched line as read.
TEST_F(Cookies, MozillaFilteringKeepsEveryUnmatchedLineByteForByte)
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    std::string input = "# Netscape HTTP Cookie File\n# comment\n\n", expected = input;
    int cookies = 1;
    for (int i = 0; input.size() < (1u << 20); ++i, ++cookies) {
        std::string domain = (i % 5 == 0 ? ".AdServ" : ".site") + std::to_string(i) + ".example";
        std::string line = Line(domain, "/", "n" + std::to_string(i), std::string(40 + i % 50, 'v'), i % 7 ? "\n" : "\r\n");
        input += line;
        if (i % 5 != 0 && i != 12) expected += line;
    }
    input += Line("last.example", "/", "final", "kept", "");
    expected += Line("last.example", "/", "final", "kept", "");
    bed_.PutCookiesTxt(input);
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "site12.example - n12", "2");
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    std::string copy = bed_.CookiesNew();
    ASSERT_EQ(expected.size(), copy.size());
    EXPECT_TRUE(expected == copy) << "first difference at byte "
                                  << std::mismatch(expected.begin(), expected.end(), copy.begin()).first - expected.begin();
    EXPECT_EQ("1", Update());
    EXPECT_EQ(input, ReadWholeFile(bed_.profile + "\\cookies.txt"));
    // The listing stops at the entry list's capacity and says how many were left out.
    EXPECT_EQ(MAX_ENTRIES, CollectCookies(COOKIE_PASS_LISTING, &result));
    EXPECT_EQ(cookies - MAX_ENTRIES, result.notListed);
}

TEST_F(Cookies, MozillaListingShowsEachCookieOnce)
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    bed_.PutCookiesTxt("# Netscape HTTP Cookie File\n.example.com\tTRUE\t/a\tTRUE\t0\tid\tabc\r\n" +
                       Line("long.example", "/", "big", std::string(300, 'x')) + Line("tail.example", "/", "t", "end", ""));
    ASSERT_EQ(2, CollectCookies(COOKIE_PASS_LISTING));
    SYSTEMTIME epoch;
    UnixTimeToLocal(0, &epoch);
    char date[32];
    snprintf(date, sizeof date, "%d/%02d/%02d %02d:%02d", epoch.wYear, epoch.wMonth, epoch.wDay, epoch.wHour, epoch.wMinute);
    EXPECT_EQ("example.com - id|/a|abc|" + std::string(date) + "|" + std::to_string(KIND_NET_COOKIE) + "|1", Listed(0));
    EXPECT_EQ(0u, Listed(1).find("tail.example - t|")) << "the line too long for the list is left out";
}

// Removal marks name one cookie exactly: they are not filter words and take no room from them.
TEST_F(Cookies, FilterListMatchesInsideWordsIgnoringCaseAndHoldsNoRemovalMarks)
{
    PutRegString(HKEY_CURRENT_USER, kNuts, "AD", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "x.example - gone", "2");
    ASSERT_EQ(1, LoadFilterList());
    const std::pair<std::string, int> rows[] = {{"c:\\cookies\\user@baddomain[1].txt", 1}, {"nothing here", 0},
                                                {"row with x.example - GONE in it", 0}, {std::string(513, 'a') + "ad", 0}};
    for (const auto& row : rows) EXPECT_EQ(row.second, MatchesFilter(row.first.c_str())) << row.first;
    EXPECT_EQ(1, RemoveFilterWord("not there"));
    EXPECT_EQ(0, RemoveFilterWord("ad"));
    for (int i = 0; i < 300; ++i) PutRegString(HKEY_CURRENT_USER, kNuts, ("aaa mark " + std::to_string(i)).c_str(), "2");
    for (int i = 0; i < 3; ++i) PutRegString(HKEY_CURRENT_USER, kNuts, ("zzz word " + std::to_string(i)).c_str(), "1");
    EXPECT_EQ(3, LoadFilterList());
    EXPECT_EQ(3, FilterWordCount()) << "the page's limit of 256 counts only these";
    EXPECT_EQ(1, MatchesFilter("a ZZZ WORD 2 b"));
}

TEST_F(Cookies, RemovingOneCookieDeletesItsFileOrMarksItButNothingOutsideTheFolder)
{
    bed_.PutIeCookie("me@site[1].txt");
    WriteWholeFile(bed_.cache + "\\me@site[1].txt", "cached");
    SetCookieKept("me@site[1].txt");
    RemoveCookie(COOKIE_BROWSER_IE, "me@site[1].txt");
    EXPECT_FALSE(bed_.HasIeCookie("me@site[1].txt") || Exists(bed_.cache + "\\me@site[1].txt") || IsCookieKept("me@site[1].txt"));
    RemoveCookie(COOKIE_BROWSER_IE, "..\\index.dat");
    EXPECT_TRUE(Exists(bed_.ieFolder + "\\index.dat"));
    RemoveCookie(COOKIE_BROWSER_MOZILLA, "example.com - id");
    EXPECT_EQ("2", GetRegString(HKEY_CURRENT_USER, kNuts, "example.com - id"));
}

TEST_F(CookieSafety, AFailedPassLeavesNoCopyAndWithdrawsTheRequest)
{
    const std::string cookies = bed_.profile + "\\cookies.txt";
    const std::string big = Line("a.example", "/", "n", std::string(100000, 'v')) + Line("b.example", "/", "n", "v");
    const struct { const char* why; const char* text; bool held; FailingCalls::Call call; int failing; } rows[] = {
        {"no cookies.txt", nullptr, false, FailingCalls::READ, 0},
        {"a cookies.txt the browser holds", big.c_str(), true, FailingCalls::READ, 0},
        {"a read failing part-way", big.c_str(), false, FailingCalls::READ, 1},
        {"a write failing", big.c_str(), false, FailingCalls::WRITE, 1},
    };
    for (const auto& row : rows) {
        DeleteFileA(cookies.c_str());
        if (row.text) bed_.PutCookiesTxt(row.text);
        ScopedHandle held(row.held ? CreateFileA(cookies.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                   : nullptr);
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile", "1");
        {
            // The copy is written a chunk at a time, so its first write is the one that fails.
            FailingCalls failing(row.call, row.call == FailingCalls::WRITE ? 0 : 1, ERROR_READ_FAULT, row.failing);
            EXPECT_EQ(0, CollectCookies(COOKIE_PASS_FILTERING)) << row.why;
            EXPECT_EQ(row.failing, failing.Failed()) << row.why;
        }
        EXPECT_EQ("<none>", Copy()) << row.why;
        EXPECT_EQ("<missing>", Update()) << row.why;
    }
    bed_.PutCookiesTxt(big);
    CollectCookies(COOKIE_PASS_FILTERING);
    EXPECT_TRUE(big == Copy());
    EXPECT_EQ("1", Update());
}

// Marks of the whole identity tell apart cookies that share a title, also by case; marks of
// the older title form act only on the one cookie with that title; a word matches the title,
// never the path or value, and never removes a kept cookie.
TEST_F(CookieSafety, MarksNameOneCookieAndKeepBeatsAFilterWord)
{
    const std::string plain = Line("example.com", "/", "id", "1"), shop = Line(".example.com", "/shop", "id", "2");
    const std::string upper = Line("case.org", "/", "ID", "u"), lower = Line("case.org", "/", "id", "l");
    const std::string inValue = Line("ex.org", "/", "v", "adserv"), inPath = Line("ads.net", "/adserv", "x", "v");
    const std::string kept = Line("adserv.com", "/", "k", "v"), matched = Line("adserv.com", "/", "t", "v");
    const std::string old = Line("old.org", "/", "o", "v");
    const std::string twin = Line("twin.org", "/a", "t", "v"), twin2 = Line(".twin.org", "/b", "t", "v");
    bed_.PutCookiesTxt(plain + shop + upper + lower + inValue + inPath + kept + matched + old + twin + twin2);
    for (const std::string* line : {&shop, &upper, &kept}) PutRegString(HKEY_CURRENT_USER, kKept, Mark(*line).c_str(), "1");
    for (const std::string* line : {&plain, &lower}) PutRegString(HKEY_CURRENT_USER, kNuts, Mark(*line).c_str(), "2");
    PutRegString(HKEY_CURRENT_USER, kNuts, "old.org - o", "2");
    PutRegString(HKEY_CURRENT_USER, kNuts, "twin.org - t", "2");  // two cookies: neither
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    EXPECT_EQ(shop + upper + inValue + inPath + kept + twin + twin2, Copy());
    EXPECT_EQ(4, result.removed);
}

// A cookie the list has no room for (its value is longer than an entry holds) is kept too.
TEST_F(CookieSafety, TheFirstRunKeepsEveryCookieTheSettingsFileNames)
{
    const std::string big = Line("big.example", "/", "b", std::string(300, 'x')), small = Line("s.example", "/", "s", "v");
    bed_.PutCookiesTxt(big + small);
    const std::string ini = bed_.appData + "\\old.ini";
    WriteWholeFile(ini, "[Cookies]\r\nbig.example - b=1\r\n");
    RecordKeptCookies(ini.c_str());
    EXPECT_TRUE(IsCookieKept(Mark(big).c_str()));
    EXPECT_FALSE(IsCookieKept(Mark(small).c_str()));
}

// A value that reads like a short path, or a path with quotes, is listed as written: neither
// is handed to a path function (a \\host\share value would make the list reach the network).
TEST_F(CookieSafety, AValueIsListedAsWrittenNeverAsAPath)
{
    const std::string folder = cookiebed::FreshFolder(bed_.appData + "\\A Long Folder Name");
    char shortForm[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(folder.c_str(), shortForm, sizeof shortForm), 0u);
    ASSERT_NE(folder, shortForm);
    bed_.PutCookiesTxt(Line("x.example", "/\"q\"", "n", shortForm));
    ASSERT_EQ(1, CollectCookies(COOKIE_PASS_LISTING));
    EntryCopy entry;
    ASSERT_TRUE(CopyEntry(0, entry));
    EXPECT_STREQ(shortForm, entry.extra);
    EXPECT_STREQ("/\"q\"", entry.path);
}

// A line of 4 MiB without a line feed passes through in pieces, never held whole.
TEST_F(CookieSafety, ReadingIsBounded)
{
    const std::string first = Line("a.example", "/", "a", "1", "\r"), second = Line("ad.example", "/", "b", "2", "\r");
    PutRegString(HKEY_CURRENT_USER, kNuts, "ad.example", "1");
    bed_.PutCookiesTxt(first + std::string(4 << 20, 'z') + "\n" + second);
    size_t largest = 0;
    {
        LargestAllocation watch;
        CollectCookies(COOKIE_PASS_FILTERING);
        largest = watch.Largest();
    }
    EXPECT_GE(largest, (size_t)COOKIE_LINE_LIMIT) << "the watch saw the reading buffer";
    EXPECT_LT(largest, (size_t)(1 << 20));
    EXPECT_TRUE(first + std::string(4 << 20, 'z') + "\n" == Copy());
}
