// The resident monitor's start-page place through the patrol table, as a patrol visits it: the
// first visit records the pages, a changed page is a finding, Restore puts the recorded value
// back with its type and bytes, Accept makes the new one the record.
#include "app/start.h"
#include "foundations/patrol_places.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kMain[] = "Software\\Microsoft\\Internet Explorer\\Main";

const PatrolPlace* StartPagePlace()
{
    InstallPatrolPlaces();
    for (int n = 0; n < PatrolPlaceCount(); ++n)
        if (strcmp(PatrolPlaceAt(n)->setting, "StartPage") == 0) return PatrolPlaceAt(n);
    return nullptr;
}

// The findings of a visit that are not known.
std::vector<PatrolItem> NewFindings(const PatrolPlace& place)
{
    std::vector<PatrolItem> live, found;
    EXPECT_TRUE(place.calls.collect(live));
    for (const PatrolItem& item : live)
        if (!item.known) found.push_back(item);
    return found;
}

}  // namespace

TEST(StartPagePatrol, AChangedPageIsFoundAndRestoredExactlyOrAccepted)
{
    SavedKey main(HKEY_CURRENT_USER, kMain), record(HKEY_CURRENT_USER, VIGILARK_KEY "\\StartPage");
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY "\\StartPage");
    const PatrolPlace* place = StartPagePlace();
    ASSERT_NE(nullptr, place);
    const std::string home = "%HOMEDRIVE%\\home.htm";
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kMain, "Start Page", home, REG_EXPAND_SZ));
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kMain, "Search Page", "http://search.example/"));
    const std::string before = DumpRegTree(HKEY_CURRENT_USER, kMain);
    EXPECT_TRUE(NewFindings(*place).empty()) << "the first visit records";
    EXPECT_TRUE(NewFindings(*place).empty());

    PutRegString(HKEY_CURRENT_USER, kMain, "Start Page", "http://hijack.example/");
    std::vector<PatrolItem> changed = NewFindings(*place);
    ASSERT_EQ(1u, changed.size());
    EXPECT_EQ("Start Page=http://hijack.example/", changed[0].title + "=" + changed[0].command);
    EXPECT_EQ(unsigned(CHOICE_RESTORE), place->calls.choices(changed[0]) & CHOICE_RESTORE);
    ASSERT_TRUE(place->calls.act(changed[0], CHOICE_RESTORE));
    EXPECT_EQ(before, DumpRegTree(HKEY_CURRENT_USER, kMain)) << "type and bytes as recorded";

    PutRegString(HKEY_CURRENT_USER, kMain, "Search Page", "http://other.example/");
    for (const PatrolItem& item : NewFindings(*place)) place->calls.recordKnown(item);  // Accept
    EXPECT_TRUE(NewFindings(*place).empty());
    EXPECT_EQ("http://other.example/", GetRegString(HKEY_CURRENT_USER, kMain, "Search Page"));
}
