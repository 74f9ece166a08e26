// The console's sound events: the wave each names under HKCU\AppEvents, or the built-in one.
#include "foundations/registry.h"
#include "options/sound.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kSoundEvents[] = "AppEvents\\Schemes\\Apps\\Vigilark";

class Sounds : public ::testing::Test {
protected:
    SavedKey events_{HKEY_CURRENT_USER, kSoundEvents};
};

}  // namespace

TEST_F(Sounds, EachEventNamesItsOwnWaveAndAMissingOneMeansTheBuiltInSound)
{
    DeleteRegTree(HKEY_CURRENT_USER, kSoundEvents);
    PutRegString(HKEY_CURRENT_USER, std::string(kSoundEvents) + "\\Open\\.current", "", "C:\\open.wav");
    PutRegString(HKEY_CURRENT_USER, std::string(kSoundEvents) + "\\Task Alert\\.current", "", "C:\\task.wav");
    CreateRegKey(HKEY_CURRENT_USER, (std::string(kSoundEvents) + "\\Cookie Alert\\.current").c_str());
    struct Row {
        int index;
        const char* file;  // "" plays wave resource 113
    };
    const Row rows[] = {
        {SOUND_OPEN, "C:\\open.wav"},
        {SOUND_STARTUP_ALERT, ""},  // no key at all
        {SOUND_COOKIE_ALERT, ""},   // a key without its value
        {SOUND_TASK_ALERT, "C:\\task.wav"},
        {4, "C:\\open.wav"},      // past the last event: the first
        {-1, "C:\\open.wav"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        char file[260] = "stale";
        EXPECT_EQ((int)strlen(row.file), SoundEventFile(row.index, file, sizeof file));
        EXPECT_STREQ(row.file, file);
    }
}
