// Cookies in the prefix: the folders found, the listing pass, and the filtering pass on
// real cookie folders and cookies.txt files (a 1 MiB file, an IE folder of 1,000 cookies).
#include "app/firstrun.h"
#include "cookies/cookie_filters.h"
#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
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
    std::vector<std::string> Titles()
    {
        std::vector<std::string> titles;
        for (int i = 0; i < EntryCount(); ++i) {
            char title[ENTRY_TITLE_CHARS];
            GetEntryTitle(i, title);
            titles.push_back(title);
        }
        return titles;
    }
    cookiebed::Bed bed_;
};

std::string CookieLineText(const std::string& domain, const std::string& name, const std::string& value)
{
    return domain + "\tTRUE\t/\tFALSE\t1893456000\t" + name + "\t" + value;
}

}  // namespace

TEST_F(Cookies, IeFolderCandidatesNeedIndexDatAndComeBackWithABackslash)
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
    std::string relative = "%TEMP%" + bed_.ieFolder.substr(strlen(temp));
    PutRegString(HKEY_CURRENT_USER, cookiebed::kUserShellFolders, "Cookies", relative, REG_EXPAND_SZ);
    EXPECT_EQ(bed_.ieFolder + "\\", IeFolder());
    PutRegString(HKEY_CURRENT_USER, cookiebed::kUserShellFolders, "Cookies", other + "\\missing");
    EXPECT_EQ("<none>:Cookie Folder Not Found", IeFolder());
}

TEST_F(Cookies, MozillaProfileIsFoundUnderAppDataOrTakenAsStored)
{
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
    bed_.PutIeCookie("clicker@example[1].txt");
    bed_.PutIeCookie("clicker@doubleclick[1].txt");
    bed_.PutIeCookie("clicker@news.site[2].txt");
    bed_.PutIeCookie("clicker@ADSERVER[1].txt");
    WriteWholeFile(bed_.cache + "\\clicker@doubleclick[1].txt", "cached");
    PutRegString(HKEY_CURRENT_USER, kNuts, "Click", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "clicker@news.site[2].txt", "2");
    PutRegString(HKEY_CURRENT_USER, kNuts, "licker@example[1].txt", "2");  // names no file

    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    EXPECT_TRUE(bed_.HasIeCookie("clicker@example[1].txt"));
    EXPECT_FALSE(bed_.HasIeCookie("clicker@doubleclick[1].txt"));
    EXPECT_FALSE(bed_.HasIeCookie("clicker@news.site[2].txt"));
    EXPECT_FALSE(bed_.HasIeCookie("clicker@ADSERVER[1].txt"));
    EXPECT_FALSE(Exists(bed_.cache + "\\clicker@doubleclick[1].txt"));
    EXPECT_EQ(3, result.removed);
    EXPECT_TRUE(Exists(bed_.ieFolder + "\\index.dat"));

    EXPECT_EQ(1, CollectCookies(COOKIE_PASS_LISTING));
    EXPECT_EQ(std::vector<std::string>{"clicker@example[1].txt"}, Titles());
    char path[ENTRY_PATH_CHARS], created[ENTRY_DETAIL_CHARS];
    GetEntryPath(0, path);
    GetEntryDetail(0, created);
    EXPECT_EQ(bed_.ieFolder + "\\clicker@example[1].txt", path);
    EXPECT_EQ(16u, strlen(created)) << created;  // "yyyy/mm/dd hh:mm"
    EXPECT_EQ(KIND_INFO_COOKIE, GetEntryKind(0));
}

