// The fields of history.txt lines, split from raw bytes. Pure: no window or system calls,
// so the splitter also builds natively for the fuzz targets.
#pragma once

#include <cstddef>
#include <vector>

// Field capacities of a history record, terminator included.
const int HISTORY_DATE_CHARS = 32;
const int HISTORY_FIELD_CHARS = 260;   // the longest field a line may carry
const int HISTORY_LINE_CHARS = 1024;
const int HISTORY_KEYWORD_CHARS = 32;  // longer than every action and kind keyword

// One line's fields as text; a field too long for its buffer is left empty.
struct HistoryLineFields {
    char date[HISTORY_DATE_CHARS];
    char action[HISTORY_KEYWORD_CHARS];
    char kind[HISTORY_KEYWORD_CHARS];
    char title[128];
    char command[260];
    char extra[260];
    char note[260];  // a seventh field: what an undo line undid (old readers ignore it)
};

// Splits history text into lines, one per line feed (the carriage returns that end a
// line are dropped); a last line without a line feed is not a line. Fields are separated
// by tabs; a seventh field is the note, later ones are ignored. Returns the number of lines.
int SplitHistoryText(const char* text, size_t length, std::vector<HistoryLineFields>& lines);

// The note of a line that records an undo: "Undo of <action keyword> <date of the undone
// line>". MakeUndoNote writes it (empty when it does not fit); ParseUndoNote reads it back,
// false for any other note.
void MakeUndoNote(const char* keyword, const char* date, char* out, size_t capacity);
bool ParseUndoNote(const char* note, char* keyword, size_t keywordCapacity, char* date, size_t dateCapacity);
