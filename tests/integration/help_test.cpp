// Where the help of a page is, and the version fields of a copy of this program with another
// version resource.
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/version_info.h"
#include "resource.h"
#include "shell/help.h"
#include "shell/help_addresses.h"
#include "support/testing.h"
#include "support/views.h"
#include "version.h"

#include <gtest/gtest.h>

namespace {

// "<1 local, 0 the server's>|<the page>"
std::string Target(int command, WORD language)
{
    char target[WEB_ADDRESS_CHARS];
    int local = HelpTarget(command, language, target, sizeof target);
    return std::to_string(local) + "|" + target;
}

typedef std::vector<std::pair<std::wstring, std::wstring>> Fields;

std::string Wide(const std::wstring& text) { return std::string((const char*)text.c_str(), (text.size() + 1) * 2); }

// A VS_VERSIONINFO node: length, value length, type, UTF-16 key, value, children, each 32-bit aligned.
std::string Node(const std::wstring& key, const std::string& value, WORD valueLength, WORD type,
                 const std::string& children = "")
{
    std::string node = std::string(6, '\0') + Wide(key);
    for (const std::string* part : {&value, &children}) node.append((4 - node.size() % 4) % 4, '\0') += *part;
    WORD head[3] = {(WORD)node.size(), valueLength, type};
    node.replace(0, 6, (const char*)head, 6);
    return node.append((4 - node.size() % 4) % 4, '\0');
}

// One StringTable per translation ("040904b0"), then the Translation list in the same order.
std::string VersionInfo(const std::vector<std::pair<std::wstring, Fields>>& tables)
{
    std::string strings, translations;
    for (const auto& table : tables) {
        std::string fields;
        for (const auto& field : table.second)
            fields += Node(field.first, Wide(field.second), (WORD)(field.second.size() + 1), 1);
        strings += Node(table.first, "", 0, 1, fields);
        DWORD id = wcstoul(table.first.c_str(), nullptr, 16);
        WORD pair[2] = {HIWORD(id), LOWORD(id)};
        translations.append((const char*)pair, 4);
    }
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x10000;
    return Node(L"VS_VERSION_INFO", std::string((const char*)&fixed, sizeof fixed), sizeof fixed, 0,
                Node(L"StringFileInfo", "", 0, 1, strings) +
                    Node(L"VarFileInfo", "", 0, 1, Node(L"Translation", translations, (WORD)translations.size(), 0)));
}

// "product|company|copyright" of a copy of this program with the given version resource.
std::string ReadReplaced(const std::string& block)
{
    std::string path = TempPath("vgk_version.exe");
    CopyFileA(ThisProgram().c_str(), path.c_str(), FALSE);
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    bool ok = UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), (void*)block.data(), (DWORD)block.size());
    EXPECT_TRUE(EndUpdateResourceA(update, !ok) && ok);
    VersionFields fields;
    bool read = ReadVersionFields(path.c_str(), &fields) == 1;
    DeleteFileA(path.c_str());
    return (read ? "" : "refused ") + std::string(fields.productName) + "|" + fields.companyName + "|" +
           fields.legalCopyright;
}

}  // namespace

TEST(HelpTarget, TheLocalFileWhenFoundElseThePageOnTheServer)
{
    // The build puts the help pages beside the executables, the test program's folder.
    EXPECT_EQ("1|" + BesideTestProgram("startup.html"), Target(CMD_STARTUP_PAGE, LANG_ENGLISH));
    for (const char* topic : {"cookies.html", "tasks.html", "options.html", "services.html", "scheduler.html",
                              "bho.html", "filetype.html", "features.html"})
        EXPECT_TRUE(Exists(BesideTestProgram(topic))) << topic;

    // A page of that name in the current or the Windows folder is nothing of the program's:
    // only the program's own folder counts, else the server's page.
    char previous[MAX_PATH], windows[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string folder = TempPath("vigilark-help-test");
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    const std::string planted[] = {folder + "\\de_scheduler.html", std::string(windows) + "\\de_scheduler.html"};
    for (const std::string& page : planted) WriteWholeFile(page, "<html></html>");
    EXPECT_EQ("0|http://vigilark.invalid/de_scheduler.html", Target(CMD_SCHEDULED_PAGE, LANG_GERMAN));
    for (const std::string& page : planted) DeleteFileA(page.c_str());
    WriteWholeFile(BesideTestProgram("de_scheduler.html"), "<html></html>");
    EXPECT_EQ("1|" + BesideTestProgram("de_scheduler.html"), Target(CMD_SCHEDULED_PAGE, LANG_GERMAN));
    DeleteFileA(BesideTestProgram("de_scheduler.html").c_str());
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(folder.c_str());
    // The server comes from the string table or its override, and ends with a slash.
    SavedKey program(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY), "LString263", "http://mirror.test"));
    EXPECT_EQ("0|http://mirror.test/de_scheduler.html", Target(CMD_SCHEDULED_PAGE, LANG_GERMAN));
}

TEST(VersionInfo, TheLastTranslationWithAProductNameCountsAndLongValuesOrBlocksAreNotRead)
{
    EXPECT_EQ("Zweite||(c) 2",
              ReadReplaced(VersionInfo({{L"040904b0", {{L"ProductName", L"First"}, {L"CompanyName", L"A"}}},
                                        {L"040704e4", {{L"ProductName", L"Zweite"}, {L"LegalCopyright", L"(c) 2"}}}})));
    EXPECT_EQ("refused |A|",
              ReadReplaced(VersionInfo({{L"040904b0", {{L"ProductName", L"First"}, {L"CompanyName", L"A"}}},
                                        {L"040704e4", {{L"CompanyName", L"B"}}}})));
    EXPECT_EQ(
        std::string(127, 'p') + "||",
        ReadReplaced(VersionInfo(
            {{L"040904b0", {{L"ProductName", std::wstring(127, L'p')}, {L"CompanyName", std::wstring(128, L'c')}}}})));
    Fields many = {{L"ProductName", L"Big"}};
    for (int i = 0; i < 40; ++i) many.push_back({L"Comment" + std::to_wstring(i), std::wstring(100, L'x')});
    std::string big = VersionInfo({{L"040904b0", many}});
    ASSERT_GT(big.size(), 4095u);
    EXPECT_EQ("refused ||", ReadReplaced(big));
}
