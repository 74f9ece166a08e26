// Version fields of real program files, and of a copy of this test program whose
// version resource is replaced to try translations and limits.
#include "foundations/version_info.h"

#include "version.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// Builds VS_VERSIONINFO blocks: each node is length, value length, type, a UTF-16 key,
// padding to 32 bits, the value, padding, then its children.
class VersionBlock {
public:
    static std::vector<BYTE> Node(const std::wstring& key, const std::vector<BYTE>& value, WORD valueLength, WORD type,
                                  const std::vector<BYTE>& children)
    {
        std::vector<BYTE> node(6, 0);
        for (wchar_t c : key + L'\0') Append16(node, (WORD)c);
        Pad(node);
        node.insert(node.end(), value.begin(), value.end());
        Pad(node);
        node.insert(node.end(), children.begin(), children.end());
        WORD length = (WORD)node.size();
        node[0] = (BYTE)(length & 0xFF);
        node[1] = (BYTE)(length >> 8);
        node[2] = (BYTE)(valueLength & 0xFF);
        node[3] = (BYTE)(valueLength >> 8);
        node[4] = (BYTE)type;
        Pad(node);
        return node;
    }
    static std::vector<BYTE> String(const std::wstring& key, const std::wstring& text)
    {
        std::vector<BYTE> value;
        for (wchar_t c : text + L'\0') Append16(value, (WORD)c);
        return Node(key, value, (WORD)(text.size() + 1), 1, {});
    }
    // One StringTable per translation, then the Translation list in the same order.
    typedef std::vector<std::pair<std::wstring, std::wstring>> Fields;
    static std::vector<BYTE> Info(const std::vector<std::pair<std::wstring, Fields>>& tables,
                                  const std::vector<DWORD>& translations)
    {
        std::vector<BYTE> stringTables;
        for (const auto& table : tables) {
            std::vector<BYTE> strings;
            for (const auto& field : table.second) {
                std::vector<BYTE> s = String(field.first, field.second);
                strings.insert(strings.end(), s.begin(), s.end());
            }
            std::vector<BYTE> t = Node(table.first, {}, 0, 1, strings);
            stringTables.insert(stringTables.end(), t.begin(), t.end());
        }
        std::vector<BYTE> list;
        for (DWORD pair : translations) {
            Append16(list, LOWORD(pair));
            Append16(list, HIWORD(pair));
        }
        std::vector<BYTE> var = Node(L"Translation", list, (WORD)list.size(), 0, {});
        std::vector<BYTE> children = Node(L"StringFileInfo", {}, 0, 1, stringTables);
        std::vector<BYTE> varInfo = Node(L"VarFileInfo", {}, 0, 1, var);
        children.insert(children.end(), varInfo.begin(), varInfo.end());
        VS_FIXEDFILEINFO fixed = {};
        fixed.dwSignature = 0xFEEF04BD;
        fixed.dwStrucVersion = 0x10000;
        std::vector<BYTE> fixedBytes(reinterpret_cast<BYTE*>(&fixed), reinterpret_cast<BYTE*>(&fixed) + sizeof fixed);
        return Node(L"VS_VERSION_INFO", fixedBytes, sizeof fixed, 0, children);
    }

private:
    static void Append16(std::vector<BYTE>& out, WORD w)
    {
        out.push_back((BYTE)(w & 0xFF));
        out.push_back((BYTE)(w >> 8));
    }
    static void Pad(std::vector<BYTE>& out)
    {
        while (out.size() % 4) out.push_back(0);
    }
};

// A copy of this program carrying the given version resource instead of its own.
class ProgramWithVersion {
public:
    explicit ProgramWithVersion(const std::vector<BYTE>& block)
    {
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        path_ = std::string(folder) + "vgk_version.exe";
        CopyFileA(ThisProgram().c_str(), path_.c_str(), FALSE);
        HANDLE update = BeginUpdateResourceA(path_.c_str(), FALSE);
        ok_ = update && UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO),
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                        const_cast<BYTE*>(block.data()), (DWORD)block.size());
        ok_ = EndUpdateResourceA(update, !ok_) && ok_;
    }
    ~ProgramWithVersion() { DeleteFileA(path_.c_str()); }
    const char* path() const { return path_.c_str(); }
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};

const DWORD kUs = MAKELONG(0x0409, 0x04b0);
const DWORD kGerman = MAKELONG(0x0407, 0x04e4);

}  // namespace

