// history.txt: writing, reading and undo (see history.h).
#include "history/history.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <cstring>

namespace {

const struct {
    int code;
    const char* keyword;
} kActionKeywords[] = {
    {0, "*START_Remove"},      {1, "START_Disable"},          {2, "START_Enable"},
    {3, "IEHELPER_Remove"},    {4, "TASK_Remove"},            {5, "TASK_Kill"},
    {6, "START_Alert"},        {7, "TASK_Alert"},             {8, "IEHELPER_Alert"},
    {9, "SERVICE_Stop"},       {10, "SERVICE_Automatic"},     {11, "SERVICE_Manual"},
    {12, "SERVICE_Disabled"},  {13, "START_Restore"},         {14, "TASK_Restore"},
    {15, "IEHELPER_Restore"},  {17, "ScheduledTask_Remove"},  {18, "SERVICE_from_Automatic"},
    {19, "SERVICE_from_Manual"}, {20, "SERVICE__from_Disabled"}, {21, "MONITOR_Alert"},
    {22, "MONITOR_Allow"},     {23, "MONITOR_Restore"},       {24, "*HOOK_Remove"},
    {25, "HOOK_Restore"},
};

// A field of the line: tabs and line breaks would split or forge lines.
std::string LineField(const char* text)
{
    std::string field = text ? text : "";
    for (char& c : field)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return field;
}

// The newest 128 KiB of history.txt, whole lines only; false when it cannot be read.
bool ReadHistoryTail(const char* path, std::string& text)
{
    text.clear();
    ScopedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD high = 0;
    DWORD low = GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    unsigned long long size = ((unsigned long long)high << 32) | low;
    // One byte before the window tells whether the window starts on a line boundary.
    unsigned long long want = HISTORY_READ_BYTES + 1ULL;
    if (size > want) {
        unsigned long long from = size - want;
        LONG fromHigh = (LONG)(from >> 32);
        if (SetFilePointer(file.get(), (LONG)(DWORD)from, &fromHigh, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
            GetLastError() != NO_ERROR)
            return false;
    }
    text.resize((size_t)(size < want ? size : want));
    DWORD got = 0;
    if (!text.empty() && !ReadFile(file.get(), &text[0], (DWORD)text.size(), &got, nullptr)) return false;
    text.resize(got);
    if (size > HISTORY_READ_BYTES) text = NewestHistoryLines(text, HISTORY_READ_BYTES);
    return true;
}

// The records of the newest 128 KiB of history.txt; false when it cannot be read.
bool ReadHistoryRecords(std::vector<HistoryRecord>& records)
{
    records.clear();
    char path[MAX_PATH];
    if (HistoryFilePath(path, sizeof path) == 0) return false;
    std::string text;
    if (!ReadHistoryTail(path, text)) return false;
    ParseHistoryText(text, records);
    return true;
}

// What an undo amounts to, as the line that records it says.
const struct {
    int action;
    int undoneAs;
} kUndoneAs[] = {
    {ACTION_START_REMOVE, ACTION_START_RESTORE},
    {ACTION_START_DISABLE, ACTION_START_ENABLE},
    {ACTION_START_ENABLE, ACTION_START_DISABLE},
    {ACTION_IEHELPER_REMOVE, ACTION_IEHELPER_RESTORE},
    {ACTION_HOOK_REMOVE, ACTION_HOOK_RESTORE},
};

bool SameChange(const HistoryRecord& a, const HistoryRecord& b)
{
    return a.kind == b.kind && a.action == b.action && strcmp(a.date, b.date) == 0 && strcmp(a.title, b.title) == 0 &&
           strcmp(a.command, b.command) == 0 && strcmp(a.extra, b.extra) == 0;
}

bool SameLine(const HistoryRecord& a, const HistoryRecord& b) { return SameChange(a, b) && strcmp(a.note, b.note) == 0; }

// The lines LoadHistoryEntries read, exactly as the file held them (the entry list keeps
// commands without their quotes and in their long form).
std::vector<HistoryRecord> g_loaded;

const int ACTION_CODES = ACTION_HOOK_RESTORE + 1;
UndoFunction g_undo[ACTION_CODES] = {};

// history.txt is opened without sharing for one append. The resident monitor (or anyone
// reading the file) may hold it for a moment; a change is not left unrecorded for that.
HANDLE OpenForAppend(const char* path)
{
    for (int tries = 0;; ++tries) {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || tries == 40) return file;
        Sleep(25);
    }
}

// Appends one formatted line and its line end; 1 when written.
int WriteHistoryLine(std::string line)
{
    line += "\r\n";
    char path[MAX_PATH];
    if (HistoryFilePath(path, sizeof path) == 0) return 0;
    ScopedHandle file(OpenForAppend(path));
    if (!file.valid()) return 0;
    if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return 0;
    DWORD written = 0;
    return WriteFile(file.get(), line.data(), (DWORD)line.size(), &written, nullptr) && written == line.size();
}

// The line that records the undo of `record`. Written also while the History option is off:
// it is what keeps the line from being undone a second time.
void AppendUndoLine(const HistoryRecord& record)
{
    const char* keyword = ActionKeyword(record.action);
    char note[HISTORY_FIELD_CHARS];
    MakeUndoNote(keyword ? keyword : "", record.date, note, sizeof note);
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string line;
    if (!note[0] ||
        !FormatHistoryLine(now, record.title, record.command, record.extra, record.kind, UndoneAsAction(record.action),
                           line))
        return;
    line += '\t';
    line += note;
    if (line.size() + 2 < (size_t)HISTORY_LINE_CHARS) WriteHistoryLine(line);
}

// The line of the file that is the loaded line `index`, found by its text: UNDO_DONE with
// it when the file still holds such a line that is not undone yet.
UndoStatus FindLoadedLine(int index, HistoryRecord& record)
{
    if (index < 0 || index >= (int)g_loaded.size() || index >= EntryCount()) return UNDO_LINE_GONE;
    const HistoryRecord& wanted = g_loaded[(size_t)index];
    if (wanted.kind != GetEntryKind(index) || wanted.action != GetEntryValue(index)) return UNDO_LINE_GONE;
    std::vector<HistoryRecord> records;
    if (!ReadHistoryRecords(records)) return UNDO_LINE_GONE;
    UndoStatus status = UNDO_LINE_GONE;
    for (const HistoryRecord& line : records) {
        if (!SameLine(line, wanted)) continue;
        if (!line.undone) {
            record = line;
            return UNDO_DONE;
        }
        status = UNDO_ALREADY_UNDONE;
    }
    return status;
}

// The message of a status when the undo itself named none.
UINT DefaultMessage(UndoStatus status)
{
    switch (status) {
    case UNDO_ALREADY_UNDONE: return IDS_UNDO_ALREADY_UNDONE;
    case UNDO_LINE_GONE: return IDS_UNDO_LINE_GONE;
    case UNDO_NOT_POSSIBLE: return IDS_UNDO_NOT_POSSIBLE;
    case UNDO_NOTHING_TO_DO: return IDS_UNDO_NOTHING_TO_DO;
    default: return IDS_UNDO_FAILED;
    }
}

}  // namespace

