// Where the report, the CSV file and the settings export are written: their usual place, or
// the user's documents folder when that place cannot be written (a program folder under
// Program Files, a read-only current directory, a full disk). An earlier file is replaced
// only by a complete one.
#pragma once

#include <windows.h>

#include <string>

struct OutputFile {
    char path[MAX_PATH] = "";       // the file written (or, on failure, the last one tried)
    char firstTried[MAX_PATH] = ""; // the usual place's file
    bool inDocuments = false;       // the usual place failed and the documents folder took it
    DWORD error = 0;                // why the last attempt failed
};

// The user's documents folder (no trailing backslash); its length, or 0.
int DocumentsFolder(char* out, int capacity);

// Writes `bytes` as `name` in `folder` (nullptr: the current directory), or, when any step
// of that fails, in the documents folder; true when written. A file that is not written
// keeps its earlier content.
bool WriteOutputFile(const char* folder, const char* name, const std::string& bytes, OutputFile& out);

// The system's text for an error code, without its line end.
void ErrorText(DWORD error, char* out, int capacity);
// The error box of string `textId` ("%s" the file tried, "%s" the reason).
void ShowNotWritten(UINT textId, const OutputFile& file);
