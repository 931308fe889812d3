// Data placeholders in script lines: "xltype(" set "," kind ")" stands for
// the name of a variable of data set `set`: kind 7 the text block, kind 9 the
// first numeric extra block, kind 10 the first text extra block.
#ifndef KOV_RSCRIPT_DATA_PLACEHOLDERS_H
#define KOV_RSCRIPT_DATA_PLACEHOLDERS_H

#include <string>

#include "records.h"

// The first column name of the block that the placeholder designates, as R
// reads it (blanks written as "."); "" for a kind without a target, a set
// that does not exist or an empty block list.
std::wstring GetVarFromSetID(cST_DataSetArray& dataSets, int set, int kind);

// Replaces every placeholder in code by its variable name. Text that starts
// with "xltype" but is not a placeholder written with plain integers
// ('xltype( 1,9)', 'xltype(1.5,9)', 'xltype(1,9') is left as written.
void ReplaceCodeByData(std::wstring& code, cST_DataSetArray& dataSets);

#endif
