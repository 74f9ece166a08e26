// Internet Explorer add-ons in the prefix's registry: what is listed, and removal with its
// undo, with registrations planted directly and with the test add-on registered by the
// prefix's own regsvr32.
#include "iehelper_bed.h"

#include "app/firstrun.h"
#include "foundations/registry_tree.h"

#include <sstream>

namespace {

using namespace iebed;

std::string HistoryPath()
{
    char path[MAX_PATH];
    HistoryFilePath(path, sizeof path);
    return path;
}

std::vector<std::string> HistoryLines()
{
    std::vector<std::string> lines;
    std::istringstream text(ReadWholeFile(HistoryPath()));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

int SavedCopies()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, IE_REMOVED_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return (int)count;
}

class IeHelpers : public IeHelperBed {
protected:
    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

}  // namespace

TEST_F(IeHelpers, EachLocationGivesItsEntriesByTheRulesOfItsKind)
{
    PlantClass(Id(1), "C:\\Nowhere\\plain.dll");
    PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(1)), "", "");
    PlantClass(Id(2), "");  // a helper nothing would load
    PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(2)), "", "");
    PlantClass(Id(3), "C:\\Nowhere\\bar.dll");
    PutRegString(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(3).substr(1, 36).c_str(), "");  // no braces
    PlantClass(Id(4), "");
    PutRegString(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(4).c_str(), "");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(5)), "ButtonText", "@C:\\WINDOWS\\system32\\SHDOCLC.DLL,-864");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(5)), "Exec", "C:\\Nowhere\\related.exe");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(6)), "ButtonText", "Notes");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(6)), "script", "C:\\Nowhere\\notes.htm");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(6)), "HotIcon", "C:\\Nowhere\\notes.ico");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(7)), "Exec", "C:\\Nowhere\\untitled.exe");  // no ButtonText
    ASSERT_TRUE(InstallAddon(AddonPath()));

    int count = EnumerateIeHelpers();
    EXPECT_EQ(EntryCount(), count);
    const struct {
        std::string id;
        const char *title, *path, *detail;
        int kind;
        const char* why;
    } rows[] = {
        {Id(1), "plain.dll", "C:\\Nowhere\\plain.dll", "", KIND_TYPE_BHO, "no version texts: the file name"},
        {Id(3), "bar.dll", "C:\\Nowhere\\bar.dll", "", KIND_TYPE_TOOLBAR, "a value name gets its braces"},
        {Id(4), "Unspecified Title", "", "", KIND_TYPE_TOOLBAR, "a toolbar without a server"},
        {Id(5), "Related", "C:\\Nowhere\\related.exe", "C:\\Nowhere\\related.exe", KIND_TYPE_EXTENSION,
         "the browser's own menu text, no HotIcon"},
        {Id(6), "Notes", "C:\\Nowhere\\notes.htm", "C:\\Nowhere\\notes.ico", KIND_TYPE_EXTENSION, "script and HotIcon"},
        {TEST_ADDON_BHO, TEST_ADDON_PRODUCT, nullptr, TEST_ADDON_VERSION, KIND_TYPE_BHO, "registered helper"},
        {TEST_ADDON_TOOLBAR, TEST_ADDON_PRODUCT, nullptr, TEST_ADDON_VERSION, KIND_TYPE_TOOLBAR, "registered toolbar"},
        {TEST_ADDON_BUTTON, TEST_ADDON_PRODUCT, nullptr, nullptr, KIND_TYPE_EXTENSION, "the Exec's product name"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        std::string id = row.id == Id(3) ? Id(3).substr(1, 36) : row.id;
        int index = EntryOf(id);
        ASSERT_GE(index, 0);
        EntryCopy entry;
        CopyEntry(index, entry);
        EXPECT_STREQ(row.title, entry.title);
        EXPECT_EQ(row.path ? row.path : AddonPath(), entry.path);
        EXPECT_EQ(row.detail ? row.detail : AddonPath(), entry.detail);
        EXPECT_EQ(row.kind, entry.kind);
    }
    EXPECT_EQ(-1, EntryOf(Id(2)));
    EXPECT_EQ(-1, EntryOf(Id(7)));
    // Helpers first, then toolbars, then extensions.
    EXPECT_LT(EntryOf(TEST_ADDON_BHO), EntryOf(Id(4)));
    EXPECT_LT(EntryOf(Id(4)), EntryOf(Id(5)));

    // The first run records every add-on as known: title = kind.
    SavedKey known(HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers");
    RecordKnownIeHelpers();
    EXPECT_EQ("900", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers", "plain.dll"));
    EXPECT_EQ("902", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers", "Notes"));
    EXPECT_EQ(0, EntryCount());
}

TEST_F(IeHelpers, AServerIsUnregisteredOnlyWithTheLastAddOnItServesAndOneLinePerRemoval)
{
    ASSERT_TRUE(InstallAddon(AddonPath()));  // a folder with a blank: the path must be quoted
    IeHelperRemoval outcome;
    ASSERT_EQ(1, Remove(TEST_ADDON_BHO, &outcome));
    EXPECT_TRUE(outcome.removed && outcome.recorded);
    EXPECT_FALSE(outcome.unregistered) << "the toolbar and the button still use it";
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO));
    ASSERT_EQ(1u, HistoryLines().size());
    EXPECT_NE(std::string::npos, HistoryLines()[0].find("\tIEHELPER_Remove\tTYPE_BHO\ttest addon.dll\t" + AddonPath() +
                                                        "\t" IE_BHO_KEY "\\" TEST_ADDON_BHO "\r"));

    ASSERT_EQ(1, Remove(TEST_ADDON_TOOLBAR, &outcome));
    EXPECT_FALSE(outcome.unregistered);
    EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR));
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_TOOLBAR));

    ASSERT_EQ(1, Remove(TEST_ADDON_BUTTON, &outcome));
    EXPECT_TRUE(outcome.unregistered) << "the last add-on of the server";
    EXPECT_FALSE(ClassRegistered(TEST_ADDON_BHO));
    EXPECT_FALSE(ClassRegistered(TEST_ADDON_TOOLBAR));
    ASSERT_EQ(3u, HistoryLines().size());
    EXPECT_NE(std::string::npos, HistoryLines()[1].find("\t" IE_TOOLBAR_KEY "\\" TEST_ADDON_TOOLBAR "\r"))
        << "the line names the toolbar itself";
}

