// What the resident monitor patrols of the running programs: a program on the black list
// (a value with data under the program's Blacklist key) is ended whenever it runs, through
// the console's own EndProgram, which writes the history line and the kill's outcome into
// the program's black-list value.
#pragma once

// Puts the black-list place into the monitor's table.
void InstallBlacklistPatrol();
