// Stand-in for the console's sounds until they are built (see ../CMakeLists.txt).
#include "options/sound.h"

int PlaySoundEvent(int index) { return index; }
