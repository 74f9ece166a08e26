// Where a case's time goes: how often it calls the system functions that cost something
// under Wine (registry opens, version reads, icon extractions, file opens, shell links).
// The calls are counted by redirecting this program's own import table, so the program's
// code runs unchanged. The counters are installed before anything runs (a function looked
// up at run time is only caught then); the checks read them after each run, and --counts
// prints them per row around a separate, untimed run.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Redirects the imports once; false when the import table could not be changed.
bool InstallCallCounters();
void ResetCallCounts();
// The counted functions with their counts since the last reset, in a fixed order.
std::vector<std::pair<std::string, long>> CallCounts();
// The count of one function since the last reset (0 for a function not counted).
long CallCount(const char* name);
