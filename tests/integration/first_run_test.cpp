// The first start's records for every subject at once (keys, known entries, the file-type
// snapshot, kept cookies, filter words, the monitor in the machine's Run key); a later start
// records nothing again but a missing Services key.
#include "app/firstrun.h"
#include "cookies/cookie_filters.h"
#include "cookies/cookies.h"
#include "filetype_bed.h"
#include "foundations/settings.h"
#include "startup_bed.h"
#include "support/addon.h"
#include "support/cookie_bed.h"
#include "support/scheduled_task.h"
#include "support/test_service.h"

#include <algorithm>
#include <iterator>
#include <regex>

namespace {

class FirstRun : public bed::StartupBed {
protected:
    void SetUp() override
    {
        bed::StartupBed::SetUp();
        DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
        DeleteFileA(SettingsFile());
        SetCookieBrowser(COOKIE_BROWSER_IE);
    }
    void TearDown() override
    {
        SetCookieBrowser(0);
        DeleteFileA(SettingsFile());
        bed::StartupBed::TearDown();
    }
    static std::vector<std::string> Words()
    {
        std::vector<RegValue> values;
        ReadRegValues(HKEY_CURRENT_USER, cookiebed::kNuts, values);
        std::vector<std::string> words;
        for (const RegValue& value : values) words.push_back(value.name + "=" + value.data.c_str());
        std::sort(words.begin(), words.end());
        return words;
    }

    cookiebed::Bed cookies_;
    SavedTree program_{HKEY_CURRENT_USER, VIGILARK_KEY};
};

}  // namespace

