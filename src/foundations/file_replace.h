// Rewriting a file without ever truncating it first: the new bytes go into a temporary
// file in the same folder, which takes the old file's place only when it is complete. A
// write that fails part-way (disk full, quota, a reader holding the file) leaves the
// previous file exactly as it was, and no temporary file behind.
#pragma once

#include <windows.h>

#include <string>

class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement() { Discard(); }
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file beside `path`; false (error() says why) when it cannot.
    bool Begin(const char* path);
    // Appends bytes; false once anything has failed.
    bool Write(const void* bytes, size_t size);
    // Flushes and closes the temporary file and puts it in place of the file. False (error()
    // says why) when anything failed: the file is then as it was and the temporary one gone.
    bool Commit();
    // Deletes the temporary file; the file stays as it was.
    void Discard();
    DWORD error() const { return error_; }

private:
    bool Fail(DWORD error);
    bool WritePending();
    bool WriteThrough(const void* bytes, size_t size);
    std::string target_;
    std::string pending_;
    std::string temporary_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    DWORD error_ = 0;
};

// The whole file replaced by `bytes` as above; false with *error set.
bool ReplaceFileBytes(const char* path, const std::string& bytes, DWORD* error);

// Puts `from` in place of `to` (which need not exist). The NT family replaces in one step;
// the 95 family, whose MoveFileEx is a stub, moves the old file aside first and puts it back
// when the new one cannot take its place. False with *error set; `to` is then as it was.
bool MoveFileReplacing(const char* from, const char* to, DWORD* error);

// The whole file; false (with *error set and bytes empty) when it cannot be opened or a
// read fails part-way, so a caller never rewrites a file from half of it. A missing file
// gives false with ERROR_FILE_NOT_FOUND.
bool ReadFileBytes(const char* path, std::string& bytes, DWORD* error = nullptr);
