// The patrol scheduler (see scheduler.h).
#include "monitor/scheduler.h"

#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/settings.h"

namespace {

const UINT_PTR kPlaceTimer = 1000;     // + place: its patrol time
const UINT_PTR kRetryTimer = 2000;     // + place: once more after a failed patrol
const UINT_PTR kSettingsTimer = 3000;  // the options looked at, where they cannot be watched
const UINT kRetryMs = 30 * 1000;
const UINT kSettingsPollMs = 60 * 1000;
const int kMostMinutes = 24 * 60;
const int kSettingsOwner = -2;

}  // namespace

void PatrolScheduler::Start(HWND window)
{
    window_ = window;
    ReadTimes();
    due_.assign(minutes_.size(), false);
    ArmTimersAndWatches();
    MarkAllDue();
}

void PatrolScheduler::Reload()
{
    std::vector<int> before = minutes_;
    ReadTimes();
    ArmTimersAndWatches();
    for (size_t place = 0; place < minutes_.size(); ++place)
        if (minutes_[place] > 0 && (place >= before.size() || before[place] <= 0)) MarkDue((int)place);
}

void PatrolScheduler::ReadTimes()
{
    minutes_.clear();
    for (int place = 0; place < PatrolPlaceCount(); ++place) {
        const PatrolPlace* row = PatrolPlaceAt(place);
        int minutes = GetOption(row->setting, row->defaultMinutes);
        minutes_.push_back(minutes > kMostMinutes ? kMostMinutes : minutes);
    }
}

void PatrolScheduler::ArmTimersAndWatches()
{
    watches_.Clear();
    if (watches_.Add(kSettingsOwner, {PatrolWatch::Key(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY)}) == 1)
        KillTimer(window_, kSettingsTimer);
    else
        SetTimer(window_, kSettingsTimer, kSettingsPollMs, nullptr);

    for (size_t place = 0; place < minutes_.size(); ++place) {
        if (minutes_[place] <= 0) {
            KillTimer(window_, kPlaceTimer + place);
            continue;
        }
        SetTimer(window_, kPlaceTimer + place, (UINT)minutes_[place] * 60 * 1000, nullptr);
        const PatrolPlace* row = PatrolPlaceAt((int)place);
        std::vector<PatrolWatch> watches;
        if (row->calls.watches) row->calls.watches(watches);
        watches_.Add((int)place, watches);
    }
}

bool PatrolScheduler::OnTimer(UINT_PTR id)
{
    if (id == kSettingsTimer) return true;  // the caller looks at the settings after every timer
    if (id >= kRetryTimer && id < kRetryTimer + minutes_.size()) {
        KillTimer(window_, id);
        MarkDue((int)(id - kRetryTimer));
        return true;
    }
    if (id >= kPlaceTimer && id < kPlaceTimer + minutes_.size()) {
        MarkDue((int)(id - kPlaceTimer));
        return true;
    }
    return false;
}

bool PatrolScheduler::OnChange(DWORD index)
{
    int owner = watches_.Signalled(index);
    if (owner == kSettingsOwner) return true;
    if (owner >= 0) MarkDue(owner);
    return false;
}

void PatrolScheduler::MarkAllDue()
{
    for (size_t place = 0; place < minutes_.size(); ++place)
        if (minutes_[place] > 0) MarkDue((int)place);
}

void PatrolScheduler::RetryLater(int place)
{
    if (place >= 0 && place < (int)minutes_.size()) SetTimer(window_, kRetryTimer + place, kRetryMs, nullptr);
}

bool PatrolScheduler::IsOn(int place) const
{
    return place >= 0 && place < (int)minutes_.size() && minutes_[place] > 0;
}

void PatrolScheduler::MarkDue(int place)
{
    if (place < 0 || place >= (int)due_.size() || !IsOn(place)) return;
    due_[place] = true;
    if (!stepPosted_) stepPosted_ = PostMessageA(window_, MSG_PATROL_STEP, 0, 0) != 0;
}

int PatrolScheduler::TakeDue()
{
    stepPosted_ = false;
    int next = -1;
    for (size_t place = 0; place < due_.size(); ++place) {
        if (!due_[place]) continue;
        if (next < 0) {
            next = (int)place;
            due_[place] = false;
        } else if (!stepPosted_) {
            stepPosted_ = PostMessageA(window_, MSG_PATROL_STEP, 0, 0) != 0;
        }
    }
    return next;
}
