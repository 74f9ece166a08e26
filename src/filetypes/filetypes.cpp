// File-type associations, the monitored list and its snapshot (see filetypes.h).
#include "filetypes/filetypes.h"

#include "filetypes/association_copy.h"
#include "filetypes/filetype_text.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "foundations/version_info.h"
#include "resource.h"

#include <cstring>

namespace {

const char kFileExtsKey[] = WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\FileExts";
const char kClassKey[] = VIGILARK_KEY "\\Class";
const char kExtKey[] = VIGILARK_KEY "\\Ext";
const char kExtTypeKey[] = VIGILARK_KEY "\\ExtType";
const char kExtTypeMarker[] = "Do not edit";

// The default value of HKEY_CLASSES_ROOT or HKLM\Software\Classes key "<name><suffix>".
int ReadClassesText(HKEY hive, const char* name, const char* suffix, char* out, int capacity)
{
    char key[1024];
    FormatText(key, sizeof key, "%s%s%s", hive == HKEY_CLASSES_ROOT ? "" : "Software\\Classes\\", name, suffix);
    return ReadRegString(hive, key, nullptr, out, capacity);
}

// Steps 2 and 3: the user's own choice under FileExts; ASSOCIATION_NONE when it gives no command.
int ResolveUserChoice(const char* dotted, char* className, char* command)
{
    char key[1024];
    char name[FILETYPE_CLASS_CHARS];
    FormatText(key, sizeof key, "%s\\%s", kFileExtsKey, dotted);
    if (ReadRegString(HKEY_CURRENT_USER, key, "Application", name, sizeof name) > 0) {
        // A chosen application without its command hides the ProgID: the machine class decides.
        std::string application = std::string("Applications\\") + name;
        if (ReadClassesText(HKEY_CLASSES_ROOT, application.c_str(), "\\shell\\open\\command", command,
                            FILETYPE_COMMAND_CHARS) > 0) {
            CopyText(className, FILETYPE_CLASS_CHARS, name);
            return ASSOCIATION_APPLICATION;
        }
        return ASSOCIATION_NONE;
    }
    if (ReadRegString(HKEY_CURRENT_USER, key, "ProgID", name, sizeof name) > 0 &&
        ReadClassesText(HKEY_CLASSES_ROOT, name, "\\shell\\open\\command", command, FILETYPE_COMMAND_CHARS) > 0) {
        CopyText(className, FILETYPE_CLASS_CHARS, name);
        return ASSOCIATION_PROGID;
    }
    return ASSOCIATION_NONE;
}

std::string Dotted(const char* extension) { return "." + ExtensionWithoutDot(extension); }

void WriteKindValue(const char* extension, int kind)
{
    char text[16];
    FormatText(text, sizeof text, "%d", kind);
    SetRegString(HKEY_CURRENT_USER, kExtTypeKey, extension, text);
}

void CreateSnapshotKeys()
{
    CreateRegKey(HKEY_CURRENT_USER, kClassKey);
    CreateRegKey(HKEY_CURRENT_USER, kExtKey);
    CreateRegKey(HKEY_CURRENT_USER, kExtTypeKey);
}

// The snapshot is there when the marker is and the list holds at least one extension. (A
// list whose first extension is long is still a list: it is never reset to the defaults.)
bool SnapshotExists()
{
    char marker[FILETYPE_LIST_CHARS];
    char list[FILETYPE_LIST_CHARS];
    ReadRegString(HKEY_CURRENT_USER, kExtTypeKey, nullptr, marker, sizeof marker);
    ReadRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list, sizeof list);
    return marker[0] && strchr(list, ';');
}

// The command as the snapshot keeps it: as the entry's path ("=" cannot stand in it).
void SnapshotCommand(const std::string& command, char* out, int capacity)
{
    char stripped[512];
    char longForm[512];
    StripQuotes(command.c_str(), stripped, sizeof stripped);
    LongPathForm(stripped, longForm, sizeof longForm);
    ColonForEquals(longForm, out, capacity);
}


// Empties a value, then deletes it (the monitor reads an emptied value as gone).
void ClearSnapshotValue(const char* key, const char* name)
{
    SetRegString(HKEY_CURRENT_USER, key, name, "");
    DeleteRegValue(HKEY_CURRENT_USER, key, name);
}

void Describe(MonitoredType& type)
{
    char description[FILETYPE_CLASS_CHARS];
    type.shownClass = type.className;
    if (ReadClassesText(HKEY_LOCAL_MACHINE, type.className.c_str(), "", description, sizeof description) > 0) {
        type.title = description;
        return;
    }
    char program[1024];
    VersionFields fields;
    ProgramPathAsWritten(type.command.c_str(), program, sizeof program);
    ReadVersionFields(program, &fields);
    type.title = fields.productName;
    if (fields.fileDescription[0]) type.shownClass = fields.fileDescription;
}

}  // namespace

