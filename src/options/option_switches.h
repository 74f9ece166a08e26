// The Options page's check boxes as switches: what each one shows and what a click on it
// changes, callable without the page.
#pragma once

#include <windows.h>

// True for the check boxes of the Options page (1017, 1020, 1024, 1026, 1027).
bool IsOptionSwitch(int control);

// Whether the switch is on now: its setting in the console's copy, the presence of the
// monitor's value in the machine's Run key, or the HOSTS file's read-only attribute.
bool OptionSwitchOn(int control);

// Whether the switch can be changed at all: the HOSTS lock needs a HOSTS file.
bool OptionSwitchAvailable(int control);

// Turns the switch on or off, then writes every setting (SaveOptions). Returns whether
// the switch is on afterwards, which is what the check box should show.
bool SetOptionSwitch(int control, bool on);
