// The Options page's switches (see option_switches.h).
#include "options/option_switches.h"

#include "foundations/settings.h"
#include "options/hosts_patrol.h"
#include "options/system_files.h"
#include "resource.h"
#include "startup/startup_actions.h"

namespace {

bool SoundOn() { return CurrentOptions().sound != 0; }
void SetSound(bool on) { CurrentOptions().sound = on ? 1 : 0; }
bool HistoryOn() { return CurrentOptions().history > 0; }
void SetHistory(bool on) { CurrentOptions().history = on ? 1 : 0; }
bool ConfirmExitOn() { return CurrentOptions().confirmExit > 0; }
void SetConfirmExit(bool on) { CurrentOptions().confirmExit = on ? 1 : 0; }

// The monitor starts with Windows exactly when its Run value is there; another program
// (or the monitor) may have changed that since the console started.
bool AutostartOn() { return MonitorRunValueExists(); }
void SetAutostart(bool on) { SetMonitorAutostart(on); }

bool HostsLocked() { return HostsLock(HOSTS_QUERY) == 1; }
bool HostsFileThere() { return HostsLock(HOSTS_QUERY) != HOSTS_MISSING; }
// The box's new state is the wish, not a flip of the file's state: the monitor or the user
// may have changed the attribute while the page was showing.
void SetHostsLock(bool on)
{
    HostsLock(on ? HOSTS_LOCK : HOSTS_UNLOCK);
    RecordHostsLockWish(on);  // the monitor puts the lock back when it is lost
}

bool Always() { return true; }

struct Switch {
    int control;
    bool (*isOn)();
    void (*set)(bool on);
    bool (*available)();
};

const Switch kSwitches[] = {
    {IDC_AUTORUN, AutostartOn, SetAutostart, Always},
    {IDC_PLAY_SOUNDS, SoundOn, SetSound, Always},
    {IDC_TRACK_HISTORY, HistoryOn, SetHistory, Always},
    {IDC_LOCK_HOSTS, HostsLocked, SetHostsLock, HostsFileThere},
    {IDC_CONFIRM_EXIT, ConfirmExitOn, SetConfirmExit, Always},
};

const Switch* FindSwitch(int control)
{
    for (const Switch& row : kSwitches)
        if (row.control == control) return &row;
    return nullptr;
}

}  // namespace

bool IsOptionSwitch(int control) { return FindSwitch(control) != nullptr; }

bool OptionSwitchOn(int control)
{
    const Switch* row = FindSwitch(control);
    return row && row->isOn();
}

bool OptionSwitchAvailable(int control)
{
    const Switch* row = FindSwitch(control);
    return row && row->available();
}

bool SetOptionSwitch(int control, bool on)
{
    const Switch* row = FindSwitch(control);
    if (!row) return false;
    if (row->available()) row->set(on);
    SaveOptions();
    return row->isOn();
}
