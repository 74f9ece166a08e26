// Cookies of the two browser families: where they are kept, the listing pass that fills
// the entry list, the filtering pass that removes every cookie a filter matches, and the
// removal and keeping of single cookies.
#pragma once

#include <windows.h>

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

// Deletes the file of that name at the top of Internet Explorer's cache folder.
void DeleteCachedCopy(const char* fileName);

// What a collection did beyond the entry list.
struct CookieCollection {
    int notListed;  // cookies the entry list refused
    int removed;    // cookies the filtering pass removed
};

// Collects the cookies of the current cookie browser in a pass (the filtering pass loads
// the filter list first and frees it at the end). Returns the number of entries listed.
int CollectCookies(int pass, CookieCollection* result = nullptr);

// Mozilla-based filtering of a cookies.txt stream, apart from the folders: every line
// that no filter matches is written to output exactly as read. False when reading or
// writing failed (the output is then incomplete).
bool FilterCookieFile(HANDLE input, HANDLE output, CookieCollection* result);

// Kept-cookie marks (...\Vigilark\Cookies, name = "1").
bool IsCookieKept(const char* name);
void SetCookieKept(const char* name);

// Removes one cookie of the browser by its name: the kept mark goes; an Internet
// Explorer cookie file and its cached copy are deleted, a Mozilla-based cookie gets a
// removal mark (the next filtering pass drops it).
void RemoveCookie(int browser, const char* name);

// First run: every listed cookie named in section "Cookies" of the settings file is kept.
void RecordKeptCookies(const char* settingsFile);