const char* ActionKeyword(int action)
{
    for (const auto& row : kActionKeywords)
        if (row.code == action) return row.keyword;
    return nullptr;
}

int ActionFromKeyword(const char* keyword)
{
    for (const auto& row : kActionKeywords)
        if (SameText(row.keyword, keyword)) return row.code;
    return 0;
}

bool FormatHistoryLine(const SYSTEMTIME& time, const char* title, const char* command, const char* extra, int kind,
                       int action, std::string& line)
{
    char date[64];
    FormatDateText(&time, date, sizeof date);
    const char* kindKeyword = KindKeyword(kind);
    const char* actionKeyword = ActionKeyword(action);
    line = date;
    line += '\t';
    line += actionKeyword ? actionKeyword : "";
    line += '\t';
    line += kindKeyword ? kindKeyword : "UNKNOWN_TYPE";
    line += '\t';
    line += LineField(title);
    line += '\t';
    line += LineField(command);
    line += '\t';
    line += LineField(extra);
    return line.size() + 2 < (size_t)HISTORY_LINE_CHARS;
}

int HistoryFilePath(char* out, int capacity)
{
    char directory[MAX_PATH];
    if (ProgramDirectory(directory, sizeof directory) == 0) {
        if (capacity > 0) out[0] = '\0';
        return 0;
    }
    return (int)FormatText(out, (size_t)capacity, "%s\\history.txt", directory);
}

int AppendHistory(const char* title, const char* command, const char* extra, int kind, int action)
{
    if (GetOption("History", 1) <= 0) return 0;

    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string line;
    if (!FormatHistoryLine(now, title, command, extra, kind, action, line)) return 0;
    return WriteHistoryLine(line);
}

