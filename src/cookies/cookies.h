// Cookies of the two browser families: where they are kept, the listing pass that fills
// the entry list, the filtering pass that removes every cookie a filter matches, and the
// removal and keeping of single cookies.
#pragma once

#include <windows.h>

#include <string>

class FileReplacement;

const int COOKIE_PASS_LISTING = 0;
const int COOKIE_PASS_FILTERING = 1;

const int COOKIE_BROWSER_IE = 1;
const int COOKIE_BROWSER_MOZILLA = 3;

#define KEPT_COOKIES_KEY "Software\\Brondlewick\\Vigilark\\Cookies"

// The console's cookie browser; until set, the one the "Browser" setting gives.
int CookieBrowser();
void SetCookieBrowser(int browser);
// "Browser" values 2, 3 and 6 give the Mozilla family, every other one Internet Explorer.
int CookieBrowserFromSetting(int setting);

// The Internet Explorer cookie folder with its trailing backslash: 1, or 0 with text 968
// "Cookie Folder Not Found" in out.
int FindIeCookieFolder(char* out, int capacity);
// The Mozilla-based profile folder: 1, or 0 with out empty.
int FindMozillaCookieFolder(char* out, int capacity);
// The folder of the browser (either of the two above).
int FindCookieFolder(int browser, char* out, int capacity);
// Non-zero when <AppData>\Mozilla exists.
int MozillaInstalled();
// Stores a folder the user chose for the browser (IECookieFolder or CookieFolder).
int StoreCookieFolder(int browser, const char* folder);

// Gives the full report the Internet Explorer cookie folder (its "IE Cookie Path").
void InstallCookieReport();

// Deletes the file of that name at the top of Internet Explorer's cache folder.
void DeleteCachedCopy(const char* fileName);

// What a collection did beyond the entry list.
struct CookieCollection {
    int notListed;  // cookies the entry list refused
    int removed;    // cookies the filtering pass removed
};

// Collects the cookies of the current cookie browser in a pass (the filtering pass loads
// the filter list first and frees it at the end). Returns the number of entries listed.
// A Mozilla-based filtering pass writes cookiesnew.txt only when it is complete, and sets
// UpdateCookieFile then; a pass that fails clears UpdateCookieFile and leaves no copy.
int CollectCookies(int pass, CookieCollection* result = nullptr);

// Mozilla-based filtering of a cookies.txt stream, apart from the folders: every line that
// no mark or filter word removes is written to output exactly as read (lines longer than
// the scanner's limit pass unread). The marks are read from the registry; the filter list
// must be loaded. False when reading or writing failed (the output is then incomplete).
bool FilterCookieFile(HANDLE input, FileReplacement& output, CookieCollection* result);

// What the last listing pass knew of a listed cookie, by entry index.
struct ListedCookie {
    std::string mark;   // the name its marks use: the file name, or the whole identity
    std::string title;  // its title; for Mozilla-based cookies the older marks' name
    bool kept;          // shown checked
    bool hidden;        // removed by a mark, or titled as a filter word: not shown
    bool ownsTitle;     // no other cookie has its title, so a title mark is its own
};
// nullptr when the entry is not a cookie of the last listing pass.
const ListedCookie* ListedCookieAt(int entry);

// Kept-cookie marks (...\Vigilark\Cookies, mark name = "1").
bool IsCookieKept(const char* mark);
void SetCookieKept(const char* mark);

// Removes one cookie of the browser by its mark name: the kept mark goes; an Internet
// Explorer cookie file and its cached copy are deleted, a Mozilla-based cookie gets a
// removal mark (the next filtering pass drops it).
void RemoveCookie(int browser, const char* mark);
// The same for a listed cookie, whose older title mark also goes when it is its own.
void RemoveListedCookie(int browser, int entry);
void KeepListedCookie(int entry);

// First run: every cookie named in section "Cookies" of the settings file is kept, also
// those the list has no room for.
void RecordKeptCookies(const char* settingsFile);
