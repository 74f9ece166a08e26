// Who made a program file and whether it is still what its maker shipped: its Authenticode
// signature, embedded or in a system catalog (Windows' own files carry none of their own),
// as Windows verifies it. Revocation is never checked, so nothing is fetched from the
// network. The verification functions (wintrust, crypt32) are loaded at run time: a Windows
// without them answers "Unknown".
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

const int SIGNER_CHARS = 128;          // the signer's name
const int SIGNATURE_TEXT_CHARS = 128;  // the state as the user reads it

enum class SignatureState {
    None,         // no file to check: the path is empty or names no file
    Verified,     // a valid signature whose certificates Windows trusts
    Mismatch,     // signed, but the file was changed after signing
    NotVerified,  // signed, but Windows refuses the signature (the reason is in `result`)
    NotSigned,    // no signature of its own, and no system catalog vouches for it
    Unknown,      // this Windows has no verification functions
};

struct Signature {
    SignatureState state = SignatureState::None;
    LONG result = 0;                 // what WinVerifyTrust answered
    char signer[SIGNER_CHARS] = "";  // the signing certificate's name; empty when unsigned
};

// What a WinVerifyTrust answer means for a file that has a signature to check.
SignatureState SignatureStateOf(LONG result);
// True when the answer says the file carries no signature it could check.
bool IsUnsignedAnswer(LONG result);

// The state as the user reads it ("Verified", "Not verified (untrusted root)", ...; empty for
// None), from the string table; its length.
int SignatureStateText(const Signature& signature, char* out, int capacity);

// Checks program files: loads the system's functions once for a series of files and checks
// each distinct file once (a report or CSV run keeps one for the whole run).
class SignatureChecker {
public:
    SignatureChecker();
    ~SignatureChecker();
    SignatureChecker(const SignatureChecker&) = delete;
    SignatureChecker& operator=(const SignatureChecker&) = delete;

    // The signature of a program file, found as FindProgramFile finds it.
    Signature Check(const char* file);

    struct Functions;

private:
    std::unique_ptr<Functions> functions_;
    std::map<std::string, Signature> checked_;  // by upper-case path
};

// The state and signer texts of the program of one command or path as listed (quotes,
// arguments and "\??\" are dropped first): for a window about one program, such as the
// monitor's alert.
void ReadSignatureTexts(const char* command, char* state, int stateCapacity, char* signer, int signerCapacity);
