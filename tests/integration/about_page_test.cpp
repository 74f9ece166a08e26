// The About page in a real property sheet of the test's own: its texts, fonts, link,
// search field, activation and close protocol.
#include "support/scratch_registry.h"

#include "foundations/registry.h"
#include "foundations/strings.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/help.h"
#include "shell/pages.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(UINT id)
{
    char text[512];
    LoadText(id, text);
    return text;
}

std::string ItemText(HWND page, int control)
{
    char text[512] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A modeless sheet holding only the About page, owned by a stand-in for the main window.
class AboutPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        CreateSharedDrawing(GetModuleHandleA(nullptr));
        LoadText(IDS_APP_NAME, ConsoleCaption(), CAPTION_CHARS);
        main_ = CreateWindowExA(0, "STATIC", "Loading...", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SetMainWindow(main_);

        char caption[64];
        LoadText(IDS_TAB_ABOUT, caption);
        PROPSHEETPAGEA record = {};
        record.dwSize = sizeof record;
        record.dwFlags = PSP_USETITLE;
        record.hInstance = GetModuleHandleA(nullptr);
        record.pszTemplate = MAKEINTRESOURCEA(IDD_ABOUT_PAGE);
        record.pfnDlgProc = AboutPageProc;
        record.pszTitle = caption;
        PROPSHEETHEADERA header = {};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_MODELESS;
        header.hwndParent = main_;
        header.pszCaption = ConsoleCaption();
        header.nPages = 1;
        header.ppsp = &record;
        sheet_ = reinterpret_cast<HWND>(PropertySheetA(&header));
        ASSERT_NE(nullptr, sheet_);
        Pump();
        page_ = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
        ASSERT_NE(nullptr, page_);
    }
    void TearDown() override
    {
        if (IsWindow(sheet_)) DestroyWindow(sheet_);
        Pump();
        if (IsWindow(main_)) DestroyWindow(main_);
        SetMainWindow(nullptr);
        SetActivePage(ACTIVE_PAGE_NONE);
    }

    // The page saves the sheet's placement when it goes; keep the prefix as it was.
    ScratchKey key_{HKEY_CURRENT_USER, VIGILARK_KEY};
    SavedValue x_{HKEY_CURRENT_USER, VIGILARK_KEY, "xPos"};
    SavedValue y_{HKEY_CURRENT_USER, VIGILARK_KEY, "yPos"};
    SavedValue dx_{HKEY_CURRENT_USER, VIGILARK_KEY, "dxPos"};
    SavedValue dy_{HKEY_CURRENT_USER, VIGILARK_KEY, "dyPos"};
    HWND main_ = nullptr;
    HWND sheet_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace

TEST_F(AboutPage, ShowsItsTextsTheVersionsAndTheServer)
{
    EXPECT_EQ(Text(IDS_SUPPORT_CONTACT), ItemText(page_, IDC_ABOUT_SUPPORT));
    EXPECT_EQ(Text(IDS_ABOUT_NOTICE), ItemText(page_, IDC_ABOUT_NOTICE));
    EXPECT_EQ("Check for new Vigilark version", ItemText(page_, IDC_CHECK_VERSION));
    EXPECT_EQ("Enter Program Name to Search for:", ItemText(page_, IDC_SEARCH_PROMPT));
    EXPECT_EQ("&Search", ItemText(page_, IDC_SEARCH_BUTTON));
    EXPECT_EQ("http://vigilark.invalid/", ItemText(page_, IDC_ABOUT_NEWS_LINK));

    // The heading shows the versions of the files beside this program, when the
    // monitor's can be read; otherwise it keeps the dialog's own text.
    char version[300];
    std::string heading = "Vigilark v";
    if (VersionText(version, sizeof version) > 0) heading += version;
    EXPECT_EQ(heading, ItemText(page_, IDC_ABOUT_VERSION));
}

TEST_F(AboutPage, UsesTheAboutFontsAndAnOwnerDrawnLink)
{
    const SharedDrawing& drawing = Drawing();
    ASSERT_NE(nullptr, drawing.aboutHeadingFont);
    EXPECT_EQ(reinterpret_cast<LRESULT>(drawing.aboutHeadingFont),
              SendDlgItemMessageA(page_, IDC_ABOUT_VERSION, WM_GETFONT, 0, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(drawing.aboutTextFont),
              SendDlgItemMessageA(page_, IDC_ABOUT_NOTICE, WM_GETFONT, 0, 0));
    LONG_PTR style = GetWindowLongPtrA(GetDlgItem(page_, IDC_ABOUT_NEWS_LINK), GWL_STYLE);
    EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK);
}

TEST_F(AboutPage, ActivationOffersTheSearchAndMarksThePage)
{
    EXPECT_EQ(CMD_ABOUT_PAGE, ActivePage());
    LRESULT defaultButton = SendMessageA(page_, DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(defaultButton));
    EXPECT_EQ(IDC_SEARCH_BUTTON, LOWORD(defaultButton));
    for (int control : {IDC_SEARCH_PROMPT, IDC_SEARCH_EDIT, IDC_SEARCH_BUTTON}) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page_, control))) << control;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page_, control))) << control;
    }
    char title[64];
    GetWindowTextA(main_, title, sizeof title);
    EXPECT_STREQ(ConsoleCaption(), title);
    // The search prompt shares its id with the pages' Help icon but must stay a text.
    EXPECT_EQ(nullptr, GetPropA(GetDlgItem(page_, IDC_SEARCH_PROMPT), MAKEINTATOM(ICON_PROP_REST)));
    // The sheet shows neither OK nor the context-help button; Cancel reads "Close".
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet_, IDOK)));
    EXPECT_EQ("Close", ItemText(sheet_, IDCANCEL));
}

TEST_F(AboutPage, EnterAndEscapeDoNothingAndClosingEndsTheConsole)
{
    SendMessageA(page_, WM_COMMAND, IDOK, 0);
    SendMessageA(page_, WM_COMMAND, IDCANCEL, 0);
    Pump();
    EXPECT_TRUE(IsWindow(page_));
    EXPECT_EQ(CMD_ABOUT_PAGE, ActivePage());

    DestroyWindow(sheet_);
    EXPECT_EQ(ACTIVE_PAGE_NONE, ActivePage());
    Pump();  // the page posted WM_CLOSE to the main window, which closes it
    EXPECT_FALSE(IsWindow(main_));
}
