// The Set Patrol Time dialog run for real on the test's thread, driven from a helper
// thread, and the patrol settings it stores.
#include "support/dialog_driver.h"
#include "support/scratch_registry.h"

#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "options/patrol.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// What the helper thread saw in the dialog, checked on the test's thread afterwards.
struct Seen {
    std::string title;
    std::string intro;
    std::string minutes;
    std::string zeroHint;
    std::string closeButton;
    std::string edit;
    int position = -1;
    int rangeMax = -1;
    LONG_PTR kind = 0;
};

HWND Edit(HWND dialog) { return GetDlgItem(dialog, IDC_PATROL_EDIT); }
HWND Track(HWND dialog) { return GetDlgItem(dialog, IDC_PATROL_TRACKBAR); }
int Position(HWND dialog) { return (int)SendMessageA(Track(dialog), TBM_GETPOS, 0, 0); }

void Look(HWND dialog, Seen& seen)
{
    seen.title = TextOf(dialog);
    seen.intro = TextOf(GetDlgItem(dialog, IDC_PATROL_INTRO));
    seen.minutes = TextOf(GetDlgItem(dialog, IDC_PATROL_MINUTES));
    seen.zeroHint = TextOf(GetDlgItem(dialog, IDC_PATROL_ZERO_HINT));
    seen.closeButton = TextOf(GetDlgItem(dialog, IDCANCEL));
    seen.edit = TextOf(Edit(dialog));
    seen.position = Position(dialog);
    seen.rangeMax = (int)SendMessageA(Track(dialog), TBM_GETRANGEMAX, 0, 0);
    seen.kind = GetWindowLongPtrA(dialog, DWLP_USER);
}

std::string Text(UINT id)
{
    char text[512];
    LoadText(id, text);
    return text;
}

class PatrolDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = CurrentOptions();
        InitCommonControls();
    }
    void TearDown() override { CurrentOptions() = saved_; }

    Options saved_;
};

}  // namespace

TEST_F(PatrolDialog, ShowsItsTextsTheKindsTitleAndTheCurrentValue)
{
    CurrentOptions().start = 17;
    Seen seen;
    int result = RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_STARTUP); },
                               [&](HWND dialog) {
                                   Look(dialog, seen);
                                   Click(dialog, IDCANCEL);
                               });
    EXPECT_EQ(-1, result);
    EXPECT_EQ("Patrol Time for Startup Programs", seen.title);
    EXPECT_EQ(Text(IDS_PATROL_INTRO), seen.intro);
    EXPECT_EQ("minutes.", seen.minutes);
    EXPECT_EQ("Set to 0 to disable monitoring.", seen.zeroHint);
    EXPECT_EQ("Close", seen.closeButton);
    EXPECT_EQ("17", seen.edit);
    EXPECT_EQ(17, seen.position);
    EXPECT_EQ(30, seen.rangeMax);
    EXPECT_EQ(IDS_PATROL_STARTUP, (UINT)seen.kind);
}

TEST_F(PatrolDialog, EachKindShowsItsOwnSettingAndOthersShowThree)
{
    CurrentOptions().services = 12;
    CurrentOptions().hostFile = 0;
    Seen services, hosts, other;
    auto look = [](Seen& seen) {
        return [&seen](HWND dialog) {
            Look(dialog, seen);
            Click(dialog, IDCANCEL);
        };
    };
    RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_SERVICES); }, look(services));
    RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_HOSTS); }, look(hosts));
    RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_ZERO_HINT); }, look(other));

    EXPECT_EQ("Patrol Time for Windows Services", services.title);
    EXPECT_EQ("12", services.edit);
    EXPECT_EQ(12, services.position);
    EXPECT_EQ("Patrol Time for checking HOST file", hosts.title);
    EXPECT_EQ("0", hosts.edit);
    EXPECT_EQ(0, hosts.position);
    EXPECT_EQ("3", other.edit);
    EXPECT_EQ(3, other.position);
}

