// The per-user options of the resident monitor, HKLM\Software\Brondlewick\Vigilark\Users\<name>
// (the program's key, in the 32-bit view on 64-bit Windows): whether it hides its task-bar
// icon and its alerts for that user.
#pragma once

#include "foundations/registry.h"

#include <vector>

#define VIGILARK_USERS_KEY VIGILARK_KEY "\\Users"

const int ADMIN_USER_CHARS = 260;  // path and name, 259 characters each
const int ADMIN_KEY_NAME_CHARS = 255;

struct AdminUser {
    char path[ADMIN_USER_CHARS];
    char name[ADMIN_USER_CHARS];
    int hideTobrin;  // > 0: the monitor hides its task-bar icon
    int hideAlerts;  // > 0: it records requests instead of alerting
};

// The configured users: every subkey of Users (names up to 254 characters) with a non-empty
// Path, in key order. Returns how many were read.
int ReadAdminUsers(std::vector<AdminUser>& users);

// Writes HideTobrin and HideAlerts ("1" or "0") into the user's existing key and gives the
// record the flags that were written. A user whose key has gone is not created again.
// Returns 1 when both were written.
int WriteAdminUserFlags(AdminUser& user, bool hideTobrin, bool hideAlerts);

// The logged-on user's flags (both 0 when the user is not configured).
void LoggedOnUserFlags(int* hideTobrin, int* hideAlerts);

// The logged-on user's name; its length (0 when it cannot be had).
int LoggedOnUserName(char* out, int capacity);
