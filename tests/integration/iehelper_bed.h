// What the Internet Explorer add-on tests plant and clear: classes and registrations with
// class ids of their own, the test add-on, the saved copies and the history file.
#pragma once

#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "history/history.h"
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_actions.h"
#include "support/addon.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace iebed {

// Class ids of planted registrations; all begin alike so they are easy to clear.
inline std::string Id(int n)
{
    char id[64];
    snprintf(id, sizeof id, "{7A1E0000-0000-4000-8000-0000000000%02d}", n);
    return id;
}
const int kPlanted = 12;

inline std::string BhoKey(const std::string& id) { return std::string(IE_BHO_KEY "\\") + id; }
inline std::string ExtensionKey(const std::string& id) { return std::string(IE_EXTENSION_KEY "\\") + id; }

inline void PlantClass(const std::string& id, const std::string& server)
{
    PutRegString(HKEY_CLASSES_ROOT, "CLSID\\" + id, "", "Planted " + id);
    if (!server.empty()) PutRegString(HKEY_CLASSES_ROOT, "CLSID\\" + id + "\\InprocServer32", "", server);
}

// The entry of a class id, -1 when it is not listed.
inline int EntryOf(const std::string& id)
{
    for (int index = 0; index < EntryCount(); ++index) {
        char extra[ENTRY_EXTRA_CHARS];
        GetEntryExtra(index, extra);
        if (id == extra) return index;
    }
    return -1;
}

class IeHelperBed : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallSubjectTables();
        Clear();
    }
    void TearDown() override
    {
        Clear();
        FreeEntries();
    }
    static void Clear()
    {
        RemoveAddonRegistrations();
        for (int n = 1; n <= kPlanted; ++n) {
            DeleteRegTree(HKEY_CLASSES_ROOT, "CLSID\\" + Id(n));
            DeleteRegTree(HKEY_LOCAL_MACHINE, BhoKey(Id(n)));
            DeleteRegTree(HKEY_LOCAL_MACHINE, ExtensionKey(Id(n)));
            DeleteRegValue(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(n).c_str());
            DeleteRegValue(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, Id(n).substr(1, 36).c_str());
        }
        DeleteRegTree(HKEY_CURRENT_USER, IE_REMOVED_KEY);
        DeleteFileA(HistoryFile().c_str());
    }
    // Removes the add-on of a class id as the page does, with the entry list just filled;
    // -1 when it is not listed.
    static int Remove(const std::string& id, IeHelperRemoval* outcome = nullptr)
    {
        EnumerateIeHelpers();
        int index = EntryOf(id);
        if (index < 0) return -1;
        EntryCopy entry;
        CopyEntry(index, entry);
        return RemoveIeHelper(entry.path, index, outcome);
    }
    SavedKey toolbars_{HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY};
};

}  // namespace iebed
