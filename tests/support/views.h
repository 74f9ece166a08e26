// The wine64 test prefix is a 64-bit Windows with both registry views. The 32-bit view of
// HKEY_LOCAL_MACHINE\Software is the key "Software\Wow6432Node" of the native view, which a
// bare HKEY_LOCAL_MACHINE reaches in a 64-bit test: tests plant and read the 32-bit view
// there, apart from the program's own view flags. The program keeps its own machine key
// (VIGILARK_KEY: disabled store, Users, text overrides) in the 32-bit view.
#pragma once

#include <string>

// "Software\X\Y" as the native view shows it in the 32-bit view: "Software\Wow6432Node\X\Y".
inline std::string In32BitView(const std::string& softwarePath)
{
    size_t slash = softwarePath.find('\\');
    return softwarePath.substr(0, slash) + "\\Wow6432Node" + softwarePath.substr(slash);
}