TEST_F(IeHelpers, AServerInTheSystemFolderIsNeverUnregistered)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    const std::string path = std::string(system) + "\\vigilark_test_addon.dll";
    ASSERT_TRUE(InstallAddon(path));
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    DeleteRegValue(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR);
    IeHelperRemoval outcome;
    ASSERT_EQ(1, Remove(TEST_ADDON_BHO, &outcome));
    EXPECT_FALSE(outcome.unregistered);
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO)) << "only the helper's own registration goes";
    EXPECT_EQ(1u, HistoryLines().size());
    RunRegsvr32("/u /s", path);
    DeleteFileA(path.c_str());
}

TEST_F(IeHelpers, UndoPutsBackAKeyWithSubkeysAndAToolbarValueExactly)
{
    // A server that is not there: regsvr32 /u fails, so the undo need not register it again.
    const std::string gone = "C:\\Program Files\\Gone Addon\\gone.dll";
    PlantClass(Id(8), gone);
    const std::string key = BhoKey(Id(8));
    PutRegString(HKEY_LOCAL_MACHINE, key, "", "Planted helper");
    PutRegString(HKEY_LOCAL_MACHINE, key, "Where", "%ProgramFiles%\\Gone", REG_EXPAND_SZ);
    PutRegString(HKEY_LOCAL_MACHINE, key, "List", std::string("one\0two\0", 8), REG_MULTI_SZ);
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, key.c_str(), "NoExplorer", std::string("\1\0\0\0", 4), REG_DWORD));
    PutRegString(HKEY_LOCAL_MACHINE, key + "\\Settings\\Deep", "Blob", std::string("\0\xff\x10", 3), REG_BINARY);
    PutRegString(HKEY_LOCAL_MACHINE, key + "\\Empty", "", "");
    PlantClass(Id(9), gone);
    PlantClass(Id(10), gone);
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(9).c_str(), std::string("\x01\x02", 2), REG_BINARY));
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(10).c_str(), "", REG_BINARY));
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, key);

    ASSERT_EQ(1, Remove(Id(8)));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, key)) << "a key with subkeys goes too";
    ASSERT_EQ(1, Remove(Id(9)));
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(9).c_str()));
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(10).c_str())) << "its server's other toolbar stays";
    ASSERT_EQ(2u, HistoryLines().size()) << "one line per removed add-on";
    EXPECT_EQ(2, SavedCopies());

    ASSERT_EQ(2, LoadHistoryEntries());
    EXPECT_EQ(1, UndoHistoryEntry(0));
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, key));
    EXPECT_EQ(1, UndoHistoryEntry(1));
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(ReadRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(9).c_str(), data, &type));
    EXPECT_EQ((DWORD)REG_BINARY, type);
    EXPECT_EQ(std::string("\x01\x02", 2), data);
    EXPECT_EQ(0, SavedCopies()) << "each copy is used once";
}

