// Stand-in for the list-view toolkit's start-up step until it is built (see ../CMakeLists.txt).
#include "shell/listview.h"

void ForgetImageLists() {}
