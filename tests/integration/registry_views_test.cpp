// The two registry views of the wine64 prefix, a 64-bit Windows: startup entries and add-ons
// of the 32-bit view are listed beside the native ones, each changed, put back and recorded in
// its own view, while the other view stays byte for byte as it was. The tests plant and read
// the 32-bit view through its Wow6432Node key, apart from the program's view flags.
#include "iehelper_bed.h"
#include "startup_bed.h"

#include "resource.h"
#include "startup/startup_actions.h"
#include "support/views.h"

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// Both views of the machine's Run and RunOnce keys, every value with its type and bytes.
std::string BothViews()
{
    std::string text;
    for (const char* key : {kRun, kRunOnce})
        text += DumpRegTree(HKEY_LOCAL_MACHINE, key) + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(key));
    return text;
}

std::string Location(int index)
{
    char location[512];
    StartupLocationText(index, location, sizeof location);
    return location;
}

UndoStatus UndoLastLine()
{
    return UndoHistoryLine(LoadHistoryEntries() - 1).status;
}

class RegistryViews : public bed::StartupBed {
protected:
    void SetUp() override
    {
        StartupBed::SetUp();
        for (const char* key : {kRun, kRunOnce}) views32_.emplace_back(HKEY_LOCAL_MACHINE, In32BitView(key)).Clear();
        ASSERT_TRUE(bed::SetRun(KIND_MACHINE_RUN, "Twin Tool", "C:\\tools\\twin64.exe"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRun), "Twin Tool", "C:\\tools\\twin32.exe"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(kRunOnce), "Only Tool",
                                 "\"%ProgramFiles%\\Only\\only.exe\" /s", REG_EXPAND_SZ));
    }
    std::deque<SavedKey> views32_;
};

}  // namespace

TEST_F(RegistryViews, EachStartupEntryIsChangedAndPutBackInItsOwnView)
{
    const std::string before = BothViews();
    const std::string machine = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";
    const struct {
        const char* title;
        const char* shown;  // the command as the list shows it ("" any)
        int kind;
        std::string location;
    } rows[] = {
        {"Twin Tool", "C:\\tools\\twin64.exe", KIND_MACHINE_RUN, machine + "Run"},
        {"Twin Tool", "C:\\tools\\twin32.exe", KIND_MACHINE32_RUN, machine + "Run (32-bit)"},
        {"Only Tool", "", KIND_MACHINE32_RUN + 1, machine + "RunOnce (32-bit)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.title) + " " + row.shown);
        CollectStartupEntries();
        int index = FindEntryIndex(row.title, row.shown);
        ASSERT_GE(index, 0);
        EXPECT_EQ(row.kind, GetEntryKind(index));
        EXPECT_EQ(row.location, Location(index));

        // Disabled: gone from its own view only, saved with a marker that names the view.
        ASSERT_EQ(STARTUP_OK, ToggleStartupEntry(row.title, row.shown, "", row.kind));
        EXPECT_EQ(std::to_string(row.kind), bed::Stored(DISABLED_STORE_KEY, row.title));
        CollectStartupEntries();
        index = FindEntryIndex(row.title, row.shown);
        ASSERT_GE(index, 0);
        EXPECT_EQ(row.kind, GetEntryKind(index));
        EXPECT_EQ(" * Disabled  * " + row.location, Location(index));
        EXPECT_NE(before, BothViews());
        ASSERT_EQ(STARTUP_OK, ToggleStartupEntry(row.title, row.shown, "", row.kind));
        EXPECT_EQ(before, BothViews()) << "enabled again";

        // Removed, with a line that names the view, and put back there by its undo.
        ASSERT_EQ(STARTUP_OK, RemoveStartupEntry(row.title, row.shown, "", row.kind));
        EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find(std::string("\t") + KindKeyword(row.kind) + "\t"));
        EXPECT_EQ(UNDO_DONE, UndoLastLine());
        EXPECT_EQ(before, BothViews()) << "put back by the undo";
    }
}

