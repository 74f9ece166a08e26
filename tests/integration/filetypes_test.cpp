// File-type associations in the prefix's registry: where each kind is found, icons (their texts are
// the unit test's), the start-up snapshot (Class, Ext, ExtType), Add and its refusals, Remove.
#include "filetypes/filetype_text.h"
#include "filetypes/filetypes.h"
#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/version_info.h"
#include "integration/filetype_bed.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

const char kOpener[] = "C:\\tools\\opener.exe \"%1\"";

// This test program has version texts; a class without a description shows its description.
std::string ProgramDescription()
{
    VersionFields fields;
    ReadVersionFields(ThisProgram().c_str(), &fields);
    return fields.fileDescription;
}

}  // namespace

TEST(FileTypes, AssociationsAndIconsAreFoundWhereTheUserOrTheMachinePutThem)
{
    FileTypeBed bed;
    bed.Plant(".vkfa", "vkft.open");
    bed.Plant(".vkfb", "vkft.play", "play", "C:\\tools\\player.exe");
    bed.Plant(".vkfc", "vkft.bare", "");
    bed.Put("Applications\\vkftapp.exe", "\\shell\\open\\command", "C:\\tools\\app.exe");
    bed.Plant(".vkfe", "vkft.open");
    bed.Choose(".vkfe", "Application", "vkftapp.exe");
    bed.Plant(".vkff", "vkft.open");  // the chosen application has no command: the ProgID is not looked at
    bed.Choose(".vkff", "Application", "vkftgone.exe");
    bed.Choose(".vkff", "ProgID", "vkftapp.exe");
    bed.Plant(".vkfg", "vkft.open");
    bed.Choose(".vkfg", "ProgID", "Applications\\vkftapp.exe");
    bed.Put("vkft.open", "\\DefaultIcon", "C:\\icons\\set.dll,-154");
    bed.Put("vkft.play", "\\DefaultIcon", "%1");  // each document its own icon: the program's stands in
    const struct { const char* extension; int kind; const char *className, *command; int icon; const char* iconFile; int index; } rows[] = {
        {".vkfa", ASSOCIATION_OPEN, "vkft.open", kOpener, 1, "C:\\icons\\set.dll", -154},
        {".vkfb", ASSOCIATION_PLAY, "vkft.play", "C:\\tools\\player.exe", 0, "C:\\tools\\player.exe", 0},
        {".vkfc", ASSOCIATION_NONE, "vkft.bare", "", 0, "", 0},  // the class is kept
        {".vkfd", ASSOCIATION_NONE, "", "", 0, "", 0},
        {".vkfe", ASSOCIATION_APPLICATION, "vkftapp.exe", "C:\\tools\\app.exe", 0, "C:\\tools\\app.exe", 0},
        {".vkff", ASSOCIATION_OPEN, "vkft.open", kOpener, 1, "C:\\icons\\set.dll", -154},
        {".vkfg", ASSOCIATION_PROGID, "Applications\\vkftapp.exe", "C:\\tools\\app.exe", 0, "C:\\tools\\app.exe", 0},
        {"vk;fa", ASSOCIATION_NONE, "", "", 0, "", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.extension);
        char className[FILETYPE_CLASS_CHARS], command[FILETYPE_COMMAND_CHARS];
        EXPECT_EQ(row.kind, ResolveAssociation(row.extension, className, command));
        EXPECT_STREQ(row.className, className);
        EXPECT_STREQ(row.command, command);
        std::string iconFile;
        int index = 7;
        EXPECT_EQ(row.icon, IconSource(row.extension, iconFile, &index));
        EXPECT_EQ(row.iconFile, iconFile);
        EXPECT_EQ(row.index, index);
    }
}

TEST(FileTypes, TheSnapshotIsMadeOnceWithTheDefaultListAndTheRealClasses)
{
    FileTypeBed bed;
    bed.Plant(".sbs", "vkft.sbs", "open", "\"C:\\tools\\s b.exe\" /mode=view \"%1\"");
    bed.Plant(".cda", "vkft.nodesc", "open", ThisProgram() + " /cd");
    ASSERT_FALSE(ProgramDescription().empty());

    CreateFileTypeSnapshot();
    char defaults[1024];
    LoadText(IDS_DEFAULT_FILETYPES, defaults);
    EXPECT_EQ(defaults, bed.List());
    EXPECT_EQ(37u, SplitMonitoredList(defaults).size());
    EXPECT_EQ("Do not edit", bed.ExtType(nullptr));
    EXPECT_EQ("vkft.sbs", bed.Ext(".SBS"));
    EXPECT_EQ("1", bed.ExtType(".SBS"));
    EXPECT_EQ("C:\\tools\\s b.exe /mode:view %1", bed.ClassCommand("vkft.sbs")) << "no quotes, no '='";
    // A class without a description is still the class, however the list shows it.
    EXPECT_EQ("vkft.nodesc", bed.Ext(".CDA"));
    EXPECT_NE("<missing>", bed.ClassCommand("vkft.nodesc"));
    EXPECT_EQ("<missing>", bed.ClassCommand(ProgramDescription().c_str()));

    // Once there, it is left alone: also a list whose first extension is long.
    for (const char* list : {"SBS;", "averylongextension;SBS;"}) {
        bed.SetList(list);
        CreateFileTypeSnapshot();
        EXPECT_EQ(list, bed.List());
    }
}