std::string NewestHistoryLines(const std::string& bytes, size_t window)
{
    if (bytes.size() <= window) return bytes;
    size_t lineFeed = bytes.find('\n', bytes.size() - window - 1);
    return lineFeed == std::string::npos ? std::string() : bytes.substr(lineFeed + 1);
}

int ParseHistoryText(const char* text, size_t length, std::vector<HistoryRecord>& records)
{
    records.clear();
    std::vector<HistoryLineFields> lines;
    SplitHistoryText(text, length, lines);
    records.reserve(lines.size());
    for (const HistoryLineFields& line : lines) {
        HistoryRecord record = {};
        CopyText(record.date, line.date);
        record.action = ActionFromKeyword(line.action);
        record.kind = KindFromKeyword(line.kind);
        CopyText(record.title, line.title);
        CopyText(record.command, line.command);
        CopyText(record.extra, line.extra);
        CopyText(record.note, line.note);
        records.push_back(record);
    }
    MarkUndoneLines(records);
    return (int)records.size();
}

void MarkUndoneLines(std::vector<HistoryRecord>& records)
{
    for (size_t undo = 0; undo < records.size(); ++undo) {
        HistoryRecord target = {};
        char keyword[HISTORY_KEYWORD_CHARS];
        if (!ParseUndoNote(records[undo].note, keyword, sizeof keyword, target.date, sizeof target.date)) continue;
        const HistoryRecord& line = records[undo];
        target.action = ActionFromKeyword(keyword);
        target.kind = line.kind;
        CopyText(target.title, line.title);
        CopyText(target.command, line.command);
        CopyText(target.extra, line.extra);
        for (size_t earlier = undo; earlier-- > 0;) {
            if (records[earlier].undone || !SameChange(records[earlier], target)) continue;
            records[earlier].undone = true;
            break;
        }
    }
}

int UndoneAsAction(int action)
{
    for (const auto& row : kUndoneAs)
        if (row.action == action) return row.undoneAs;
    return -1;
}

int LoadHistoryEntries()
{
    // The same programs and files recur on many lines; their long names are read once.
    FillMemo memo;
    FreeEntries();
    ReadHistoryRecords(g_loaded);
    for (const HistoryRecord& r : g_loaded) AddEntry(r.title, r.command, r.extra, r.date, r.kind, r.action);
    // A record the entry list refused would shift every later index off its line.
    if (EntryCount() != (int)g_loaded.size()) g_loaded.resize((size_t)EntryCount());
    return EntryCount();
}

namespace {

bool IsReversibleAction(int action)
{
    const char* keyword = ActionKeyword(action);
    return keyword && keyword[0] == '*';
}

}  // namespace

int IsReversible(int index)
{
    return index >= 0 && index < EntryCount() && index < (int)g_loaded.size() &&
           IsReversibleAction(GetEntryValue(index)) && !g_loaded[(size_t)index].undone;
}

void SetUndoAction(int action, UndoFunction undo)
{
    if (action >= 0 && action < ACTION_CODES) g_undo[action] = undo;
}

UndoOutcome MakeUndoOutcome(UndoStatus status, UINT message, const std::string& detail)
{
    UndoOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    outcome.detail = detail;
    return outcome;
}

UndoOutcome UndoHistoryLine(int index)
{
    HistoryRecord record = {};
    UndoStatus found = FindLoadedLine(index, record);
    const HistoryRecord* shown = index >= 0 && index < (int)g_loaded.size() ? &g_loaded[(size_t)index] : nullptr;
    std::string title = shown ? shown->title : "";
    UndoOutcome outcome = MakeUndoOutcome(found, 0, title);
    if (found == UNDO_DONE) {
        bool known = record.action >= 0 && record.action < ACTION_CODES && g_undo[record.action];
        outcome = known ? g_undo[record.action](record) : MakeUndoOutcome(UNDO_NOT_POSSIBLE, 0, title);
    }
    if (outcome.status == UNDO_DONE) {
        AppendUndoLine(record);
        return outcome;
    }
    if (outcome.message == 0) outcome.message = DefaultMessage(outcome.status);
    return outcome;
}

int UndoHistoryEntry(int index) { return UndoHistoryLine(index).status == UNDO_DONE ? 1 : 0; }
