// Helpers every test program shares: paths, registry keys put back after a test, whole
// files, programs run and windows closed, and waiting on a condition.
#pragma once

#include "foundations/registry.h"

#include <windows.h>

#include <string>
#include <vector>

std::string ThisProgram();
// A file beside the test program (the executables and help pages are there too).
std::string BesideTestProgram(const char* name);
std::string TempPath(const std::string& name);

// Deletes a key with everything below it.
void DeleteRegTree(HKEY hive, const std::string& subkey);
// Writes a string value (REG_SZ unless told), creating the key; true on success.
bool PutRegString(HKEY hive, const std::string& subkey, const char* name, const std::string& text, DWORD type = REG_SZ);
// A string value as stored; "<missing>" when it does not exist.
std::string GetRegString(HKEY hive, const std::string& subkey, const char* name);
// Every value (name, type, bytes in hex) and subkey of a key, recursively and sorted, as one
// text; "<missing>" when the key does not open.
std::string DumpRegTree(HKEY hive, const std::string& subkey);

bool WriteWholeFile(const std::string& path, const std::string& bytes);
std::string ReadWholeFile(const std::string& path);
bool Exists(const std::string& path);
// The pieces of a text between separators; a text that ends in one ends in an empty piece.
std::vector<std::string> Split(const std::string& text, const std::string& separator);
// The history file of the program (beside the test program and the console alike).
std::string HistoryFile();

// The first entry of the list with this title (any case; any title for "") and, when given,
// this path (any case); -1 when there is none.
int FindEntryIndex(const std::string& title, const std::string& path = "");

// Runs a command line and waits for it: its exit code, or -1 when it did not start or end.
int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);
// Sends each top-level window of the class the message (WM_CLOSE unless told) and waits for
// its process to end, ending it after timeoutMs; how many ended of their own accord.
int CloseWindowsOfClass(const char* className, UINT message = WM_CLOSE, WPARAM wParam = 0, DWORD timeoutMs = 10000);

// Makes sure a key exists and remembers its values; at the end puts exactly those back,
// or removes the part of its path that had to be made, with everything below it.
class SavedKey {
public:
    SavedKey(HKEY hive, std::string subkey);
    ~SavedKey();
    SavedKey(const SavedKey&) = delete;
    SavedKey& operator=(const SavedKey&) = delete;
    void Clear() const;  // removes every value of the key now

private:
    HKEY hive_;
    std::string subkey_, made_;
    std::vector<RegValue> values_;
};

// Puts a whole key back at the end of a test, every subkey and value as it was (or removes
// it when it did not exist); the copy is kept under a scratch key meanwhile.
class SavedTree {
public:
    SavedTree(HKEY hive, std::string subkey);
    ~SavedTree();
    SavedTree(const SavedTree&) = delete;
    SavedTree& operator=(const SavedTree&) = delete;

private:
    HKEY hive_;
    std::string subkey_, copy_;
    bool existed_;
};

// The first visible top-level window of a class ("#32770" a dialog, "#32768" a menu) that
// belongs to the process, or with processId 0 to the thread, other than `except`; else NULL.
HWND FindVisibleWindow(const char* className, DWORD processId, DWORD threadId = 0, HWND except = nullptr);

// Waits until the predicate holds or the time runs out, pumping this thread's messages.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeoutMs = 10000)
{
    for (DWORD start = GetTickCount(); !predicate(); Sleep(20)) {
        if (GetTickCount() - start > timeoutMs) return false;
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    }
    return true;
}
