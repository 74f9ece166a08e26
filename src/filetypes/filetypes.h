// File-type associations: which program Windows opens an extension with, the monitored list
// and the snapshot of it that the resident monitor compares against (the keys Class, Ext and
// ExtType under the program's key), and the entries the File Types page and the report show.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Capacities, terminator included.
const int FILETYPE_CLASS_CHARS = 256;
const int FILETYPE_COMMAND_CHARS = 260;
const int FILETYPE_LIST_CHARS = 1024;   // the monitored list as read
const int FILETYPE_LIST_LIMIT = 1020;   // Add keeps list + extension within this

// Where an association was found (the value of a file-type entry, ExtType in the snapshot).
enum AssociationKind {
    ASSOCIATION_NONE = 0,         // no class, or a class without open or play command
    ASSOCIATION_OPEN = 1,         // HKLM\Software\Classes\<class>\shell\open\command
    ASSOCIATION_PLAY = 2,         // ...\shell\play\command
    ASSOCIATION_APPLICATION = 3,  // the user's chosen application (FileExts value Application)
    ASSOCIATION_PROGID = 4,       // the user's ProgID (FileExts value ProgID)
};

// The class (FILETYPE_CLASS_CHARS) and command (FILETYPE_COMMAND_CHARS) of an extension
// given with or without its dot; returns the association kind.
int ResolveAssociation(const char* extension, char* className, char* command);

// The icon of an extension's file type: the DefaultIcon file and index of its class (non-zero
// result), else the command in iconFile with index 0 (result 0: the caller takes the
// program's own icon).
int IconSource(const char* extension, std::string& iconFile, int* index);

// The Command column: the file name of the command's program in upper case, "Executable" or
// "No Associated File".
void FileTypeProgramName(const char* command, char* out, int capacity);

// One monitored extension as the registry associates it now.
struct MonitoredType {
    std::string extension;   // with its dot
    std::string className;   // the class the association names: snapshot and in-use test
    std::string command;
    int kind = ASSOCIATION_NONE;
    std::string title;       // the class's description, else the program's product name
    std::string shownClass;  // the class, or the program's file description when the class has no description
};
// Every extension of the monitored list with a usable association, in list order. Without
// describe, title and shownClass stay empty (no version resource is read).
std::vector<MonitoredType> ReadMonitoredTypes(bool describe);

// Refills the shared entry list (kind 400: title, path = command, extra = shown class,
// detail = extension, value = association kind); the number of entries.
int EnumerateMonitoredTypes();

// Creates the snapshot with the default monitored list unless it exists.
void CreateFileTypeSnapshot();

// Makes the type's association as it is now the snapshot's (with its exact copy).
void WriteSnapshotOf(const MonitoredType& type);
// Whether the snapshot holds this class and command for the type's extension; *recorded
// tells whether it holds the extension at all.
bool SnapshotMatches(const MonitoredType& type, bool* recorded);

// Adds the extension as typed: 0, or the string id of the refusal (761 no such file type,
// 762 already monitored, 763 list full).
UINT AddMonitoredType(const char* typed);

// Removes the extension (without its dot) from the list and the snapshot, and the class's
// command when no monitored extension uses that class any more. Always 1.
int RemoveMonitoredType(const char* extension);

// 1 when a monitored extension is associated with the class (ignoring case), else 0.
int IsClassInUse(const char* className);

// The file-type kind's part of the Properties dialog and the report's section.
void InstallFileTypeProperties();
void InstallFileTypeReport();