TEST(VersionInfo, ReadsTheFieldsOfThisProgram)
{
    VersionFields fields;
    EXPECT_EQ(1, ReadVersionFields(ThisProgram().c_str(), &fields));
    EXPECT_STREQ("Vigilark Explorer", fields.productName);
    EXPECT_STREQ(VIGILARK_VERSION_STRING, fields.productVersion);
    EXPECT_STREQ("Brondlewick", fields.companyName);
    EXPECT_STREQ("Vigilark Explorer", fields.fileDescription);
    EXPECT_STREQ("Copyright (C) Brondlewick", fields.legalCopyright);
    char description[VERSION_FIELD_CHARS];
    EXPECT_EQ(17, FileDescriptionOf(ThisProgram().c_str(), description, sizeof description));
    EXPECT_STREQ("Vigilark Explorer", description);
}

TEST(VersionInfo, SystemProgramsWithAndWithoutVersionInformation)
{
    VersionFields fields;
    EXPECT_EQ(1, ReadVersionFields("C:\\windows\\regedit.exe", &fields));
    EXPECT_STREQ("Wine", fields.productName);
    EXPECT_STREQ("Wine Registry Editor", fields.fileDescription);
    EXPECT_EQ(0, ReadVersionFields("C:\\windows\\system32\\notepad.exe", &fields));
    EXPECT_STREQ("", fields.productName);
    EXPECT_STREQ("", fields.companyName);
    EXPECT_EQ(0, ReadVersionFields("C:\\no\\such\\program.exe", &fields));
    EXPECT_STREQ("", fields.fileDescription);
}

TEST(VersionInfo, ALaterTranslationOverwritesAnEarlierOne)
{
    ProgramWithVersion program(VersionBlock::Info(
        {{L"040904b0", {{L"ProductName", L"First"}, {L"CompanyName", L"First Co"}, {L"LegalCopyright", L"(c) 1"}}},
         {L"040704e4", {{L"ProductName", L"Zweite"}, {L"LegalCopyright", L"(c) 2"}}}},
        {kUs, kGerman}));
    ASSERT_TRUE(program.ok());
    VersionFields fields;
    EXPECT_EQ(1, ReadVersionFields(program.path(), &fields));
    EXPECT_STREQ("Zweite", fields.productName);
    EXPECT_STREQ("", fields.companyName) << "missing in the later translation";
    EXPECT_STREQ("(c) 2", fields.legalCopyright);
}

TEST(VersionInfo, ATranslationWithoutProductNameIsSkipped)
{
    ProgramWithVersion program(VersionBlock::Info(
        {{L"040904b0", {{L"ProductName", L"First"}, {L"CompanyName", L"First Co"}}},
         {L"040704e4", {{L"CompanyName", L"Zweite Co"}}}},
        {kUs, kGerman}));
    ASSERT_TRUE(program.ok());
    VersionFields fields;
    EXPECT_EQ(0, ReadVersionFields(program.path(), &fields));
    EXPECT_STREQ("", fields.productName);
    EXPECT_STREQ("First Co", fields.companyName);
}

TEST(VersionInfo, ValuesOf128CharactersOrMoreComeBackEmpty)
{
    ProgramWithVersion program(VersionBlock::Info(
        {{L"040904b0",
          {{L"ProductName", std::wstring(127, L'p')}, {L"CompanyName", std::wstring(128, L'c')}}}},
        {kUs}));
    ASSERT_TRUE(program.ok());
    VersionFields fields;
    EXPECT_EQ(1, ReadVersionFields(program.path(), &fields));
    EXPECT_EQ(127u, strlen(fields.productName));
    EXPECT_STREQ("", fields.companyName);
}

TEST(VersionInfo, VersionInformationOver4095BytesIsNotRead)
{
    std::vector<std::pair<std::wstring, std::wstring>> many = {{L"ProductName", L"Big"}};
    for (int i = 0; i < 40; ++i) many.push_back({L"Comment" + std::to_wstring(i), std::wstring(100, L'x')});
    ProgramWithVersion program(VersionBlock::Info({{L"040904b0", many}}, {kUs}));
    ASSERT_TRUE(program.ok());
    DWORD handle = 0;
    ASSERT_GT(GetFileVersionInfoSizeA(program.path(), &handle), 4095u);
    VersionFields fields;
    EXPECT_EQ(0, ReadVersionFields(program.path(), &fields));
    EXPECT_STREQ("", fields.productName);
}
