// Internet Explorer add-ons in the prefix's registry, planted directly or registered by the
// prefix's own regsvr32: what is listed; removal, with a server another class needs kept and a
// registration Windows will not let go (forced through the import hook); each undo brings back
// exactly its own registration, from its own copy and into an add-on location only; an add-on of
// the 32-bit view (reached through Wow6432Node) listed, removed and put back in that view.
#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "history/history.h"
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_actions.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "shell_fixture.h"
#include "support/addon.h"
#include "support/import_hook.h"
#include "support/views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace shell_fixture;

namespace {

// Class ids of planted registrations, all alike so they are easy to clear.
std::string Id(int n)
{
    char id[64];
    snprintf(id, sizeof id, "{7A1E0000-0000-4000-8000-0000000000%02d}", n);
    return id;
}
const int kPlanted = 12;

std::string BhoKey(const std::string& id) { return std::string(IE_BHO_KEY "\\") + id; }
std::string ExtensionKey(const std::string& id) { return std::string(IE_EXTENSION_KEY "\\") + id; }
std::string Class32(const std::string& id) { return "Software\\Classes\\Wow6432Node\\CLSID\\" + id; }

void PlantClass(const std::string& id, const std::string& server)
{
    PutRegString(HKEY_CLASSES_ROOT, "CLSID\\" + id, "", "Planted " + id);
    if (!server.empty()) PutRegString(HKEY_CLASSES_ROOT, "CLSID\\" + id + "\\InprocServer32", "", server);
}

// The entry of a class id, -1 when it is not listed.
int EntryOf(const std::string& id)
{
    for (int index = 0; index < EntryCount(); ++index) {
        char extra[ENTRY_EXTRA_CHARS];
        GetEntryExtra(index, extra);
        if (id == extra) return index;
    }
    return -1;
}

class IeHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallSubjectTables();
        Clear();
    }
    void TearDown() override
    {
        Clear();
        FreeEntries();
    }
    static void Clear()
    {
        RemoveAddonRegistrations();
        for (int n = 1; n <= kPlanted; ++n) {
            DeleteRegTree(HKEY_CLASSES_ROOT, "CLSID\\" + Id(n));
            DeleteRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(n)));
            DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(n))));
            DeleteRegTree(HKEY_LOCAL_MACHINE, Class32(Id(n)));
            DeleteRegTree(HKEY_LOCAL_MACHINE, ExtensionKey(Id(n)));
            DeleteRegValue(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(n).c_str());
            DeleteRegValue(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(n).substr(1, 36).c_str());
        }
        DeleteRegTree(HKEY_CURRENT_USER, IE_REMOVED_KEY);
        DeleteFileA(HistoryFile().c_str());
    }
    // Removes the add-on of a class id as the page does, with the entry list just filled;
    // -1 when it is not listed.
    static int Remove(const std::string& id, IeHelperRemoval* outcome = nullptr)
    {
        EnumerateIeHelpers();
        int index = EntryOf(id);
        if (index < 0) return -1;
        EntryCopy entry;
        CopyEntry(index, entry);
        return RemoveIeHelper(entry.path, index, outcome);
    }
    // "<history lines>|<saved copies>"
    static std::string Records()
    {
        std::vector<std::string> copies;
        RegSubkeyNames(HKEY_CURRENT_USER, IE_REMOVED_KEY, copies);
        std::string history = ReadWholeFile(HistoryFile());
        return std::to_string(std::count(history.begin(), history.end(), '\n')) + "|" + std::to_string(copies.size());
    }
    static UndoOutcome Undo(int line)
    {
        LoadHistoryEntries();
        return UndoHistoryLine(line);
    }
    SavedKey toolbars_{HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY}, options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
};

std::string Toolbar(const std::string& id) { return GetRegString(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, id.c_str()); }

// Windows refuses to delete a key whose DACL denies it; Wine does not check, so the hook
// refuses. On a 64-bit system every key is deleted in a named view, through RegDeleteKeyExA,
// found by GetProcAddress.
LONG(WINAPI* g_deleteKeyEx)(HKEY, LPCSTR, REGSAM, DWORD);
decltype(&GetProcAddress) g_getProcAddress;
decltype(&RegSetValueExA) g_setValue = nullptr;
LONG WINAPI RefuseSetValue(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }
std::string g_refusedKey;  // a key the hooks will not let the program delete
int g_refusals;
LONG WINAPI DeleteExUnlessRefused(HKEY hive, LPCSTR subkey, REGSAM view, DWORD reserved)
{
    if (!subkey || lstrcmpiA(subkey, g_refusedKey.c_str()) != 0) return g_deleteKeyEx(hive, subkey, view, reserved);
    ++g_refusals;
    return ERROR_ACCESS_DENIED;
}
FARPROC WINAPI HandOutDeleteEx(HMODULE module, LPCSTR name)
{
    FARPROC found = g_getProcAddress(module, name);
    if (!HIWORD(reinterpret_cast<ULONG_PTR>(name)) || lstrcmpA(name, "RegDeleteKeyExA") != 0 || !found) return found;
    g_deleteKeyEx = reinterpret_cast<decltype(g_deleteKeyEx)>(reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&DeleteExUnlessRefused));
}

