// Undoing the removal of an Internet Explorer add-on: exactly the registration the history
// line names comes back, from its saved copy, and only into an add-on location.
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "foundations/text.h"
#include "history/history.h"
#include "iehelpers/addon_registration.h"
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_actions.h"
#include "resource.h"

namespace {

// The saved copy a history line stands for: the newest with its command and extra,
// preferring one of its date.
std::string FindSavedCopy(const HistoryRecord& record)
{
    std::string best;
    bool bestHasDate = false;
    for (const std::string& serial : SavedSerials()) {
        if (!SameText(SavedText(serial, "Command").c_str(), record.command) ||
            !SameText(SavedText(serial, "Extra").c_str(), record.extra))
            continue;
        bool sameDate = SavedText(serial, "Date") == record.date;
        if (best.empty() || (sameDate && !bestHasDate) || (sameDate == bestHasDate && serial > best)) {
            best = serial;
            bestHasDate = sameDate;
        }
    }
    return best;
}

// True when the add-on's class still has a server (an extension has no class to serve).
bool ClassServed(const Registration& registration)
{
    if (BaseKind(registration.kind) == KIND_TYPE_EXTENSION) return true;
    std::string className;
    std::string server;
    GetClassServer(registration.name.c_str(), className, server, registration.view);
    return !server.empty();
}

// Registers the server again; of the add-on registrations that brings back, only those in
// `keep` stay (the rest the user removed separately, or the undo writes back exactly).
// With no list, everything stays.
bool RegisterAgain(const char* server, const std::vector<std::string>* keep)
{
    std::vector<std::string> before = AddonRegistrationPaths();
    bool registered = RunRegsvr32("/s", server);
    if (!keep) return registered;
    for (const std::string& path : AddonRegistrationPaths()) {
        Registration added;
        if (!HasPath(before, path) && !HasPath(*keep, path) && RegistrationFromPath(path, added))
            DeleteRegistration(added);
    }
    return registered;
}

// The copy is trusted only for the place the line names, and only for an add-on location.
bool CopyMatchesLine(const std::string& serial, const HistoryRecord& record, Registration& registration)
{
    if (!SavedRegistrationOf(serial, registration)) return false;
    if (SameText(RegistrationPath(registration).c_str(), record.extra)) return true;
    // A line written before lines named the toolbar: the Toolbar key only.
    return BaseKind(registration.kind) == KIND_TYPE_TOOLBAR &&
           SameText(RegistrationKeyPath(registration).c_str(), record.extra);
}

UndoOutcome UndoFromCopy(const HistoryRecord& record, const std::string& serial)
{
    Registration registration;
    if (!CopyMatchesLine(serial, record, registration))
        return MakeUndoOutcome(UNDO_REFUSED, IDS_UNDO_COPY_MISMATCH, SavedText(serial, "Key"));
    if (RegistrationExists(registration)) return MakeUndoOutcome(UNDO_NOTHING_TO_DO, 0, record.title);

    if ((SavedText(serial, "Unregistered") == "1" || !ClassServed(registration)) && MayRunRegsvr32On(record.command)) {
        std::vector<std::string> keep = AlsoRemoved(serial);
        RegisterAgain(record.command, &keep);
    }
    // What is left when the add-on does not come back: the copy, and nothing half-written.
    if (!RestoreRegistration(serial, registration)) {
        DeleteRegistration(registration);
        return MakeUndoOutcome(UNDO_FAILED, IDS_UNDO_COPY_KEPT, SavedCopyKey(serial));
    }
    if (!RegistrationListed(registration)) {
        DeleteRegistration(registration);
        return MakeUndoOutcome(UNDO_FAILED, IDS_UNDO_NOT_LISTED, SavedCopyKey(serial));
    }
    DropSavedCopy(serial);
    return MakeUndoOutcome(UNDO_DONE, 0, "");
}

// A line without a copy (written before copies were kept): the program is registered
// again, and when the line names its registration, nothing else that comes with it stays.
UndoOutcome UndoWithoutCopy(const HistoryRecord& record)
{
    if (!MayRunRegsvr32On(record.command)) return MakeUndoOutcome(UNDO_REFUSED, IDS_UNDO_NOT_REGISTERED, record.command);
    Registration own;
    bool named = RegistrationFromPath(record.extra, own);
    if (named && RegistrationExists(own)) return MakeUndoOutcome(UNDO_NOTHING_TO_DO, 0, record.title);
    std::vector<std::string> keep;
    if (named) keep.push_back(RegistrationPath(own));
    bool registered = RegisterAgain(record.command, named ? &keep : nullptr);
    bool back = registered && (!named || RegistrationListed(own));
    return back ? MakeUndoOutcome(UNDO_DONE, 0, "") : MakeUndoOutcome(UNDO_FAILED, IDS_UNDO_NOT_REGISTERED, record.command);
}

UndoOutcome UndoRemoval(const HistoryRecord& record)
{
    std::string serial = FindSavedCopy(record);
    return serial.empty() ? UndoWithoutCopy(record) : UndoFromCopy(record, serial);
}

}  // namespace

void InstallIeHelperUndo() { SetUndoAction(ACTION_IEHELPER_REMOVE, UndoRemoval); }
