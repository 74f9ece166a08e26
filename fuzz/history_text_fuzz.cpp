// Fuzz target: the history.txt line splitter.
// fuzz-sources: src/history/history_text.cpp
#include "history/history_text.h"

#include <cstdint>
#include <cstring>

template <size_t N> static void CheckTerminated(const char (&field)[N])
{
    if (memchr(field, '\0', N) == nullptr) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<HistoryLineFields> lines;
    int count = SplitHistoryText(text, size, lines);
    size_t lineFeeds = 0;
    for (size_t i = 0; i < size; ++i) lineFeeds += text[i] == '\n';
    if ((size_t)count != lineFeeds || lines.size() != lineFeeds) __builtin_trap();
    for (const HistoryLineFields& line : lines) {
        CheckTerminated(line.date);
        CheckTerminated(line.action);
        CheckTerminated(line.kind);
        CheckTerminated(line.title);
        CheckTerminated(line.command);
        CheckTerminated(line.extra);
        CheckTerminated(line.note);
        char keyword[HISTORY_KEYWORD_CHARS];
        char date[HISTORY_DATE_CHARS];
        if (ParseUndoNote(line.note, keyword, sizeof keyword, date, sizeof date)) {
            CheckTerminated(keyword);
            CheckTerminated(date);
            if (!keyword[0] || strchr(keyword, ' ')) __builtin_trap();
        }
        if (strchr(line.extra, '\t') || strchr(line.title, '\n')) __builtin_trap();
    }
    return 0;
}