const char kGone[] = "C:\\Program Files\\Gone Addon\\gone.dll";

}  // namespace

TEST_F(IeHelpers, EachLocationGivesItsEntriesByTheRulesOfItsKind)
{
    // Without any helper object, the toolbars and extensions are still listed.
    std::vector<std::string> helpers;
    ASSERT_FALSE(RegSubkeyNames(HKEY_LOCAL_MACHINE, IE_BHO_KEY, helpers) && !helpers.empty()) << "a clean prefix";
    PlantClass(Id(3), "C:\\Nowhere\\bar.dll");
    PutRegString(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(3).substr(1, 36).c_str(), "");  // no braces
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(6)), "ButtonText", "Notes");
    EnumerateIeHelpers();
    EXPECT_EQ(KIND_TYPE_TOOLBAR * 1000 + KIND_TYPE_EXTENSION, GetEntryKind(EntryOf(Id(3).substr(1, 36))) * 1000 +
                                                                GetEntryKind(EntryOf(Id(6))));

    PlantClass(Id(2), "");  // a helper nothing would load
    PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(2)), "", "");
    PlantClass(Id(4), "");
    PutRegString(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(4).c_str(), "");
    PutRegString(HKEY_LOCAL_MACHINE, ExtensionKey(Id(7)), "Exec", "C:\\Nowhere\\untitled.exe");  // no ButtonText
    const std::string file = std::string(150, 'f') + ".dll";  // cut, not dropped
    PlantClass(Id(9), "C:\\Nowhere\\" + file);
    PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(9)), "", "");
    ASSERT_TRUE(InstallAddon(AddonPath()));
    EXPECT_EQ(EntryCount(), EnumerateIeHelpers());
    const std::string addon = AddonPath();
    const struct { std::string id, title, path, detail; int kind; const char* why; } rows[] = {
        {Id(3).substr(1, 36), "bar.dll", "C:\\Nowhere\\bar.dll", "", KIND_TYPE_TOOLBAR, "a value name gets its braces"},
        {Id(4), "Unspecified Title", "", "", KIND_TYPE_TOOLBAR, "a toolbar without a server"},
        {TEST_ADDON_BHO, TEST_ADDON_PRODUCT, addon, TEST_ADDON_VERSION, KIND_TYPE_BHO, "registered helper"},
        {TEST_ADDON_BUTTON, TEST_ADDON_PRODUCT, addon, addon, KIND_TYPE_EXTENSION, "the Exec's product name"},
        {Id(9), file.substr(0, ENTRY_TITLE_CHARS - 1), "C:\\Nowhere\\" + file, "", KIND_TYPE_BHO,
         "no version texts: the file name, cut"},
        {Id(2), "", "", "", -1, "a helper nothing would load is not listed"},
        {Id(7), "", "", "", -1, "an extension without a button text is not listed"},
    };
    for (const auto& row : rows) {
        EntryCopy entry = {};
        entry.kind = -1;
        if (EntryOf(row.id) >= 0) CopyEntry(EntryOf(row.id), entry);
        EXPECT_EQ(row.title + "|" + row.path + "|" + row.detail + "|" + std::to_string(row.kind),
                  std::string(entry.title) + "|" + entry.path + "|" + entry.detail + "|" + std::to_string(entry.kind))
            << row.why;
    }
}

TEST_F(IeHelpers, AServerIsUnregisteredWithItsLastAddOnAndAnUndoBringsBackNoSibling)
{
    ASSERT_TRUE(InstallAddon(AddonPath()));  // a folder with a blank: the path must be quoted
    IeHelperRemoval outcome;
    ASSERT_EQ(1, Remove(TEST_ADDON_BHO, &outcome));
    EXPECT_TRUE(outcome.removed && outcome.recorded && !outcome.unregistered) << "the toolbar and the button use it";
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find("\tIEHELPER_Remove\tTYPE_BHO\ttest addon.dll\t" +
                                                                   AddonPath() + "\t" IE_BHO_KEY "\\" TEST_ADDON_BHO "\r\n"));
    ASSERT_EQ(1, Remove(TEST_ADDON_TOOLBAR, &outcome));
    EXPECT_FALSE(outcome.unregistered);
    EXPECT_EQ("<missing>", Toolbar(TEST_ADDON_TOOLBAR));
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO) && ClassRegistered(TEST_ADDON_TOOLBAR));
    ASSERT_EQ(1, Remove(TEST_ADDON_BUTTON, &outcome));
    EXPECT_TRUE(outcome.unregistered) << "the last add-on of the server";
    EXPECT_FALSE(ClassRegistered(TEST_ADDON_BHO) || ClassRegistered(TEST_ADDON_TOOLBAR));
    EXPECT_EQ("3|3", Records());
    // Registering the server again brings back no sibling the user removed separately.
    const std::string toolbars = DumpRegTree(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY);
    EXPECT_EQ(UNDO_DONE, Undo(2).status);
    EXPECT_NE("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY));
    EXPECT_EQ(toolbars, DumpRegTree(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY));
    EXPECT_EQ(UNDO_DONE, Undo(1).status) << "its class is registered again";
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR));
}

