// The two registry views of the wine64 prefix, a 64-bit Windows: entries of the 32-bit view are
// listed beside the native ones, changed, recorded and put back in their own view, and both
// views end byte for byte as they were. The tests reach the 32-bit view through Wow6432Node.
#include "iehelper_bed.h"
#include "startup_bed.h"

#include "startup/startup_actions.h"
#include "support/views.h"

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string BothViews(const std::vector<std::string>& keys)
{
    std::string text;
    for (const std::string& key : keys)
        text += DumpRegTree(HKEY_LOCAL_MACHINE, key) + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(key));
    return text;
}

UndoStatus UndoLastLine() { return UndoHistoryLine(LoadHistoryEntries() - 1).status; }

class RegistryViews : public bed::StartupBed {
protected:
    void SetUp() override
    {
        StartupBed::SetUp();
        for (const char* key : {kRun, kRunOnce}) views32_.emplace_back(HKEY_LOCAL_MACHINE, In32BitView(key)).Clear();
        ASSERT_TRUE(bed::SetRun(KIND_MACHINE_RUN, "Twin Tool", "C:\\tools\\twin64.exe"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRun), "Twin Tool", "C:\\tools\\twin32.exe"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRunOnce), "Only Tool", "\"%ProgramFiles%\\o.exe\" /s",
                                 REG_EXPAND_SZ));
    }
    std::deque<SavedKey> views32_;
};

}  // namespace

TEST_F(RegistryViews, EachStartupEntryIsChangedRecordedAndPutBackInItsOwnView)
{
    const std::string before = BothViews({kRun, kRunOnce});
    ASSERT_TRUE(CreateRegKey(HKEY_CURRENT_USER, bed::kKnownPrograms));  // as the first run makes it
    RecordKnownStartupEntries();
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\twin64.exe"));
    EXPECT_EQ("41", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\twin32.exe"));

    const std::string at = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";
    const struct {
        const char* title;
        const char* shown;  // the command the list shows ("" any)
        int kind;
        std::string location;
    } rows[] = {
        {"Twin Tool", "C:\\tools\\twin64.exe", KIND_MACHINE_RUN, at + "Run"},
        {"Twin Tool", "C:\\tools\\twin32.exe", KIND_MACHINE32_RUN, at + "Run (32-bit)"},
        {"Only Tool", "", KIND_MACHINE32_RUN + 1, at + "RunOnce (32-bit)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location);
        for (const char* state : {"", " * Disabled  * "}) {
            CollectStartupEntries();
            int index = FindEntryIndex(row.title, row.shown);
            ASSERT_GE(index, 0);
            char location[512];
            StartupLocationText(index, location, sizeof location);
            EXPECT_EQ(state + row.location, location);
            EXPECT_EQ(row.kind, GetEntryKind(index));
            // Disabled, then enabled: the marker names the view, and nothing else moved.
            ASSERT_EQ(STARTUP_OK, ToggleStartupEntry(row.title, row.shown, "", row.kind));
            if (*state) EXPECT_EQ(before, BothViews({kRun, kRunOnce}));
            else EXPECT_EQ(std::to_string(row.kind), bed::Stored(DISABLED_STORE_KEY, row.title));
        }
        ASSERT_EQ(STARTUP_OK, RemoveStartupEntry(row.title, row.shown, "", row.kind));
        const std::string keyword = std::string("\t") + KindKeyword(row.kind) + "\t";
        EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find(keyword));
        EXPECT_EQ(UNDO_DONE, UndoLastLine());
        EXPECT_EQ(before, BothViews({kRun, kRunOnce})) << "put back by the undo";
    }
}

TEST_F(RegistryViews, ALineWithoutAViewUndoesIntoTheNativeView)
{
    for (const char* keyword : {"MACHINE_RUN", "MACHINE32_RUN"}) {
        ASSERT_TRUE(WriteWholeFile(HistoryFile(), std::string("03/07/2005  12:05 AM\t*START_Remove\t") + keyword +
                                                      "\tOld Tool\tC:\\old.exe\t\r\n"));
        EXPECT_EQ(UNDO_DONE, UndoLastLine());
        const bool native = keyword == std::string("MACHINE_RUN");
        const char* view32 = native ? "<missing>" : "C:\\old.exe";
        EXPECT_EQ(native ? "C:\\old.exe" : "<missing>", GetRegString(HKEY_LOCAL_MACHINE, kRun, "Old Tool")) << keyword;
        EXPECT_EQ(view32, GetRegString(HKEY_LOCAL_MACHINE, In32BitView(kRun), "Old Tool")) << keyword;
        DeleteRegValue(HKEY_LOCAL_MACHINE, kRun, "Old Tool");
    }
}

namespace {

using namespace iebed;

// An add-on only in the 32-bit view, whose class names a System32 file: the test add-on put
// into SysWOW64, where the 32-bit browser loads it from (its version says which was read).
class AddOnOf32BitView : public IeHelperBed {
protected:
    void SetUp() override
    {
        IeHelperBed::SetUp();
        char system[MAX_PATH], wow64[MAX_PATH];
        ASSERT_TRUE(GetSystemDirectoryA(system, sizeof system) && GetSystemWow64DirectoryA(wow64, sizeof wow64));
        file_ = std::string(wow64) + "\\vgkviewaddon.dll";
        ASSERT_TRUE(CopyFileA(BesideTestProgram("test_addon.dll").c_str(), file_.c_str(), FALSE));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, Class() + "\\InprocServer32", "",
                                 std::string(system) + "\\vgkviewaddon.dll"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11))), "NoExplorer", "1"));
    }
    void TearDown() override
    {
        DeleteRegTree(HKEY_LOCAL_MACHINE, Class());
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11))));
        DeleteFileA(file_.c_str());
        IeHelperBed::TearDown();
    }
    static std::string Class() { return "Software\\Classes\\Wow6432Node\\CLSID\\" + Id(11); }
    // The registration and the class, in both views.
    static std::string Registered()
    {
        return BothViews({BhoKey(Id(11))}) + DumpRegTree(HKEY_CLASSES_ROOT, "CLSID\\" + Id(11)) +
               DumpRegTree(HKEY_LOCAL_MACHINE, Class());
    }
    std::string file_;
};

}  // namespace

TEST_F(AddOnOf32BitView, IsListedRemovedAndPutBackIntoThatView)
{
    const std::string before = Registered();
    EnumerateIeHelpers();
    EntryCopy entry;
    ASSERT_TRUE(CopyEntry(EntryOf(Id(11)), entry));
    EXPECT_EQ(KIND_TYPE_BHO32, entry.kind);
    EXPECT_EQ(0, lstrcmpiA(file_.c_str(), entry.path)) << entry.path;
    EXPECT_STREQ(TEST_ADDON_PRODUCT, entry.title) << "the version of the file the 32-bit browser loads";
    char status[600];
    IeHelperStatusText(entry.kind, status, sizeof status);
    EXPECT_EQ("Location: HKLM\\" IE_BHO_KEY " (32-bit)", std::string(status));

    ASSERT_EQ(1, Remove(Id(11)));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11)))));
    const std::string line = ReadWholeFile(HistoryFile());
    EXPECT_NE(std::string::npos, line.find("\tTYPE_BHO32\t")) << line;
    EXPECT_NE(std::string::npos, line.find("\t" + In32BitView(BhoKey(Id(11))) + "\r\n")) << line;
    EXPECT_EQ(UNDO_DONE, UndoLastLine());
    EXPECT_EQ(before, Registered()) << "back in the 32-bit view exactly, nothing in the native one";
}
