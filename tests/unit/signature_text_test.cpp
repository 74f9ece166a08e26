// What WinVerifyTrust's answers mean, and the state as the user reads it.
#include "foundations/signature.h"
#include "foundations/strings.h"

#include <gtest/gtest.h>
#include <wintrust.h>

TEST(SignatureText, EachAnswerGivesItsStateAndText)
{
    SetAppInstance(GetModuleHandleA(nullptr));
    const struct {
        LONG result;
        SignatureState state;
        const char* text;
    } rows[] = {
        {ERROR_SUCCESS, SignatureState::Verified, "Verified"},
        {TRUST_E_BAD_DIGEST, SignatureState::Mismatch, "Signature does not match the file"},
        {TRUST_E_NOSIGNATURE, SignatureState::NotSigned, "Not signed"},
        {TRUST_E_SUBJECT_FORM_UNKNOWN, SignatureState::NotSigned, "Not signed"},
        {TRUST_E_PROVIDER_UNKNOWN, SignatureState::NotSigned, "Not signed"},
        {CERT_E_UNTRUSTEDROOT, SignatureState::NotVerified, "Not verified (untrusted root)"},
        {CERT_E_EXPIRED, SignatureState::NotVerified, "Not verified (expired)"},
        {CERT_E_CHAINING, SignatureState::NotVerified, "Not verified (incomplete certificate chain)"},
        {TRUST_E_EXPLICIT_DISTRUST, SignatureState::NotVerified, "Not verified (distrusted)"},
        {CERT_E_WRONG_USAGE, SignatureState::NotVerified, "Not verified (not a code-signing certificate)"},
        {TRUST_E_CERT_SIGNATURE, SignatureState::NotVerified, "Not verified (error 0x80096004)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Signature signature;
        signature.result = row.result;
        signature.state = SignatureStateOf(row.result);
        EXPECT_EQ(row.state, signature.state);
        char text[SIGNATURE_TEXT_CHARS];
        EXPECT_EQ((int)strlen(row.text), SignatureStateText(signature, text, sizeof text));
        EXPECT_STREQ(row.text, text);
    }
    Signature unknown;
    unknown.state = SignatureState::Unknown;
    char text[SIGNATURE_TEXT_CHARS] = "x";
    SignatureStateText(unknown, text, sizeof text);
    EXPECT_STREQ("Unknown", text);
    SignatureStateText(Signature(), text, sizeof text);
    EXPECT_STREQ("", text) << "no file, no state";
}
