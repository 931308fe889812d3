// Template files for the reader's tests: the files kept under data/, and
// files a test writes into a temporary folder of its own.
#ifndef KOV_TESTS_TEMPLATE_TEMPLATE_FILES_H
#define KOV_TESTS_TEMPLATE_TEMPLATE_FILES_H

#include <string>

#include "test_files.h"

namespace templates {

// The folder of the kept template files.
inline std::string DataFolder() { return KOV_SOURCE_DIR "/tests/template/data"; }

inline std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

using host::TempFolder;

}  // namespace templates

#endif
