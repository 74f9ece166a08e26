// Records made on the first run, so the resident monitor later reports only what is new.
// They visit every subject, so they live here, above all of them.
#pragma once

// Marks what starts automatically today as known and puts the resident monitor into the
// machine's Run key.
void RecordInitialData();

// Installs the cookie filter words: those of "Vigilark.ini" [Nuts], else these defaults.
void ImportFilterWords();
extern const char* const kDefaultFilterWords[14];