// The list holds 325 Internet Explorer cookies; filtering reaches all 1,000.
TEST_F(Cookies, IeFilteringVisitsEveryCookieBeyondTheListLimit)
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    int tracking = 0;
    for (int i = 0; i < 1000; ++i) {
        char name[64];
        bool ad = i % 3 == 0;
        snprintf(name, sizeof name, "user@%s%04d[1].txt", ad ? "adsrv" : "news", i);
        bed_.PutIeCookie(name, "v");
        tracking += ad;
    }
    PutRegString(HKEY_CURRENT_USER, kNuts, "adsrv", "1");
    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    EXPECT_EQ(tracking, result.removed);

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((bed_.ieFolder + "\\*adsrv*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);

    EXPECT_EQ(325, CollectCookies(COOKIE_PASS_LISTING, &result));
    EXPECT_EQ(1000 - tracking - 325, result.notListed);
}

// A cookies.txt of 1 MiB, a CR LF line and a last line without a line feed: the copy holds
// every line no filter matched, exactly as read.
TEST_F(Cookies, MozillaFilteringKeepsEveryUnmatchedLineByteForByte)
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    std::string input = "# Netscape HTTP Cookie File\n# comment\n\n";
    std::string expected = input;
    int cookies = 0;
    for (int i = 0; input.size() < (1u << 20); ++i) {
        std::string domain = (i % 5 == 0 ? ".AdServ" : ".site") + std::to_string(i) + ".example";
        std::string line = CookieLineText(domain, "n" + std::to_string(i), std::string(40 + i % 50, 'v'));
        line += i % 7 == 0 ? "\r\n" : "\n";
        input += line;
        if (i % 5 != 0 && i != 12) expected += line;
        ++cookies;
    }
    std::string last = CookieLineText("last.example", "final", "kept");
    input += last;
    expected += last;
    ++cookies;
    bed_.PutCookiesTxt(input);
    PutRegString(HKEY_CURRENT_USER, kNuts, "adserv", "1");
    PutRegString(HKEY_CURRENT_USER, kNuts, "site12.example - n12", "2");

    CookieCollection result = {};
    CollectCookies(COOKIE_PASS_FILTERING, &result);
    std::string copy = bed_.CookiesNew();
    EXPECT_EQ(expected.size(), copy.size());
    EXPECT_TRUE(expected == copy) << "first difference at byte "
                                  << std::mismatch(expected.begin(), expected.end(), copy.begin()).first -
                                         expected.begin();
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"));
    EXPECT_EQ(input, ReadWholeFile(bed_.profile + "\\cookies.txt"));

    // The listing stops at the entry list's capacity and says how many were left out.
    EXPECT_EQ(MAX_ENTRIES, CollectCookies(COOKIE_PASS_LISTING, &result));
    EXPECT_EQ(cookies - MAX_ENTRIES, result.notListed);
}

TEST_F(Cookies, MozillaListingShowsEachCookieOnce)
{
    SetCookieBrowser(COOKIE_BROWSER_MOZILLA);
    bed_.PutCookiesTxt("# Netscape HTTP Cookie File\n" +
                       std::string(".example.com\tTRUE\t/a\tTRUE\t0\tid\tabc\r\n") +
                       CookieLineText("long.example", "big", std::string(300, 'x')) + "\n" +
                       CookieLineText("tail.example", "t", "end"));
    ASSERT_EQ(2, CollectCookies(COOKIE_PASS_LISTING));
    EXPECT_EQ((std::vector<std::string>{"example.com - id", "tail.example - t"}), Titles());
    EntryCopy first;
    ASSERT_TRUE(CopyEntry(0, first));
    EXPECT_STREQ("/a", first.path);
    EXPECT_STREQ("abc", first.extra);
    EXPECT_EQ(1, first.value);
    EXPECT_EQ(KIND_NET_COOKIE, first.kind);
    SYSTEMTIME epoch;
    UnixTimeToLocal(0, &epoch);
    char expected[32];
    snprintf(expected, sizeof expected, "%d/%02d/%02d %02d:%02d", epoch.wYear, epoch.wMonth, epoch.wDay, epoch.wHour,
             epoch.wMinute);
    EXPECT_STREQ(expected, first.detail);

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

    for (int i = 0; i < 300; ++i)
        PutRegString(HKEY_CURRENT_USER, kNuts, ("aaa mark " + std::to_string(i)).c_str(), "2");
    for (int i = 0; i < 3; ++i) PutRegString(HKEY_CURRENT_USER, kNuts, ("zzz word " + std::to_string(i)).c_str(), "1");
    EXPECT_EQ(3, LoadFilterList());
    EXPECT_EQ(3, FilterWordCount()) << "the page's limit of 256 counts only these";
    EXPECT_EQ(1, MatchesFilter("a ZZZ WORD 2 b"));
}

