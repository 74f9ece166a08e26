// Where the report and the settings export are written: their usual place, or the user's
// documents folder when that place cannot be written (a program folder under Program Files,
// a read-only current directory).
#pragma once

#include <windows.h>

struct OutputFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    char path[MAX_PATH] = "";       // the file written (or, on failure, the last one tried)
    char firstTried[MAX_PATH] = ""; // the usual place's file
    bool inDocuments = false;       // the usual place failed and the documents folder took it
    DWORD error = 0;                // why the last attempt failed
};

// The user's documents folder (no trailing backslash); its length, or 0.
int DocumentsFolder(char* out, int capacity);

// Creates (empties) `name` in `folder` (nullptr: the current directory), or else in the
// documents folder. True when a file is open in out.handle; the caller closes it.
bool CreateOutputFile(const char* folder, const char* name, OutputFile& out);
// Writes the bytes and closes; false (out.error set) when not all were written.
bool FinishOutputFile(OutputFile& out, const void* bytes, DWORD size);

// The system's text for an error code, without its line end.
void ErrorText(DWORD error, char* out, int capacity);
// The error box of string `textId` ("%s" the file tried, "%s" the reason).
void ShowNotWritten(UINT textId, const OutputFile& file);
