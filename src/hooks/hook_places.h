// The places of the system hooks and their shapes: what the listing and the removal share.
#pragma once

#include "foundations/handles.h"

#include <windows.h>

#include <string>
#include <vector>

enum HookShape {
    SHAPE_PROGRAMS,   // a comma list of programs in one value (Shell, Userinit)
    SHAPE_DLLS,       // a blank or comma list of DLLs in one value (AppInit_DLLs)
    SHAPE_SUBKEYS,    // one subkey per item, listed when it has the value (Notify, Active Setup)
    SHAPE_DEBUGGERS,  // one subkey per program, the item its value (Image File Execution Options)
    SHAPE_CLASSES,    // one value per item naming a class in its data or name (the Explorer objects)
};

struct HookPlace {
    int kind;           // of the native view
    HKEY hive;
    const char* key;
    const char* value;  // the value that makes an item; nullptr: every value of the key
    HookShape shape;
};

// The kinds (view included) whose places this system lists, in listing order: each place
// in its views, a key that the views share, and the user's hive, once.
std::vector<int> ListedHookKinds();

// The place of a hook kind of either view; nullptr for other kinds.
const HookPlace* HookPlaceOf(int kind);
// The hive of the kind in the kind's view (HKEY_CURRENT_USER has one view).
RegRoot HookRoot(int kind);
