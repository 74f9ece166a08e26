// Cookies in the prefix: the folders found, the listing pass, the filtering pass and removal on
// real cookie folders and cookies.txt files (a 1 MiB file, an IE folder of 1,000 cookies).
#include "cookies/cookie_filters.h"
#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "support/cookie_bed.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using cookiebed::kNuts;

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
    // Each entry as "title|path|extra|detail|kind|value".
    static std::vector<std::string> Listed()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < EntryCount(); ++i) {
            EntryCopy e;
            CopyEntry(i, e);
            rows.push_back(std::string(e.title) + "|" + e.path + "|" + e.extra + "|" + e.detail + "|" +
                           std::to_string(e.kind) + "|" + std::to_string(e.value));
        }
        return rows;
    }
    // Which of the IE cookie files are there: "1" each present, "0" each gone.
    std::string Present(std::initializer_list<const char*> names)
    {
        std::string present;
        for (const char* name : names) present += bed_.HasIeCookie(name) ? "1" : "0";
        return present;
    }
    cookiebed::Bed bed_;
};

std::string CookieLineText(const std::string& domain, const std::string& name, const std::string& value)
{
    return domain + "\tTRUE\t/\tFALSE\t1893456000\t" + name + "\t" + value;
}

}  // namespace

TEST_F(Cookies, TheFoldersAreFoundAsStoredOrWhereTheShellSaysAndNeedWhatTheBrowserLeaves)
{
    EXPECT_EQ(bed_.ieFolder + "\\", IeFolder());
    // A stored folder without index.dat is passed over; one with it wins.
    std::string other = cookiebed::FreshFolder(bed_.appData + "\\Other");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder", other);
    EXPECT_EQ(bed_.ieFolder + "\\", IeFolder());
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

    // Mozilla's profile under AppData, or the folder stored.
    char folder[MAX_PATH];
    ASSERT_EQ(1, FindMozillaCookieFolder(folder, sizeof folder));
    EXPECT_EQ(bed_.profile, folder);
    EXPECT_NE(0, MozillaInstalled());
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "CookieFolder", "D:\\chosen\\");
    ASSERT_EQ(1, FindMozillaCookieFolder(folder, sizeof folder));
    EXPECT_STREQ("D:\\chosen\\", folder);
}

// A user named after a filter word ("Clicker" holds "Click") keeps the cookies of other
// sites: words match the site part of the file name, marks the whole file name.
TEST_F(Cookies, IeFilterWordsMatchTheSiteAndMarksTheWholeFileName)
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    for (const char* name : {"clicker@example[1].txt", "clicker@doubleclick[1].txt", "clicker@news.site[2].txt", "clicker@ADSERVER[1].txt"})
        bed_.PutIeCookie(name);
    WriteWholeFile(bed_.cache + "\\clicker@doubleclick[1].txt", "cached");
    PutRegString(HKEY_CURRENT_USER, kNuts, "Click", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "clicker@news.site[2].txt", "2");
    PutRegString(HKEY_CURRENT_USER, kNuts, "licker@example[1].txt", "2");  // names no file
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    EXPECT_EQ("1000", Present({"clicker@example[1].txt", "clicker@doubleclick[1].txt", "clicker@news.site[2].txt",
                               "clicker@ADSERVER[1].txt"}));
    EXPECT_EQ(3, result.removed);
    EXPECT_FALSE(Exists(bed_.cache + "\\clicker@doubleclick[1].txt")) << "with its cached copy";
    EXPECT_TRUE(Exists(bed_.ieFolder + "\\index.dat"));
    ASSERT_EQ(1, CollectCookies(COOKIE_PASS_LISTING));
    EntryCopy e;
    ASSERT_TRUE(CopyEntry(0, e));
    EXPECT_EQ("clicker@example[1].txt|" + bed_.ieFolder + "\\clicker@example[1].txt", std::string(e.title) + "|" + e.path);
    EXPECT_EQ(16u, strlen(e.detail)) << e.detail << ": yyyy/mm/dd hh:mm";
    EXPECT_EQ(KIND_INFO_COOKIE, e.kind);
}

// The list holds 325 Internet Explorer cookies; filtering reaches all 1,000.
TEST_F(Cookies, IeFilteringVisitsEveryCookieBeyondTheListLimit)
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    int tracking = 0;
    for (int i = 0; i < 1000; ++i) {
        bool ad = i % 3 == 0;
        bed_.PutIeCookie("user@" + std::string(ad ? "adsrv" : "news") + std::to_string(1000 + i) + "[1].txt", "v");
        tracking += ad;
    }
    PutRegString(HKEY_CURRENT_USER, kNuts, "adsrv", "1");
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    EXPECT_EQ(tracking, result.removed);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((bed_.ieFolder + "\\*adsrv*").c_str(), &found)) << found.cFileName;
    EXPECT_EQ(325, CollectCookies(COOKIE_PASS_LISTING, &result));
    EXPECT_EQ(1000 - tracking - 325, result.notListed);
}

