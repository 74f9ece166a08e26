// Fuzz target: the AppInit_DLLs and Winlogon program lists, split and each piece taken out.
// fuzz-sources: src/hooks/hook_text.cpp
#include "hooks/hook_text.h"

#include <cstdint>

namespace {

void Check(const std::string& text, const std::vector<TextPiece>& pieces)
{
    size_t end = 0;
    for (const TextPiece& piece : pieces) {
        if (piece.length == 0 || piece.start < end || piece.start + piece.length > text.size()) __builtin_trap();
        end = piece.start + piece.length;
    }
    for (size_t which = 0; which < pieces.size(); ++which) {
        std::string rest = WithoutPiece(text, pieces, which);
        if (rest.size() >= text.size()) __builtin_trap();
        // What precedes the taken piece's separators stays as it was.
        size_t keep = which == 0 ? 0 : pieces[which - 1].start + pieces[which - 1].length;
        if (rest.compare(0, keep, text, 0, keep) != 0) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    Check(text, SplitDllList(text));
    Check(text, SplitProgramList(text));
    IsWindowsShell(text, "C:\\windows");
    IsWindowsUserinit(text, "C:\\windows\\system32\\");
    return 0;
}
