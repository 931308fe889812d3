// Puts the options into one replace line: each option name in the line that
// a delimiter follows becomes the option's R text (RReplace), option by
// option in row order, with the option counters starting at 0.
#ifndef KOV_RSCRIPT_OPTION_SUBSTITUTION_H
#define KOV_RSCRIPT_OPTION_SUBSTITUTION_H

#include <string>

#include "records.h"

// Whether option row i takes part in a pass over the options: included, not
// yet written as a group member, and named.
bool IsPendingOption(cST_aiR& dialog, int i);

// line with the text of every pending option put in place of its name.
std::wstring SubstituteOptions(const std::wstring& line, cST_aiR& dialog);

#endif
