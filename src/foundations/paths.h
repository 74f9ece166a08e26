// Paths of the program's own files, path pieces and small file helpers.
#pragma once

#include <windows.h>

#include <string>

// The directory of the program file, without a trailing backslash; its length, or 0.
int ProgramDirectory(char* out, int capacity);

// The settings file "Vigilark.ini" beside the program (out untouched when string 4 is missing).
void SettingsFilePath(char* out, int capacity);

// The text after the last backslash (a backslash in the first position does not count);
// its length, or 0 with out untouched when there is none.
int FileNamePart(const char* path, char* out, int capacity);

// The text before the last backslash (paths of at most 259 characters); its length or 0.
int DirectoryPart(const char* path, char* out, int capacity);

// Index of the character after the last backslash, 0 when there is none after the first.
int FileNameOffset(const char* path);

// Copies without double quotes (at most 511 characters).
void StripQuotes(const char* text, char* out, int capacity);

// Copies with every "=" replaced by ":" (registry value names of the known-programs list).
void ColonForEquals(const char* text, char* out, int capacity);

// Appends a backslash in place unless the text already ends with one.
void AddBackslash(char* path, int capacity);

// Removes a trailing backslash in place; with keepRoot, "C:\" stays as it is.
void RemoveBackslash(char* path, int keepRoot);

// Clears read-only, hidden and system, then deletes; true when the file is gone.
bool ForceDeleteFile(const char* path);

// 1 when the program file exists as named, or (for names under 32 characters) in the
// Windows or the system directory; in the last case name becomes that short path.
int FindProgramFile(char* name, int capacity);

// True when a file (not a folder) of that name exists.
bool FileExists(const char* path);

// Reads a text file for display with every line feed preceded by a carriage return.
// At most *size bytes are read; *size becomes the converted length minus one.
// Returns a block to free with FreeTextFile, or nullptr when nothing could be read.
char* LoadTextFile(const char* name, DWORD* size);
void FreeTextFile(char* text);

// Seconds since 1 January 1970 UTC to local calendar time.
void UnixTimeToLocal(DWORD seconds, SYSTEMTIME* out);

// Copies with every blank written as "%20"; returns the length stored.
int EscapeSpaces(const char* text, char* out, int capacity);
