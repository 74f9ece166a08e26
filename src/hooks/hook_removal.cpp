// Removing a system hook with a saved copy, and putting it back exactly (see hooks.h).
#include "hooks/hooks.h"

#include "foundations/entries.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "history/history.h"
#include "hooks/hook_places.h"
#include "hooks/hook_text.h"
#include "resource.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// What a removal changes: a whole key, or one value (a list value rewritten, or deleted).
struct HookChange {
    int kind = 0;
    std::string key;
    std::string value;  // empty for a whole key
    bool wholeKey = false;
    std::string command;  // the history line's command and extra
    std::string extra;
};

std::string CopyKey(const std::string& serial) { return std::string(HOOKS_REMOVED_KEY "\\") + serial; }
std::string SavedKey(const std::string& serial) { return CopyKey(serial) + "\\Saved"; }

std::string CopyField(const std::string& serial, const char* name)
{
    std::string text;
    ReadRegText(HKEY_CURRENT_USER, CopyKey(serial).c_str(), name, text);
    return text;
}

std::vector<std::string> Serials()
{
    std::vector<std::string> names;
    RegSubkeyNames(HKEY_CURRENT_USER, HOOKS_REMOVED_KEY, names);
    return names;
}

std::string NextSerial()
{
    long highest = 0;
    for (const std::string& serial : Serials()) highest = std::max(highest, strtol(serial.c_str(), nullptr, 10));
    char serial[16];
    FormatText(serial, sizeof serial, "%08ld", highest + 1);
    return serial;
}

// The value with the piece taken out; Windows' default when no program of its own is left
// in a Shell or Userinit value.
bool ValueWithout(const HookPlace& place, const std::string& data, const std::string& piece, std::string& out)
{
    bool programs = place.shape == SHAPE_PROGRAMS;
    std::vector<TextPiece> pieces = programs ? SplitProgramList(data) : SplitDllList(data);
    for (size_t which = 0; which < pieces.size(); ++which) {
        if (data.compare(pieces[which].start, pieces[which].length, piece) != 0) continue;
        out = WithoutPiece(data, pieces, which);
        if (!programs) return true;
        SystemFolders folders = CurrentSystemFolders();
        bool userinit = SameText(place.value, "Userinit");
        for (const TextPiece& rest : SplitProgramList(out)) {
            std::string text = out.substr(rest.start, rest.length);
            if (userinit ? IsWindowsUserinit(text, folders.system) : IsWindowsShell(text, folders.windows)) return true;
        }
        out = userinit ? folders.system + "\\userinit.exe," : std::string("explorer.exe");
        out.push_back('\0');
        return true;
    }
    return false;
}

