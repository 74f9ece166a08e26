// The Properties dialog in this process: Next and Previous step through the whole entry list and
// wrap, the dialog keeps its own place, an entry's icon, a service's description.
#include "app/start.h"
#include "foundations/entries.h"
#include "iehelpers/iehelpers_properties.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "shell_fixture.h"
#include "support/test_service.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

TEST(PropertiesDialog, NextAndPreviousStepThroughTheWholeListAndWrap)
{
    InitControls();
    FreeEntries();
    SavedKey program(HKEY_CURRENT_USER, VIGILARK_KEY);
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xInfo", "");
    for (const char* path : {"C:\\one\\one.exe", "C:\\two\\two.exe", "C:\\three\\three.exe"})
        ASSERT_EQ(1, AddEntry("Entry", path, "", "", KIND_CURRENT_RUN, 0));
    std::vector<std::string> seen;
    RunWithDialog([&] { ShowPropertiesFor(nullptr, 0); return 0; }, [&](HWND dialog) {
        for (int button : {0, IDC_PROP_NEXT, IDC_PROP_NEXT, IDC_PROP_NEXT, IDC_PROP_PREVIOUS}) {
            if (button) SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            std::string path = TextOf(GetDlgItem(dialog, IDC_PROP_PATH));
            seen.push_back(CharUpperA(&path[0]));
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(5u, seen.size());
    EXPECT_NE(std::string::npos, seen[1].find("TWO.EXE")) << seen[1];
    EXPECT_NE(std::string::npos, seen[2].find("THREE.EXE")) << seen[2];
    EXPECT_EQ(seen[0], seen[3]) << "wrapped to the first";
    EXPECT_EQ(seen[2], seen[4]) << "and back to the last";
    EXPECT_NE("", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "xInfo")) << "the dialog keeps its own place";
    FreeEntries();
}

TEST(PropertiesDialog, AnExtensionsIconComesFromItsDetailButAToolbarsDetailIsNoFile)
{
    InitControls();
    InstallIeHelperProperties();
    FreeEntries();
    // The detail names a file with icons; the programs themselves are nowhere.
    ASSERT_EQ(1, AddEntry("Toolbar", "C:\\nowhere\\bar.dll", "", ThisProgram().c_str(), KIND_TYPE_TOOLBAR, 0));
    ASSERT_EQ(1, AddEntry("Extension", "C:\\nowhere\\ext.dll", "", ThisProgram().c_str(), KIND_TYPE_EXTENSION, 0));
    for (int index : {0, 1}) {
        LRESULT icon = -1;
        std::string location;
        RunWithDialog([&] { ShowPropertiesFor(nullptr, index); return 0; }, [&](HWND dialog) {
            icon = SendDlgItemMessageA(dialog, IDC_PROP_ICON, BM_GETIMAGE, IMAGE_ICON, 0);
            location = TextOf(GetDlgItem(dialog, IDC_PROP_LOCATION));
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(index == 1, icon != 0 && icon != -1) << index;
        EXPECT_EQ(index ? "Location: \"HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\""
                        : "Location: \"HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar\"",
                  location);
    }
    FreeEntries();
}

// A running program's Properties show the description of the service that runs it.
TEST(PropertiesDialog, ARunningProgramShowsTheDescriptionOfTheServiceThatRunsIt)
{
    TestService service("VgkDescribed", "Vgk Described Service");
    ASSERT_TRUE(service.Registered());
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VgkDescribed", "Description",
                             "Keeps the test bed company."));
    InitControls();
    InstallSubjectTables();
    FreeEntries();
    ASSERT_EQ(1, AddEntry("", TestService::Program().c_str(), "", "", KIND_INFO_TASK, 0));
    std::string notes;
    RunWithDialog([&] { ShowPropertiesFor(nullptr, 0); return 0; }, [&](HWND dialog) {
        notes = TextOf(GetDlgItem(dialog, IDC_PROP_NOTES));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ("Keeps the test bed company.", notes);
    FreeEntries();
}
