// A registry tree taken whole (every key below a root path with its values, exactly as
// stored), to compare two states of it and to put a tree back after a test.
#pragma once

#include "foundations/registry.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct RegTree {
    HKEY hive = nullptr;
    std::string path;
    bool exists = false;
    // Key path below `path` ("" the root itself) -> its values sorted by name.
    std::map<std::string, std::vector<RegValue>> keys;
};

RegTree ReadRegTree(HKEY hive, const std::string& path);
// Deletes what is there now and writes the tree back as it was read.
void WriteRegTree(const RegTree& tree);
// The differences, one per line ("" when the trees are the same).
std::string RegTreeDifferences(const RegTree& expected, const RegTree& actual);

// Puts a whole tree back at the end of a test.
class SavedTree {
public:
    SavedTree(HKEY hive, const std::string& path) : tree_(ReadRegTree(hive, path)) {}
    ~SavedTree() { WriteRegTree(tree_); }
    SavedTree(const SavedTree&) = delete;
    SavedTree& operator=(const SavedTree&) = delete;

private:
    RegTree tree_;
};
