// Splitting history.txt lines into fields (see history_text.h).
#include "history/history_text.h"

#include <cstring>

namespace {

const char kUndoNotePrefix[] = "Undo of ";

// Room for the longest field plus the two carriage returns that end a line.
const int FIELD_BUFFER_CHARS = HISTORY_FIELD_CHARS + 2;

// Reading one line: the field being collected and whether it overflowed.
struct FieldBuffer {
    char text[FIELD_BUFFER_CHARS + 1];
    int length;
    bool overflow;
};

template <size_t N> void StoreText(char (&out)[N], const FieldBuffer& field)
{
    if (field.overflow || field.length >= (int)N) return;
    memcpy(out, field.text, (size_t)field.length);
    out[field.length] = '\0';
}

void StoreField(HistoryLineFields& line, int number, const FieldBuffer& field)
{
    switch (number) {
    case 0: StoreText(line.date, field); break;
    case 1: StoreText(line.action, field); break;
    case 2: StoreText(line.kind, field); break;
    case 3: StoreText(line.title, field); break;
    case 4: StoreText(line.command, field); break;
    case 5: StoreText(line.extra, field); break;
    case 6: StoreText(line.note, field); break;
    default: break;  // fields after the seventh are ignored
    }
}

}  // namespace

int SplitHistoryText(const char* text, size_t length, std::vector<HistoryLineFields>& lines)
{
    lines.clear();
    if (!text) return 0;
    HistoryLineFields line = {};
    FieldBuffer field = {};
    int number = 0;
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '\t') {
            StoreField(line, number, field);
            ++number;
            field = FieldBuffer{};
        } else if (c == '\n') {
            if (number == 5 || number == 6) {
                // The line ends in carriage returns (two when the file was written CR LF).
                while (field.length > 0 && field.text[field.length - 1] == '\r') field.text[--field.length] = '\0';
                StoreField(line, number, field);
            }
            lines.push_back(line);
            line = HistoryLineFields{};
            field = FieldBuffer{};
            number = 0;
        } else if (field.length < FIELD_BUFFER_CHARS) {
            field.text[field.length++] = c;
        } else {
            field.overflow = true;
        }
    }
    return (int)lines.size();
}

void MakeUndoNote(const char* keyword, const char* date, char* out, size_t capacity)
{
    if (!out || capacity == 0) return;
    out[0] = '\0';
    size_t prefix = sizeof kUndoNotePrefix - 1;
    size_t keywordLength = strlen(keyword);
    size_t dateLength = strlen(date);
    if (!keywordLength || strchr(keyword, ' ') || prefix + keywordLength + 1 + dateLength >= capacity) return;
    memcpy(out, kUndoNotePrefix, prefix);
    memcpy(out + prefix, keyword, keywordLength);
    out[prefix + keywordLength] = ' ';
    memcpy(out + prefix + keywordLength + 1, date, dateLength + 1);
}

bool ParseUndoNote(const char* note, char* keyword, size_t keywordCapacity, char* date, size_t dateCapacity)
{
    size_t prefix = sizeof kUndoNotePrefix - 1;
    if (!note || strncmp(note, kUndoNotePrefix, prefix) != 0 || keywordCapacity == 0 || dateCapacity == 0) return false;
    const char* start = note + prefix;
    const char* blank = strchr(start, ' ');
    if (!blank || blank == start) return false;
    size_t keywordLength = (size_t)(blank - start);
    size_t dateLength = strlen(blank + 1);
    if (keywordLength >= keywordCapacity || dateLength >= dateCapacity) return false;
    memcpy(keyword, start, keywordLength);
    keyword[keywordLength] = '\0';
    memcpy(date, blank + 1, dateLength + 1);
    return true;
}
