// Whole registry keys: copied with every value (bytes and type exactly) and every subkey,
// and deleted with everything below them (RegDeleteKeyA on the NT family refuses a key
// that has subkeys). Each side may be in its own registry view.
#pragma once

#include "foundations/handles.h"

#include <windows.h>

#include <string>
#include <vector>

// Copies the values and subkeys of the source key into the target key, which is created
// when missing; values already in the target are overwritten, others are left. 1 when
// everything was copied, 0 when the source does not open or something could not be written.
int CopyRegistryTree(RegRoot fromHive, const char* fromKey, RegRoot toHive, const char* toKey);

// Deletes a key with all its subkeys. 1 when the key is gone afterwards (also when it never
// existed), 0 when some part of it could not be deleted.
int DeleteRegistryTree(RegRoot hive, const char* subkey);

// The names of the key's subkeys in the registry's order (a name longer than 255
// characters is skipped); false when the key does not open.
bool RegSubkeyNames(RegRoot hive, const char* subkey, std::vector<std::string>& names);

// True when the key opens for reading.
bool RegKeyExists(RegRoot hive, const char* subkey);
