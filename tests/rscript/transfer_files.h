// Files for the tests of the scripts, the data files and the transfer: a
// temporary folder removed with everything in it, and file contents read back
// as bytes or lines.
#ifndef KOV_TESTS_RSCRIPT_TRANSFER_FILES_H
#define KOV_TESTS_RSCRIPT_TRANSFER_FILES_H

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "test_files.h"

namespace transfer_test {

using host::ReadBytes;
using host::TempFolder;

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// The lines of a file without their line feeds (a last line feed ends the
// last line and starts none).
inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(path, ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace transfer_test

#endif
