// The resident monitor's alerts: one topmost window for one finding at a time, the others
// queued behind it (never a stack of windows). A choice is carried out through the subject;
// when it cannot be, the alert says so and stays.
#pragma once

#include "monitor/patrol_round.h"

#include <windows.h>

// Sent to the monitor's window when an alert closed or the queue changed (the tooltip counts).
const UINT MSG_ALERTS_CHANGED = WM_APP + 21;

// Queues the finding; the first opens at once.
void QueueAlert(HWND monitor, const Finding& finding);
// Findings not decided yet, the one showing included.
int AlertsWaiting();
// Brings the alert that is showing to the front (or opens the next).
void ShowAlerts(HWND monitor);
// The alert window, or NULL (for the message loop's dialog keys).
HWND AlertWindow();
// Closes the alert and forgets the queue (the monitor ends).
void CloseAlerts();
