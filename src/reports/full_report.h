// The full report: everything the console lists, with a description of the computer,
// as an HTML page ("Format" 0) or tab-separated text ("Format" 1).
#pragma once

#include "reports/output_place.h"

#include <windows.h>

#include <string>

const int REPORT_HTML = 0;
const int REPORT_TEXT = 1;

// The report's file name for a format: "VigilarkLog.html" or "VigilarkLog.txt".
const char* ReportFileName(int format);

// The whole report as it is written (the sections rebuild the shared entry list).
std::string ReportText(int format);
// Writes the report into the current directory, or the documents folder when that cannot
// be written; true when written (out tells where, or why not).
bool WriteReportFile(int format, OutputFile& out);

// Writes the report in the "Format" setting's form, says where it went when it is not in
// its usual place (or why nothing was written), and opens it with the shell. 1 when written.
int WriteFullReport(HWND owner);

// The descriptive Windows version (the report's platform line); its length, 0 when unknown.
int WindowsVersionText(char* out, int capacity);

// A program registered under App Paths (HKLM) whose file exists: true with its
// ProductVersion and the key's "Path"; else false with both empty.
bool FindAppPathProgram(const char* name, char* version, int versionCapacity, char* folder, int folderCapacity);
