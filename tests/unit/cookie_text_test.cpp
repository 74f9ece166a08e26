// cookies.txt lines and Internet Explorer cookie file names, as the parsers read them, and the
// marks of the older title form as a pass meets them line by line.
#include "cookies/cookie_marks.h"
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

}  // namespace

TEST(CookieLine, FieldsOfALine)
{
    // domain|path|name|value|expiry|secure
    const std::pair<std::string, std::string> rows[] = {
        {".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tabc", "example.com|/|id|abc|1893456000|0"},
        {"ads.example.net\tFALSE\t/p\tisTrUe\t0\tt\tv\r", "ads.example.net|/p|t|v|0|1"},
        {"# Netscape HTTP Cookie File", "||||0|0"}, {"#.x\tTRUE\t/\tTRUE\t5\tn\tv", "|/|n|v|5|1"},
        {"a\tb\tc\td\t99999999999\tn\tv1\tv2", "a|c|n|v2|4294967295|0"},
        {"six\tTRUE\t/\tFALSE\t12x\tname", "six|/|name||12|0"}, {"", "||||0|0"},
    };
    for (const auto& row : rows) {
        CookieLine c = Scan(row.first);
        EXPECT_EQ(row.second, c.domain + "|" + c.path + "|" + c.name + "|" + c.value + "|" + std::to_string(c.expiry) +
                                  "|" + (c.secure ? "1" : "0"))
            << row.first;
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
        {"Clicker@example.com[1].TXT", "example.com"}, {"a@b@c[1].txt", "c"}, {"noat.txt", "noat"},
        {"user@site", "site"}, {"user@[1].txt", ""}, {"user@x]1].txt", "x]1]"}, {"@", ""}, {"", ""},
    };
    for (const auto& row : rows) {
        CookieFileParts parts = SplitCookieFileName(row.first.data(), row.first.size());
        EXPECT_EQ(row.second, row.first.substr(parts.siteStart, parts.siteLength)) << row.first;
    }
}

// A title is matched without regard to case whatever its name holds, and counted to tell one
// cookie from two.
TEST(CookieMarks, TitleMarksMatchAnyCaseAndNamesHoldingTheSeparator)
{
    const struct { const char *mark, *line; bool removed; } rows[] = {  // a removal mark of the title form, the cookie met
        {"Old.Org - O", "old.org\tTRUE\t/\tFALSE\t0\to\tv", true},
        {"a.org - x - y", "a.org\tTRUE\t/\tFALSE\t0\tx - y\tv", true},
        {"a.org - x - y", "a.org - x\tTRUE\t/\tFALSE\t0\ty\tv", true},  // the same title
        {"a.org - x - y", "a.org\tTRUE\t/\tFALSE\t0\ty\tv", false},
        {"b.org - n", "b.org\tTRUE\t/\tFALSE\t0\tn2\tv", false},
    };
    for (const auto& row : rows) {
        CookieMarks marks;
        marks.AddRemoval(row.mark);
        CookieLine cookie = Scan(row.line);
        marks.Count(cookie);
        EXPECT_EQ(row.removed, marks.IsRemoved(cookie)) << row.mark << " / " << row.line;
        marks.Count(cookie);  // a second cookie of that title: the mark is no longer its own
        EXPECT_FALSE(marks.IsRemoved(cookie)) << row.mark << " / " << row.line;
    }
}
