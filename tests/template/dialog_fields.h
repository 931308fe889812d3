// A template read through kovr's two-pass load, and the fields of the records
// it fills by name: every vector as its entries joined by "|", the dialog's
// string and flag fields, and the main record's title, group and keywords.
#ifndef KOV_TESTS_TEMPLATE_DIALOG_FIELDS_H
#define KOV_TESTS_TEMPLATE_DIALOG_FIELDS_H

#include <map>
#include <string>

#include "template_file.h"

namespace templates {

using Fields = std::map<std::string, std::string>;

// Reads the template file at path; fails the test when it does not parse.
kovr::LoadedTemplate Load(const std::string& path);
// Writes xml to a temporary file and reads it.
kovr::LoadedTemplate LoadText(const std::string& xml);
Fields FieldsOf(kovr::LoadedTemplate& loaded);
// Checks that every vector holds as many entries as the sizing pass counted;
// the control vectors hold controlOverCount fewer (the descriptive statistics
// check box is counted once per result and added once).
void ExpectSizingMatchesFilling(kovr::LoadedTemplate& loaded, int controlOverCount);

}  // namespace templates

#endif
