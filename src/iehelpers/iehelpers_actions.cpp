// Removing Internet Explorer add-ons (see iehelpers_actions.h).
#include "iehelpers/iehelpers_actions.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "history/history.h"
#include "iehelpers/addon_registration.h"
#include "iehelpers/iehelpers.h"

#include <windows.h>

namespace {

std::string Braced(const std::string& id) { return id.empty() || id[0] == '{' ? id : "{" + id + "}"; }

std::string UpperFileName(const std::string& canonical)
{
    char name[MAX_PATH] = "";
    FileNamePart(canonical.c_str(), name, sizeof name);
    return name;
}

// The classes of the add-ons of this server that this program removed and can still bring back.
std::vector<std::string> RemovedClassesOf(const std::string& server)
{
    std::vector<std::string> classes;
    for (const std::string& serial : SavedSerials()) {
        Registration saved;
        if (SameText(LongCanonicalForm(SavedText(serial, "Command").c_str()).c_str(), server.c_str()) &&
            SavedRegistrationOf(serial, saved))
            classes.push_back(Braced(saved.name));
    }
    return classes;
}

// True when a class of the view other than `ignored` names the server as its in-process
// server: a shell extension or a control that unregistering the file would break.
bool OtherClassUsesServer(const std::string& server, const std::vector<std::string>& ignored, RegistryView view)
{
    RegRoot classRoot = RootInView(HKEY_CLASSES_ROOT, view);
    std::vector<std::string> classes;
    RegSubkeyNames(classRoot, "CLSID", classes);
    std::string fileName = UpperFileName(server);
    for (const std::string& id : classes) {
        std::string named;
        std::string key = "CLSID\\" + id + "\\InprocServer32";
        if (HasPath(ignored, Braced(id)) || !ReadRegText(classRoot, key.c_str(), nullptr, named)) continue;
        named = FileOfView(named, view);
        char canonical[MAX_PATH];
        CanonicalProgramPath(named.c_str(), canonical, sizeof canonical);
        // The file name first: the long form is asked of the system only for a likely match.
        if (SameText(UpperFileName(canonical).c_str(), fileName.c_str()) &&
            SameText(LongCanonicalForm(named.c_str()).c_str(), server.c_str()))
            return true;
    }
    return false;
}

// Called once the add-on's own registration is gone (and its copy saved), so every add-on
// listed now remains. The classes that count are those of the add-on's view.
bool ShouldUnregister(const char* path, RegistryView view)
{
    if (!MayRunRegsvr32On(path)) return false;
    std::string server = LongCanonicalForm(path);
    std::vector<IeHelper> helpers;
    CollectIeHelpers(helpers);
    std::vector<std::string> stillUsed;
    for (const IeHelper& helper : helpers) stillUsed.push_back(LongCanonicalForm(helper.path.c_str()));
    if (!MayUnregisterServer(server.c_str(), stillUsed, "", "")) return false;
    return !OtherClassUsesServer(server, RemovedClassesOf(server), view);
}

// Unregisters the server; the other add-on registrations that went with it are noted in
// the copy, as part of this removal.
bool Unregister(const char* path, const std::string& serial)
{
    std::vector<std::string> before = AddonRegistrationPaths();
    if (!RunRegsvr32("/u /s", path)) return false;
    SetRegString(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str(), "Unregistered", "1");
    std::vector<std::string> after = AddonRegistrationPaths();
    std::vector<std::string> taken;
    for (const std::string& registration : before)
        if (!HasPath(after, registration)) taken.push_back(registration);
    RecordAlsoRemoved(serial, taken);
    return true;
}

}  // namespace

int RemoveIeHelper(const char* path, int index, IeHelperRemoval* outcome)
{
    IeHelperRemoval result;
    if (outcome) *outcome = result;
    EntryCopy entry;
    Registration registration;
    if (!path || !CopyEntry(index, entry) || !RegistrationOf(entry.kind, entry.extra, registration)) return 0;

    std::string serial = SaveRegistration(registration, path);
    if (serial.empty()) return 0;  // without a copy there would be no undo
    DeleteRegistration(registration);
    if (RegistrationExists(registration)) {
        // No rights, or part of a tree refused: put back the subkeys that did go.
        if (registration.value.empty())
            CopyRegistryTree(HKEY_CURRENT_USER, (SavedCopyKey(serial) + "\\Registration").c_str(),
                             RegistrationRoot(registration), registration.key.c_str());
        DropSavedCopy(serial);
        return 0;
    }
    result.removed = true;
    if (path[0] && ShouldUnregister(path, registration.view)) result.unregistered = Unregister(path, serial);

    // The line names the registration itself, so that each line undoes its own; every kind of
    // add-on is written as a helper of its view.
    char title[MAX_PATH] = "";
    FileNamePart(path, title, sizeof title);
    result.recorded = AppendHistory(title, path, RegistrationPath(registration).c_str(),
                                    KindInView(KIND_TYPE_BHO, registration.view), ACTION_IEHELPER_REMOVE) != 0;
    if (!result.recorded) DropSavedCopy(serial);  // no line, so no undo can ask for it
    if (outcome) *outcome = result;
    return 1;
}
