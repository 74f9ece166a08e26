// vigilark_bench: how fast the console fills its lists, starts, writes its report and filters
// cookies. Run by scripts/bench.sh in a Wine bed of its own; every workload is planted for
// real in that prefix.
//
//   vigilark_bench [--quick] [--runs K] [--json FILE] [--counts] [--dump FOLDER] [--only CASE] [--size N]
//
// --quick     the smallest sizes and 2 runs
// --runs K    timed runs of each case and floor (default 5; each also has one untimed warm-up)
// --json      where results.json goes
// --counts    one more, untimed run of each case counting its system calls per row
// --dump      writes every page fill's rows (texts and an icon hash) into FOLDER
// --only      runs only the cases whose name starts with CASE (or one of CASE,CASE...)
// --size      plants only size N of the workloads that have it
//
// Exit status 1 when a case produced the wrong number of rows, drew or wrote something other
// than what was planted, or a workload could not be planted: a fast wrong answer never
// counts. The times themselves never fail the run.
#include "bench.h"
#include "call_counts.h"
#include "timing.h"

#include "foundations/text.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string g_dumpFolder;
bool g_quick = false;

struct Options {
    bool quick = false;
    int runs = 0;
    std::string json;
    bool counts = false;
    std::string only;
    int size = 0;
};

struct Result {
    std::string name;
    int n = 0;
    int runs = 0;
    double minMs = 0;
    double medianMs = 0;
    bool hasFloor = false;
    double floorMs = 0;
    double floorMinMs = 0;  // the fastest round of the floor: with minMs, the figures least touched by load
    std::map<std::string, double> floorParts;  // every part of the floor, medians
    std::vector<std::string> judgedParts;      // those it is judged against
    long rows = 0;
    double growth = 0;  // against the next smaller size: time ratio over size ratio; 0 for none
    double floorGrowth = 0;  // the same for the floor
    double Ratio() const { return hasFloor && floorMs > 0 ? medianMs / floorMs : 0; }
    double MinRatio() const { return hasFloor && floorMinMs > 0 ? minMs / floorMinMs : 0; }
};

int g_failures = 0;

void Fail(const char* format, const char* name, int n, long got, long expected)
{
    fprintf(stderr, "\n*** FAIL: ");
    fprintf(stderr, format, name, n, got, expected);
    fprintf(stderr, " ***\n\n");
    fflush(stderr);
    ++g_failures;
}

void FailCheck(const char* name, int n, const std::string& why)
{
    fprintf(stderr, "\n*** FAIL: %s at N=%d: %s ***\n\n", name, n, why.c_str());
    fflush(stderr);
    ++g_failures;
}

bool Selected(const Options& options, const BenchCase& c)
{
    if (options.only.empty()) return true;
    for (size_t at = 0, end; at <= options.only.size(); at = end + 1) {
        end = options.only.find(',', at);
        if (end == std::string::npos) end = options.only.size();
        if (end > at && strncmp(c.name, options.only.c_str() + at, end - at) == 0) return true;
    }
    return false;
}

bool Wanted(const Options& options, const BenchWorkload& workload)
{
    for (const BenchCase& c : workload.cases)
        if (Selected(options, c)) return true;
    return false;
}

double FloorOf(const FloorParts& parts, const std::vector<std::string>& names)
{
    double total = 0;
    for (const std::string& name : names) {
        auto found = parts.find(name);
        if (found != parts.end()) total += found->second;
    }
    return total;
}

void PrintCounts(const char* name, int rows)
{
    printf("    calls per row (%s, %d rows):", name, rows);
    for (const auto& count : CallCounts())
        if (count.second > 0) printf(" %s %.2f", count.first.c_str(), (double)count.second / (rows ? rows : 1));
    printf("\n");
    fflush(stdout);
}

