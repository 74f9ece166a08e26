// Change notifications (see watches.h).
#include "monitor/watches.h"

namespace {

typedef LONG(WINAPI* RegNotifyFn)(HKEY, BOOL, DWORD, HANDLE, BOOL);

RegNotifyFn RegistryNotifier()
{
    static RegNotifyFn notify = reinterpret_cast<RegNotifyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegNotifyChangeKeyValue")));
    return notify;
}

const DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
const DWORD kFolderChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
const DWORD kMostHandles = MAXIMUM_WAIT_OBJECTS - 1;  // MsgWaitForMultipleObjects takes one for the messages

}  // namespace

void ChangeWatches::Close(const Armed& armed)
{
    if (armed.key) {
        RegCloseKey(armed.key);  // ends the notification
        CloseHandle(armed.event);
    } else {
        FindCloseChangeNotification(armed.event);
    }
}

void ChangeWatches::Clear()
{
    for (const Armed& armed : armed_) Close(armed);
    armed_.clear();
    handles_.clear();
}

bool ChangeWatches::Arm(const Armed& armed)
{
    if (!armed.key) return FindNextChangeNotification(armed.event) != 0;
    ResetEvent(armed.event);
    return RegistryNotifier()(armed.key, armed.subtree, kKeyChanges, armed.event, TRUE) == ERROR_SUCCESS;
}

int ChangeWatches::Add(int owner, const std::vector<PatrolWatch>& watches)
{
    int added = 0;
    for (const PatrolWatch& watch : watches) {
        if (handles_.size() >= kMostHandles) break;
        Armed armed = {owner, nullptr, nullptr, watch.subtree};
        if (!watch.folder.empty()) {
            armed.event = FindFirstChangeNotificationA(watch.folder.c_str(), FALSE, kFolderChanges);
            if (armed.event == INVALID_HANDLE_VALUE) continue;
        } else {
            if (!RegistryNotifier() ||
                RegOpenKeyExA(watch.hive, watch.subkey.c_str(), 0, KEY_NOTIFY, &armed.key) != ERROR_SUCCESS)
                continue;
            armed.event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            if (!armed.event || !Arm(armed)) {
                if (armed.event) CloseHandle(armed.event);
                RegCloseKey(armed.key);
                continue;
            }
        }
        armed_.push_back(armed);
        handles_.push_back(armed.event);
        ++added;
    }
    return added;
}

int ChangeWatches::Signalled(DWORD index)
{
    if (index >= armed_.size()) return -1;
    Armed armed = armed_[index];
    if (!Arm(armed)) {
        // A key deleted or a folder gone: left to the timers, never a handle that stays signalled.
        Close(armed);
        armed_.erase(armed_.begin() + index);
        handles_.erase(handles_.begin() + index);
    }
    return armed.owner;
}
