// The five text fields of a program file's version resource, by which every list helps
// the user judge a program.
#pragma once

const int VERSION_FIELD_CHARS = 128;      // each field: at most 127 characters
const int VERSION_INFO_MAX_BYTES = 4095;  // larger version resources are not read

struct VersionFields {
    char productName[VERSION_FIELD_CHARS];
    char productVersion[VERSION_FIELD_CHARS];
    char companyName[VERSION_FIELD_CHARS];
    char fileDescription[VERSION_FIELD_CHARS];
    char legalCopyright[VERSION_FIELD_CHARS];
};

// Reads the fields of the file; all five are empty when the file has no usable version
// resource. Each translation is read in table order and a later one overwrites what an
// earlier gave. 1 when ProductName is not empty, else 0.
int ReadVersionFields(const char* file, VersionFields* fields);

// The file's FileDescription as ReadVersionFields finds it (empty when none); its length.
int FileDescriptionOf(const char* file, char* out, int capacity);
