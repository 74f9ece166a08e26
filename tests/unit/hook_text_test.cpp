// The system hooks' value texts: AppInit_DLLs and Winlogon program lists split into pieces,
// one piece taken out with every other byte kept, and Windows' own programs told apart.
#include "hooks/hook_text.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const std::string& text, const std::vector<TextPiece>& pieces)
{
    std::vector<std::string> out;
    for (const TextPiece& piece : pieces) out.push_back(text.substr(piece.start, piece.length));
    return out;
}

using List = std::vector<std::string>;

}  // namespace

TEST(HookText, ListsSplitAndLoseOnePieceByteForByte)
{
    const struct {
        bool dlls;
        std::string text;
        List pieces;
        size_t taken;
        std::string rest;
    } rows[] = {
        {true, "a.dll b.dll,c.dll", {"a.dll", "b.dll", "c.dll"}, 1, "a.dll c.dll"},
        {true, "  a.dll ,, b.dll  ", {"a.dll", "b.dll"}, 1, "  a.dll  "},
        {true, "a.dll\tb.dll", {"a.dll", "b.dll"}, 0, "b.dll"},
        {true, std::string("x.dll\0y.dll", 11), {"x.dll"}, 0, std::string("\0y.dll", 6)},
        {true, "", {}, 0, ""},
        {false, "C:\\w\\system32\\userinit.exe,C:\\e v\\il.exe,", {"C:\\w\\system32\\userinit.exe", "C:\\e v\\il.exe"},
         1, "C:\\w\\system32\\userinit.exe,"},
        {false, "explorer.exe , two.exe, three.exe", {"explorer.exe", "two.exe", "three.exe"}, 1,
         "explorer.exe , three.exe"},
        {false, " ,, ", {}, 0, " ,, "},
        {false, std::string("evil.exe\0", 9), {"evil.exe"}, 0, std::string("\0", 1)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::vector<TextPiece> pieces = row.dlls ? SplitDllList(row.text) : SplitProgramList(row.text);
        EXPECT_EQ(row.pieces, Texts(row.text, pieces));
        EXPECT_EQ(row.rest, WithoutPiece(row.text, pieces, row.taken));
    }
}

TEST(HookText, WindowsOwnProgramsBareOrInTheirFolder)
{
    const struct {
        std::string piece;
        bool shell, userinit;
    } rows[] = {
        {"Explorer.exe", true, false},
        {"C:\\WINDOWS\\explorer.exe", true, false},
        {"C:\\windows\\system32\\explorer.exe", false, false},
        {"userinit.exe", false, true},
        {"c:\\windows\\SYSTEM32\\Userinit.exe", false, true},
        {"C:\\temp\\userinit.exe", false, false},
        {"explorer.exe evil.exe", false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.shell, IsWindowsShell(row.piece, "C:\\windows")) << row.piece;
        EXPECT_EQ(row.userinit, IsWindowsUserinit(row.piece, "C:\\windows\\system32\\")) << row.piece;
    }
}
