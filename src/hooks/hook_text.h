// The texts of the system hooks' values, as pure functions over their bytes: the DLL list of
// "AppInit_DLLs" (separated by blanks or commas) and the program lists of Winlogon's "Shell"
// and "Userinit" (separated by commas), which piece is Windows' own program, and a list
// without one piece with everything else kept byte for byte.
#pragma once

#include <string>
#include <vector>

// One piece of a list: where it starts in the text and how long it is.
struct TextPiece {
    size_t start = 0;
    size_t length = 0;
};

// The DLLs of an AppInit_DLLs text: runs of characters other than blank, tab, comma and NUL
// (the text ends at its first NUL).
std::vector<TextPiece> SplitDllList(const std::string& text);
// The programs of a Shell or Userinit text: what stands between commas, without the blanks
// around it; empty pieces are none (the text ends at its first NUL).
std::vector<TextPiece> SplitProgramList(const std::string& text);

// The text without `pieces[which]`: with the separators that follow it when a piece
// follows, else with those before it; every other byte stays. The text itself when
// `which` is no piece.
std::string WithoutPiece(const std::string& text, const std::vector<TextPiece>& pieces, size_t which);

// Windows' own program of a Winlogon value: "explorer.exe" for Shell, "userinit.exe" for
// Userinit, either bare or in its own folder (`windowsFolder` for the shell, `systemFolder`
// for userinit), without regard to case.
bool IsWindowsShell(const std::string& piece, const std::string& windowsFolder);
bool IsWindowsUserinit(const std::string& piece, const std::string& systemFolder);
