// Which Windows family the program runs on: the NT family and the Windows 95 family
// differ in process enumeration, delete-at-restart, the HOSTS file's place, the Services
// page and the resizable console.
#pragma once

// True on the Windows NT family (GetVersionExA reports VER_PLATFORM_WIN32_NT).
bool IsNtFamily();

// True on Windows 95 itself (the 95 family with minor version 0).
bool IsWindows95();
