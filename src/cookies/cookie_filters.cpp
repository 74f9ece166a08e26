// The cookie filter list (see cookie_filters.h).
#include "cookies/cookie_filters.h"

#include "cookies/cookie_text.h"
#include "cookies/cookies.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/text.h"

#include <windows.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct FilterItem {
    std::string text;
    std::string upper;  // matched against upper-cased text
    int number;
};
std::vector<FilterItem> g_filters;

// Upper case as CharUpperBuffA makes it, into `upper`. Text of plain ASCII (no lead byte
// of a double-byte code page either) is upper-cased here: a pass matches every cookie.
void UpperInto(const char* text, size_t length, std::string& upper)
{
    upper.assign(text, length);
    bool ascii = true;
    for (char& c : upper) {
        if (c & 0x80) ascii = false;
        else if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    }
    if (!ascii) {
        upper.assign(text, length);
        CharUpperBuffA(&upper[0], (DWORD)upper.size());
    }
}

std::string Upper(const char* text, size_t length)
{
    std::string upper;
    UpperInto(text, length, upper);
    return upper;
}

// The upper-case text of the last match, its room kept for the next.
std::string g_upper;

bool ContainsUpper(const std::string& upperText, const std::string& upperWord)
{
    return !upperWord.empty() && upperText.find(upperWord) != std::string::npos;
}

void AddItem(const RegValue& value)
{
    if ((int)g_filters.size() >= FILTER_LIST_CAPACITY) return;
    FilterItem item;
    item.text = value.name;
    item.upper = Upper(value.name.data(), value.name.size());
    std::string data;
    RegDataText(value.data, value.type, data);
    item.number = ParseOptionText(data.c_str(), 0);
    g_filters.push_back(item);
}

}  // namespace

int LoadFilterList()
{
    FreeFilterList();
    std::vector<RegValue> values;
    ReadRegValues(HKEY_CURRENT_USER, FILTER_KEY, values);
    for (const RegValue& value : values) {
        if (value.name.empty() || value.name.size() >= (size_t)FILTER_TEXT_CHARS) continue;
        std::string data;
        if (RegDataText(value.data, value.type, data) && ParseOptionText(data.c_str(), 0) == FILTER_REMOVAL_MARK)
            continue;
        AddItem(value);
    }
    return FilterCount();
}

void FreeFilterList() { g_filters.clear(); }

int FilterCount() { return (int)g_filters.size(); }

int FilterText(int index, char* out, int capacity)
{
    if (index < 0 || index >= FilterCount()) {
        if (capacity > 0) out[0] = '\0';
        return 0;
    }
    return (int)CopyText(out, (size_t)capacity, g_filters[(size_t)index].text.c_str());
}

int FilterNumber(int index) { return index >= 0 && index < FilterCount() ? g_filters[(size_t)index].number : 0; }

int FilterWordCount()
{
    int words = 0;
    for (const FilterItem& item : g_filters) words += item.number == FILTER_WORD;
    return words;
}

int MatchesFilter(const char* text)
{
    if (!text || g_filters.empty()) return 0;
    size_t length = strlen(text);
    if (length > (size_t)FILTER_TEXT_CHARS) return 0;
    UpperInto(text, length, g_upper);
    for (const FilterItem& item : g_filters)
        if (ContainsUpper(g_upper, item.upper)) return 1;
    return 0;
}

int MatchesCookieFile(const char* fileName)
{
    if (!fileName || g_filters.empty()) return 0;
    CookieFileParts parts = SplitCookieFileName(fileName, strlen(fileName));
    UpperInto(fileName + parts.siteStart, parts.siteLength, g_upper);
    for (const FilterItem& item : g_filters)
        if (ContainsUpper(g_upper, item.upper)) return 1;
    return 0;
}

int AddFilterWord(const char* word)
{
    FreeFilterList();
    SetRegString(HKEY_CURRENT_USER, FILTER_KEY, word, "1");
    LoadFilterList();
    return CollectCookies(COOKIE_PASS_FILTERING);
}

int RemoveFilterWord(const char* word)
{
    FreeFilterList();
    DeleteRegValue(HKEY_CURRENT_USER, FILTER_KEY, word);
    return LoadFilterList();
}

int MarkCookieRemoved(const char* name)
{
    return SetRegString(HKEY_CURRENT_USER, FILTER_KEY, name, "2");
}
