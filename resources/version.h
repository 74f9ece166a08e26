/* version.h - version numbers of Vigilark Explorer and the Vigilark monitor.
 * Included by the resource scripts and, where needed, by the C++ sources;
 * only #defines so that windres can read it. */
#ifndef VIGILARK_VERSION_H
#define VIGILARK_VERSION_H

#define VIGILARK_VERSION_MAJOR   5
#define VIGILARK_VERSION_MINOR   0
#define VIGILARK_VERSION_PATCH   0
#define VIGILARK_VERSION_BUILD   1

/* The same numbers as text, as ProductVersion and FileVersion show them. */
#define VIGILARK_VERSION_STRING  "5.0.0.1"

#endif /* VIGILARK_VERSION_H */