void WriteSnapshotOf(const MonitoredType& type)
{
    SetRegString(HKEY_CURRENT_USER, kExtKey, type.extension.c_str(), type.className.c_str());
    char command[512];
    SnapshotCommand(type.command, command, sizeof command);
    SetRegString(HKEY_CURRENT_USER, kClassKey, type.className.c_str(), command);
    WriteKindValue(type.extension.c_str(), type.kind);
    RecordAssociationCopy(type.extension, type.className, type.kind);
}

bool SnapshotMatches(const MonitoredType& type, bool* recorded)
{
    char className[FILETYPE_CLASS_CHARS];
    char recordedCommand[512];
    char command[512];
    *recorded = ReadRegString(HKEY_CURRENT_USER, kExtKey, type.extension.c_str(), className, sizeof className) > 0;
    if (!*recorded || !SameText(className, type.className.c_str())) return false;
    ReadRegString(HKEY_CURRENT_USER, kClassKey, className, recordedCommand, sizeof recordedCommand);
    SnapshotCommand(type.command, command, sizeof command);
    if (SameText(recordedCommand, command)) return true;
    StripQuotes(type.command.c_str(), command, sizeof command);  // as Add writes it
    return SameText(recordedCommand, command);
}

int ResolveAssociation(const char* extension, char* className, char* command)
{
    className[0] = '\0';
    command[0] = '\0';
    if (!extension || !IsUsableExtension(ExtensionWithoutDot(extension))) return ASSOCIATION_NONE;
    std::string dotted = Dotted(extension);
    int kind = ResolveUserChoice(dotted.c_str(), className, command);
    if (kind != ASSOCIATION_NONE) return kind;
    command[0] = '\0';
    if (ReadClassesText(HKEY_LOCAL_MACHINE, dotted.c_str(), "", className, FILETYPE_CLASS_CHARS) == 0)
        return ASSOCIATION_NONE;
    if (ReadClassesText(HKEY_LOCAL_MACHINE, className, "\\shell\\open\\command", command, FILETYPE_COMMAND_CHARS) > 0)
        return ASSOCIATION_OPEN;
    if (ReadClassesText(HKEY_LOCAL_MACHINE, className, "\\shell\\play\\command", command, FILETYPE_COMMAND_CHARS) > 0)
        return ASSOCIATION_PLAY;
    return ASSOCIATION_NONE;
}

int IconSource(const char* extension, std::string& iconFile, int* index)
{
    char className[FILETYPE_CLASS_CHARS];
    char command[FILETYPE_COMMAND_CHARS];
    int kind = ResolveAssociation(extension, className, command);
    Trace(extension, command);
    iconFile = command;
    *index = 0;
    if (kind == ASSOCIATION_APPLICATION || kind == ASSOCIATION_PROGID) return 0;

    char machineClass[FILETYPE_CLASS_CHARS];
    char location[1024];
    if (ReadClassesText(HKEY_LOCAL_MACHINE, Dotted(extension).c_str(), "", machineClass, sizeof machineClass) == 0 ||
        ReadClassesText(HKEY_LOCAL_MACHINE, machineClass, "\\DefaultIcon", location, sizeof location) == 0)
        return 0;
    std::string file;
    int number = 0;
    ParseIconLocation(location, file, &number);
    // "%1": each document has its own icon; the program's stands for them.
    if (file.empty() || file.find("%1") != std::string::npos) return 0;
    iconFile = file;
    *index = number;
    return 1;
}

void FileTypeProgramName(const char* command, char* out, int capacity)
{
    switch (ClassifyCommand(command)) {
    case COMMAND_EMPTY: LoadText(IDS_NO_ASSOCIATED_FILE, out, capacity); return;
    case COMMAND_EXECUTABLE: LoadText(IDS_EXECUTABLE, out, capacity); return;
    default: break;
    }
    char canonical[1024];
    CanonicalProgramPath(CommandProgramStart(command), canonical, sizeof canonical);
    CopyText(out, (size_t)capacity, TextAfterLastBackslash(canonical).c_str());
}

