// The console's sounds: events under HKCU\AppEvents\Schemes\Apps\Vigilark, or the
// built-in wave 113.
#pragma once

const int SOUND_OPEN = 0;
const int SOUND_STARTUP_ALERT = 1;
const int SOUND_COOKIE_ALERT = 2;
const int SOUND_TASK_ALERT = 3;

// Plays the event's sound when the option Sound is on; returns the playback result,
// or the index when sounds are off.
int PlaySoundEvent(int index);

// The wave file an event names (the default value of its ".current" key); its length,
// 0 when none is set and the built-in sound plays. An index above 3 means event 0.
int SoundEventFile(int index, char* out, int capacity);
