// The service list's text rules: which images are listed and as what, the Command cell, the
// start-type texts and history actions, and the rights each control needs.
#include "foundations/entries.h"
#include "history/history.h"
#include "resource.h"
#include "services/service_text.h"

#include <gtest/gtest.h>
#include <winsvc.h>

#include <string>

TEST(ServiceText, ImagesAreListedByTheirProgramFile)
{
    const struct {
        const char* image;
        int kind;
    } cases[] = {
        {"C:\\Windows\\System32\\spoolsv.exe", KIND_SERVICE_EXE},
        {"\"C:\\Program Files\\Tool\\TOOL.EXE\" -service", KIND_SERVICE_EXE},
        {"%SystemRoot%\\System32\\SVCHOST.EXE -k netsvcs", KIND_SERVICE_SVCHOST},
        {"C:\\windows\\system32\\svchost.exe", KIND_SERVICE_SVCHOST},
        {"system32\\drivers\\disk.sys", 0},
        {"\\SystemRoot\\system32\\drivers\\null.SYS", 0},
        {"C:\\tools\\service.exec", KIND_SERVICE_EXE},  // the rule looks for ".exe" anywhere
        {"", 0},
        {nullptr, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.image ? test.image : "(null)");
        EXPECT_EQ(test.kind, ServiceKindOfImage(test.image));
    }
}

TEST(ServiceText, TheCommandCellIsTheFileNameAfterTheHostForHostedServices)
{
    const struct {
        const char* path;
        int kind;
        int capacity;
        const char* cell;
    } cases[] = {
        {"C:\\Windows\\System32\\spoolsv.exe", KIND_SERVICE_EXE, 64, "spoolsv.exe"},
        {"C:\\Windows\\System32\\schedsvc.dll", KIND_SERVICE_SVCHOST, 64, "svchost.exe schedsvc.dll"},
        {"C:\\windows\\system32\\svchost.exe -k netsvcs", KIND_SERVICE_SVCHOST, 64, "svchost.exe svchost.exe -k netsvcs"},
        {"nobackslash.exe", KIND_SERVICE_EXE, 64, "nobackslash.exe"},
        {"C:\\dir\\", KIND_SERVICE_EXE, 64, ""},
        {"C:\\Windows\\System32\\schedsvc.dll", KIND_SERVICE_SVCHOST, 8, "svchost"},
        {"C:\\a\\long-name.exe", KIND_SERVICE_EXE, 5, "long"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.path);
        char cell[64];
        memset(cell, '#', sizeof cell);
        ServiceCommandText(test.path, test.kind, cell, test.capacity);
        EXPECT_STREQ(test.cell, cell);
    }
}

TEST(ServiceText, StartTypesGiveTheirTextsChoicesAndHistoryActions)
{
    const struct {
        DWORD start;
        UINT text;
        int from;
        int to;
    } cases[] = {
        {0, 0, -1, -1},
        {1, 0, -1, -1},
        {2, IDS_START_AUTOMATIC, ACTION_SERVICE_FROM_AUTOMATIC, ACTION_SERVICE_AUTOMATIC},
        {3, IDS_START_MANUAL, ACTION_SERVICE_FROM_MANUAL, ACTION_SERVICE_MANUAL},
        {4, IDS_START_DISABLED, ACTION_SERVICE_FROM_DISABLED, ACTION_SERVICE_DISABLED},
        {7, 0, -1, -1},
        {0xFFFFFFFF, 0, -1, -1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.start);
        EXPECT_EQ(test.text, StartTypeTextId(test.start));
        EXPECT_EQ(test.from, StartTypeFromAction(test.start));
        EXPECT_EQ(test.to, StartTypeToAction(test.start));
    }
    EXPECT_EQ(std::string("SERVICE__from_Disabled"), ActionKeyword(StartTypeFromAction(4)));
    EXPECT_EQ(2u, StartValueOfChoice(0));
    EXPECT_EQ(4u, StartValueOfChoice(2));
    EXPECT_EQ(0u, StartValueOfChoice(-1));  // no selection
    EXPECT_EQ(0u, StartValueOfChoice(3));
}

TEST(ServiceText, EachControlAsksForItsOwnRightOnly)
{
    const struct {
        DWORD control;
        DWORD rights;
    } cases[] = {
        {SERVICE_CONTROL_STOP, SERVICE_STOP},
        {SERVICE_CONTROL_INTERROGATE, SERVICE_INTERROGATE},
        {SERVICE_CONTROL_PAUSE, SERVICE_PAUSE_CONTINUE},
        {SERVICE_CONTROL_CONTINUE, SERVICE_PAUSE_CONTINUE},
        {128, SERVICE_USER_DEFINED_CONTROL},
        {255, SERVICE_USER_DEFINED_CONTROL},
        {256, 0},
        {SERVICE_CONTROL_SHUTDOWN, 0},  // only the system sends it
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.control);
        EXPECT_EQ(test.rights, ServiceRightsForControl(test.control));
    }
    EXPECT_EQ((DWORD)SERVICE_PAUSED, StateOfValue(MakeStateValue(SERVICE_PAUSED, 0x12345)));
}
