// Which registry paths name an add-on registration: the undo trusts a saved copy only for one.
#include "foundations/entries.h"
#include "iehelpers/addon_registration.h"
#include "iehelpers/iehelpers.h"

#include <gtest/gtest.h>

TEST(AddonRegistration, OnlyOneAddOnOfAnAddOnLocationIsNamedByAPath)
{
    const std::string wow = "SOFTWARE\\Wow6432Node\\" + std::string(IE_BHO_KEY).substr(9);
    const struct { std::string path; int kind; std::string key, value; } rows[] = {
        {IE_BHO_KEY "\\{A}", KIND_TYPE_BHO, IE_BHO_KEY "\\{A}", ""},
        {IE_EXTENSION_KEY "\\{A}", KIND_TYPE_EXTENSION, IE_EXTENSION_KEY "\\{A}", ""},
        {IE_TOOLBAR_KEY "\\{A}", KIND_TYPE_TOOLBAR, IE_TOOLBAR_KEY, "{A}"},
        {wow + "\\{A}", KIND_TYPE_BHO32, IE_BHO_KEY "\\{A}", ""},
        {"software\\microsoft\\internet explorer\\toolbar\\{A}", KIND_TYPE_TOOLBAR, IE_TOOLBAR_KEY, "{A}"},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, "", ""},
        {IE_BHO_KEY, 0, "", ""},
        {IE_BHO_KEY "\\", 0, "", ""},
        {IE_BHO_KEY "\\{A}\\Settings", 0, "", ""},
        {IE_BHO_KEY "X\\{A}", 0, "", ""},
        {"SOFTWARE\\Wow6432Node", 0, "", ""},
    };
    for (const auto& row : rows) {
        Registration found;
        EXPECT_EQ(row.kind != 0, RegistrationFromPath(row.path, found)) << row.path;
        if (!row.kind) continue;
        EXPECT_EQ(std::to_string(row.kind) + "|" + row.key + "|" + row.value,
                  std::to_string(found.kind) + "|" + found.key + "|" + found.value);
        EXPECT_EQ(0, _stricmp(row.path.c_str(), RegistrationPath(found).c_str())) << "named back by its path";
    }
}
