// The order in which the workloads run (see bench.h).
#include "bench.h"

std::vector<BenchWorkload> BenchWorkloads()
{
    return {StartupWorkload(), SharedStartupWorkload(), ColdStartWorkload(), HistoryWorkload(),
            ServicesWorkload(), ReportWorkload(),       CookieFileWorkload(), CookieFolderWorkload(),
            MonitorWorkload()};
}