TEST_F(PatrolDialog, TypingMovesTheTrackBarAndOkReturnsWhatWasTyped)
{
    CurrentOptions().tasks = 11;
    int afterTwelve = -1, afterFortyFive = -1;
    std::string limited, typed;
    int result = RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_TASKS); },
                               [&](HWND dialog) {
                                   ReplaceText(Edit(dialog), "12");
                                   afterTwelve = Position(dialog);
                                   ReplaceText(Edit(dialog), "123");
                                   limited = TextOf(Edit(dialog));
                                   ReplaceText(Edit(dialog), "45");
                                   afterFortyFive = Position(dialog);
                                   typed = TextOf(Edit(dialog));
                                   Click(dialog, IDOK);
                               });
    EXPECT_EQ(12, afterTwelve);
    EXPECT_EQ("12", limited);  // two characters at most
    EXPECT_EQ(30, afterFortyFive);  // the track bar stops at its end...
    EXPECT_EQ("45", typed);         // ...the edit keeps the number
    EXPECT_EQ(45, result);
}

TEST_F(PatrolDialog, MovingTheTrackBarWritesTheEditAndZeroDisablesIt)
{
    std::string atZero, afterTwoSteps, atEnd;
    bool enabledAtZero = true, enabledAfterSteps = false;
    int result = RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_COOKIES); },
                               [&](HWND dialog) {
                                   PressKey(Track(dialog), VK_HOME);
                                   atZero = TextOf(Edit(dialog));
                                   enabledAtZero = IsWindowEnabled(Edit(dialog)) != FALSE;
                                   PressKey(Track(dialog), VK_RIGHT);
                                   PressKey(Track(dialog), VK_RIGHT);
                                   afterTwoSteps = TextOf(Edit(dialog));
                                   enabledAfterSteps = IsWindowEnabled(Edit(dialog)) != FALSE;
                                   PressKey(Track(dialog), VK_END);
                                   atEnd = TextOf(Edit(dialog));
                                   Click(dialog, IDOK);
                               });
    EXPECT_EQ("0", atZero);
    EXPECT_FALSE(enabledAtZero);
    EXPECT_EQ("2", afterTwoSteps);
    EXPECT_TRUE(enabledAfterSteps);
    EXPECT_EQ("30", atEnd);
    EXPECT_EQ(30, result);
}

TEST_F(PatrolDialog, AnEmptyEditGivesZeroAndCloseGivesMinusOne)
{
    int empty = RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_STARTUP); },
                              [](HWND dialog) {
                                  ReplaceText(Edit(dialog), "");
                                  Click(dialog, IDOK);
                              });
    EXPECT_EQ(0, empty);

    int closed = RunWithDialog([] { return SetPatrolTime(nullptr, IDS_PATROL_STARTUP); },
                               [](HWND dialog) {
                                   ReplaceText(Edit(dialog), "9");
                                   Click(dialog, IDCANCEL);
                               });
    EXPECT_EQ(-1, closed);
}

TEST(PatrolSettings, TheTenKindsNameTheirOptions)
{
    Options saved = CurrentOptions();
    Options& options = CurrentOptions();
    const struct { UINT kind; const char* name; int* field; } kExpected[] = {
        {IDS_PATROL_STARTUP, "Start", &options.start},       {IDS_PATROL_IEHELPERS, "IEHelpers", &options.ieHelpers},
        {IDS_PATROL_TASKS, "Tasks", &options.tasks},         {IDS_PATROL_COOKIES, "Cookies", &options.cookies},
        {IDS_PATROL_FILETYPES, "FileType", &options.fileType}, {IDS_PATROL_NUTS, "Nuts", &options.nuts},
        {IDS_PATROL_WININIT, "WinInit", &options.winInit},   {IDS_PATROL_STARTPAGE, "StartPage", &options.startPage},
        {IDS_PATROL_HOSTS, "HostFile", &options.hostFile},   {IDS_PATROL_SERVICES, "Services", &options.services},
    };
    for (const auto& row : kExpected) {
        ASSERT_NE(nullptr, PatrolSettingName(row.kind)) << row.kind;
        EXPECT_STREQ(row.name, PatrolSettingName(row.kind));
        EXPECT_EQ(row.field, PatrolSettingValue(row.kind)) << row.name;
    }
    EXPECT_EQ(nullptr, PatrolSettingName(IDS_PATROL_INTRO));
    EXPECT_EQ(nullptr, PatrolSettingValue(0));
    CurrentOptions() = saved;
}

