// Floor work that several cases share, done with bare system calls: the safe write every
// file the product writes goes through, and the signature check of each distinct program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A new temporary file beside `target` (its name and ".~floor"), open for writing.
HANDLE CreateBeside(const std::string& target, std::string& temporary);
// The temporary file flushed, closed and moved over `target`: what keeps a file whole when
// a write fails part-way, and what the product's writes cannot leave out.
bool FlushAndReplace(HANDLE file, const std::string& temporary, const std::string& target);
// `bytes` written to `target` that way.
bool WriteReplacing(const std::string& target, const std::string& bytes);

// Each file's signature as Windows verifies it, with no window and no network: WinVerifyTrust
// on the file, its signer's certificate read when it has a signature, otherwise its hash
// looked up in the system catalogs (SHA-256, then SHA-1) and the catalog that lists it
// verified. Files that do not exist are skipped; the number checked.
int VerifySignatures(const std::vector<std::string>& files);
