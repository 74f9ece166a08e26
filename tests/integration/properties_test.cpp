// The Properties dialog in this process: an add-on's icon and location, a service's description
// (stepping through the list is the signature test's).
#include "app/start.h"
#include "foundations/entries.h"
#include "iehelpers/iehelpers_properties.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "shell_fixture.h"
#include "support/test_service.h"

#include <gtest/gtest.h>

using namespace shell_fixture;

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
