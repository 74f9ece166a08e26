// The filter key read once for a filtering pass: each name answers as the key does, and a
// word outside 7-bit text matches in either case, as the code page has it.
#include "cookies/cookie_filters.h"
#include "support/cookie_bed.h"

#include <gtest/gtest.h>

TEST(CookieFilterNames, AnswerAsTheKeyDoesWhateverTheCase)
{
    SavedKey nuts(HKEY_CURRENT_USER, cookiebed::kNuts);
    nuts.Clear();
    for (const char* word : {"word", "caf\xe9"}) PutRegString(HKEY_CURRENT_USER, cookiebed::kNuts, word, "1");
    PutRegString(HKEY_CURRENT_USER, cookiebed::kNuts, "site.example - id", "2");
    PutRegString(HKEY_CURRENT_USER, cookiebed::kNuts, "empty", "");
    FilterValueNames names;
    EXPECT_TRUE(names.Has("Site.Example - ID"));
    for (const char* name : {"WORD", "site.example - id2", "empty", "nothing", "CAF\xc9"})
        EXPECT_EQ(HasFilterValue(name) != 0, names.Has(name)) << name;
    LoadFilterList();
    EXPECT_EQ(1, MatchesFilter("a CAF\xc9 here"));
    FreeFilterList();
}
