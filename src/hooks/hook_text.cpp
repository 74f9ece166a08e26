// System hook value texts (see hook_text.h). No system call: the fuzz target builds this alone.
#include "hooks/hook_text.h"

namespace {

std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

bool SameNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// The piece bare, or as "<folder>\<name>" (the folder with or without its backslash).
bool IsProgramOf(const std::string& piece, const std::string& folder, const char* name)
{
    if (SameNoCase(piece, name)) return true;
    if (folder.empty()) return false;
    std::string base = folder;
    if (base.back() != '\\') base += '\\';
    return SameNoCase(piece, base + name);
}

}  // namespace

std::vector<TextPiece> SplitDllList(const std::string& bytes)
{
    std::string text = UpToNul(bytes);
    std::vector<TextPiece> pieces;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == ',')) ++at;
        size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t' && text[at] != ',') ++at;
        if (at > start) pieces.push_back({start, at - start});
    }
    return pieces;
}

std::vector<TextPiece> SplitProgramList(const std::string& bytes)
{
    std::string text = UpToNul(bytes);
    std::vector<TextPiece> pieces;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(',', at);
        if (end == std::string::npos) end = text.size();
        size_t first = at;
        size_t last = end;
        while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
        while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
        if (last > first) pieces.push_back({first, last - first});
        at = end + 1;
    }
    return pieces;
}

std::string WithoutPiece(const std::string& text, const std::vector<TextPiece>& pieces, size_t which)
{
    if (which >= pieces.size()) return text;
    const TextPiece& piece = pieces[which];
    size_t from = piece.start;
    size_t to = piece.start + piece.length;
    if (which + 1 < pieces.size())
        to = pieces[which + 1].start;
    else if (which > 0)
        from = pieces[which - 1].start + pieces[which - 1].length;
    if (from > to || to > text.size()) return text;
    return text.substr(0, from) + text.substr(to);
}

bool IsWindowsShell(const std::string& piece, const std::string& windowsFolder)
{
    return IsProgramOf(piece, windowsFolder, "explorer.exe");
}

bool IsWindowsUserinit(const std::string& piece, const std::string& systemFolder)
{
    return IsProgramOf(piece, systemFolder, "userinit.exe");
}
