// Marks of the older title form, as a pass meets them line by line: a title is matched
// without regard to case whatever its name holds, and counted to tell one cookie from two.
#include "cookies/cookie_marks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CookieLine Cookie(const std::string& line)
{
    CookieLine cookie;
    ScanCookieLine(line.data(), line.size(), cookie);
    return cookie;
}

}  // namespace

TEST(CookieMarks, TitleMarksMatchAnyCaseAndNamesHoldingTheSeparator)
{
    struct Row {
        std::string mark;   // a removal mark of the title form
        std::string line;   // the cookie met
        bool removed;
    };
    const Row rows[] = {
        {"Old.Org - O", "old.org\tTRUE\t/\tFALSE\t0\to\tv", true},
        {"a.org - x - y", "a.org\tTRUE\t/\tFALSE\t0\tx - y\tv", true},
        {"a.org - x - y", "a.org - x\tTRUE\t/\tFALSE\t0\ty\tv", true},  // the same title
        {"a.org - x - y", "a.org\tTRUE\t/\tFALSE\t0\ty\tv", false},
        {"b.org - n", "b.org\tTRUE\t/\tFALSE\t0\tn2\tv", false},
    };
    for (const Row& row : rows) {
        CookieMarks marks;
        marks.AddRemoval(row.mark);
        CookieLine cookie = Cookie(row.line);
        marks.Count(cookie);
        EXPECT_EQ(row.removed, marks.IsRemoved(cookie)) << row.mark << " / " << row.line;
        marks.Count(cookie);  // a second cookie of that title: the mark is no longer its own
        EXPECT_FALSE(marks.IsRemoved(cookie)) << row.mark << " / " << row.line;
    }
}
