// The policies' Run keys (HKLM in both views, HKCU): listed with their own kinds and
// locations, disabled, enabled, removed and put back from the history as the Run keys are,
// each key ending byte for byte as it was.
#include "startup_bed.h"

#include "startup/startup_actions.h"

namespace {

const char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

std::string AllPlaces()
{
    return DumpRegTree(HKEY_LOCAL_MACHINE, kPolicies) + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(kPolicies)) +
           DumpRegTree(HKEY_CURRENT_USER, kPolicies);
}

class PoliciesRun : public bed::StartupBed {
protected:
    void SetUp() override
    {
        StartupBed::SetUp();
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) keys_.emplace_back(hive, kPolicies).Clear();
        keys_.emplace_back(HKEY_LOCAL_MACHINE, In32BitView(kPolicies)).Clear();
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kPolicies, "Pol Tool", "C:\\tools\\pol64.exe /q"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kPolicies), "Pol Wow", "C:\\tools\\pol32.exe"));
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kPolicies, "User Pol", "\"%ProgramFiles%\\u.exe\" -x", REG_EXPAND_SZ));
    }
    std::deque<SavedKey> keys_;
};

}  // namespace

TEST_F(PoliciesRun, EachKeyIsListedChangedRemovedAndPutBackExactly)
{
    const std::string before = AllPlaces();
    const std::string tail = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
    const struct {
        const char* title;
        const char* shown;
        int kind;
        const char* keyword;
        std::string location;
    } rows[] = {
        {"Pol Tool", "C:\\tools\\pol64.exe /q", KIND_MACHINE_POLICIES_RUN, "MACHINE_POLICIESRUN",
         "HKEY_LOCAL_MACHINE" + tail},
        // Wine shares this key between the views (see the test below): listed once, natively.
        {"Pol Wow", "C:\\tools\\pol32.exe", KIND_MACHINE_POLICIES_RUN, "MACHINE_POLICIESRUN", "HKEY_LOCAL_MACHINE" + tail},
        {"User Pol", "", KIND_CURRENT_POLICIES_RUN, "CURRENT_POLICIESRUN", "HKEY_CURRENT_USER" + tail},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location);
        for (const char* state : {"", " * Disabled  * "}) {
            bed::Listed entry = bed::One(row.title, row.shown);
            ASSERT_GE(entry.index, 0);
            EXPECT_EQ(state + row.location, bed::LocationOf(entry.index));
            EXPECT_EQ(row.kind, entry.kind);
            ASSERT_EQ(STARTUP_OK, ToggleStartupEntry(row.title, entry.path.c_str(), "", row.kind));
            if (*state) EXPECT_EQ(before, AllPlaces()) << "enabled exactly";
            else EXPECT_EQ(std::to_string(row.kind), bed::Stored(DISABLED_STORE_KEY, row.title));
        }
        ASSERT_EQ(STARTUP_OK, RemoveStartupEntry(row.title, bed::One(row.title, row.shown).path.c_str(), "", row.kind));
        EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find(std::string("\t") + row.keyword + "\t"));
        EXPECT_EQ(UNDO_DONE, UndoHistoryLine(LoadHistoryEntries() - 1).status);
        EXPECT_EQ(before, AllPlaces()) << "put back by the undo";
    }
}

// Wine 8 shares the policies' machine key between the views (the Run keys it redirects), so
// only the native view's rows are listed (once each, above); a line of the 32-bit kind acts on it.
TEST_F(PoliciesRun, AKeySharedByTheViewsIsListedOnceAndItsViewStillActs)
{
    EXPECT_TRUE(ViewsShareKey(HKEY_LOCAL_MACHINE, kPolicies));
    EXPECT_FALSE(ViewsShareKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    ASSERT_TRUE(WriteWholeFile(HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tMACHINE32_POLICIESRUN\tOld Pol\t"
                                              "C:\\old.exe\t\r\n"));
    EXPECT_EQ(UNDO_DONE, UndoHistoryLine(LoadHistoryEntries() - 1).status);
    EXPECT_EQ("C:\\old.exe", GetRegString(HKEY_LOCAL_MACHINE, In32BitView(kPolicies), "Old Pol"));
}
