// Every list of the report as RFC 4180 CSV, for administrators' scripts: the columns of the
// text report up to Path, the section's kind keyword, whether the entry is disabled, then the
// signer and signature state (last, so that older scripts keep their column numbers).
#pragma once

#include "reports/output_place.h"

#include <windows.h>

#include <string>

// The whole CSV text (header line, then one line per entry; CRLF line ends).
std::string CsvText();

// Writes the CSV into exactly that file, replacing an earlier one only once complete; false
// (with error set, and any earlier file as it was) when it cannot be written.
bool WriteCsvFile(const char* path, DWORD* error);

// The file of a "-csv FILE" option (quotes removed); false when the option is not there.
// The option is present with an empty file name when none follows it.
bool CsvFileFromCommandLine(const char* line, char* file, int capacity);

// The lists' context menu: "VigilarkLog.csv" in the current directory (else the documents
// folder), and a message that says where it went or why nothing was written.
void SaveListsAsCsv(HWND owner);
