// The Properties dialog in this process: which file an entry's icon comes from.
#include "foundations/entries.h"
#include "iehelpers/iehelpers_properties.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "shell_fixture.h"

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
        SCOPED_TRACE(index);
        LRESULT icon = -1;
        char location[300] = "";
        RunWithDialog([&] { ShowPropertiesFor(nullptr, index); return 0; },
                      [&](HWND dialog) {
                          icon = SendDlgItemMessageA(dialog, IDC_PROP_ICON, BM_GETIMAGE, IMAGE_ICON, 0);
                          GetDlgItemTextA(dialog, IDC_PROP_LOCATION, location, sizeof location);
                          PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                      });
        EXPECT_EQ(index == 1, icon != 0 && icon != -1);
        EXPECT_STREQ(index == 0 ? "Location: \"HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar\""
                                : "Location: \"HKLM\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\"",
                     location);
    }
    FreeEntries();
}