namespace {

// A page with a Monitor icon, as the pages have it.
class PageWithMonitorIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = CurrentOptions();
        InitCommonControls();
        CreateSharedDrawing(GetModuleHandleA(nullptr));
        page_ = CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        icon_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 10, 10, 32, 32, page_,
                                reinterpret_cast<HMENU>((INT_PTR)IDC_MONITOR_ICON), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, icon_);
        SetMonitorIcon(page_, IDC_MONITOR_ICON, false);
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "2");
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update", "0");
        CurrentOptions().start = 2;
    }
    void TearDown() override
    {
        DestroyWindow(page_);
        CurrentOptions() = saved_;
    }

    int Edit(const char* typed, int button)
    {
        return RunWithDialog([this] { return EditPatrolTime(page_, IDS_PATROL_STARTUP); },
                             [typed, button](HWND dialog) {
                                 ReplaceText(GetDlgItem(dialog, IDC_PATROL_EDIT), typed);
                                 Click(dialog, button);
                             });
    }
    HBITMAP Shown() const
    {
        return reinterpret_cast<HBITMAP>(SendMessageA(icon_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    std::string Stored(const char* name) const { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name); }

    ScratchKey key_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    SavedValue start_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start"};
    SavedValue update_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"};
    Options saved_;
    HWND page_ = nullptr;
    HWND icon_ = nullptr;
};

}  // namespace

TEST_F(PageWithMonitorIcon, OkStoresTheMinutesAndTurnsTheIconOn)
{
    EXPECT_EQ(45, Edit("45", IDOK));
    EXPECT_EQ("45", Stored("Start"));
    EXPECT_EQ("1", Stored("Update"));  // tells the monitor to reload
    EXPECT_EQ(45, CurrentOptions().start);
    EXPECT_EQ(Drawing().monitorBitmaps[2], Shown());
    EXPECT_EQ(Drawing().monitorBitmaps[2], GetPropA(icon_, MAKEINTATOM(ICON_PROP_REST)));
}

TEST_F(PageWithMonitorIcon, ZeroTurnsTheWatchAndTheIconOff)
{
    SetMonitorIcon(page_, IDC_MONITOR_ICON, true);
    EXPECT_EQ(0, Edit("", IDOK));
    EXPECT_EQ("0", Stored("Start"));
    EXPECT_EQ("1", Stored("Update"));
    EXPECT_EQ(0, CurrentOptions().start);
    EXPECT_EQ(Drawing().monitorBitmaps[0], Shown());
}

TEST_F(PageWithMonitorIcon, CloseChangesNothing)
{
    EXPECT_EQ(-1, Edit("25", IDCANCEL));
    EXPECT_EQ("2", Stored("Start"));
    EXPECT_EQ("0", Stored("Update"));
    EXPECT_EQ(2, CurrentOptions().start);
    EXPECT_EQ(Drawing().monitorBitmaps[0], Shown());
}

TEST(PatrolSettings, StoringRefusesNegativeMinutesAndUnknownKinds)
{
    ScratchKey key(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    SavedValue nuts(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts");
    SavedValue update(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update");
    Options saved = CurrentOptions();
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts", "9");
    CurrentOptions().nuts = 9;

    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_NUTS, -1));
    EXPECT_EQ(0, StorePatrolTime(IDS_PATROL_INTRO, 5));
    EXPECT_EQ("9", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts"));
    EXPECT_EQ(9, CurrentOptions().nuts);

    EXPECT_EQ(1, StorePatrolTime(IDS_PATROL_NUTS, 14));
    EXPECT_EQ("14", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts"));
    EXPECT_EQ(14, CurrentOptions().nuts);
    CurrentOptions() = saved;
}
