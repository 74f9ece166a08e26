// Internet Explorer add-ons from the registry (see iehelpers.h).
#include "iehelpers/iehelpers.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "resource.h"

#include <windows.h>

#include <cstring>

namespace {

const int kValueChars = 260;   // each registry text read for an add-on

std::string ReadText(RegRoot hive, const std::string& key, const char* name)
{
    char text[kValueChars] = "";
    ReadRegString(hive, key.c_str(), name, text, sizeof text);
    return text;
}

// Subkey names (helpers, extensions) or value names (toolbars) of a key, in the
// registry's order; nothing when the key does not open.
std::vector<std::string> Names(RegRoot root, const char* location, bool values)
{
    std::vector<std::string> names;
    if (!values) {
        RegSubkeyNames(root, location, names);
        return names;
    }
    std::vector<RegValue> found;
    ReadRegValues(root, location, found);
    for (const RegValue& value : found) names.push_back(value.name);
    return names;
}

// Title and version of a server: ProductName, else the file name.
void DescribeServer(IeHelper& helper)
{
    VersionFields fields;
    ReadVersionFields(helper.path.c_str(), &fields);
    helper.detail = fields.productVersion;
    if (fields.productName[0]) {
        helper.title = fields.productName;
        return;
    }
    char name[kValueChars] = "";
    FileNamePart(helper.path.c_str(), name, sizeof name);
    helper.title = name;
}

// The server of a class as the browser of the view loads it (a 32-bit browser's system
// folder is SysWOW64).
std::string ServerOf(const std::string& id, RegistryView view)
{
    std::string className;
    std::string server;
    GetClassServer(id.c_str(), className, server, view);
    return server.empty() ? server : FileOfView(server, view);
}

void CollectHelperObjects(std::vector<IeHelper>& helpers, RegistryView view)
{
    for (const std::string& id : Names(RootInView(HKEY_LOCAL_MACHINE, view), IE_BHO_KEY, false)) {
        IeHelper helper;
        helper.path = ServerOf(id, view);
        if (helper.path.empty()) continue;  // nothing would load
        helper.extra = id;
        helper.kind = KindInView(KIND_TYPE_BHO, view);
        DescribeServer(helper);
        helpers.push_back(helper);
    }
}

void CollectToolbars(std::vector<IeHelper>& helpers, RegistryView view)
{
    for (const std::string& id : Names(RootInView(HKEY_LOCAL_MACHINE, view), IE_TOOLBAR_KEY, true)) {
        IeHelper helper;
        helper.path = ServerOf(id, view);
        helper.extra = id;
        helper.kind = KindInView(KIND_TYPE_TOOLBAR, view);
        // Without a server the title stays empty and the entry list shows "Unspecified Title".
        if (!helper.path.empty()) DescribeServer(helper);
        helpers.push_back(helper);
    }
}

void CollectExtensions(std::vector<IeHelper>& helpers, RegistryView view)
{
    RegRoot root = RootInView(HKEY_LOCAL_MACHINE, view);
    for (const std::string& id : Names(root, IE_EXTENSION_KEY, false)) {
        std::string key = std::string(IE_EXTENSION_KEY "\\") + id;
        IeHelper helper;
        // Read whole: a long text is still a button, listed under its text cut.
        ReadRegText(root, key.c_str(), "ButtonText", helper.title);
        if (helper.title.empty()) continue;
        // The browser's own context-menu additions.
        if (ContainsNoCase(helper.title.c_str(), "shdoclc.dll")) helper.title = "Related";
        helper.path = ReadText(root, key, "Exec");
        if (!RegValueExists(root, key.c_str(), "Exec")) helper.path = ReadText(root, key, "script");
        helper.path = FileOfView(helper.path, view);
        helper.detail = FileOfView(ReadText(root, key, "HotIcon"), view);
        if (helper.detail.empty()) helper.detail = helper.path;
        helper.extra = id;
        helper.kind = KindInView(KIND_TYPE_EXTENSION, view);
        char program[MAX_PATH] = "";
        VersionFields fields;
        CanonicalProgramPath(helper.path.c_str(), program, sizeof program);
        if (ReadVersionFields(program, &fields)) helper.title = fields.productName;
        helpers.push_back(helper);
    }
}

struct KindTexts {
    int kind;
    const char* key;
    const char* type;
};
const KindTexts kKinds[] = {
    {KIND_TYPE_BHO, IE_BHO_KEY, "BHO"},
    {KIND_TYPE_TOOLBAR, IE_TOOLBAR_KEY, "TOOLBAR"},
    {KIND_TYPE_EXTENSION, IE_EXTENSION_KEY, "EXTENSION"},
};

// The texts of a kind of either view.
const KindTexts* TextsOf(int kind)
{
    for (const KindTexts& texts : kKinds)
        if (texts.kind == BaseKind(kind)) return &texts;
    return nullptr;
}

// "Location" + separator + "HKLM\" + key + closing text, and " (32-bit)" for that view.
int LocationText(int kind, const char* separator, const char* closing, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    const KindTexts* texts = TextsOf(kind);
    if (!texts) return 0;
    char label[64];
    LoadText(IDS_LOCATION, label);
    FormatText(out, (size_t)capacity, "%s%sHKLM\\%s%s", label, separator, texts->key, closing);
    AppendViewMark(KindView(kind), out, capacity);
    return (int)strlen(out);
}

}  // namespace

