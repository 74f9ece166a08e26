// Registry trees for tests (see reg_tree.h).
#include "support/reg_tree.h"

#include "foundations/handles.h"
#include "support/testing.h"

#include <algorithm>

namespace {

void ReadKey(RegTree& tree, const std::string& relative)
{
    std::string full = relative.empty() ? tree.path : tree.path + "\\" + relative;
    std::vector<RegValue> values;
    if (!ReadRegValues(tree.hive, full.c_str(), values)) return;
    std::sort(values.begin(), values.end(), [](const RegValue& a, const RegValue& b) { return a.name < b.name; });
    tree.keys[relative] = values;
    RegKey key;
    if (key.Open(tree.hive, full.c_str(), KEY_READ) != ERROR_SUCCESS) return;
    std::vector<std::string> names;
    char name[512];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    key.Close();
    for (const std::string& sub : names) ReadKey(tree, relative.empty() ? sub : relative + "\\" + sub);
}

std::string Describe(const RegValue& value)
{
    std::string hex;
    for (unsigned char c : value.data.substr(0, 48)) {
        char two[4];
        snprintf(two, sizeof two, "%02x", c);
        hex += two;
    }
    return "type " + std::to_string(value.type) + ", " + std::to_string(value.data.size()) + " bytes " + hex;
}

}  // namespace

RegTree ReadRegTree(HKEY hive, const std::string& path)
{
    RegTree tree;
    tree.hive = hive;
    tree.path = path;
    RegKey key;
    tree.exists = key.Open(hive, path.c_str(), KEY_READ) == ERROR_SUCCESS;
    key.Close();
    if (tree.exists) ReadKey(tree, "");
    return tree;
}

void WriteRegTree(const RegTree& tree)
{
    DeleteRegTree(tree.hive, tree.path);
    if (!tree.exists) return;
    for (const auto& key : tree.keys) {
        std::string full = key.first.empty() ? tree.path : tree.path + "\\" + key.first;
        RegKey made;
        made.Create(tree.hive, full.c_str());
        for (const RegValue& value : key.second)
            RegSetValueExA(made.get(), value.name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE*>(value.data.data()), (DWORD)value.data.size());
    }
}

std::string RegTreeDifferences(const RegTree& expected, const RegTree& actual)
{
    std::string out;
    for (const auto& key : expected.keys) {
        auto found = actual.keys.find(key.first);
        if (found == actual.keys.end()) {
            out += "missing key [" + key.first + "]\n";
            continue;
        }
        for (const RegValue& value : key.second) {
            auto same = std::find_if(found->second.begin(), found->second.end(),
                                     [&](const RegValue& other) { return other.name == value.name; });
            if (same == found->second.end())
                out += "[" + key.first + "] missing value \"" + value.name + "\"\n";
            else if (same->type != value.type || same->data != value.data)
                out += "[" + key.first + "] \"" + value.name + "\": expected " + Describe(value) + ", got " +
                       Describe(*same) + "\n";
        }
        if (found->second.size() != key.second.size()) out += "[" + key.first + "] holds other values too\n";
    }
    for (const auto& key : actual.keys)
        if (!expected.keys.count(key.first)) out += "extra key [" + key.first + "]\n";
    return out;
}
