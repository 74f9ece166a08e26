// Records made on the first run, so the resident monitor later reports only what is new.
#pragma once

// Marks every current startup entry as known and puts the resident monitor into the
// machine's Run key.
void RecordInitialData();

// Installs the cookie filter words: those of "Vigilark.ini" [Nuts], else the defaults.
void ImportFilterWords();
