// Reading each file once per list fill. A fill names the same program on many rows and the
// same folders in many paths, and every read of a version resource or of a path's long or
// short form goes to the disk (under some systems a millisecond each). While a FillMemo
// lives, such answers are read the first time they are asked for and then given from
// memory; when the outermost FillMemo ends they are all forgotten, so the next fill sees the
// files as they are then. Only the thread that opened the memo uses it; other threads, and
// code running outside a fill, read as before.
#pragma once

#include "foundations/version_info.h"

#include <windows.h>
#include <unknwn.h>

#include <string>

class FillMemo {
public:
    FillMemo();
    ~FillMemo();
    FillMemo(const FillMemo&) = delete;
    FillMemo& operator=(const FillMemo&) = delete;

private:
    bool counted_ = false;  // false for a memo opened by a thread that does not own it
};

// True while a FillMemo of this thread is open.
bool FillMemoOpen();

// For ReadVersionFields: the remembered fields and result of a file (any case of its name);
// false when no memo is open on this thread or the file was not read yet.
bool RecallVersionFields(const char* file, VersionFields* fields, int* result);
void RememberVersionFields(const char* file, const VersionFields& fields, int result);

// Any other answer, by a key its reader makes unique (e.g. "long|" and the path).
bool RecallText(const std::string& key, std::string& text);
void RememberText(const std::string& key, const std::string& text);

// An object a reader keeps for the rest of the fill (one shell link object for every
// shortcut), by a key its reader makes unique; released when the outermost FillMemo ends.
// RecallObject gives a reference of the caller's own, or nullptr when none is kept;
// RememberObject keeps a reference of its own, and nothing when no memo is open.
IUnknown* RecallObject(const std::string& key);
void RememberObject(const std::string& key, IUnknown* object);
