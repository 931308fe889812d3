// Assembly of the analysis code of one run: the model formula, the options
// (as lines of their own or substituted into the template's script lines),
// the seed, the data references and one line per chart drawn into a file.
#ifndef KOV_RSCRIPT_CODE_ASSEMBLY_H
#define KOV_RSCRIPT_CODE_ASSEMBLY_H

#include "records.h"

// Leaves the code in main.rCode, each line ended by a line feed. Sets
// optionDone of the options written as group members and resPlotIncluded of
// the charts drawn. columnIndex 0 is an ordinary run; k > 0 selects the k-th
// response column of a run made once per response column.
void GetRCodeAndReplaceOptions(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSetArray& dataSets, int columnIndex);

#endif