// One size of a workload: planted once, then a warm-up round and the timed rounds. Each
// round runs the floor and then every case, so that both see the machine in the same state
// (other work on a shared machine comes and goes).
void RunSize(const Options& options, const BenchWorkload& workload, int n, std::vector<Result>& results)
{
    Planted planted;
    Stopwatch planting;
    if (!workload.plant(n, planted)) {
        fprintf(stderr, "\n*** FAIL: workload %s could not be planted at %d ***\n\n", workload.name, n);
        ++g_failures;
        return;
    }
    printf("\n%s, N=%d: %s; %d rows expected (planted in %.1f s)\n", workload.name, n, planted.note.c_str(),
           planted.expectedRows, planting.Milliseconds() / 1000.0);
    fflush(stdout);

    std::vector<const BenchCase*> cases;
    for (const BenchCase& c : workload.cases)
        if (Selected(options, c)) cases.push_back(&c);
    std::vector<FloorParts> floorRuns;
    std::vector<std::vector<double>> times(cases.size());
    std::vector<long> rows(cases.size(), 0);
    std::vector<bool> wrong(cases.size(), false);
    bool floorOk = true;
    for (int round = 0; round <= options.runs; ++round) {  // round 0 warms up
        if (workload.floor && floorOk) {
            FloorParts parts;
            floorOk = workload.floor(parts);
            if (!floorOk) {
                fprintf(stderr, "\n*** FAIL: the floor of %s did not find what was planted at %d ***\n\n",
                        workload.name, n);
                ++g_failures;
            } else if (round > 0) {
                floorRuns.push_back(parts);
            }
        }
        for (size_t i = 0; i < cases.size(); ++i) {
            if (cases[i]->settle) cases[i]->settle();
            ResetCallCounts();
            Stopwatch watch;
            long produced = cases[i]->run();
            double ms = cases[i]->measured ? cases[i]->measured() : watch.Milliseconds();
            if (round > 0) times[i].push_back(ms);
            rows[i] = produced;
            std::string why;
            bool drawnRight = !cases[i]->check || cases[i]->check(why);
            if (wrong[i]) continue;  // said once
            if (produced != planted.expectedRows) {
                Fail("%s at N=%d produced %ld rows, %ld expected", cases[i]->name, n, produced, planted.expectedRows);
                if (!why.empty()) FailCheck(cases[i]->name, n, why);
                wrong[i] = true;
            } else if (!drawnRight) {
                FailCheck(cases[i]->name, n, why);
                wrong[i] = true;
            }
        }
    }

    if (!floorRuns.empty()) {
        printf("  floor parts, median ms:");
        for (const auto& part : floorRuns[0]) {
            std::vector<double> partTimes;
            for (const FloorParts& parts : floorRuns) partTimes.push_back(parts.at(part.first));
            printf(" %s %.1f", part.first.c_str(), MedianOf(partTimes));
        }
        printf("\n");
    }
    for (size_t i = 0; i < cases.size(); ++i) {
        const BenchCase& c = *cases[i];
        Result result;
        result.name = c.name;
        result.n = n;
        result.runs = options.runs;
        result.rows = rows[i];
        result.minMs = MinOf(times[i]);
        result.medianMs = MedianOf(times[i]);
        if (!c.floorParts.empty() && !floorRuns.empty()) {
            std::vector<double> floors;
            for (const FloorParts& parts : floorRuns) floors.push_back(FloorOf(parts, c.floorParts));
            result.hasFloor = true;
            result.floorMs = MedianOf(floors);
            result.floorMinMs = MinOf(floors);
            result.judgedParts = c.floorParts;
            for (const auto& part : floorRuns[0]) {
                std::vector<double> partTimes;
                for (const FloorParts& parts : floorRuns) partTimes.push_back(FloorOf(parts, {part.first}));
                result.floorParts[part.first] = MedianOf(partTimes);
            }
        }
        for (auto smaller = results.rbegin(); smaller != results.rend(); ++smaller)
            if (smaller->name == result.name && smaller->n < n && smaller->medianMs > 0 && smaller->n > 0) {
                result.growth = result.medianMs / smaller->medianMs / ((double)n / smaller->n);
                if (smaller->floorMs > 0) result.floorGrowth = result.floorMs / smaller->floorMs / ((double)n / smaller->n);
                break;
            }
        if (c.inspect) c.inspect();
        printf("  %-26s N=%-5d min %9.1f ms  median %9.1f ms", c.name, n, result.minMs, result.medianMs);
        if (result.hasFloor) printf("  floor %8.1f ms  ratio %6.2f (of minimums %.2f)", result.floorMs, result.Ratio(),
                                    result.MinRatio());
        printf("  rows %ld%s\n", result.rows, wrong[i] ? "  WRONG" : "");
        fflush(stdout);
        if (options.counts) {
            if (c.settle) c.settle();
            ResetCallCounts();
            c.run();
            PrintCounts(c.name, planted.expectedRows);
        }
        results.push_back(result);
    }
}

void RunWorkload(const Options& options, const BenchWorkload& workload, std::vector<Result>& results)
{
    if (workload.floor && workload.floorNote && *workload.floorNote)
        printf("\n%s floor: %s\n", workload.name, workload.floorNote);
    for (int n : options.quick ? workload.quickSizes : workload.sizes)
        if (options.size == 0 || n == options.size) RunSize(options, workload, n, results);
}

