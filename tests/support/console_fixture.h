// The fixture of the end-to-end page tests: no copy of the console or the monitor and no
// history file of an earlier test, before or after; the console's message boxes answered.
#pragma once

#include "support/console_driver.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <string>

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override { Forget(); }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        Forget();
    }
    static void Forget()
    {
        EndAllCopies();
        SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(HistoryFile().c_str());
    }
    // Selects the tab of this caption; its page once it is active, else NULL.
    HWND OpenTab(const std::string& caption)
    {
        for (int i = 0; i < TabCount(run_.sheet); ++i)
            if (TabText(run_, i) == caption) SelectTab(run_.sheet, i);
        HWND page = nullptr;
        WaitFor([&] { return (page = ActivePage(run_.sheet)) != nullptr && ActiveTabText(run_) == caption; });
        return page;
    }
    // Waits for the console's next message box, presses `answer` and waits for the box to go;
    // its text ("<no box>" when none came), and in `caption` its title.
    std::string AnswerBox(int answer, std::string* caption = nullptr)
    {
        HWND box = WaitForWindow(run_);
        if (!box) return "<no box>";
        // The box shows before its text is set.
        WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); });
        std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        if (caption) *caption = WindowText(box);
        PressButton(box, answer);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << text;
        return text;
    }
    ConsoleRun run_;
};
