// Known lists read once (see known_list.h).
#include "foundations/known_list.h"

#include "foundations/registry.h"
#include "foundations/text.h"

#include <algorithm>

namespace {

// Registry names compare without regard to case; ASCII folding is what every name the
// program writes needs, and leaves other bytes as they are.
std::string Folded(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return folded;
}

}  // namespace

bool KnownList::Load(HKEY hive, const char* subkey)
{
    std::vector<RegValue> values;
    loaded_ = ReadRegValues(hive, subkey, values);
    std::vector<std::string> names;
    for (const RegValue& value : values) names.push_back(value.name);
    bool loaded = loaded_;
    Assign(names);
    loaded_ = loaded;
    return loaded_;
}

void KnownList::Assign(const std::vector<std::string>& names)
{
    folded_.clear();
    for (const std::string& name : names) folded_.push_back(Folded(name));
    std::sort(folded_.begin(), folded_.end());
    loaded_ = true;
}

bool KnownList::Has(const std::string& name) const
{
    return std::binary_search(folded_.begin(), folded_.end(), Folded(name));
}

bool KnownList::Record(HKEY hive, const char* subkey, const std::string& name, int kind)
{
    char text[16];
    FormatText(text, sizeof text, "%d", kind);
    return CreateRegKey(hive, subkey) && SetRegString(hive, subkey, name.c_str(), text);
}