std::vector<MonitoredType> ReadMonitoredTypes(bool describe)
{
    std::vector<MonitoredType> types;
    char list[FILETYPE_LIST_CHARS];
    ReadRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list, sizeof list);
    // Before any snapshot (a run that records nothing, such as -csv) the default types count.
    if (!RegValueExists(HKEY_CURRENT_USER, kClassKey, nullptr)) LoadText(IDS_DEFAULT_FILETYPES, list);
    for (const std::string& piece : SplitMonitoredList(list)) {
        MonitoredType type;
        char className[FILETYPE_CLASS_CHARS];
        char command[FILETYPE_COMMAND_CHARS];
        type.extension = "." + piece;
        type.kind = ResolveAssociation(type.extension.c_str(), className, command);
        if (type.kind == ASSOCIATION_NONE || !className[0]) continue;
        type.className = className;
        type.command = command;
        if (describe) Describe(type);
        types.push_back(type);
    }
    return types;
}

int EnumerateMonitoredTypes()
{
    if (EntryCount() > 0) FreeEntries();
    int count = 0;
    for (const MonitoredType& type : ReadMonitoredTypes(true)) {
        // A long description is cut to the title's width rather than losing the row.
        char title[ENTRY_TITLE_CHARS];
        char shownClass[ENTRY_EXTRA_CHARS];
        CopyText(title, type.title.c_str());
        CopyText(shownClass, type.shownClass.c_str());
        count += AddEntry(title, type.command.c_str(), shownClass, type.extension.c_str(), KIND_FILETYPE, type.kind);
    }
    return count;
}

void CreateFileTypeSnapshot()
{
    if (SnapshotExists()) return;
    CreateSnapshotKeys();
    SetRegString(HKEY_CURRENT_USER, kExtTypeKey, nullptr, kExtTypeMarker);
    Trace("Get Initial Values", "REGEXT Folders Created");
    char list[FILETYPE_LIST_CHARS];
    LoadText(IDS_DEFAULT_FILETYPES, list);
    Trace("REGCLASSKEY", list);
    if (!SetRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list)) Trace("ERROR Creating REGCLASSKEY", list);
    for (const MonitoredType& type : ReadMonitoredTypes(false)) WriteSnapshotOf(type);
}

UINT AddMonitoredType(const char* typed)
{
    std::string bare = ExtensionWithoutDot(typed);
    // Refused before anything is written: it could not be one piece of the list or one key.
    if (!IsUsableExtension(bare) || bare.size() >= FILETYPE_PIECE_CHARS) return IDS_ERR_FILETYPE_INVALID;
    std::string dotted = "." + bare;

    char list[FILETYPE_LIST_CHARS];
    ReadRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list, sizeof list);
    if (strlen(list) + bare.size() > (size_t)FILETYPE_LIST_LIMIT) return IDS_ERR_FILETYPE_LIMIT;
    if (MonitoredListHas(list, bare)) return IDS_ERR_FILETYPE_EXISTS;

    char className[FILETYPE_CLASS_CHARS];
    char command[FILETYPE_COMMAND_CHARS];
    int kind = ResolveAssociation(dotted.c_str(), className, command);
    CreateSnapshotKeys();
    SetRegString(HKEY_CURRENT_USER, kExtKey, dotted.c_str(), className);
    if (!className[0]) return IDS_ERR_FILETYPE_INVALID;

    char stripped[512];
    StripQuotes(command, stripped, sizeof stripped);
    SetRegString(HKEY_CURRENT_USER, kClassKey, className, stripped);
    WriteKindValue(dotted.c_str(), kind);

    RecordAssociationCopy(dotted, className, kind);
    ReadRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list, sizeof list);
    std::string extended = std::string(list) + bare + ";";
    SetRegString(HKEY_CURRENT_USER, kClassKey, nullptr, extended.c_str());
    return 0;
}

int RemoveMonitoredType(const char* extension)
{
    std::string bare = ExtensionWithoutDot(extension);
    char list[FILETYPE_LIST_CHARS];
    ReadRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list, sizeof list);
    SetRegString(HKEY_CURRENT_USER, kClassKey, nullptr, MonitoredListWithout(list, bare).c_str());

    std::string dotted = "." + bare;
    char className[FILETYPE_CLASS_CHARS];
    if (ReadRegString(HKEY_CURRENT_USER, kExtKey, dotted.c_str(), className, sizeof className) == 0) return 1;
    ClearSnapshotValue(kExtKey, dotted.c_str());
    ClearSnapshotValue(kExtTypeKey, dotted.c_str());
    DropAssociationCopy(dotted);
    if (!IsClassInUse(className)) ClearSnapshotValue(kClassKey, className);
    return 1;
}

int IsClassInUse(const char* className)
{
    for (const MonitoredType& type : ReadMonitoredTypes(false))
        if (SameText(type.className.c_str(), className)) return 1;
    return 0;
}
