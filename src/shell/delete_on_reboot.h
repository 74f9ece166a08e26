// Delete File on Reboot, as the list pages offer it.
#pragma once

#include <windows.h>

// For the selected row's program file: message 57 without a selection; a refusal, before
// anything is asked, when there is no such file (the system would take the request and
// do nothing); else the question (text 800, naming the file) and, on Yes, the request,
// with a message when the system refuses it.
void OfferDeleteOnReboot(HWND list);
