// No cookie is lost to the program's own passes: the copy for the monitor exists only when
// complete, a mark names one cookie, a filter word reads only the title and stops at a kept
// cookie, the first run keeps every cookie the settings file names, a value stays data, and
// what the scanner cannot hold passes on unread.
#include "app/firstrun.h"
#include "cookies/cookie_filters.h"
#include "cookies/cookie_text.h"
#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/settings.h"
#include "support/call_hooks.h"
#include "support/cookie_bed.h"

#include <gtest/gtest.h>

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

class CookieSafety : public ::testing::Test {
protected:
    void SetUp() override { SetCookieBrowser(COOKIE_BROWSER_MOZILLA); }
    void TearDown() override
    {
        FreeEntries();
        SetCookieBrowser(0);
    }
    std::string Update() { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"); }
    std::string Copy() { return Exists(bed_.profile + "\\cookiesnew.txt") ? bed_.CookiesNew() : "<none>"; }
    cookiebed::Bed bed_;
};

}  // namespace

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
            CollectCookies(COOKIE_PASS_FILTERING);
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
// never the path or value, and never removes a kept cookie of either browser family.
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

    SetCookieBrowser(COOKIE_BROWSER_IE);
    bed_.PutIeCookie("me@adserv[1].txt");
    bed_.PutIeCookie("me@adserv[2].txt");
    SetCookieKept("me@adserv[1].txt");
    CollectCookies(COOKIE_PASS_FILTERING);
    EXPECT_TRUE(bed_.HasIeCookie("me@adserv[1].txt"));
    EXPECT_FALSE(bed_.HasIeCookie("me@adserv[2].txt"));
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

// Lines end at a CR alone too; a line of 4 MiB without a line feed passes through in pieces,
// never held whole; the settings file's "count" drives no loop beyond the filter list's size.
TEST_F(CookieSafety, ReadingIsBoundedAndEveryLineEndCounts)
{
    const std::string first = Line("a.example", "/", "a", "1", "\r"), second = Line("ad.example", "/", "b", "2", "\r");
    bed_.PutCookiesTxt(first + second + Line("c.example", "/", "c", "3", ""));
    PutRegString(HKEY_CURRENT_USER, kNuts, "ad.example", "1");
    CollectCookies(COOKIE_PASS_FILTERING);
    EXPECT_EQ(first + Line("c.example", "/", "c", "3", ""), Copy());

    const std::string huge = first + std::string(4 << 20, 'z') + "\n" + second;
    bed_.PutCookiesTxt(huge);
    size_t largest = 0;
    {
        LargestAllocation watch;
        CollectCookies(COOKIE_PASS_FILTERING);
        largest = watch.Largest();
    }
    EXPECT_GE(largest, (size_t)COOKIE_LINE_LIMIT) << "the watch saw the reading buffer";
    EXPECT_LT(largest, (size_t)(1 << 20));
    EXPECT_TRUE(first + std::string(4 << 20, 'z') + "\n" == Copy());

    const std::string ini = SettingsFile(), before = ReadWholeFile(ini);
    const bool existed = Exists(ini);
    std::string words = "[Nuts]\r\ncount=2000000000\r\n";
    for (int n = 1; n <= FILTER_LIST_CAPACITY + 10; ++n) words += "Nut" + std::to_string(n) + "=w" + std::to_string(n) + "\r\n";
    WriteWholeFile(ini, words);
    DeleteRegValue(HKEY_CURRENT_USER, kNuts, "ad.example");
    ImportFilterWords();
    std::vector<RegValue> values;
    ReadRegValues(HKEY_CURRENT_USER, kNuts, values);
    EXPECT_EQ((size_t)FILTER_LIST_CAPACITY, values.size());
    if (existed)
        WriteWholeFile(ini, before);
    else
        DeleteFileA(ini.c_str());
}
