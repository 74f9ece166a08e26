// Cookie folders planted in the test prefix: an Internet Explorer cookie folder with its
// index.dat (found through the Shell Folders value "Cookies"), a cache folder, and an
// application-data folder with a Firefox-style profile holding cookies.txt. Every key
// the cookie code reads or writes is put back afterwards.
#pragma once

#include "foundations/registry.h"
#include "support/testing.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>

namespace cookiebed {

const char kShellFolders[] = WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\Shell Folders";
const char kUserShellFolders[] = WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\User Shell Folders";
const char kNuts[] = VIGILARK_KEY "\\Nuts";
const char kKept[] = VIGILARK_KEY "\\Cookies";

inline void RemoveFolder(const std::string& folder)
{
    std::string from = folder + std::string(2, '\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

inline std::string FreshFolder(const std::string& folder)
{
    RemoveFolder(folder);
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    return folder;
}

class Bed {
public:
    Bed()
    {
        root_ = FreshFolder(TempPath("cookiebed"));
        // The user's folder carries the user's name, as Internet Explorer's folders do.
        ieFolder = FreshFolder(root_ + "\\Clicker\\Cookies");
        cache = FreshFolder(root_ + "\\Cache");
        appData = FreshFolder(root_ + "\\AppData");
        profile = FreshFolder(appData + "\\Mozilla\\FireFox\\Profiles\\default.vk");
        WriteWholeFile(ieFolder + "\\index.dat", "Client UrlCache MMF Ver 5.2");
        PutRegString(HKEY_CURRENT_USER, kShellFolders, "Cookies", ieFolder);
        PutRegString(HKEY_CURRENT_USER, kShellFolders, "Cache", cache);
        PutRegString(HKEY_CURRENT_USER, kShellFolders, "AppData", appData);
        nuts_->Clear();
        kept_->Clear();
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder");
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, "CookieFolder");
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile");
    }
    ~Bed() { RemoveFolder(root_); }

    std::string PutIeCookie(const std::string& name, const std::string& text = "id\nvalue\nsite/\n")
    {
        WriteWholeFile(ieFolder + "\\" + name, text);
        return ieFolder + "\\" + name;
    }
    bool HasIeCookie(const std::string& name) const { return Exists(ieFolder + "\\" + name); }
    void PutCookiesTxt(const std::string& bytes) const { WriteWholeFile(profile + "\\cookies.txt", bytes); }
    std::string CookiesNew() const { return ReadWholeFile(profile + "\\cookiesnew.txt"); }

    std::string ieFolder, cache, appData, profile;

private:
    std::string root_;
    std::unique_ptr<SavedKey> shell_{new SavedKey(HKEY_CURRENT_USER, kShellFolders)};
    std::unique_ptr<SavedKey> userShell_{new SavedKey(HKEY_CURRENT_USER, kUserShellFolders)};
    std::unique_ptr<SavedKey> nuts_{new SavedKey(HKEY_CURRENT_USER, kNuts)};
    std::unique_ptr<SavedKey> kept_{new SavedKey(HKEY_CURRENT_USER, kKept)};
    std::unique_ptr<SavedKey> vigilark_{new SavedKey(HKEY_CURRENT_USER, VIGILARK_KEY)};
    std::unique_ptr<SavedKey> options_{new SavedKey(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY)};
};

}  // namespace cookiebed