TEST_F(FirstRun, RecordsEachSubjectOnceAndALaterStartNothingButAMissingServicesKey)
{
    bed::SetRun(KIND_CURRENT_RUN, "First Tool", "C:\\tools\\first=run.exe /a=b");
    WriteProfileStringA("windows", "run", "C:\\W\\w.exe");
    bed::SetRun(KIND_MACHINE_RUN, "Vigilark RORO", bed::ProgramFolder("vigilark.exe"));  // an older title
    struct Task {
        Task() { EXPECT_TRUE(CreateScheduledTask({"Vgk First", "C:\\tools\\first.exe", "", true})); }
        ~Task() { RemoveScheduledTask("Vgk First"); }
    } task;
    TestService service("VgkFirstSvc", "Vgk First Service");
    ASSERT_TRUE(service.Registered());
    struct Addon { ~Addon() { RemoveAddonRegistrations(); } } addon;
    ASSERT_TRUE(InstallAddon(AddonPath()));
    // Only the helper object: the toolbar and the button share its product name.
    DeleteRegValue(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR);
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    FileTypeBed types;
    types.Plant(".scr", "VgkFirstClass", "open", "C:\\tools\\first.exe /s");
    cookies_.PutIeCookie("me@keep[1].txt");
    cookies_.PutIeCookie("me@other[1].txt");
    WriteWholeFile(SettingsFile(), "[Cookies]\r\nme@keep[1].txt=1\r\nme@other[1].txt=\r\n");

    const std::string services = VIGILARK_KEY "\\Services";
    struct Record { HKEY hive; std::string key, name, data; };
    std::vector<Record> records = {
        {HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\tools\\first:run.exe /a:b", "11"},  // "=" as ":"
        {HKEY_CURRENT_USER, bed::kKnownPrograms, "C:\\W\\w.exe", "101"},
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\Tasks", "Vgk First.job", "800"},
        {HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers", TEST_ADDON_PRODUCT, "900"},
        {HKEY_CURRENT_USER, FileTypeBed::kExtKey, ".scr", "VgkFirstClass"},
        {HKEY_CURRENT_USER, FileTypeBed::kClassKey, "VgkFirstClass", "C:\\tools\\first.exe /s"},
        {HKEY_CURRENT_USER, cookiebed::kKept, "me@keep[1].txt", "1"},
        {HKEY_LOCAL_MACHINE, bed::RunKey(KIND_MACHINE_RUN), "Vigilark", bed::ProgramFolder("vigilark.exe")},
        {HKEY_CURRENT_USER, services, "Vgk First Service", "700"},  // last: made again below
    };
    // No [Nuts] in the settings file: the built-in words.
    for (const char* word : kDefaultFilterWords) records.push_back({HKEY_CURRENT_USER, cookiebed::kNuts, word, "1"});
    LoadInitialValues();
    for (const auto& record : records)
        EXPECT_EQ(record.data, GetRegString(record.hive, record.key, record.name.c_str())) << record.key << " " << record.name;
    EXPECT_EQ(std::size(kDefaultFilterWords), Words().size()) << "no other words";
    EXPECT_EQ("<missing>", GetRegString(HKEY_CURRENT_USER, cookiebed::kKept, "me@other[1].txt"));
    EXPECT_EQ("<missing>", bed::RunText(KIND_MACHINE_RUN, "Vigilark RORO")) << "the old title is replaced";
    EXPECT_TRUE(MonitorStartsAutomatically());
    std::string created = GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, nullptr);
    EXPECT_TRUE(std::regex_match(created, std::regex("\\d{4}-\\d\\d-\\d\\d   \\d\\d:\\d\\d"))) << created;
    for (const char* key : {"\\Cookies", "\\Options", "\\HostFile"})
        EXPECT_NE("<missing>", DumpRegTree(HKEY_CURRENT_USER, std::string(VIGILARK_KEY) + key)) << key;
    EXPECT_FALSE(Exists(HistoryFile())) << "the monitor's own entries leave no history";
    EXPECT_EQ(0, EntryCount());

    // The records taken away again, and the Services key with them.
    for (const auto& record : records) DeleteRegValue(record.hive, record.key.c_str(), record.name.c_str());
    DeleteRegTree(HKEY_CURRENT_USER, services);
    LoadInitialValues();
    for (size_t i = 0; i < records.size(); ++i) {
        bool again = records[i].key == services;
        EXPECT_EQ(again ? records[i].data : "<missing>", GetRegString(records[i].hive, records[i].key, records[i].name.c_str()))
            << records[i].key << " " << records[i].name;
    }
}

TEST_F(FirstRun, FilterWordsComeFromTheSettingsFileWhenItNamesAny)
{
    std::vector<std::string> builtIn;
    for (const char* word : kDefaultFilterWords) builtIn.push_back(std::string(word) + "=1");
    std::sort(builtIn.begin(), builtIn.end());
    const struct { const char* ini; std::vector<std::string> words; } rows[] = {
        {"[Nuts]\r\ncount=0\r\nNut1=unused\r\n", builtIn},
        {"[Nuts]\r\ncount=2\r\nNut1=tracker\r\nNut2=beacon\r\n", {"beacon=1", "tracker=1"}},
        {"[Nuts]\r\ncount=3\r\nNut1=pixel\r\nNut2=\r\nNut3=spy\r\n", {"pixel=1", "spy=1"}},
    };
    auto import = [](const std::string& ini) {
        DeleteRegTree(HKEY_CURRENT_USER, cookiebed::kNuts);
        CreateRegKey(HKEY_CURRENT_USER, cookiebed::kNuts);
        WriteWholeFile(SettingsFile(), ini);
        ImportFilterWords();
        return Words();
    };
    for (const auto& row : rows) EXPECT_EQ(row.words, import(row.ini)) << row.ini;
    std::string many = "[Nuts]\r\ncount=2000000000\r\n";
    for (int n = 1; n <= FILTER_LIST_CAPACITY + 10; ++n) many += "Nut" + std::to_string(n) + "=w" + std::to_string(n) + "\r\n";
    EXPECT_EQ((size_t)FILTER_LIST_CAPACITY, import(many).size()) << "the count drives no loop beyond the list's size";
}
