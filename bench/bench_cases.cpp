// The order in which the workloads run (see bench.h).
#include "bench.h"

std::vector<BenchWorkload> BenchWorkloads()
{
    // The resident monitor's cases (monitor-idle-cpu, monitor-detect-latency,
    // monitor-full-patrol) join with a workload of their own, in a file of their own.
    return {StartupWorkload(), SharedStartupWorkload(), ColdStartWorkload(), HistoryWorkload(),   ServicesWorkload(),
            ReportWorkload(),  CookieFileWorkload(),    CookieFolderWorkload()};
}