TEST_F(IeHelpers, ARegistrationThatCannotBeDeletedStaysAsItWasAndWritesNoHistory)
{
    // Everyone may do anything to the key but delete it; its subkey may go.
    const std::string key = BhoKey(Id(11));
    PlantClass(Id(11), "C:\\Program Files\\Stuck\\stuck.dll");
    PutRegString(HKEY_LOCAL_MACHINE, key, "Name", "stuck");
    PutRegString(HKEY_LOCAL_MACHINE, key + "\\Child", "Kept", "yes");
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, key);
    ASSERT_TRUE(SetKeyAccess(key, KEY_UNDELETABLE));
    if (!DeleteRefused(key)) {
        SetKeyAccess(key, KEY_OPEN_TO_ALL);
        GTEST_SKIP() << "Wine opened a key for DELETE although its DACL denies it (no access check on keys)";
    }

    IeHelperRemoval outcome;
    int removed = Remove(Id(11), &outcome);
    SetKeyAccess(key, KEY_OPEN_TO_ALL);  // so the clean-up can delete it
    EXPECT_EQ(0, removed);
    EXPECT_FALSE(outcome.removed || outcome.recorded);
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, key)) << "the subkey that did go is back";
    EXPECT_TRUE(HistoryLines().empty());
    EXPECT_EQ(0, SavedCopies());
}

TEST_F(IeHelpers, WithoutHelperObjectsTheToolbarsAndExtensionsAreStillListed)
{
    std::vector<std::string> helpers;
    if (RegSubkeyNames(HKEY_LOCAL_MACHINE, IE_BHO_KEY, helpers) && !helpers.empty())
        GTEST_SKIP() << "the prefix has helper objects";
    PlantClass(Id(12), "C:\\Nowhere\\bar.dll");
    PutRegString(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(12).c_str(), "");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(12)), "ButtonText", "Button");
    EXPECT_EQ(EntryCount(), EnumerateIeHelpers());
    std::vector<int> kinds;
    for (int index = 0; index < EntryCount(); ++index) {
        char extra[ENTRY_EXTRA_CHARS];
        GetEntryExtra(index, extra);
        if (Id(12) == extra) kinds.push_back(GetEntryKind(index));
    }
    EXPECT_EQ((std::vector<int>{KIND_TYPE_TOOLBAR, KIND_TYPE_EXTENSION}), kinds);
}
