// In a fill (the report's walk) the listed services' states are read at the first row that
// asks, through one manager connection, each by its entry's own key name.
#include "foundations/fill_memo.h"
#include "services/service_text.h"
#include "services/services.h"
#include "support/import_hook.h"
#include "support/test_service.h"
#include "support/testing.h"

#include <gtest/gtest.h>

static int g_connections = 0;
static decltype(&OpenSCManagerA) g_connect = nullptr;
static SC_HANDLE WINAPI CountConnection(LPCSTR machine, LPCSTR database, DWORD access)
{
    ++g_connections;
    return g_connect(machine, database, access);
}

TEST(ServiceReportStates, AFillReadsEveryListedStateThroughOneConnection)
{
    TestService running("VkTestSvcWalkA", "Vigilark Test Service Walk Running");
    TestService stopped("VkTestSvcWalkB", "Vigilark Test Service Walk Stopped");
    ASSERT_TRUE(running.Registered() && stopped.Registered() && running.Start());
    static bool hooked = HookImport("advapi32.dll", "OpenSCManagerA", &CountConnection, &g_connect);
    ASSERT_TRUE(hooked);
    FillMemo memo;
    EnumerateServices();
    g_connections = 0;
    EXPECT_EQ((DWORD)SERVICE_RUNNING, StateOfValue(ListedServiceState(FindEntryIndex(running.DisplayName()))));
    EXPECT_EQ(0u, ListedServiceState(FindEntryIndex(stopped.DisplayName())));
    EXPECT_EQ(1, g_connections);
}
