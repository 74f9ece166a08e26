// Reading each file once per list fill (see fill_memo.h).
#include "foundations/fill_memo.h"

#include <windows.h>

#include <unordered_map>
#include <utility>

namespace {

struct Memo {
    DWORD owner = 0;  // the thread whose fill it is
    int depth = 0;
    std::unordered_map<std::string, std::pair<VersionFields, int>> versions;
    std::unordered_map<std::string, std::string> texts;
    std::unordered_map<std::string, IUnknown*> objects;
};

Memo g_memo;

// File names are compared without regard to case.
std::string FileKey(const char* file)
{
    std::string key = file ? file : "";
    if (!key.empty()) CharUpperBuffA(&key[0], (DWORD)key.size());
    return key;
}

}  // namespace

bool FillMemoOpen() { return g_memo.depth > 0 && g_memo.owner == GetCurrentThreadId(); }

FillMemo::FillMemo()
{
    // Fills run on the user-interface thread. A memo opened meanwhile on another thread is
    // left aside, and that thread reads as before.
    DWORD self = GetCurrentThreadId();
    if (g_memo.depth > 0 && g_memo.owner != self) return;
    g_memo.owner = self;
    ++g_memo.depth;
    counted_ = true;
}

FillMemo::~FillMemo()
{
    if (!counted_ || --g_memo.depth > 0) return;
    g_memo.versions.clear();
    g_memo.texts.clear();
    for (auto& kept : g_memo.objects) kept.second->Release();
    g_memo.objects.clear();
    g_memo.owner = 0;
}

bool RecallVersionFields(const char* file, VersionFields* fields, int* result)
{
    if (!FillMemoOpen()) return false;
    auto found = g_memo.versions.find(FileKey(file));
    if (found == g_memo.versions.end()) return false;
    *fields = found->second.first;
    *result = found->second.second;
    return true;
}

void RememberVersionFields(const char* file, const VersionFields& fields, int result)
{
    if (FillMemoOpen()) g_memo.versions[FileKey(file)] = std::make_pair(fields, result);
}

bool RecallText(const std::string& key, std::string& text)
{
    if (!FillMemoOpen()) return false;
    auto found = g_memo.texts.find(key);
    if (found == g_memo.texts.end()) return false;
    text = found->second;
    return true;
}

void RememberText(const std::string& key, const std::string& text)
{
    if (FillMemoOpen()) g_memo.texts[key] = text;
}

IUnknown* RecallObject(const std::string& key)
{
    if (!FillMemoOpen()) return nullptr;
    auto found = g_memo.objects.find(key);
    if (found == g_memo.objects.end()) return nullptr;
    found->second->AddRef();
    return found->second;
}

void RememberObject(const std::string& key, IUnknown* object)
{
    if (!FillMemoOpen() || !object) return;
    object->AddRef();
    IUnknown*& kept = g_memo.objects[key];
    if (kept) kept->Release();
    kept = object;
}