void GetClassServer(const char* classId, std::string& className, std::string& server, RegistryView view)
{
    std::string key = "CLSID\\";
    if (classId[0] != '{') key += "{";
    key += classId;
    if (classId[0] != '{') key += "}";
    RegRoot classes = RootInView(HKEY_CLASSES_ROOT, view);
    className = ReadText(classes, key, "");
    server = ReadText(classes, key + "\\InprocServer32", "");
}

void CollectIeHelpers(std::vector<IeHelper>& helpers)
{
    helpers.clear();
    std::vector<RegistryView> views = ListedViews();
    for (RegistryView view : views) CollectHelperObjects(helpers, view);
    for (RegistryView view : views) CollectToolbars(helpers, view);
    for (RegistryView view : views) CollectExtensions(helpers, view);
}

int EnumerateIeHelpers()
{
    FreeEntries();
    // One DLL often serves several add-ons: its version resource is read once.
    FillMemo memo;
    std::vector<IeHelper> helpers;
    CollectIeHelpers(helpers);
    int added = 0;
    for (const IeHelper& helper : helpers) {
        // A title longer than the field (a long button text or file name) is cut, not dropped.
        char title[ENTRY_TITLE_CHARS];
        CopyText(title, helper.title.c_str());
        added += AddEntry(title, helper.path.c_str(), helper.extra.c_str(), helper.detail.c_str(), helper.kind, 0);
    }
    return added;
}

const char* IeHelperRegistryKey(int kind)
{
    const KindTexts* texts = TextsOf(kind);
    return texts ? texts->key : nullptr;
}

const char* IeHelperTypeText(int kind)
{
    const KindTexts* texts = TextsOf(kind);
    return texts ? texts->type : "";
}

int IeHelperTypeLabel(int kind, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    CopyText(out, (size_t)capacity, IeHelperTypeText(kind));
    AppendViewMark(KindView(kind), out, capacity);
    return (int)strlen(out);
}

int IeHelperStatusText(int kind, char* out, int capacity) { return LocationText(kind, ": ", "", out, capacity); }

int IeHelperLocationLine(int kind, char* out, int capacity) { return LocationText(kind, ": \"", "\"", out, capacity); }

int IeHelperLocationText(int index, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    int kind = GetEntryKind(index);
    switch (BaseKind(kind)) {
    case KIND_TYPE_BHO: LoadText(IDS_LOC_IE_BHO, out, capacity); break;
    case KIND_TYPE_TOOLBAR: LoadText(IDS_LOC_IE_TOOLBAR, out, capacity); break;
    case KIND_TYPE_EXTENSION:
        // A native extension has no such text; one of the 32-bit view says where it is.
        if (KindView(kind) == VIEW_32BIT) FormatText(out, (size_t)capacity, "HKLM\\%s", IE_EXTENSION_KEY);
        break;
    default: return 0;
    }
    AppendViewMark(KindView(kind), out, capacity);
    return (int)strlen(out);
}

void RecordKnownIeHelpers()
{
    const std::string key = VIGILARK_KEY "\\IEHelpers";
    CreateRegKey(HKEY_CURRENT_USER, key.c_str());
    int count = EnumerateIeHelpers();
    for (int index = 0; index < count; ++index) {
        char title[ENTRY_TITLE_CHARS];
        char kind[16];
        GetEntryTitle(index, title);
        FormatText(kind, sizeof kind, "%d", GetEntryKind(index));
        SetRegString(HKEY_CURRENT_USER, key.c_str(), title, kind);
    }
    FreeEntries();
}
