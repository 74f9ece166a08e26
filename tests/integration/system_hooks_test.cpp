// The system hooks planted in the prefix's registry (both views where the prefix keeps two):
// each is listed with its file and place, removed (a Shell or Userinit program by restoring
// the default), and put back by the History's undo with its keys equal byte for byte.
#include "startup_bed.h"

#include "foundations/patrol_places.h"
#include "hooks/hooks.h"
#include "hooks/hooks_patrol.h"
#include "support/import_hook.h"

#include <cstring>

namespace {

const std::string kNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kWinlogon = kNt + "\\Winlogon";
const std::string kIfeo = kNt + "\\Image File Execution Options";
const std::string kSsodl = "Software\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
const std::string kSts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
const std::string kActive = "Software\\Microsoft\\Active Setup\\Installed Components";
const char kClassA[] = "{5EA1C0DE-0000-4000-8000-00000000A001}";

std::string Class(const char* id) { return std::string("Software\\Classes\\CLSID\\") + id; }

// Every key the tests plant, in both views.
std::string Everything()
{
    std::string text;
    for (const std::string& key : {kWinlogon, kNt + "\\Windows", kIfeo + "\\vgkvictim.exe", kSsodl, kSts,
                                   kActive + "\\" + kClassA})
        text += DumpRegTree(HKEY_LOCAL_MACHINE, key) + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(key));
    return text;
}

class SystemHooks : public bed::StartupBed {
protected:
    void SetUp() override
    {
        StartupBed::SetUp();
        for (const std::string& key : {kWinlogon, kNt + "\\Windows", kSsodl, kSts}) {
            saved_.emplace_back(HKEY_LOCAL_MACHINE, key);
            saved_.emplace_back(HKEY_LOCAL_MACHINE, In32BitView(key));
        }
        DeleteRegTree(HKEY_CURRENT_USER, HOOKS_REMOVED_KEY);
        char system[MAX_PATH];
        GetSystemDirectoryA(system, sizeof system);
        system_ = system;
        const HKEY lm = HKEY_LOCAL_MACHINE;
        ASSERT_TRUE(PutRegString(lm, kWinlogon, "Shell", "explorer.exe,C:\\hk\\shell2.exe"));
        ASSERT_TRUE(PutRegString(lm, kWinlogon, "Userinit", system_ + "\\userinit.exe,C:\\hk\\init2.exe,"));
        ASSERT_TRUE(PutRegString(lm, kWinlogon + "\\Notify\\VgkNotify", "DLLName", "C:\\hk\\notify.dll"));
        ASSERT_TRUE(PutRegString(lm, kNt + "\\Windows", "AppInit_DLLs", "C:\\hk\\a1.dll C:\\hk\\a2.dll,C:\\hk\\a3.dll"));
        ASSERT_TRUE(PutRegString(lm, In32BitView(kNt + "\\Windows"), "AppInit_DLLs", "C:\\hk\\w32.dll"));
        ASSERT_TRUE(PutRegString(lm, kIfeo + "\\vgkvictim.exe", "Debugger", "C:\\hk\\dbg.exe -x", REG_EXPAND_SZ));
        ASSERT_TRUE(PutRegString(lm, kSsodl, "VgkObject", kClassA));
        ASSERT_TRUE(PutRegString(lm, Class(kClassA) + "\\InprocServer32", "", "C:\\hk\\sso.dll"));
        ASSERT_TRUE(PutRegString(lm, kActive + "\\" + kClassA, "", "Vgk Component"));
        ASSERT_TRUE(PutRegString(lm, kActive + "\\" + kClassA, "StubPath", "C:\\hk\\stub.exe /once"));
        ASSERT_TRUE(PutRegString(lm, kActive + "\\" + kClassA, "Version", "1,0"));
    }
    void TearDown() override
    {
        for (const std::string& key :
             {kWinlogon + "\\Notify\\VgkNotify", kIfeo + "\\vgkvictim.exe", Class(kClassA), kActive + "\\" + kClassA})
            DeleteRegTree(HKEY_LOCAL_MACHINE, key);
        DeleteRegTree(HKEY_CURRENT_USER, HOOKS_REMOVED_KEY);
        saved_.clear();
        StartupBed::TearDown();
    }
    std::string system_;
    std::deque<SavedKey> saved_;
};

}  // namespace

