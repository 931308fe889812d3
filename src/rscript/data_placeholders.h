// Data placeholders in script lines: "xltype(" set "," kind ")" stands for
// the name of a variable of data set `set`: kind 7 the text block, kind 9 the
// first numeric extra block, kind 10 the first text extra block.
#ifndef KOV_RSCRIPT_DATA_PLACEHOLDERS_H
#define KOV_RSCRIPT_DATA_PLACEHOLDERS_H

#include <string>

#include "file_column_names.h"
#include "records.h"

// The name of the first column of the block that the placeholder designates,
// as the header of its data file names it (FileColumnNames); "" for a kind
// without a target, a set that does not exist or an empty block list.
std::wstring VariableName(cST_DataSetArray& dataSets, FileColumnNames& names, int set, int kind);

// VariableName with the files of the exports that take no dialog.
std::wstring GetVarFromSetID(cST_DataSetArray& dataSets, int set, int kind);

// Replaces every placeholder in code by its variable name. Text that starts
// with "xltype" but is not a placeholder written with plain integers
// ('xltype( 1,9)', 'xltype(1.5,9)', 'xltype(1,9') is left as written.
void ReplaceCodeByData(std::wstring& code, cST_DataSetArray& dataSets, FileColumnNames& names);

// ReplaceCodeByData with the files of the exports that take no dialog.
void ReplaceCodeByData(std::wstring& code, cST_DataSetArray& dataSets);

#endif
