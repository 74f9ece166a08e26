// File types planted for a test under HKLM\Software\Classes and the user's FileExts, with the
// snapshot keys (Class, Ext, ExtType) emptied; all put back as they were at the end.
#pragma once

#include "foundations/registry.h"
#include "support/testing.h"

#include <memory>
#include <string>
#include <vector>

class FileTypeBed {
public:
    static constexpr const char* kClassKey = VIGILARK_KEY "\\Class";
    static constexpr const char* kExtKey = VIGILARK_KEY "\\Ext";
    static constexpr const char* kExtTypeKey = VIGILARK_KEY "\\ExtType";
    const std::string kClasses = "Software\\Classes\\";
    const std::string kFileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

    FileTypeBed() { for (const char* key : {kClassKey, kExtKey, kExtTypeKey}) Keep(HKEY_CURRENT_USER, key)->Clear(); }
    // An extension of a class with a description, and a command for the verb unless it is "".
    void Plant(const std::string& extension, const std::string& className, const char* verb = "open",
               const std::string& command = "C:\\tools\\opener.exe \"%1\"", const std::string& description = "")
    {
        Put(extension, "", className);
        Put(className, "", description);
        if (*verb) Put(className, std::string("\\shell\\") + verb + "\\command", command);
    }
    // A default value under Software\Classes\<top><below>.
    void Put(const std::string& top, const std::string& below, const std::string& value)
    {
        Keep(HKEY_LOCAL_MACHINE, kClasses + top);
        if (!value.empty()) PutRegString(HKEY_LOCAL_MACHINE, kClasses + top + below, nullptr, value);
    }
    // The user's choice for an extension: value "Application" or "ProgID" under FileExts.
    void Choose(const std::string& extension, const char* valueName, const std::string& name)
    {
        Keep(HKEY_CURRENT_USER, kFileExts + extension);
        PutRegString(HKEY_CURRENT_USER, kFileExts + extension, valueName, name);
    }

    void SetList(const std::string& list) { PutRegString(HKEY_CURRENT_USER, kClassKey, nullptr, list); }
    std::string List() const { return GetRegString(HKEY_CURRENT_USER, kClassKey, nullptr); }
    std::string ClassCommand(const char* className) const { return GetRegString(HKEY_CURRENT_USER, kClassKey, className); }
    std::string Ext(const char* extension) const { return GetRegString(HKEY_CURRENT_USER, kExtKey, extension); }
    std::string ExtType(const char* extension) const { return GetRegString(HKEY_CURRENT_USER, kExtTypeKey, extension); }

private:
    const SavedKey* Keep(HKEY hive, const std::string& key)
    {
        for (size_t i = 0; i < kept_.size(); ++i)
            if (kept_[i].first == hive && kept_[i].second == key) return saved_[i].get();
        kept_.emplace_back(hive, key);
        saved_.emplace_back(new SavedKey(hive, key));
        return saved_.back().get();
    }
    std::vector<std::pair<HKEY, std::string>> kept_;
    std::vector<std::unique_ptr<SavedKey>> saved_;
};
