// cookies.txt lines and Internet Explorer cookie file names, as the parsers read them.
#include "cookies/cookie_text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CookieLine Scan(const std::string& line)
{
    CookieLine cookie;
    ScanCookieLine(line.data(), line.size(), cookie);
    return cookie;
}

std::string Site(const std::string& name)
{
    CookieFileParts parts = SplitCookieFileName(name.data(), name.size());
    return name.substr(parts.siteStart, parts.siteLength);
}

}  // namespace

TEST(CookieLine, FieldsOfALine)
{
    struct Row {
        std::string line;
        std::string domain, path, name, value;
        unsigned long expiry;
        bool secure;
    };
    const Row rows[] = {
        {".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tabc", "example.com", "/", "id", "abc", 1893456000UL, false},
        {"ads.example.net\tFALSE\t/p\tisTrUe\t0\tt\tv\r", "ads.example.net", "/p", "t", "v", 0, true},
        {"# Netscape HTTP Cookie File", "", "", "", "", 0, false},
        {"#.x\tTRUE\t/\tTRUE\t5\tn\tv", "", "/", "n", "v", 5, true},
        {"a\tb\tc\td\t99999999999\tn\tv1\tv2", "a", "c", "n", "v2", 0xFFFFFFFFUL, false},
        {"six\tTRUE\t/\tFALSE\t12x\tname", "six", "/", "name", "", 12, false},
        {"", "", "", "", "", 0, false},
    };
    for (const Row& row : rows) {
        CookieLine cookie = Scan(row.line);
        EXPECT_EQ(row.domain, cookie.domain) << row.line;
        EXPECT_EQ(row.path, cookie.path) << row.line;
        EXPECT_EQ(row.name, cookie.name) << row.line;
        EXPECT_EQ(row.value, cookie.value) << row.line;
        EXPECT_EQ(row.expiry, cookie.expiry) << row.line;
        EXPECT_EQ(row.secure, cookie.secure) << row.line;
    }
    EXPECT_EQ("example.com - id", CookieName(Scan(".example.com\tTRUE\t/\tFALSE\t0\tid\tx")));
}

// Lines end in LF, CR LF or a CR alone, also when a chunk ends between CR and LF; the last
// line needs no line end.
TEST(CookieLine, TheReaderEndsLinesAtLfCrLfOrCrWhereverTheChunksEnd)
{
    const std::string text = "one\ntwo\r\nthree\rfour\r\n\nlast";
    for (size_t chunk : {1u, 4u, 9u, 100u}) {
        CookieLineReader reader(64);
        std::vector<std::string> lines;
        auto sink = [&lines](const CookieLinePiece& piece) {
            lines.push_back(std::string(piece.text, piece.length) + "|" + std::string(piece.end, piece.endLength) +
                            (piece.whole ? "" : " piece"));
            return true;
        };
        for (size_t at = 0; at < text.size(); at += chunk)
            reader.Feed(text.data() + at, std::min(chunk, text.size() - at), sink);
        reader.Finish(sink);
        EXPECT_EQ((std::vector<std::string>{"one|\n", "two|\r\n", "three|\r", "four|\r\n", "|\n", "last|"}), lines) << chunk;
    }
}

TEST(CookieFileName, TheSiteIsWhatFollowsTheLastAt)
{
    const std::pair<std::string, std::string> rows[] = {
        {"clicker@doubleclick[2].txt", "doubleclick"},
        {"Clicker@example.com[1].TXT", "example.com"},
        {"a@b@c[1].txt", "c"},
        {"noat.txt", "noat"},
        {"user@site", "site"},
        {"user@[1].txt", ""},
        {"user@x]1].txt", "x]1]"},
        {"@", ""},
        {"", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(row.second, Site(row.first)) << row.first;
}
