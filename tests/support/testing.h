// Helpers every test program shares: where test files go, scratch registry keys and
// files, and the paths of the program's executables.
#pragma once

#include <windows.h>
#include <string>

// The build's test-output folder as a Windows path (screenshots, logs).
std::string TestOutputPath(const char* name);

// A file beside the test program (the executables and help pages are there too).
std::string BesideTestProgram(const char* name);

// Deletes a key and everything below it; true when it is gone afterwards.
bool DeleteRegTree(HKEY hive, const char* subkey);
inline bool DeleteRegTree(HKEY hive, const std::string& subkey) { return DeleteRegTree(hive, subkey.c_str()); }

// Writes a REG_SZ value, creating the key; true on success.
bool PutRegString(HKEY hive, const char* subkey, const char* name, const char* text);

// Reads a REG_SZ value of any length; "<missing>" when it does not exist.
std::string GetRegString(HKEY hive, const char* subkey, const char* name);
bool RegValuePresent(HKEY hive, const char* subkey, const char* name);

// Whole-file helpers.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
std::string ReadWholeFile(const std::string& path);

// Waits until the predicate holds or the time runs out, pumping this thread's messages.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

// Saves what the screen shows of a window (the whole screen for NULL) as a BMP file in
// the test-output folder.
bool SaveScreenshot(HWND window, const char* name);
