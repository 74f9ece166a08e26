// The startup workload of N entries on programs of their own, shared with the cases that
// need a typical machine's startup entries (the console's cold start, the full report).
#pragma once

#include "bench.h"
#include "bench_page.h"

#include <string>
#include <vector>

bool PlantStartupWorkload(int n, Planted& planted);
// The floor of listing those entries: parts enumerate, titles, versions, long-paths,
// icons-drawn (the programs of the rows a page draws) and icons-all.
bool StartupFloor(FloorParts& parts);
// How many rows the page drew in its last fill, where the floor does not see it itself.
void SetStartupDrawnRows(int rows);
// A startup row by its texts (Title, Command, Version) against what was planted.
bool JudgeStartupRow(const std::vector<std::string>& cells, RowWanted& wanted, std::string& why);