void PrintTable(const std::vector<Result>& results)
{
    printf("\n%-26s %6s %4s %10s %10s %10s %6s %6s %7s %7s %7s\n", "case", "N", "runs", "min ms", "median ms",
           "floor ms", "ratio", "min-r", "rows", "growth", "floor-g");
    for (const Result& r : results) {
        char floor[32] = "-", ratio[32] = "-", minRatio[32] = "-", growth[32] = "", floorGrowth[32] = "";
        if (r.hasFloor) FormatText(floor, sizeof floor, "%.1f", r.floorMs);
        if (r.Ratio() > 0) FormatText(ratio, sizeof ratio, "%.2f", r.Ratio());
        if (r.MinRatio() > 0) FormatText(minRatio, sizeof minRatio, "%.2f", r.MinRatio());
        // Growth from the next smaller size: the time ratio over the size ratio (1.0 is linear).
        if (r.growth > 0) FormatText(growth, sizeof growth, "%.2f", r.growth);
        if (r.floorGrowth > 0) FormatText(floorGrowth, sizeof floorGrowth, "%.2f", r.floorGrowth);
        printf("%-26s %6d %4d %10.1f %10.1f %10s %6s %6s %7ld %7s %7s\n", r.name.c_str(), r.n, r.runs, r.minMs,
               r.medianMs, floor, ratio, minRatio, r.rows, growth, floorGrowth);
    }
    fflush(stdout);
}

bool WriteJson(const std::string& path, const std::vector<Result>& results)
{
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    fprintf(out, "[\n");
    for (size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        fprintf(out, "  {\"case\": \"%s\", \"n\": %d, \"runs\": %d, \"min_ms\": %.3f, \"median_ms\": %.3f, ",
                r.name.c_str(), r.n, r.runs, r.minMs, r.medianMs);
        if (r.Ratio() > 0)
            fprintf(out, "\"floor_ms\": %.3f, \"ratio\": %.4f, \"floor_min_ms\": %.3f, \"min_ratio\": %.4f, ",
                    r.floorMs, r.Ratio(), r.floorMinMs, r.MinRatio());
        else
            fprintf(out, "\"floor_ms\": null, \"ratio\": null, \"floor_min_ms\": null, \"min_ratio\": null, ");
        fprintf(out, "\"floor_parts\": {");
        const char* comma = "";
        for (const auto& part : r.floorParts) {
            fprintf(out, "%s\"%s\": %.3f", comma, part.first.c_str(), part.second);
            comma = ", ";
        }
        fprintf(out, "}, \"judged_parts\": [");
        for (size_t part = 0; part < r.judgedParts.size(); ++part)
            fprintf(out, "%s\"%s\"", part ? ", " : "", r.judgedParts[part].c_str());
        fprintf(out, "], ");
        fprintf(out, r.growth > 0 ? "\"growth\": %.4f, " : "\"growth\": null, ", r.growth);
        fprintf(out, r.floorGrowth > 0 ? "\"floor_growth\": %.4f, " : "\"floor_growth\": null, ", r.floorGrowth);
        fprintf(out, "\"rows\": %ld}%s\n", r.rows, i + 1 < results.size() ? "," : "");
    }
    fprintf(out, "]\n");
    return fclose(out) == 0;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool more = i + 1 < argc;
        if (arg == "--quick") options.quick = true;
        else if (arg == "--counts") options.counts = true;
        else if (arg == "--runs" && more) options.runs = atoi(argv[++i]);
        else if (arg == "--json" && more) options.json = argv[++i];
        else if (arg == "--dump" && more) g_dumpFolder = argv[++i];
        else if (arg == "--only" && more) options.only = argv[++i];
        else if (arg == "--size" && more) options.size = atoi(argv[++i]);
        else {
            fprintf(stderr, "usage: vigilark_bench [--quick] [--runs K] [--json FILE] [--counts] [--dump FOLDER] "
                            "[--only CASE] [--size N]\n");
            return false;
        }
    }
    if (options.runs <= 0) options.runs = options.quick ? 2 : 5;
    g_quick = options.quick;
    return true;
}

}  // namespace

void SetRowDumpFolder(const std::string& folder) { g_dumpFolder = folder; }
const std::string& RowDumpFolder() { return g_dumpFolder; }
bool QuickRun() { return g_quick; }

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "--idle") == 0) return BenchIdleWindow();
    Options options;
    if (!ParseOptions(argc, argv, options)) return 2;
    if (!g_dumpFolder.empty()) CreateDirectoryA(g_dumpFolder.c_str(), nullptr);
    // Before anything runs: the checks count the icons every fill reads.
    if (!InstallCallCounters()) {
        fprintf(stderr, "bench: the call counters could not be installed\n");
        return 2;
    }
    CoInitialize(nullptr);

    std::vector<Result> results;
    for (const BenchWorkload& workload : BenchWorkloads())
        if (Wanted(options, workload)) RunWorkload(options, workload, results);

    PrintTable(results);
    if (!options.json.empty() && !WriteJson(options.json, results)) {
        fprintf(stderr, "bench: cannot write %s\n", options.json.c_str());
        ++g_failures;
    }
    if (g_failures) {
        fprintf(stderr, "\n*** vigilark_bench: %d failure(s); the times above do not count ***\n", g_failures);
        return 1;
    }
    return 0;
}
