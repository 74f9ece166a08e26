// The resident monitor's HOSTS place (see hosts_patrol.h).
#include "options/hosts_patrol.h"

#include "foundations/entries.h"
#include "foundations/file_replace.h"
#include "foundations/paths.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/text.h"
#include "history/history.h"
#include "options/sound.h"
#include "options/system_files.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

const char kHostFileKey[] = VIGILARK_KEY "\\HostFile";

bool RecordPath(char* out, int capacity)
{
    char directory[MAX_PATH];
    if (ProgramDirectory(directory, sizeof directory) == 0) return false;
    return FormatText(out, (size_t)capacity, "%s\\HOSTS.saved", directory) < (size_t)capacity - 1;
}

// Tells two states of the file apart in one line (FNV-1a of the bytes).
std::string Fingerprint(const std::string& bytes)
{
    unsigned hash = 2166136261u;
    for (unsigned char c : bytes) hash = (hash ^ c) * 16777619u;
    char text[64];
    FormatText(text, sizeof text, "%u bytes %08x", (unsigned)bytes.size(), hash);
    return text;
}

// The file replaced by a complete copy of the bytes, its attributes (the lock is read-only)
// kept: a read-only file would refuse to be replaced.
bool PutFileBytes(const char* path, const std::string& bytes)
{
    DWORD attributes = GetFileAttributesA(path);
    bool had = attributes != INVALID_FILE_ATTRIBUTES;
    if (had) SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    DWORD error = 0;
    bool put = ReplaceFileBytes(path, bytes, &error);
    if (had) SetFileAttributesA(path, attributes);
    return put;
}

bool WriteRecord(const std::string& bytes)
{
    char record[MAX_PATH];
    return RecordPath(record, sizeof record) && PutFileBytes(record, bytes);
}

// The lock is the file's read-only attribute; the user's wish is put back when it was lost.
void KeepLock()
{
    char wish[8];
    if (ReadRegString(HKEY_CURRENT_USER, kHostFileKey, "Locked", wish, sizeof wish) > 0 && wish[0] == '1' &&
        HostsLock(HOSTS_QUERY) == 0)
        HostsLock(HOSTS_LOCK);
}

bool CollectLive(std::vector<PatrolItem>& live)
{
    char hosts[MAX_PATH];
    char record[MAX_PATH];
    if (HostsPath(hosts, sizeof hosts) == 0 || !RecordPath(record, sizeof record)) return false;
    KeepLock();
    std::string now;
    std::string recorded;
    bool there = ReadFileBytes(hosts, now);
    if (!there && FileExists(hosts)) return false;  // held by another program: tried again later
    if (!ReadFileBytes(record, recorded)) {
        // The first patrol: what is there now is the record.
        return WriteRecord(now);
    }
    PatrolItem item;
    item.title = "HOSTS";
    item.command = hosts;
    item.location = hosts;
    item.kind = KIND_HOSTS_FILE;
    item.identity = Fingerprint(now);
    item.extra = Fingerprint(recorded);
    item.known = now == recorded;
    item.changed = true;
    live.push_back(item);
    return true;
}

void RecordKnown(const PatrolItem& item)
{
    std::string now;
    if (ReadFileBytes(item.command.c_str(), now)) WriteRecord(now);
}

unsigned Choices(const PatrolItem&) { return CHOICE_RESTORE; }

bool Act(const PatrolItem& item, unsigned choice)
{
    char record[MAX_PATH];
    std::string recorded;
    if (choice != CHOICE_RESTORE || !RecordPath(record, sizeof record) || !ReadFileBytes(record, recorded)) return false;
    return PutFileBytes(item.command.c_str(), recorded);
}

void Watches(std::vector<PatrolWatch>& out)
{
    char hosts[MAX_PATH];
    char folder[MAX_PATH];
    if (HostsPath(hosts, sizeof hosts) == 0 || DirectoryPart(hosts, folder, sizeof folder) == 0) return;
    out.push_back(PatrolWatch::Folder(folder));
}

}  // namespace

void RecordHostsLockWish(bool locked)
{
    CreateRegKey(HKEY_CURRENT_USER, kHostFileKey);
    SetRegString(HKEY_CURRENT_USER, kHostFileKey, "Locked", locked ? "1" : "0");
}

void InstallHostsPatrol()
{
    PatrolPlace place = DescribePlace(7, "HostFile", "HostFile", 3);
    place.titleId = IDS_ALERT_HOSTS;
    place.sound = SOUND_STARTUP_ALERT;
    place.history = {ACTION_MONITOR_ALERT, -1, ACTION_MONITOR_RESTORE};
    place.calls = {CollectLive, RecordKnown, Choices, Act, Watches};
    AddPatrolPlace(place);
}