TEST_F(RegistryViews, AHistoryLineUndoesIntoTheViewItsKeywordNamesAndAnOldOneIntoTheNativeView)
{
    const struct {
        const char* keyword;
        const char* title;
        std::string native, view32;  // the Run values afterwards
    } rows[] = {
        {"MACHINE_RUN", "Old Tool", "C:\\tools\\old.exe", "<missing>"},
        {"MACHINE32_RUN", "New Tool", "<missing>", "C:\\tools\\new.exe"},
    };
    for (const auto& row : rows) {
        std::string command = row.native == "<missing>" ? row.view32 : row.native;
        ASSERT_TRUE(WriteWholeFile(HistoryFile(), std::string("03/07/2005  12:05 AM\t*START_Remove\t") + row.keyword +
                                                      "\t" + row.title + "\t" + command + "\t\r\n"));
        EXPECT_EQ(UNDO_DONE, UndoLastLine()) << row.keyword;
        EXPECT_EQ(row.native, GetRegString(HKEY_LOCAL_MACHINE, kRun, row.title)) << row.keyword;
        EXPECT_EQ(row.view32, GetRegString(HKEY_LOCAL_MACHINE, In32BitView(kRun), row.title)) << row.keyword;
    }
}

TEST_F(RegistryViews, TheFirstRunRecordsTheEntriesOfBothViews)
{
    ASSERT_TRUE(CreateRegKey(HKEY_CURRENT_USER, bed::kKnownPrograms));  // as the first run makes it
    RecordKnownStartupEntries();
    EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\twin64.exe"));
    EXPECT_EQ("41", GetRegString(HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\twin32.exe"));
}

namespace {

using namespace iebed;

// An add-on registered only in the 32-bit view, served by a file of the 32-bit system folder
// that its registration names as System32: the test add-on, whose version resource tells
// which file was read.
class AddOnOf32BitView : public IeHelperBed {
protected:
    void SetUp() override
    {
        IeHelperBed::SetUp();
        Forget();
        char folder[MAX_PATH];
        ASSERT_TRUE(GetSystemWow64DirectoryA(folder, sizeof folder));
        file_ = std::string(folder) + "\\vgkviewaddon.dll";
        ASSERT_TRUE(CopyFileA(BesideTestProgram("test_addon.dll").c_str(), file_.c_str(), FALSE));
        GetSystemDirectoryA(folder, sizeof folder);
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, Class(), "", "View Add-on"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, Class() + "\\InprocServer32", "",
                                 std::string(folder) + "\\vgkviewaddon.dll"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11))), "NoExplorer", "1"));
    }
    void TearDown() override
    {
        Forget();
        DeleteFileA(file_.c_str());
        IeHelperBed::TearDown();
    }
    static void Forget()
    {
        DeleteRegTree(HKEY_LOCAL_MACHINE, Class());
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11))));
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers", TEST_ADDON_PRODUCT);
    }
    static std::string Class() { return "Software\\Classes\\Wow6432Node\\CLSID\\" + Id(11); }
    // The add-on's registration and class in both views.
    static std::string BothViews()
    {
        return DumpRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(11))) +
               DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11)))) +
               DumpRegTree(HKEY_CLASSES_ROOT, "CLSID\\" + Id(11)) + DumpRegTree(HKEY_LOCAL_MACHINE, Class());
    }
    std::string file_;
};

}  // namespace

TEST_F(AddOnOf32BitView, IsListedRemovedAndPutBackIntoThatView)
{
    const std::string before = BothViews();
    EnumerateIeHelpers();
    int index = EntryOf(Id(11));
    ASSERT_GE(index, 0);
    EntryCopy entry;
    CopyEntry(index, entry);
    EXPECT_EQ(KIND_TYPE_BHO32, entry.kind);
    EXPECT_EQ(0, lstrcmpiA(file_.c_str(), entry.path)) << entry.path;
    EXPECT_STREQ(TEST_ADDON_PRODUCT, entry.title) << "the version of the file the 32-bit browser loads";
    char text[600];
    IeHelperTypeLabel(entry.kind, text, sizeof text);
    EXPECT_STREQ("BHO (32-bit)", text);
    IeHelperStatusText(entry.kind, text, sizeof text);
    EXPECT_EQ("Location: HKLM\\" IE_BHO_KEY " (32-bit)", std::string(text));

    RecordKnownIeHelpers();
    EXPECT_EQ("910", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers", TEST_ADDON_PRODUCT));

    ASSERT_EQ(1, Remove(Id(11)));
    EXPECT_EQ("<missing>", DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView(BhoKey(Id(11)))));
    const std::string line = ReadWholeFile(HistoryFile());
    EXPECT_NE(std::string::npos, line.find("\tTYPE_BHO32\t")) << line;
    EXPECT_NE(std::string::npos, line.find("\t" + In32BitView(std::string(IE_BHO_KEY)) + "\\" + Id(11))) << line;

    LoadHistoryEntries();
    EXPECT_EQ(UNDO_DONE, UndoHistoryLine(0).status);
    EXPECT_EQ(before, BothViews()) << "back in the 32-bit view exactly, nothing in the native one";
}
