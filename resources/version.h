/* version.h - version numbers of Vigilark Explorer and the Vigilark monitor.
 * The one place the version is set: the version resources include it, and CMake reads the
 * four numbers from it for the project, the manifest and the names of the downloads.
 * Included by the resource scripts and, where needed, by the C++ sources;
 * only #defines so that windres can read it. */
#ifndef VIGILARK_VERSION_H
#define VIGILARK_VERSION_H

#define VIGILARK_VERSION_MAJOR   5
#define VIGILARK_VERSION_MINOR   0
#define VIGILARK_VERSION_PATCH   0
#define VIGILARK_VERSION_BUILD   1

/* The same numbers as text, as ProductVersion and FileVersion show them ("5.0.0.1"). */
#define VIGILARK_VERSION_TEXT_(n) #n
#define VIGILARK_VERSION_TEXT(n)  VIGILARK_VERSION_TEXT_(n)
#define VIGILARK_VERSION_STRING                                                           \
    VIGILARK_VERSION_TEXT(VIGILARK_VERSION_MAJOR) "." VIGILARK_VERSION_TEXT(VIGILARK_VERSION_MINOR) "." \
    VIGILARK_VERSION_TEXT(VIGILARK_VERSION_PATCH) "." VIGILARK_VERSION_TEXT(VIGILARK_VERSION_BUILD)

#endif /* VIGILARK_VERSION_H */
