// Removing Internet Explorer add-ons and undoing it, against the prefix: a file another class
// needs stays registered; each history line brings back exactly its own registration, from
// its own copy and into an add-on location only; and nothing is hidden from the list.
#include "iehelper_bed.h"

#include "foundations/registry_tree.h"
#include "resource.h"
#include "support/import_hook.h"

namespace {

using namespace iebed;

const char kGone[] = "C:\\Program Files\\Gone Addon\\gone.dll";

decltype(&RegSetValueExA) g_setValue = nullptr;
LONG WINAPI RefuseSetValue(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }

class IeHelperUndo : public IeHelperBed {
protected:
    static UndoOutcome Undo(int line)
    {
        LoadHistoryEntries();
        return UndoHistoryLine(line);
    }
};

}  // namespace

TEST_F(IeHelperUndo, AServerThatAnotherClassNamesStaysRegistered)
{
    ASSERT_TRUE(InstallAddon(AddonPath()));
    PlantClass(Id(1), AddonPath());  // a shell extension in the same file
    IeHelperRemoval outcome;
    for (const char* id : {TEST_ADDON_BHO, TEST_ADDON_TOOLBAR, TEST_ADDON_BUTTON}) ASSERT_EQ(1, Remove(id, &outcome));
    EXPECT_FALSE(outcome.unregistered);
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY)) << "only the add-on's registration goes";
}

TEST_F(IeHelperUndo, EachLineBringsBackItsOwnRegistrationOnce)
{
    // Two toolbars of one server removed within the same minute.
    for (int n : {1, 2}) {
        PlantClass(Id(n), kGone);
        ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(n).c_str(), std::string(1, (char)n), REG_BINARY));
        ASSERT_EQ(1, Remove(Id(n)));
    }
    EXPECT_EQ(UNDO_DONE, Undo(0).status);
    std::string data;
    EXPECT_TRUE(ReadRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(1).c_str(), data, nullptr));
    EXPECT_EQ(std::string(1, '\1'), data);
    EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(2).c_str())) << "the other line's toolbar";
    EXPECT_EQ(UNDO_ALREADY_UNDONE, Undo(0).status);
    EXPECT_EQ(UNDO_DONE, Undo(1).status);
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(2).c_str()));
}

TEST_F(IeHelperUndo, RegisteringAgainBringsBackNoSiblingTheUserRemovedSeparately)
{
    ASSERT_TRUE(InstallAddon(AddonPath()));
    IeHelperRemoval outcome;
    for (const char* id : {TEST_ADDON_TOOLBAR, TEST_ADDON_BHO, TEST_ADDON_BUTTON}) ASSERT_EQ(1, Remove(id, &outcome));
    ASSERT_TRUE(outcome.unregistered) << "the last add-on of the file";
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY);

    EXPECT_EQ(UNDO_DONE, Undo(2).status);
    EXPECT_NE("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY));
    EXPECT_EQ(UNDO_DONE, Undo(0).status) << "its class is registered again";
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR));
}

TEST_F(IeHelperUndo, AnUndoThatCannotBringTheAddOnBackSaysSoAndKeepsTheCopy)
{
    for (int n : {3, 4}) {
        PlantClass(Id(n), kGone);
        PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(n)), "Name", "planted");
        ASSERT_EQ(1, Remove(Id(n)));
    }
    // Windows refuses to write the registration back.
    ASSERT_TRUE(HookImport("advapi32.dll", "RegSetValueExA", &RefuseSetValue, &g_setValue));
    UndoOutcome refused = Undo(0);
    decltype(&RegSetValueExA) unused = nullptr;
    HookImport("advapi32.dll", "RegSetValueExA", g_setValue, &unused);
    EXPECT_EQ(UNDO_FAILED, refused.status);
    EXPECT_EQ((UINT)IDS_UNDO_COPY_KEPT, refused.message);
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(3)))) << "nothing half-written";
    EXPECT_NE("<missing>", DumpRegTree(HKEY_CURRENT_USER, refused.detail)) << refused.detail;

    // The class lost its server meanwhile and the file is gone: written back, it would not load.
    DeleteRegTree(HKEY_CLASSES_ROOT, "CLSID\\" + Id(4));
    UndoOutcome unlisted = Undo(1);
    EXPECT_EQ(UNDO_FAILED, unlisted.status);
    EXPECT_EQ((UINT)IDS_UNDO_NOT_LISTED, unlisted.message);
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(4))));
    EXPECT_NE("<missing>", DumpRegTree(HKEY_CURRENT_USER, unlisted.detail));
}

TEST_F(IeHelperUndo, ASavedCopyIsWrittenOnlyToTheAddOnLocationItsLineNames)
{
    const char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    SavedKey run(HKEY_LOCAL_MACHINE, kRun);
    PutRegString(HKEY_LOCAL_MACHINE, kRun, "VgkKept", "C:\\kept.exe");
    PlantClass(Id(5), kGone);
    PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(5)), "Name", "planted");
    ASSERT_EQ(1, Remove(Id(5)));
    std::vector<std::string> serials;
    ASSERT_TRUE(RegSubkeyNames(HKEY_CURRENT_USER, IE_REMOVED_KEY, serials) && serials.size() == 1);
    const std::string copy = std::string(IE_REMOVED_KEY "\\") + serials[0];
    // The copy lives in the user's own hive, where anything may have changed it.
    for (const std::string& key : {std::string(kRun), BhoKey(Id(6))}) {
        SCOPED_TRACE(key);
        PutRegString(HKEY_CURRENT_USER, copy, "Key", key);
        EXPECT_EQ(UNDO_REFUSED, Undo(0).status);
        EXPECT_EQ("C:\\kept.exe", GetRegString(HKEY_LOCAL_MACHINE, kRun, "VgkKept"));
        EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, kRun, "Name"));
        EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(6))));
    }
}

TEST_F(IeHelperUndo, AnAddOnWithALongTitleIsListedWithItsTitleCut)
{
    const std::string button(300, 'b'), file = std::string(150, 'f') + ".dll";
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(7)), "ButtonText", button);
    PlantClass(Id(8), "C:\\Nowhere\\" + file);
    PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(8)), "", "");
    EnumerateIeHelpers();
    for (const auto& expected : {std::make_pair(Id(7), button), std::make_pair(Id(8), file)}) {
        EntryCopy entry;
        ASSERT_TRUE(CopyEntry(EntryOf(expected.first), entry)) << expected.first;
        EXPECT_EQ(expected.second.substr(0, ENTRY_TITLE_CHARS - 1), entry.title);
    }
}
