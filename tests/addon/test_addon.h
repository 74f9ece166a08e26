/* The class ids and registry keys of the test add-on (test_addon.dll), for the DLL and the tests. */
#pragma once

#define TEST_ADDON_BHO     "{6E3F2A10-5C1B-4D7E-9A21-3B8C0D4E5F01}"
#define TEST_ADDON_TOOLBAR "{6E3F2A10-5C1B-4D7E-9A21-3B8C0D4E5F02}"
#define TEST_ADDON_BUTTON  "{6E3F2A10-5C1B-4D7E-9A21-3B8C0D4E5F03}"

#define TEST_ADDON_BHO_KEY \
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\" TEST_ADDON_BHO
#define TEST_ADDON_TOOLBAR_KEY "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar"
#define TEST_ADDON_BUTTON_KEY "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\" TEST_ADDON_BUTTON

#define TEST_ADDON_PRODUCT "Test Add-on Suite"
#define TEST_ADDON_COMPANY "Test Add-on Makers"
#define TEST_ADDON_VERSION "3.1.4.1"