// A cookies.txt of 1 MiB, a CR LF line and a last line without a line feed: the copy holds
// every line no filter matched, exactly as read.
TEST_F(Cookies, MozillaFilteringKeepsEveryUnmatchedLineByteForByte)
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    std::string input = "# Netscape HTTP Cookie File\n# comment\n\n", expected = input;
    int cookies = 1;
    for (int i = 0; input.size() < (1u << 20); ++i, ++cookies) {
        std::string domain = (i % 5 == 0 ? ".AdServ" : ".site") + std::to_string(i) + ".example";
        std::string line = CookieLineText(domain, "n" + std::to_string(i), std::string(40 + i % 50, 'v')) +
                           (i % 7 == 0 ? "\r\n" : "\n");
        input += line;
        if (i % 5 != 0 && i != 12) expected += line;
    }
    input += CookieLineText("last.example", "final", "kept");
    expected += CookieLineText("last.example", "final", "kept");
    bed_.PutCookiesTxt(input);
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "site12.example - n12", "2");
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    std::string copy = bed_.CookiesNew();
    EXPECT_EQ(expected.size(), copy.size());
    EXPECT_TRUE(expected == copy) << "first difference at byte "
                                  << std::mismatch(expected.begin(), expected.end(), copy.begin()).first - expected.begin();
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"));
    EXPECT_EQ(input, ReadWholeFile(bed_.profile + "\\cookies.txt"));
    // The listing stops at the entry list's capacity and says how many were left out.
    EXPECT_EQ(MAX_ENTRIES, CollectCookies(COOKIE_PASS_LISTING, &result));
    EXPECT_EQ(cookies - MAX_ENTRIES, result.notListed);
}

TEST_F(Cookies, MozillaListingShowsEachCookieOnceAndWithoutAFileNothing)
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    bed_.PutCookiesTxt("# Netscape HTTP Cookie File\n.example.com\tTRUE\t/a\tTRUE\t0\tid\tabc\r\n" +
                       CookieLineText("long.example", "big", std::string(300, 'x')) + "\n" +
                       CookieLineText("tail.example", "t", "end"));
    ASSERT_EQ(2, CollectCookies(COOKIE_PASS_LISTING));
    SYSTEMTIME epoch;
    UnixTimeToLocal(0, &epoch);
    char date[32];
    snprintf(date, sizeof date, "%d/%02d/%02d %02d:%02d", epoch.wYear, epoch.wMonth, epoch.wDay, epoch.wHour, epoch.wMinute);
    EXPECT_EQ("example.com - id|/a|abc|" + std::string(date) + "|" + std::to_string(KIND_NET_COOKIE) + "|1", Listed()[0]);
    EXPECT_EQ(0u, Listed()[1].find("tail.example - t|")) << "the line too long for the list is left out";
    // Without cookies.txt nothing is listed and no copy is requested.
    DeleteFileA((bed_.profile + "\\cookies.txt").c_str());
    EXPECT_EQ(0, CollectCookies(COOKIE_PASS_FILTERING));
    EXPECT_EQ("<missing>", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"));
}

// Removal marks name one cookie exactly: they are not filter words and take no room from them.
TEST_F(Cookies, FilterListMatchesInsideWordsIgnoringCaseAndHoldsNoRemovalMarks)
{
    PutRegString(HKEY_CURRENT_USER, kNuts, "AD", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "x.example - gone", "2");
    ASSERT_EQ(1, LoadFilterList());
    const std::pair<std::string, int> rows[] = {
        {"c:\\cookies\\user@baddomain[1].txt", 1},
        {"nothing here", 0},
        {"row with x.example - GONE in it", 0},
        {std::string(513, 'a') + "ad", 0},  // too long to be searched
    };
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
    EXPECT_EQ("0", Present({"me@site[1].txt"}));
    EXPECT_FALSE(Exists(bed_.cache + "\\me@site[1].txt") || IsCookieKept("me@site[1].txt"));
    RemoveCookie(COOKIE_BROWSER_IE, "..\\index.dat");
    EXPECT_TRUE(Exists(bed_.ieFolder + "\\index.dat"));
    RemoveCookie(COOKIE_BROWSER_MOZILLA, "example.com - id");
    EXPECT_EQ("2", GetRegString(HKEY_CURRENT_USER, kNuts, "example.com - id"));
}
