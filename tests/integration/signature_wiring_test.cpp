// The signature state and signer reach the Properties dialog, both forms of the full report
// and the CSV export; a report or CSV run verifies each distinct program once.
#include "app/start.h"
#include "foundations/entries.h"
#include "reports/csv_export.h"
#include "reports/full_report.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "shell_fixture.h"
#include "support/import_hook.h"
#include "support/signed_files.h"
#include "support/text_parse.h"

#include <gtest/gtest.h>
#include <wintrust.h>

#include <cstring>

using namespace shell_fixture;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// WinVerifyTrust as the product loads it, counting the calls about signed.exe.
decltype(&GetProcAddress) g_getProcAddress = nullptr;
decltype(&WinVerifyTrust) g_verify = nullptr;
int g_signedChecks = 0;

LONG WINAPI CountingVerify(HWND window, GUID* action, LPVOID data)
{
    const auto* trust = static_cast<const WINTRUST_DATA*>(data);
    const wchar_t* name = trust->dwUnionChoice == WTD_CHOICE_FILE ? wcsrchr(trust->pFile->pcwszFilePath, L'\\') : nullptr;
    if (name && _wcsicmp(name, L"\\signed.exe") == 0) ++g_signedChecks;
    return g_verify(window, action, data);
}

FARPROC WINAPI CountingProcAddress(HMODULE module, LPCSTR name)
{
    FARPROC found = g_getProcAddress(module, name);
    if (!found || !HIWORD(reinterpret_cast<ULONG_PTR>(name)) || strcmp(name, "WinVerifyTrust") != 0) return found;
    g_verify = reinterpret_cast<decltype(g_verify)>(reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CountingVerify));
}

const struct {
    const char* title;
    const char* file;
    const char* signer;
    const char* state;
} kEntries[] = {
    {"VkSigned", "signed.exe", kTestPublisher, "Verified"},
    {"VkTampered", "tampered.exe", kTestPublisher, "Signature does not match the file"},
    {"VkUnsigned", "unsigned.exe", "", "Not signed"},
};

class SignatureWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.planted());
        InstallSubjectTables();
        for (const auto& entry : kEntries)
            PutRegString(HKEY_CURRENT_USER, kRunKey, entry.title, "\"" + SigningFile(entry.file) + "\" /quiet");
        // The same program again, named in another case: still one verification per run.
        std::string again = SigningFile("SIGNED.EXE");
        PutRegString(HKEY_CURRENT_USER, kRunKey, "VkSignedAgain", again);
    }
    PlantedTestRoot root_;
    SavedKey run_{HKEY_CURRENT_USER, kRunKey};
};

// The fields of the line that starts with the title and the separator.
std::vector<std::string> LineOf(const std::string& text, const char* title, char separator)
{
    for (const std::string& line : CrlfLines(text))
        if (line.rfind(std::string(title) + separator, 0) == 0) return SplitFields(line, separator);
    return {};
}

}  // namespace

TEST_F(SignatureWiring, PropertiesShowsTheStateAndSignerOfEachEntry)
{
    InitControls();
    FreeEntries();
    for (const auto& entry : kEntries)
        ASSERT_EQ(1, AddEntry(entry.title, SigningFile(entry.file).c_str(), "", "", KIND_CURRENT_RUN, 0));
    std::vector<std::string> shown;
    RunWithDialog([] { ShowPropertiesFor(nullptr, 0); return 0; },
                  [&](HWND dialog) {
                      for (size_t n = 0; n < 3; ++n) {
                          shown.push_back(TextOf(GetDlgItem(dialog, IDC_PROP_SIGNER)) + "|" +
                                          TextOf(GetDlgItem(dialog, IDC_PROP_SIGNATURE)));
                          SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_NEXT, BN_CLICKED), 0);
                      }
                      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                  });
    ASSERT_EQ(3u, shown.size());
    for (size_t n = 0; n < 3; ++n) EXPECT_EQ(std::string(kEntries[n].signer) + "|" + kEntries[n].state, shown[n]);
    FreeEntries();
}

TEST_F(SignatureWiring, ReportsAndCsvCarryTheSignerAndStateAndVerifyEachProgramOncePerRun)
{
    ASSERT_TRUE(HookImport("kernel32.dll", "GetProcAddress", &CountingProcAddress, &g_getProcAddress));
    g_signedChecks = 0;
    const std::string text = ReportText(REPORT_TEXT);
    const std::string html = ReportText(REPORT_HTML);
    const std::string csv = CsvText();
    decltype(&GetProcAddress) hook = nullptr;
    HookImport("kernel32.dll", "GetProcAddress", g_getProcAddress, &hook);
    EXPECT_EQ(3, g_signedChecks) << "once in each of the three runs";

    for (const auto& entry : kEntries) {
        SCOPED_TRACE(entry.title);
        std::vector<std::string> line = LineOf(text, entry.title, '\t');
        ASSERT_EQ(9u, line.size());
        EXPECT_EQ(entry.signer, line[7]);
        EXPECT_EQ(entry.state, line[8]);
        std::vector<std::string> record = LineOf(csv, entry.title, ',');
        ASSERT_EQ(11u, record.size());
        EXPECT_EQ(entry.signer, record[9]);
        EXPECT_EQ(entry.state, record[10]);
        EXPECT_NE(std::string::npos, html.find("\tSignature: " + std::string(entry.state) + "<br>\r\n"));
    }
    EXPECT_NE(std::string::npos, html.find("\tSigner: " + std::string(kTestPublisher) + "<br>\r\n"));
    EXPECT_EQ(kTestPublisher, LineOf(text, "VkSignedAgain", '\t').at(7));
}