TEST(FileTypes, AddRefusesUnknownRepeatedAndTooManyTypes)
{
    FileTypeBed bed;
    bed.Plant(".vkfa", "vkft.open");
    const std::string filler = std::string(1011, 'x') + ";";  // 1012 characters
    const struct { std::string list; const char* typed; UINT result; const char* ext; } rows[] = {  // ext: Ext\.<typed> after
        {"AVI;", ".vkfa", 0, "vkft.open"},
        {"AVI;VKFA;", "vkfa", IDS_ERR_FILETYPE_EXISTS, "<missing>"},
        {"AVI;", ".vkfd", IDS_ERR_FILETYPE_INVALID, ""},  // the Ext value stays, empty
        {"AVI;", "vk;fa", IDS_ERR_FILETYPE_INVALID, "<missing>"},  // which texts are usable is the unit test's
        {filler + "ABC;", "vkfa", 0, "vkft.open"},  // 1016 + 4 = 1020 fits: 1021 characters then
        {filler + "ABCD;", "vkfa", IDS_ERR_FILETYPE_LIMIT, "<missing>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        bed.SetList(row.list);
        EXPECT_EQ(row.result, AddMonitoredType(row.typed));
        const std::string dotted = "." + ExtensionWithoutDot(row.typed);
        EXPECT_EQ(row.ext, bed.Ext(dotted.c_str()));
        EXPECT_EQ(row.result ? "<missing>" : "1", bed.ExtType(dotted.c_str()));
        EXPECT_EQ(row.result ? row.list : row.list + ExtensionWithoutDot(row.typed) + ";", bed.List());
        if (row.result == 0) {
            EXPECT_EQ("C:\\tools\\opener.exe %1", bed.ClassCommand("vkft.open"));
        }
        DeleteRegValue(HKEY_CURRENT_USER, FileTypeBed::kExtKey, dotted.c_str());
        DeleteRegValue(HKEY_CURRENT_USER, FileTypeBed::kExtTypeKey, dotted.c_str());
    }
}

TEST(FileTypes, RemoveKeepsAClassCommandWhileAnotherTypeUsesTheClass)
{
    FileTypeBed bed;
    // Two types of one class without a description: the list shows the program's description.
    bed.Plant(".vkfa", "vkft.nodesc", "open", ThisProgram() + " \"%1\"");
    bed.Plant(".vkfb", "vkft.nodesc", "open", ThisProgram() + " \"%1\"");
    bed.Plant(".vkfc", "vkft.open", "open", kOpener, std::string(200, 'D'));  // longer than a title
    bed.SetList("");
    for (const char* typed : {"vkfa", ".vkfb", "vkfc"}) ASSERT_EQ(0u, AddMonitoredType(typed));
    EXPECT_EQ("vkft.nodesc", bed.Ext(".vkfa"));
    ASSERT_EQ(3, EnumerateMonitoredTypes());
    EntryCopy entry;
    CopyEntry(0, entry);
    EXPECT_EQ(ProgramDescription(), entry.extra) << "what the Class column shows";
    CopyEntry(2, entry);
    EXPECT_EQ(std::string(ENTRY_TITLE_CHARS - 1, 'D'), entry.title) << "cut, not dropped";
    EXPECT_EQ(1, IsClassInUse("VKFT.NODESC"));
    EXPECT_EQ(0, IsClassInUse(ProgramDescription().c_str()));

    const struct { const char* extension; const char* list; bool nodescKept; const char* open; } steps[] = {
        {"vkfa", "vkfb;vkfc;", true, "C:\\tools\\opener.exe %1"},  // .vkfb still uses the class
        {"vkfb", "vkfc;", false, "C:\\tools\\opener.exe %1"},
        {"vkfc", "", false, "<missing>"},
        {"vkfc", "", false, "<missing>"},  // no longer there: nothing to do
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.extension);
        EXPECT_EQ(1, RemoveMonitoredType(step.extension));
        const std::string dotted = std::string(".") + step.extension;
        EXPECT_EQ(step.list, bed.List());
        EXPECT_EQ("<missing>", bed.Ext(dotted.c_str()));
        EXPECT_EQ("<missing>", bed.ExtType(dotted.c_str()));
        EXPECT_EQ(step.nodescKept, bed.ClassCommand("vkft.nodesc") != "<missing>");
        EXPECT_EQ(step.open, bed.ClassCommand("vkft.open"));
    }
}
