// The folder of the template files kept for the tests.
#ifndef KOV_TESTS_TEMPLATE_TEMPLATE_FILES_H
#define KOV_TESTS_TEMPLATE_TEMPLATE_FILES_H

#include <string>

namespace templates {

inline std::string DataFolder() { return KOV_SOURCE_DIR "/tests/template/data"; }

}  // namespace templates

#endif
