// Internet Explorer add-ons from the machine-wide registry: browser helper objects,
// toolbars and toolbar-button extensions, with the program file behind each.
#pragma once

#include "foundations/system_view.h"

#include <string>
#include <vector>

#define IE_BHO_KEY       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects"
#define IE_TOOLBAR_KEY   "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar"
#define IE_EXTENSION_KEY "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions"

// One add-on as an entry of the entry list gets it.
struct IeHelper {
    std::string title;   // ProductName of its file, else the file name (or button text)
    std::string path;    // in-process server, or an extension's Exec (or script), as FileOfView names it
    std::string extra;   // class id as the registry names it
    std::string detail;  // ProductVersion; for an extension its HotIcon, else the path
    int kind = 0;        // KIND_TYPE_BHO, KIND_TYPE_TOOLBAR or KIND_TYPE_EXTENSION, or their 32-bit-view kinds
};

// Every add-on now registered, helpers first, then toolbars, then extensions, each in the
// registry's order (on 64-bit Windows those of the native view before those of the 32-bit).
void CollectIeHelpers(std::vector<IeHelper>& helpers);

// Refills the entry list with the add-ons; the number added.
int EnumerateIeHelpers();

// The class's name and in-process server from HKEY_CLASSES_ROOT\CLSID of the view, each
// empty when missing. A class id without braces gets them.
void GetClassServer(const char* classId, std::string& className, std::string& server,
                    RegistryView view = VIEW_NATIVE);

// The HKEY_LOCAL_MACHINE key a kind is registered under (in the kind's view); nullptr for
// other kinds.
const char* IeHelperRegistryKey(int kind);
// "BHO", "TOOLBAR" or "EXTENSION" for either view; empty for other kinds.
const char* IeHelperTypeText(int kind);
// The type as the page shows it: with " (32-bit)" for the 32-bit view. Its length.
int IeHelperTypeLabel(int kind, char* out, int capacity);

// Location lines: "Location: HKLM\<key>" for the page's status bar, and
// "Location: "HKLM\<key>"" for the Properties dialog, each followed by " (32-bit)" for
// that view; empty for other kinds. Their length.
int IeHelperStatusText(int kind, char* out, int capacity);
int IeHelperLocationLine(int kind, char* out, int capacity);
// The report's location text of an entry: where Internet Explorer keeps that kind.
int IeHelperLocationText(int index, char* out, int capacity);

// First-run record: every add-on's title = kind code under the program's IEHelpers key.
void RecordKnownIeHelpers();
