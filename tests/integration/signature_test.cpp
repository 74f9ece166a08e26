// Signature state and signer of real files: a program signed by a publisher of the test root
// (planted in the machine ROOT store), the same program unsigned, changed after signing, and
// signed under a root no store holds; a text file; a missing file; a Windows without wintrust.
#include "foundations/signature.h"
#include "support/import_hook.h"
#include "support/signed_files.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string StateText(const Signature& signature)
{
    char text[SIGNATURE_TEXT_CHARS];
    SignatureStateText(signature, text, sizeof text);
    return text;
}

// Names a place where Wine answers otherwise than Windows. The test then asserts Wine's
// known answer, so a Wine that closes the gap fails it and the gap is struck off here.
void RecordKnownGap(const char* name, const char* what)
{
    ::testing::Test::RecordProperty("known_gap", name);
    printf("[ KNOWN GAP ] %s: %s\n", name, what);
}

decltype(&LoadLibraryA) g_loadLibrary = nullptr;

HMODULE WINAPI NoWintrust(LPCSTR name)
{
    return lstrcmpiA(name, "wintrust.dll") == 0 ? nullptr : g_loadLibrary(name);
}

}  // namespace

TEST(Signature, StateAndSignerOfEachKindOfFile)
{
    PlantedTestRoot root;
    ASSERT_TRUE(root.planted()) << "root.cer in " << SigningFile("");
    const std::string text = TempPath("vk signature.txt");
    ASSERT_TRUE(WriteWholeFile(text, "MZ is all this file has of a program\r\n"));
    const struct {
        std::string file;
        SignatureState state;
        const char* signer;
        const char* text;
    } rows[] = {
        {SigningFile("signed.exe"), SignatureState::Verified, kTestPublisher, "Verified"},
        {SigningFile("tampered.exe"), SignatureState::Mismatch, kTestPublisher, "Signature does not match the file"},
        {SigningFile("unsigned.exe"), SignatureState::NotSigned, "", "Not signed"},
        {text, SignatureState::NotSigned, "", "Not signed"},
        {"C:\\vk nowhere\\missing.exe", SignatureState::None, "", ""},
        {"", SignatureState::None, "", ""},
    };
    SignatureChecker checker;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        Signature signature = checker.Check(row.file.c_str());
        EXPECT_EQ(row.state, signature.state) << std::hex << signature.result;
        EXPECT_STREQ(row.signer, signature.signer);
        EXPECT_EQ(row.text, StateText(signature));
    }
    DeleteFileA(text.c_str());
}

TEST(Signature, ASignatureUpToARootInNoStoreIsNotVerified)
{
    Signature signature = SignatureChecker().Check(SigningFile("untrusted.exe").c_str());
    EXPECT_STREQ(kOutsider, signature.signer);
    if (RunningOnWine()) {
        RecordKnownGap("wine-untrusted-root", "WinVerifyTrust accepts a valid signature whose root is in no store");
        EXPECT_EQ(SignatureState::Verified, signature.state);
        EXPECT_EQ(ERROR_SUCCESS, signature.result);
        return;
    }
    EXPECT_EQ(SignatureState::NotVerified, signature.state);
    EXPECT_EQ(CERT_E_UNTRUSTEDROOT, signature.result);
    EXPECT_EQ("Not verified (untrusted root)", StateText(signature));
}

TEST(Signature, WithoutWintrustTheStateIsUnknown)
{
    ASSERT_TRUE(HookImport("kernel32.dll", "LoadLibraryA", &NoWintrust, &g_loadLibrary));
    Signature signature = SignatureChecker().Check(SigningFile("signed.exe").c_str());
    decltype(&LoadLibraryA) hook = nullptr;
    HookImport("kernel32.dll", "LoadLibraryA", g_loadLibrary, &hook);
    EXPECT_EQ(SignatureState::Unknown, signature.state);
    EXPECT_EQ("Unknown", StateText(signature));
    EXPECT_STREQ("", signature.signer);
}
