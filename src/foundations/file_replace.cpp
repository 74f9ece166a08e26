// Rewriting a file without truncating it first (see file_replace.h).
#include "foundations/file_replace.h"

#include "foundations/handles.h"
#include "foundations/platform.h"
#include "foundations/text.h"

#include <cstring>

namespace {

const size_t WRITE_CHUNK = 1 << 20;
const size_t GATHER_BYTES = 64 * 1024;
const int NAME_TRIES = 100;

// A name beside `path` that nothing holds yet, with `tag` and a number; empty when none fits.
std::string FreeNameBeside(const std::string& path, const char* tag, int number)
{
    char name[MAX_PATH];
    size_t length = FormatText(name, sizeof name, "%s.~%s%d", path.c_str(), tag, number);
    return length + 1 < sizeof name ? std::string(name) : std::string();
}

DWORD LastErrorOr(DWORD fallback)
{
    DWORD error = GetLastError();
    return error ? error : fallback;
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool MoveAsideAndReplace(const char* from, const char* to, DWORD* error)
{
    DWORD attributes = GetFileAttributesA(to);
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        *error = ERROR_ACCESS_DENIED;  // as MoveFileEx refuses on the NT family
        return false;
    }
    std::string aside;
    for (int n = 1; n < NAME_TRIES && aside.empty(); ++n) {
        std::string candidate = FreeNameBeside(to, "old", n);
        if (candidate.empty()) break;
        if (Exists(candidate.c_str())) continue;
        if (!MoveFileA(to, candidate.c_str())) {
            *error = LastErrorOr(ERROR_ACCESS_DENIED);
            return false;
        }
        aside = candidate;
    }
    if (aside.empty()) {
        *error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (!MoveFileA(from, to)) {
        *error = LastErrorOr(ERROR_ACCESS_DENIED);
        MoveFileA(aside.c_str(), to);
        return false;
    }
    DeleteFileA(aside.c_str());
    return true;
}

}  // namespace

bool FileReplacement::Fail(DWORD error)
{
    if (!error_) error_ = error ? error : ERROR_WRITE_FAULT;
    Discard();
    return false;
}

bool FileReplacement::Begin(const char* path)
{
    Discard();
    error_ = 0;
    target_ = path ? path : "";
    if (target_.empty()) return Fail(ERROR_INVALID_NAME);
    for (int n = 1; n < NAME_TRIES; ++n) {
        std::string candidate = FreeNameBeside(target_, "", n);
        if (candidate.empty()) return Fail(ERROR_FILENAME_EXCED_RANGE);
        file_ = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_ARCHIVE, nullptr);
        if (file_ != INVALID_HANDLE_VALUE) {
            temporary_ = candidate;
            return true;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return Fail(error);
    }
    return Fail(ERROR_FILE_EXISTS);
}

bool FileReplacement::Write(const void* bytes, size_t size)
{
    if (file_ == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
    // Callers write a line at a time: small pieces are gathered and written together.
    if (pending_.size() + size > GATHER_BYTES && !WritePending()) return false;
    if (size > GATHER_BYTES) return WriteThrough(bytes, size);
    pending_.append(static_cast<const char*>(bytes), size);
    return true;
}

bool FileReplacement::WritePending()
{
    bool written = WriteThrough(pending_.data(), pending_.size());
    pending_.clear();
    return written;
}

bool FileReplacement::WriteThrough(const void* bytes, size_t size)
{
    const char* at = static_cast<const char*>(bytes);
    while (size > 0) {
        DWORD chunk = (DWORD)(size < WRITE_CHUNK ? size : WRITE_CHUNK);
        DWORD written = 0;
        SetLastError(0);
        if (!WriteFile(file_, at, chunk, &written, nullptr) || written != chunk)
            return Fail(LastErrorOr(ERROR_DISK_FULL));
        at += chunk;
        size -= chunk;
    }
    return true;
}

bool FileReplacement::Commit()
{
    if (file_ == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
    if (!WritePending()) return false;
    SetLastError(0);
    bool flushed = FlushFileBuffers(file_) != 0;
    DWORD flushError = LastErrorOr(ERROR_WRITE_FAULT);
    bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    if (!flushed || !closed) return Fail(flushed ? ERROR_WRITE_FAULT : flushError);
    DWORD error = 0;
    if (!MoveFileReplacing(temporary_.c_str(), target_.c_str(), &error)) return Fail(error);
    temporary_.clear();
    return true;
}

void FileReplacement::Discard()
{
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    pending_.clear();
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    temporary_.clear();
}

bool ReplaceFileBytes(const char* path, const std::string& bytes, DWORD* error)
{
    FileReplacement file;
    bool done = file.Begin(path) && file.Write(bytes.data(), bytes.size()) && file.Commit();
    *error = done ? 0 : file.error();
    return done;
}

bool MoveFileReplacing(const char* from, const char* to, DWORD* error)
{
    *error = 0;
    if (!Exists(to)) {
        if (MoveFileA(from, to)) return true;
        *error = LastErrorOr(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!IsNtFamily()) return MoveAsideAndReplace(from, to, error);
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    *error = LastErrorOr(ERROR_ACCESS_DENIED);
    return false;
}

bool ReadFileBytes(const char* path, std::string& bytes, DWORD* error)
{
    DWORD ignored = 0;
    if (!error) error = &ignored;
    bytes.clear();
    *error = 0;
    ScopedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.valid()) {
        *error = LastErrorOr(ERROR_FILE_NOT_FOUND);
        return false;
    }
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        SetLastError(0);
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            *error = LastErrorOr(ERROR_READ_FAULT);
            bytes.clear();
            return false;
        }
        if (got == 0) return true;
        bytes.append(buffer, got);
    }
}
