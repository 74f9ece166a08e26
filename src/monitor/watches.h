// Change notifications for the resident monitor: registry keys (RegNotifyChangeKeyValue,
// looked up at run time because the Windows 95 family lacks it) and folders
// (FindFirstChangeNotification). Each armed watch is an event handle the message loop waits
// on; a signalled one is armed again and tells which place it belongs to.
#pragma once

#include "foundations/patrol_places.h"

#include <windows.h>

#include <vector>

class ChangeWatches {
public:
    ChangeWatches() = default;
    ~ChangeWatches() { Clear(); }
    ChangeWatches(const ChangeWatches&) = delete;
    ChangeWatches& operator=(const ChangeWatches&) = delete;

    void Clear();
    // Arms what it can of the watches for `owner` (a place position, or any number the caller
    // chooses); a key that does not open or a system without notifications is left to the
    // timers. Returns how many were armed.
    int Add(int owner, const std::vector<PatrolWatch>& watches);
    // The handles to wait on (never more than one wait can take besides the messages).
    DWORD Count() const { return (DWORD)handles_.size(); }
    const HANDLE* Handles() const { return handles_.empty() ? nullptr : handles_.data(); }
    // The watch at `index` was signalled: arms it again and returns its owner.
    int Signalled(DWORD index);

private:
    struct Armed {
        int owner;
        HANDLE event;  // the notification handle of a folder, an event of a key
        HKEY key;      // nullptr for a folder
        bool subtree;
    };
    bool Arm(const Armed& armed);
    static void Close(const Armed& armed);
    std::vector<Armed> armed_;
    std::vector<HANDLE> handles_;
};