int IndexOf(int kind, const std::string& title)
{
    for (int i = 0, count = EnumerateSystemHooks(); i < count; ++i) {
        EntryCopy entry;
        if (CopyEntry(i, entry) && entry.kind == kind && title == entry.title) return i;
    }
    return -1;
}

TEST_F(SystemHooks, EachIsListedRemovedAndPutBackExactly)
{
    const std::string windows = In32BitView(kNt + "\\Windows");
    const struct {
        int kind;
        std::string title, path;
        HKEY hive;
        std::string key;  // the place after the removal: a value's text, or "<missing>" for a key
        const char* value;
        std::string after;
    } rows[] = {
        {KIND_HOOK_SHELL, "C:\\hk\\shell2.exe", "C:\\hk\\shell2.exe", HKEY_LOCAL_MACHINE, kWinlogon, "Shell",
         "explorer.exe"},
        {KIND_HOOK_NOTIFY, "VgkNotify", "C:\\hk\\notify.dll", HKEY_LOCAL_MACHINE, kWinlogon + "\\Notify\\VgkNotify",
         nullptr, "<missing>"},
        {KIND_HOOK_APPINIT, "a2.dll", "C:\\hk\\a2.dll", HKEY_LOCAL_MACHINE, kNt + "\\Windows", "AppInit_DLLs",
         "C:\\hk\\a1.dll C:\\hk\\a3.dll"},
        {KIND_HOOK32_SHELL + 4, "w32.dll", "C:\\hk\\w32.dll", HKEY_LOCAL_MACHINE, windows, "AppInit_DLLs", ""},
        {KIND_HOOK_DEBUGGER, "vgkvictim.exe starts C:\\hk\\dbg.exe -x instead", "C:\\hk\\dbg.exe -x",
         HKEY_LOCAL_MACHINE, kIfeo + "\\vgkvictim.exe", "Debugger", "<missing>"},
        {KIND_HOOK_DELAYLOAD, "VgkObject", "C:\\hk\\sso.dll", HKEY_LOCAL_MACHINE, kSsodl, "VgkObject", "<missing>"},
        {KIND_HOOK_ACTIVE_SETUP, "Vgk Component", "C:\\hk\\stub.exe /once", HKEY_LOCAL_MACHINE,
         kActive + "\\" + kClassA, nullptr, "<missing>"},
    };
    const std::string before = Everything();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        int index = IndexOf(row.kind, row.title);
        ASSERT_GE(index, 0);
        EntryCopy entry;
        CopyEntry(index, entry);
        EXPECT_STREQ(row.path.c_str(), entry.path);
        ASSERT_EQ(HOOK_OK, RemoveSystemHook(index));
        EXPECT_EQ(row.after, row.value ? GetRegString(row.hive, row.key, row.value) : DumpRegTree(row.hive, row.key));
        EXPECT_EQ(-1, IndexOf(row.kind, row.title));
        EXPECT_NE(std::string::npos, bed::HistoryLines().back().find(std::string("\t") + KindKeyword(row.kind) + "\t"));
        const int line = LoadHistoryEntries() - 1;
        EXPECT_EQ(1, IsReversible(line)) << "the History dialog offers Restore";
        ASSERT_EQ(UNDO_DONE, UndoHistoryLine(line).status);
        EXPECT_EQ(before, Everything()) << "put back by the undo";
        EXPECT_EQ("<missing>", DumpRegTree(HKEY_CURRENT_USER, HOOKS_REMOVED_KEY "\\00000001")) << "the copy is used up";
    }
}

