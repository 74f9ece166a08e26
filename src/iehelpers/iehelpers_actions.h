// Changes to Internet Explorer add-ons and their undo.
#pragma once

// Registers the add-on's server again with "regsvr32 /s" (the path quoted when it holds
// a blank); 1 when regsvr32 was started.
int RegisterServerAgain(const char* command);

// Puts this subject's undo into the history's table: a removed add-on is registered again.
void InstallIeHelperUndo();
