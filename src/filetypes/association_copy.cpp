// Exact copies of file-type associations (see association_copy.h).
#include "filetypes/association_copy.h"

#include "filetypes/filetypes.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/text.h"

#include <cstdlib>

namespace {

const char kCopyKey[] = VIGILARK_KEY "\\ExtCopy";
const char kFileExtsKey[] = WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\FileExts";

std::string CopyKeyOf(const std::string& dotted) { return std::string(kCopyKey) + "\\" + dotted; }

}  // namespace

std::vector<AssociationValue> AssociationValues(const std::string& dotted, const std::string& className, int kind)
{
    std::string userChoice = std::string(kFileExtsKey) + "\\" + dotted;
    std::vector<AssociationValue> values = {
        {"Application", HKEY_CURRENT_USER, userChoice, "Application"},
        {"ProgID", HKEY_CURRENT_USER, userChoice, "ProgID"},
        {"Class", HKEY_LOCAL_MACHINE, "Software\\Classes\\" + dotted, ""},
    };
    if (kind == ASSOCIATION_APPLICATION) {
        values.push_back({"Open", HKEY_CLASSES_ROOT, "Applications\\" + className + "\\shell\\open\\command", ""});
    } else if (kind == ASSOCIATION_PROGID) {
        values.push_back({"Open", HKEY_CLASSES_ROOT, className + "\\shell\\open\\command", ""});
    } else if (!className.empty()) {
        std::string shell = "Software\\Classes\\" + className + "\\shell\\";
        values.push_back({"Open", HKEY_LOCAL_MACHINE, shell + "open\\command", ""});
        values.push_back({"Play", HKEY_LOCAL_MACHINE, shell + "play\\command", ""});
    }
    return values;
}

bool RecordAssociationCopy(const std::string& dotted, const std::string& className, int kind)
{
    std::string key = CopyKeyOf(dotted);
    DeleteRegistryTree(HKEY_CURRENT_USER, key.c_str());
    char kindText[16];
    FormatText(kindText, sizeof kindText, "%d", kind);
    bool ok = CreateRegKey(HKEY_CURRENT_USER, key.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, key.c_str(), "ClassName", className.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, key.c_str(), "Kind", kindText);
    for (const AssociationValue& value : AssociationValues(dotted, className, kind)) {
        std::string data;
        DWORD type = 0;
        if (ReadRegRaw(value.hive, value.subkey.c_str(), value.value, data, &type))
            ok = WriteRegRaw(HKEY_CURRENT_USER, key.c_str(), value.name, data, type) && ok;
    }
    if (!ok) DeleteRegistryTree(HKEY_CURRENT_USER, key.c_str());
    return ok;
}

bool HasAssociationCopy(const std::string& dotted)
{
    return RegValueExists(HKEY_CURRENT_USER, CopyKeyOf(dotted).c_str(), "Kind");
}

bool RestoreAssociationCopy(const std::string& dotted)
{
    std::string key = CopyKeyOf(dotted);
    std::string className;
    std::string kind;
    if (!ReadRegText(HKEY_CURRENT_USER, key.c_str(), "ClassName", className) ||
        !ReadRegText(HKEY_CURRENT_USER, key.c_str(), "Kind", kind))
        return false;
    bool ok = true;
    for (const AssociationValue& value : AssociationValues(dotted, className, atoi(kind.c_str()))) {
        std::string data;
        DWORD type = 0;
        if (ReadRegRaw(HKEY_CURRENT_USER, key.c_str(), value.name, data, &type))
            ok = CreateRegKey(value.hive, value.subkey.c_str()) &&
                 WriteRegRaw(value.hive, value.subkey.c_str(), value.value, data, type) && ok;
        else if (RegValueExists(value.hive, value.subkey.c_str(), value.value))
            ok = DeleteRegValue(value.hive, value.subkey.c_str(), value.value) && ok;
    }
    return ok;
}

void DropAssociationCopy(const std::string& dotted) { DeleteRegistryTree(HKEY_CURRENT_USER, CopyKeyOf(dotted).c_str()); }