TEST_F(IeHelpers, EachUndoPutsBackItsOwnKeyWithSubkeysOrToolbarValueExactlyAndOnce)
{
    // A server that is not there: regsvr32 /u fails, so the undo need not register it again.
    const std::string key = BhoKey(Id(8));
    for (int n : {8, 9, 10}) PlantClass(Id(n), kGone);
    PutRegString(HKEY_LOCAL_MACHINE, key, "", "Planted helper");
    PutRegString(HKEY_LOCAL_MACHINE, key, "Where", "%ProgramFiles%\\Gone", REG_EXPAND_SZ);
    PutRegString(HKEY_LOCAL_MACHINE, key, "List", std::string("one\0two\0", 8), REG_MULTI_SZ);
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, key.c_str(), "NoExplorer", std::string("\1\0\0\0", 4), REG_DWORD));
    PutRegString(HKEY_LOCAL_MACHINE, key + "\\Settings\\Deep", "Blob", std::string("\0\xff\x10", 3), REG_BINARY);
    PutRegString(HKEY_LOCAL_MACHINE, key + "\\Empty", "", "");
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(9).c_str(), std::string("\x01\x02", 2), REG_BINARY));
    ASSERT_TRUE(WriteRegRaw(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(10).c_str(), "", REG_BINARY));
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, key), toolbars = DumpRegTree(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY);
    ASSERT_EQ(1, Remove(Id(8)));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, key)) << "a key with subkeys goes too";
    ASSERT_EQ(1, Remove(Id(9)));
    EXPECT_EQ("<missing>|", Toolbar(Id(9)) + "|" + Toolbar(Id(10))) << "its server's other toolbar stays";
    EXPECT_EQ("2|2", Records()) << "one line and one saved copy per removed add-on";
    EXPECT_EQ(UNDO_DONE, Undo(1).status);
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, key)) << "each line brings back only its own registration";
    EXPECT_EQ(UNDO_ALREADY_UNDONE, Undo(1).status);
    EXPECT_EQ(UNDO_DONE, Undo(0).status);
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, key));
    EXPECT_EQ(toolbars, DumpRegTree(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY));
    EXPECT_EQ("4|0", Records()) << "each copy is used once; each undo is a line of its own";
}

TEST_F(IeHelpers, ARegistrationThatCannotBeDeletedStaysAsItWasAndWritesNoHistory)
{
    const std::string key = BhoKey(Id(11));
    PlantClass(Id(11), "C:\\Program Files\\Stuck\\stuck.dll");
    PutRegString(HKEY_LOCAL_MACHINE, key, "Name", "stuck");
    PutRegString(HKEY_LOCAL_MACHINE, key + "\\Child", "Kept", "yes");  // its subkey may go
    const std::string before = DumpRegTree(HKEY_LOCAL_MACHINE, key);
    ASSERT_TRUE(HookImport("kernel32.dll", "GetProcAddress", &HandOutDeleteEx, &g_getProcAddress));
    g_refusedKey = key;
    IeHelperRemoval outcome;
    int removed = Remove(Id(11), &outcome);
    ASSERT_GT(g_refusals, 0) << "the removal met the refusal";
    EXPECT_EQ(0, removed);
    EXPECT_FALSE(outcome.removed || outcome.recorded);
    EXPECT_EQ(before, DumpRegTree(HKEY_LOCAL_MACHINE, key)) << "the subkey that did go is back";
    EXPECT_EQ("0|0", Records());

    // The page, run in this process: its Remove asks, then tells the user, and lists the helper again.
    InitControls();
    HWND host = CreateHost(0, 0, 700, 500), page = CreatePage(host, IDD_IEHELPERS_PAGE), list = GetDlgItem(page, IDC_LIST);
    SetWindowLongPtrA(page, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(IEHelpersPageProc));
    SendMessageA(page, MSG_REFILL, 0, 0);
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = EntryOf(Id(11));
    SelectRow(list, ListView_FindItem(list, -1, &find));
    std::string told;
    RunWithDialog([&] { return (int)SendMessageA(page, WM_COMMAND, IDC_REMOVE, 0); }, [&](HWND question) {
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        WaitFor([&] { return !IsWindow(question); });
        told = AnswerBoxOver(page, IDOK);
    });
    g_refusedKey.clear();
    EXPECT_NE(std::string::npos, told.find("could not be removed")) << told;
    EXPECT_GE(ListView_FindItem(list, -1, &find), 0);
    SetWindowLongPtrA(page, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(RecordingDialogProc));
    DestroyWindow(host);
}

