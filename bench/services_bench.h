// The services workload, shared with the full report: N services registered with the
// prefix's service control manager, and the floor of listing them.
#pragma once

#include "bench.h"

bool PlantServiceWorkload(int n, Planted& planted);
// Parts scan, status and icons-drawn (the programs of the rows the page draws).
bool ServicesFloor(FloorParts& parts);
