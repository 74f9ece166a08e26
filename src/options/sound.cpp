// The console's sounds (see sound.h).
#include "options/sound.h"

#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

const char* const kEventKeys[] = {"Open", "Startup Alert", "Cookie Alert", "Task Alert"};
const int kEventCount = sizeof kEventKeys / sizeof kEventKeys[0];

}  // namespace

int SoundEventFile(int index, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    if (index < 0 || index >= kEventCount) index = SOUND_OPEN;
    char key[128];
    FormatText(key, sizeof key, "AppEvents\\Schemes\\Apps\\Vigilark\\%s\\.current", kEventKeys[index]);
    char file[260];
    ReadRegString(HKEY_CURRENT_USER, key, nullptr, file, sizeof file);
    return (int)CopyText(out, (size_t)capacity, file);
}

int PlaySoundEvent(int index)
{
    if (index < 0 || index >= kEventCount) index = SOUND_OPEN;
    if (CurrentOptions().sound <= 0) return index;

    // Synchronous, but never waiting for a device that is busy with another sound.
    char file[260];
    if (SoundEventFile(index, file, sizeof file) == 0)
        return PlaySoundA(MAKEINTRESOURCEA(IDW_OPEN_SOUND), AppInstance(), SND_RESOURCE | SND_SYNC | SND_NOWAIT);
    return PlaySoundA(file, nullptr, SND_FILENAME | SND_SYNC | SND_NOWAIT);
}