// A server another class names stays registered with its last add-on (the system folder's rule is
// the unit test's).
TEST_F(IeHelpers, AServerThatAnotherClassNamesStaysRegistered)
{
    ASSERT_TRUE(InstallAddon(AddonPath()));
    PlantClass(Id(1), AddonPath());  // a shell extension in the same file
    IeHelperRemoval outcome;
    for (const char* id : {TEST_ADDON_BHO, TEST_ADDON_TOOLBAR, TEST_ADDON_BUTTON}) ASSERT_EQ(1, Remove(id, &outcome));
    EXPECT_FALSE(outcome.unregistered);
    EXPECT_TRUE(ClassRegistered(TEST_ADDON_BHO));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY)) << "only the add-on's registration goes";
}

TEST_F(IeHelpers, AnUndoThatCannotBringTheAddOnBackSaysSoAndKeepsTheCopy)
{
    for (int n : {3, 4, 5}) {
        PlantClass(Id(n), kGone);
        PutRegString(HKEY_LOCAL_MACHINE, BhoKey(Id(n)), "Name", "planted");
        ASSERT_EQ(1, Remove(Id(n)));
    }
    // The copy lives in the user's own hive, where anything may have changed it: it is written
    // only to the add-on location its line names.
    std::vector<std::string> serials;
    ASSERT_TRUE(RegSubkeyNames(HKEY_CURRENT_USER, IE_REMOVED_KEY, serials) && serials.size() == 3);
    const std::string newest = *std::max_element(serials.begin(), serials.end());
    PutRegString(HKEY_CURRENT_USER, std::string(IE_REMOVED_KEY "\\") + newest, "Key", BhoKey(Id(6)));
    EXPECT_EQ(UNDO_REFUSED, Undo(2).status);
    EXPECT_EQ("<missing><missing>",
              DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(6))) + DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(5))));
    // Windows refuses to write the registration back.
    ASSERT_TRUE(HookImport("advapi32.dll", "RegSetValueExA", &RefuseSetValue, &g_setValue));
    UndoOutcome refused = Undo(0);
    HookImport("advapi32.dll", "RegSetValueExA", g_setValue, &g_setValue);
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

// An add-on only in the 32-bit view whose class names a System32 file: the test add-on is put into
// SysWOW64, where the 32-bit browser loads it from (its version says which file was read).
TEST_F(IeHelpers, AnAddOnOfThe32BitViewIsListedRemovedAndPutBackIntoThatView)
{
    char system[MAX_PATH], wow64[MAX_PATH];
    ASSERT_TRUE(GetSystemDirectoryA(system, sizeof system) && GetSystemWow64DirectoryA(wow64, sizeof wow64));
    const std::string file = std::string(wow64) + "\\vgkviewaddon.dll";
    ASSERT_TRUE(CopyFileA(BesideTestProgram("test_addon.dll").c_str(), file.c_str(), FALSE));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, Class32(Id(11)) + "\\InprocServer32", "", std::string(system) + "\\vgkviewaddon.dll"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11))), "NoExplorer", "1"));
    auto registered = [] {  // the registration and the class, in both views
        return DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(11))) + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11)))) +
               DumpRegTree(HKEY_CLASSES_ROOT, "CLSID\\" + Id(11)) + DumpRegTree(HKEY_LOCAL_MACHINE, Class32(Id(11)));
    };
    const std::string before = registered();
    EnumerateIeHelpers();
    EntryCopy entry;
    ASSERT_TRUE(CopyEntry(EntryOf(Id(11)), entry));
    EXPECT_EQ(KIND_TYPE_BHO32, entry.kind);
    EXPECT_EQ(0, lstrcmpiA(file.c_str(), entry.path)) << entry.path;

    ASSERT_EQ(1, Remove(Id(11)));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11)))));
    EXPECT_EQ(UNDO_DONE, Undo(LoadHistoryEntries() - 1).status);
    EXPECT_EQ(before, registered()) << "the line named the 32-bit view: back there exactly, nothing in the native one";
    DeleteFileA(file.c_str());
}