TEST_F(Cookies, RemovingOneCookieDeletesItsFileOrMarksIt)
{
    bed_.PutIeCookie("me@site[1].txt");
    WriteWholeFile(bed_.cache + "\\me@site[1].txt", "cached");
    SetCookieKept("me@site[1].txt");
    RemoveCookie(COOKIE_BROWSER_IE, "me@site[1].txt");
    EXPECT_FALSE(bed_.HasIeCookie("me@site[1].txt"));
    EXPECT_FALSE(Exists(bed_.cache + "\\me@site[1].txt"));
    EXPECT_FALSE(IsCookieKept("me@site[1].txt"));
    RemoveCookie(COOKIE_BROWSER_IE, "..\\index.dat");
    EXPECT_TRUE(Exists(bed_.ieFolder + "\\index.dat"));

    RemoveCookie(COOKIE_BROWSER_MOZILLA, "example.com - id");
    EXPECT_EQ("2", GetRegString(HKEY_CURRENT_USER, kNuts, "example.com - id"));
}

TEST_F(Cookies, FirstRunKeepsTheCookiesTheSettingsFileNames)
{
    SetCookieBrowser(COOKIE_BROWSER_IE);
    bed_.PutIeCookie("me@keep[1].txt");
    bed_.PutIeCookie("me@other[1].txt");
    std::string ini = bed_.appData + "\\old.ini";
    WriteWholeFile(ini, "[Cookies]\r\nme@keep[1].txt=1\r\nme@other[1].txt=\r\n");
    RecordKeptCookies(ini.c_str());
    EXPECT_TRUE(IsCookieKept("me@keep[1].txt"));
    EXPECT_FALSE(IsCookieKept("me@other[1].txt"));
    EXPECT_EQ(0, EntryCount());
}

// The first run writes the words of the settings file, or the 14 defaults when it names none.
TEST_F(Cookies, FirstRunFilterWordsComeFromTheSettingsFileOrAreTheDefaults)
{
    const std::vector<std::string> defaults = {"180S",   "2o7",   "AdServ",     "atwola", "Banner", "bfast",  "CGI-Bin",
                                               "Click",  "Commission", "gator", "hitbox", "kazaa", "metric", "ru4"};
    const struct {
        const char* ini;  // nullptr: no settings file
        std::vector<std::string> words;
    } rows[] = {
        {nullptr, defaults},
        {"[Nuts]\r\ncount=0\r\nNut1=unused\r\n", defaults},
        {"[Nuts]\r\ncount=2\r\nNut1=tracker\r\nNut2=beacon\r\n", {"beacon", "tracker"}},
        {"[Nuts]\r\ncount=3\r\nNut1=pixel\r\nNut2=\r\nNut3=spy\r\n", {"pixel", "spy"}},
    };
    const std::string ini = SettingsFile();
    const std::string before = ReadWholeFile(ini);
    const bool existed = Exists(ini);
    for (const auto& row : rows) {
        SavedKey nuts(HKEY_CURRENT_USER, kNuts);
        nuts.Clear();
        if (row.ini)
            WriteWholeFile(ini, row.ini);
        else
            DeleteFileA(ini.c_str());
        ImportFilterWords();
        LoadFilterList();
        std::vector<std::string> words;
        for (int i = 0; i < FilterCount(); ++i) {
            char text[FILTER_TEXT_CHARS];
            FilterText(i, text, sizeof text);
            EXPECT_EQ(FILTER_WORD, FilterNumber(i)) << text;
            words.push_back(text);
        }
        auto byText = [](const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; };
        std::sort(words.begin(), words.end(), byText);
        std::vector<std::string> expected = row.words;
        std::sort(expected.begin(), expected.end(), byText);
        EXPECT_EQ(expected, words) << (row.ini ? row.ini : "no settings file");
    }
    if (existed)
        WriteWholeFile(ini, before);
    else
        DeleteFileA(ini.c_str());
}