// (Which programs are Windows' own is the unit test's.)
TEST_F(SystemHooks, AChangedPlaceIsNotOverwritten)
{
    int index = IndexOf(KIND_HOOK_APPINIT, "a1.dll");
    ASSERT_EQ(HOOK_OK, RemoveSystemHook(index));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kNt + "\\Windows", "AppInit_DLLs", "C:\\hk\\new.dll"));
    EXPECT_EQ(UNDO_FAILED, UndoHistoryLine(LoadHistoryEntries() - 1).status);
    EXPECT_EQ("C:\\hk\\new.dll", GetRegString(HKEY_LOCAL_MACHINE, kNt + "\\Windows", "AppInit_DLLs"));
}

namespace {

decltype(&RegDeleteValueA) g_deleteValue = nullptr;
LONG WINAPI RefuseDeleteValue(HKEY, LPCSTR) { return ERROR_ACCESS_DENIED; }

}  // namespace

// Windows refuses to delete the value: the removal says so and leaves no change, copy or line.
TEST_F(SystemHooks, ARefusedRemovalLeavesEverythingAsItWas)
{
    const std::string before = Everything();
    int index = IndexOf(KIND_HOOK_DEBUGGER, "vgkvictim.exe starts C:\\hk\\dbg.exe -x instead");
    ASSERT_TRUE(HookImport("advapi32.dll", "RegDeleteValueA", &RefuseDeleteValue, &g_deleteValue));
    HookResult result = RemoveSystemHook(index);
    decltype(&RegDeleteValueA) unused = nullptr;
    HookImport("advapi32.dll", "RegDeleteValueA", g_deleteValue, &unused);
    EXPECT_EQ(HOOK_FAILED, result);
    EXPECT_EQ(before, Everything());
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_CURRENT_USER, HOOKS_REMOVED_KEY "\\00000001"));
    EXPECT_FALSE(Exists(HistoryFile()));
}

// After the first run's records a new hook is found, and a changed Userinit is a change
// whose Restore puts the recorded bytes back.
TEST_F(SystemHooks, ThePatrolFindsNewHooksAndRestoresAChangedUserinit)
{
    const std::string kHooks = VIGILARK_KEY "\\Hooks", kValues = VIGILARK_KEY "\\HookValues";
    DeleteRegTree(HKEY_CURRENT_USER, kHooks);
    DeleteRegTree(HKEY_CURRENT_USER, kValues);
    RecordKnownHooks();
    RecordHookValues();
    const std::string userinit = GetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit");
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kSts, "{5EA1C0DE-0000-4000-8000-00000000A003}", "Vgk Late"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", "C:\\hk\\only.exe"));

    InstallPatrolPlaces();
    const PatrolPlace* place = nullptr;
    for (int i = 0; i < PatrolPlaceCount(); ++i)
        if (strcmp(PatrolPlaceAt(i)->name, "Hooks") == 0) place = PatrolPlaceAt(i);
    std::vector<PatrolItem> live;
    ASSERT_TRUE(place && place->calls.collect(live));
    PatrolItem late, value;
    for (const PatrolItem& item : live) {  // the first of each title (the native view's)
        if (late.title.empty() && item.title == "Vgk Late") late = item;
        if (value.title.empty() && item.title == "Userinit") value = item;
    }
    ASSERT_EQ("Vgk Late|Userinit", late.title + "|" + value.title);
    EXPECT_FALSE(late.known);
    EXPECT_EQ(unsigned(CHOICE_REMOVE), place->calls.choices(late));
    EXPECT_TRUE(value.changed);
    ASSERT_TRUE(place->calls.act(value, CHOICE_RESTORE));
    EXPECT_EQ(userinit, GetRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit"));
    ASSERT_TRUE(place->calls.act(late, CHOICE_REMOVE));
    EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, kSts, "{5EA1C0DE-0000-4000-8000-00000000A003}"));
    DeleteRegTree(HKEY_CURRENT_USER, kHooks);
    DeleteRegTree(HKEY_CURRENT_USER, kValues);
}