bool SaveCopy(const HookChange& change, const std::string& serial, const std::string* after, DWORD type)
{
    std::string copy = CopyKey(serial);
    std::string saved = SavedKey(serial);
    RegRoot root = HookRoot(change.kind);
    bool ok = CreateRegKey(HKEY_CURRENT_USER, saved.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Command", change.command.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Extra", change.extra.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Key", change.key.c_str());
    if (ok && change.wholeKey) return CopyRegistryTree(root, change.key.c_str(), HKEY_CURRENT_USER, saved.c_str()) != 0;
    std::string data;
    DWORD savedType = 0;
    ok = ok && SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Value", change.value.c_str()) &&
         ReadRegRaw(root, change.key.c_str(), change.value.c_str(), data, &savedType) &&
         WriteRegRaw(HKEY_CURRENT_USER, saved.c_str(), change.value.c_str(), data, savedType);
    return ok && (!after || WriteRegRaw(HKEY_CURRENT_USER, copy.c_str(), "After", *after, type));
}

HookResult Apply(const HookChange& change, const std::string* after, DWORD type, const char* title)
{
    if (change.command.size() >= (size_t)HISTORY_FIELD_CHARS || change.extra.size() >= (size_t)HISTORY_FIELD_CHARS)
        return HOOK_TOO_LONG;
    std::string serial = NextSerial();
    if (!SaveCopy(change, serial, after, type)) {
        DeleteRegistryTree(HKEY_CURRENT_USER, CopyKey(serial).c_str());
        return HOOK_FAILED;
    }
    RegRoot root = HookRoot(change.kind);
    bool done = change.wholeKey ? DeleteRegistryTree(root, change.key.c_str()) != 0
                : after         ? WriteRegRaw(root, change.key.c_str(), change.value.c_str(), *after, type) != 0
                                : DeleteRegValue(root, change.key.c_str(), change.value.c_str()) != 0;
    if (!done) {
        // A key only partly deleted is written back whole from its copy.
        if (change.wholeKey) CopyRegistryTree(HKEY_CURRENT_USER, SavedKey(serial).c_str(), root, change.key.c_str());
        DeleteRegistryTree(HKEY_CURRENT_USER, CopyKey(serial).c_str());
        return HOOK_FAILED;
    }
    AppendHistory(title, change.command.c_str(), change.extra.c_str(), change.kind, ACTION_HOOK_REMOVE);
    return HOOK_OK;
}

// ---- undo ------------------------------------------------------------------------

// The newest copy of the line's command and extra.
std::string FindCopy(const HistoryRecord& record)
{
    std::string best;
    for (const std::string& serial : Serials())
        if (CopyField(serial, "Command") == record.command && CopyField(serial, "Extra") == record.extra &&
            serial > best)
            best = serial;
    return best;
}

// The copy is trusted only for a key of the place the line's kind names.
bool CopyFitsKind(const std::string& serial, int kind)
{
    const HookPlace* place = HookPlaceOf(kind);
    std::string key = CopyField(serial, "Key");
    if (!place || key.find("..") != std::string::npos) return false;
    size_t length = strlen(place->key);
    return key.size() >= length && SameText(key.substr(0, length).c_str(), place->key) &&
           (key.size() == length || key[length] == '\\');
}

UndoOutcome Outcome(UndoStatus status, UINT message, const std::string& detail)
{
    return MakeUndoOutcome(status, message, detail);
}

UndoOutcome UndoKey(const std::string& serial, RegRoot root, const std::string& key, const HistoryRecord& record)
{
    if (RegKeyExists(root, key.c_str())) return Outcome(UNDO_NOTHING_TO_DO, 0, record.title);
    if (!CopyRegistryTree(HKEY_CURRENT_USER, SavedKey(serial).c_str(), root, key.c_str())) {
        DeleteRegistryTree(root, key.c_str());
        return Outcome(UNDO_FAILED, 0, record.title);
    }
    return Outcome(UNDO_DONE, 0, "");
}

UndoOutcome UndoValue(const std::string& serial, RegRoot root, const std::string& key, const HistoryRecord& record)
{
    std::string name = CopyField(serial, "Value");
    std::string before, after, now;
    DWORD type = 0, afterType = 0, nowType = 0;
    if (!ReadRegRaw(HKEY_CURRENT_USER, SavedKey(serial).c_str(), name.c_str(), before, &type))
        return Outcome(UNDO_REFUSED, IDS_UNDO_NO_COPY, CopyKey(serial));
    bool listed = ReadRegRaw(HKEY_CURRENT_USER, CopyKey(serial).c_str(), "After", after, &afterType);
    bool exists = ReadRegRaw(root, key.c_str(), name.c_str(), now, &nowType);
    if (exists && now == before && nowType == type) return Outcome(UNDO_NOTHING_TO_DO, 0, record.title);
    // Only the state the removal left is put back: whatever changed since is not overwritten.
    bool asLeft = listed ? exists && now == after && nowType == afterType : !exists;
    if (!asLeft) return Outcome(UNDO_FAILED, IDS_UNDO_OCCUPIED, key + "\\" + name);
    if (!CreateRegKey(root, key.c_str()) || !WriteRegRaw(root, key.c_str(), name.c_str(), before, type))
        return Outcome(UNDO_FAILED, 0, record.title);
    return Outcome(UNDO_DONE, 0, "");
}

UndoOutcome UndoRemoval(const HistoryRecord& record)
{
    std::string serial = FindCopy(record);
    if (serial.empty() || !CopyFitsKind(serial, record.kind))
        return Outcome(UNDO_REFUSED, IDS_UNDO_NO_COPY, std::string(record.extra));
    RegRoot root = HookRoot(record.kind);
    std::string key = CopyField(serial, "Key");
    bool wholeKey = !RegValueExists(HKEY_CURRENT_USER, CopyKey(serial).c_str(), "Value");
    UndoOutcome outcome = wholeKey ? UndoKey(serial, root, key, record) : UndoValue(serial, root, key, record);
    if (outcome.status == UNDO_DONE) DeleteRegistryTree(HKEY_CURRENT_USER, CopyKey(serial).c_str());
    return outcome;
}

}  // namespace

HookResult RemoveSystemHook(int index)
{
    EntryCopy entry;
    const HookPlace* place = CopyEntry(index, entry) ? HookPlaceOf(entry.kind) : nullptr;
    if (!place) return HOOK_GONE;
    HookChange change;
    change.kind = entry.kind;
    change.key = entry.extra;
    change.command = entry.path;
    RegRoot root = HookRoot(entry.kind);
    switch (place->shape) {
    case SHAPE_SUBKEYS:
        change.wholeKey = true;
        change.extra = change.key;
        if (!RegKeyExists(root, change.key.c_str())) return HOOK_GONE;
        return Apply(change, nullptr, 0, entry.title);
    case SHAPE_DEBUGGERS:
    case SHAPE_CLASSES:
        change.value = place->shape == SHAPE_DEBUGGERS ? place->value : entry.detail;
        change.extra = change.key + "\\" + change.value;
        if (!RegValueExists(root, change.key.c_str(), change.value.c_str())) return HOOK_GONE;
        return Apply(change, nullptr, 0, entry.title);
    case SHAPE_PROGRAMS:
    case SHAPE_DLLS: break;
    }
    change.value = place->value;
    change.extra = change.key + "\\" + change.value;
    change.command = entry.detail;
    std::string data, after;
    DWORD type = 0;
    if (!ReadRegRaw(root, change.key.c_str(), change.value.c_str(), data, &type) ||
        !ValueWithout(*place, data, entry.detail, after))
        return HOOK_GONE;
    return Apply(change, &after, type, entry.title);
}

void InstallHookUndo() { SetUndoAction(ACTION_HOOK_REMOVE, UndoRemoval); }
