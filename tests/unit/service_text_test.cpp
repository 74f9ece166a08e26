// The service list's text rules: which images are listed and as what, the Command cell, the
// start-type texts and history actions, and the rights each control needs.
#include "foundations/entries.h"
#include "history/history.h"
#include "resource.h"
#include "services/service_text.h"

#include <gtest/gtest.h>
#include <winsvc.h>

#include <string>

TEST(ServiceText, ImagesAreListedByTheirProgramFileAndHostedOnesAfterTheHost)
{
    const struct { const char* image; int kind; } cases[] = {
        {"\"C:\\Program Files\\Tool\\TOOL.EXE\" -service", KIND_SERVICE_EXE},
        {"%SystemRoot%\\System32\\SVCHOST.EXE -k netsvcs", KIND_SERVICE_SVCHOST},
        {"\\SystemRoot\\system32\\drivers\\null.SYS", 0}, {nullptr, 0},
        {"C:\\tools\\service.exec", KIND_SERVICE_EXE},  // the rule looks for ".exe" anywhere
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.kind, ServiceKindOfImage(test.image)) << (test.image ? test.image : "(null)");
    const struct { const char* path; int kind; int capacity; const char* cell; } cells[] = {
        {"C:\\Windows\\System32\\spoolsv.exe", KIND_SERVICE_EXE, 64, "spoolsv.exe"},
        {"C:\\Windows\\System32\\schedsvc.dll", KIND_SERVICE_SVCHOST, 64, "svchost.exe schedsvc.dll"},
        {"nobackslash.exe", KIND_SERVICE_EXE, 64, "nobackslash.exe"}, {"C:\\dir\\", KIND_SERVICE_EXE, 64, ""},
        {"C:\\Windows\\System32\\schedsvc.dll", KIND_SERVICE_SVCHOST, 8, "svchost"},
        {"C:\\a\\long-name.exe", KIND_SERVICE_EXE, 5, "long"},
    };
    for (const auto& row : cells) {
        char cell[64];
        memset(cell, '#', sizeof cell);
        ServiceCommandText(row.path, row.kind, cell, row.capacity);
        EXPECT_STREQ(row.cell, cell) << row.path;
    }
}

TEST(ServiceText, StartTypesGiveTheirTextsChoicesAndHistoryActions)
{
    const struct { DWORD start; UINT text; int from; int to; } cases[] = {
        {1, 0, -1, -1}, {0xFFFFFFFF, 0, -1, -1},
        {2, IDS_START_AUTOMATIC, ACTION_SERVICE_FROM_AUTOMATIC, ACTION_SERVICE_AUTOMATIC},
        {3, IDS_START_MANUAL, ACTION_SERVICE_FROM_MANUAL, ACTION_SERVICE_MANUAL},
        {4, IDS_START_DISABLED, ACTION_SERVICE_FROM_DISABLED, ACTION_SERVICE_DISABLED},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.start);
        EXPECT_EQ(test.text, StartTypeTextId(test.start));
        EXPECT_EQ(test.from, StartTypeFromAction(test.start));
        EXPECT_EQ(test.to, StartTypeToAction(test.start));
    }
    std::string values;
    for (int choice = -1; choice <= 3; ++choice) values += std::to_string(StartValueOfChoice(choice));
    EXPECT_EQ("02340", values) << "the box's three choices in order; no selection or another is none";
}

TEST(ServiceText, EachControlAsksForItsOwnRightOnly)
{
    const struct { DWORD control; DWORD rights; } cases[] = {
        {SERVICE_CONTROL_STOP, SERVICE_STOP}, {SERVICE_CONTROL_INTERROGATE, SERVICE_INTERROGATE},
        {SERVICE_CONTROL_PAUSE, SERVICE_PAUSE_CONTINUE}, {SERVICE_CONTROL_CONTINUE, SERVICE_PAUSE_CONTINUE},
        {128, SERVICE_USER_DEFINED_CONTROL}, {255, SERVICE_USER_DEFINED_CONTROL}, {256, 0},
        {SERVICE_CONTROL_SHUTDOWN, 0},  // only the system sends it
    };
    for (const auto& test : cases) EXPECT_EQ(test.rights, ServiceRightsForControl(test.control)) << test.control;
}
