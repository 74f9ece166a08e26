// The monitor's System Hooks place (see hooks_patrol.h).
#include "hooks/hooks_patrol.h"

#include "foundations/entries.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "history/history.h"
#include "hooks/hook_places.h"
#include "hooks/hooks.h"
#include "options/sound.h"
#include "resource.h"

#include <vector>

namespace {

const char kKnownKey[] = HOOKS_KNOWN_KEY;
const char kValuesKey[] = VIGILARK_KEY "\\HookValues";
const char kValuePrefix[] = "value|";

// The Winlogon values the patrol compares as a whole, each by its kind keyword.
std::vector<int> ValueKinds()
{
    std::vector<int> kinds;
    for (int kind : ListedHookKinds())
        if (RestoresDefault(kind)) kinds.push_back(kind);
    return kinds;
}

bool ReadPlaceValue(int kind, std::string& data, DWORD* type)
{
    const HookPlace* place = HookPlaceOf(kind);
    return ReadRegRaw(HookRoot(kind), place->key, place->value, data, type);
}

// The record of one value: its bytes and type; an absent record names an absent value.
void RecordValue(int kind)
{
    std::string data;
    DWORD type = 0;
    CreateRegKey(HKEY_CURRENT_USER, kValuesKey);
    if (ReadPlaceValue(kind, data, &type))
        WriteRegRaw(HKEY_CURRENT_USER, kValuesKey, KindKeyword(kind), data, type);
    else
        DeleteRegValue(HKEY_CURRENT_USER, kValuesKey, KindKeyword(kind));
}

void CollectValues(std::vector<PatrolItem>& live)
{
    if (!RegKeyExists(HKEY_CURRENT_USER, kValuesKey)) RecordHookValues();  // nothing recorded yet: today is the record
    for (int kind : ValueKinds()) {
        std::string now, then;
        DWORD nowType = 0, thenType = 0;
        bool present = ReadPlaceValue(kind, now, &nowType);
        bool recorded = ReadRegRaw(HKEY_CURRENT_USER, kValuesKey, KindKeyword(kind), then, &thenType);
        PatrolItem item;
        item.kind = kind;
        item.identity = std::string(kValuePrefix) + KindKeyword(kind);
        const HookPlace* place = HookPlaceOf(kind);
        item.title = place->value;
        RegDataText(now, nowType, item.command);
        item.location = HookLocationText(kind, place->key) + "\\" + place->value;
        item.known = true;
        item.changed = present != recorded || (present && (now != then || nowType != thenType));
        live.push_back(item);
    }
}

bool CollectLive(std::vector<PatrolItem>& live)
{
    KnownList known;
    // Installed over a version without this place: what is there today is the record.
    if (!LoadKnownHooks(known)) {
        RecordKnownHooks();
        LoadKnownHooks(known);
    }
    for (int index = 0, count = EnumerateSystemHooks(); index < count; ++index) {
        if (RestoresDefault(GetEntryKind(index))) continue;  // the value as a whole is compared below
        PatrolItem item = EntryPatrolItem(index);
        item.identity = HookIdentity(index);
        item.known = known.Has(item.identity);
        item.location = HookLocationText(item.kind, item.extra.c_str());
        live.push_back(item);
    }
    FreeEntries();
    CollectValues(live);
    return true;
}

bool IsValueItem(const PatrolItem& item) { return item.identity.compare(0, sizeof kValuePrefix - 1, kValuePrefix) == 0; }

void RecordKnown(const PatrolItem& item)
{
    if (IsValueItem(item))
        RecordValue(item.kind);
    else
        KnownList::Record(HKEY_CURRENT_USER, kKnownKey, item.identity, item.kind);
}

unsigned Choices(const PatrolItem& item) { return IsValueItem(item) ? CHOICE_RESTORE | CHOICE_ACCEPT : CHOICE_REMOVE; }

// The recorded value written back exactly (or the value taken away that was not there).
bool RestoreValue(const PatrolItem& item)
{
    const HookPlace* place = HookPlaceOf(item.kind);
    std::string then;
    DWORD type = 0;
    RegRoot root = HookRoot(item.kind);
    if (!ReadRegRaw(HKEY_CURRENT_USER, kValuesKey, KindKeyword(item.kind), then, &type))
        return DeleteRegValue(root, place->key, place->value) != 0;
    return CreateRegKey(root, place->key) && WriteRegRaw(root, place->key, place->value, then, type);
}

bool Act(const PatrolItem& item, unsigned choice)
{
    if (choice == CHOICE_RESTORE && IsValueItem(item)) return RestoreValue(item);
    if (choice != CHOICE_REMOVE) return false;
    bool removed = false;
    for (int index = 0, count = EnumerateSystemHooks(); index < count && !removed; ++index)
        if (HookIdentity(index) == item.identity) removed = RemoveSystemHook(index) == HOOK_OK;
    FreeEntries();
    return removed;
}

void Watches(std::vector<PatrolWatch>& out)
{
    std::string last;
    for (int kind : ListedHookKinds()) {
        const HookPlace* place = HookPlaceOf(kind);
        if (KindView(kind) == VIEW_NATIVE && last != place->key)
            out.push_back(PatrolWatch::Key(place->hive, place->key,
                                           place->shape == SHAPE_SUBKEYS || place->shape == SHAPE_DEBUGGERS));
        last = place->key;
    }
}

}  // namespace

std::string HookIdentity(int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    const char* keyword = KindKeyword(entry.kind);
    return std::string(keyword ? keyword : "") + "|" + entry.extra + "|" + entry.detail + "|" + entry.path;
}

bool LoadKnownHooks(KnownList& known) { return known.Load(HKEY_CURRENT_USER, kKnownKey); }

void RecordKnownHook(int index) { KnownList::Record(HKEY_CURRENT_USER, kKnownKey, HookIdentity(index), GetEntryKind(index)); }

void RecordHookValues()
{
    for (int kind : ValueKinds()) RecordValue(kind);
}

void InstallHookPatrol()
{
    PatrolPlace place = DescribePlace(12, "Hooks", "Hooks", 5);
    place.titleId = IDS_ALERT_HOOK;
    place.sound = SOUND_STARTUP_ALERT;
    place.history.found = ACTION_MONITOR_ALERT;
    place.history.restored = ACTION_MONITOR_RESTORE;
    place.calls = {CollectLive, RecordKnown, Choices, Act, Watches};
    AddPatrolPlace(place);
}
