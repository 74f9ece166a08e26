// When each place is patrolled: once when the monitor starts, then every patrol time (a
// timer on the monitor's window), and at once when one of its watches reports a change.
// Timers and notifications only mark a place as due; the window is sent one step message
// at a time and patrols one due place per message.
#pragma once

#include "monitor/watches.h"

#include <windows.h>

#include <vector>

// The step message the scheduler posts to the monitor's window.
const UINT MSG_PATROL_STEP = WM_APP + 20;

class PatrolScheduler {
public:
    // Reads the patrol times, arms the timers and the watches; every place that is on is due.
    void Start(HWND window);
    // The patrol times read again (after "Update"); a place turned on is due at once.
    void Reload();
    // A timer of the scheduler fired; false when the id is not one of its timers.
    bool OnTimer(UINT_PTR id);
    // The watch at `index` of Watches() was signalled. True when it was the options key (the
    // caller then looks whether the settings changed).
    bool OnChange(DWORD index);
    // "Patrol Now": every place that is on.
    void MarkAllDue();
    // A place that could not be read is tried again a little later.
    void RetryLater(int place);
    // The next due place (no longer due), -1 when none. Posts the next step when more wait.
    int TakeDue();
    // Whether a place is on (patrol time above 0).
    bool IsOn(int place) const;

    const ChangeWatches& Watches() const { return watches_; }

private:
    void ReadTimes();
    void ArmTimersAndWatches();
    void MarkDue(int place);

    HWND window_ = nullptr;
    std::vector<int> minutes_;
    std::vector<bool> due_;
    ChangeWatches watches_;
    bool stepPosted_ = false;
};
