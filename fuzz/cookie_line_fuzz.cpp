// Fuzz target: cookies.txt read in chunks by the line reader (a small limit, so overlong
// lines are common) and each whole line scanned and named.
// fuzz-sources: src/cookies/cookie_text.cpp
#include "cookies/cookie_text.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const size_t chunk = 1 + data[0] % 16;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    size -= 1;
    const size_t limit = 32;
    CookieLineReader reader(limit);
    std::string copy;
    auto sink = [&](const CookieLinePiece& piece) {
        if (reader.Held() > limit) __builtin_trap();
        copy.append(piece.text, piece.length).append(piece.end, piece.endLength);
        for (size_t i = 0; i < piece.length; ++i)
            if (piece.text[i] == '\n' || (piece.text[i] == '\r' && piece.whole)) __builtin_trap();
        if (!piece.whole) return true;
        if (piece.length > limit) __builtin_trap();
        CookieLine line;
        ScanCookieLine(piece.text, piece.length, line);
        size_t tabs = 0;
        for (size_t i = 0; i < piece.length; ++i) tabs += piece.text[i] == '\t';
        if ((size_t)line.fields != tabs + 1) __builtin_trap();
        if (line.value.find('\t') != std::string::npos || line.domain.find('\t') != std::string::npos) __builtin_trap();
        if (line.value.size() + line.domain.size() + line.path.size() + line.name.size() > piece.length) __builtin_trap();
        if (CookieName(line).size() != line.domain.size() + line.name.size() + 3) __builtin_trap();
        // A mark names the identity whole, and only a title mark lacks a tab.
        std::string mark = CookieMarkName(line);
        if (IsTitleMark(mark) || mark.compare(0, line.writtenDomain.size(), line.writtenDomain) != 0) __builtin_trap();
        return true;
    };
    for (size_t at = 0; at < size; at += chunk) reader.Feed(bytes + at, size - at < chunk ? size - at : chunk, sink);
    reader.Finish(sink);
    // Every byte reaches the sink exactly once, in order: copying pieces loses nothing.
    if (copy != std::string(bytes, size)) __builtin_trap();
    return 0;
}
