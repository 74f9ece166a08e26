// User-visible texts and string tests with fixed limits.
#pragma once

#include <windows.h>

// The module whose string table LoadText reads (the program, or a test program
// that links the same resources).
void SetAppInstance(HINSTANCE instance);
HINSTANCE AppInstance();

// The text with string-table id `id`, unless HKLM\Software\Brondlewick\Vigilark (in the
// 32-bit view on 64-bit Windows) holds an override "LString<id>" (where "%n" stands for a
// line break). Returns its length.
int LoadText(UINT id, char* out, int capacity);
template <size_t N> inline int LoadText(UINT id, char (&out)[N]) { return LoadText(id, out, (int)N); }

// Formats the text of string `id` with the arguments, whose printf conversions are
// `conversions` (e.g. "s"). An override whose directives are not exactly those is
// never used as a format (one registry value must not be able to read or write the
// stack): the built-in text is used instead. Returns the length stored.
size_t FormatLoadedText(char* out, size_t capacity, UINT id, const char* conversions, ...);

// Sets the dialog control's text to string `id` when that text is not empty.
void SetItemTextById(HWND dialog, UINT id, int control);

// 1 when word occurs in text, ignoring case. Texts longer than 512 characters are not
// searched (trace record "INMYSTRINGOVERFLOW!!!!").
int ContainsNoCase(const char* text, const char* word);

// Reduces a command to the upper-case program path used for comparisons:
// "\??\c:\x\y.dll,Entry" gives "C:\X\Y.DLL". A command that begins with "\SystemRoot\",
// "SystemRoot\" or "%SystemRoot%\" (any case, after an opening quote) names a file of the
// Windows folder; the name anywhere else is left as it is. Returns the length stored.
int CanonicalProgramPath(const char* command, char* out, int capacity);
// The number of characters before the backslash that follows a leading SystemRoot name
// (the opening quote included), 0 when the command does not begin with one.
size_t SystemRootPrefixLength(const char* command);
// The same path in the case it was written in: the name to open the file by. (A file
// system that keeps case finds a name given in its own case without searching the folder.)
int ProgramPathAsWritten(const char* command, char* out, int capacity);

// The default web browser: 1 Internet Explorer (also the fallback), 2 Netscape,
// 4 Maxthon, 5 Avant, 6 Mozilla-based.
int BrowserKind();
// The default web browser's program as BrowserKind reads it (the HTTP open command without
// quotes and switches, else Internet Explorer's App Paths folder + "\IExplore.exe").
int DefaultBrowserProgram(char* out, int capacity);

// "MM/DD/YYYY  h:MM AM" (or PM) from a SYSTEMTIME; string 686 "Never" for a zero date.
int FormatDateText(const SYSTEMTIME* time, char* out, int capacity);
