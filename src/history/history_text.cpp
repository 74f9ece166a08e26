// Splitting history.txt lines into fields (see history_text.h).
#include "history/history_text.h"

#include <cstring>

namespace {

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
    default: break;  // fields after the sixth are ignored
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
            if (number == 5) {
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
