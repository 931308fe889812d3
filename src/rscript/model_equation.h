// The model formula of templates whose data structure is a model: the
// response, " ~ " and one term per explanatory column ('y ~ +Rain+Soil'),
// qualitative terms as random intercepts for "model.random".
#ifndef KOV_RSCRIPT_MODEL_EQUATION_H
#define KOV_RSCRIPT_MODEL_EQUATION_H

#include <string>

#include "matrix.h"
#include "records.h"

// The formula for the first data selection. The response is refRName(1), or,
// for a run made once per response column, column columnIndex of data set 1.
// The terms come from data set 1, or from data set 2 when data set 1 has no
// explanatory columns. Columns are named as the header of their data file
// names them (FileColumnNames).
std::wstring GetModelEquation(cST_aiR& dialog, cST_DataSetArray& dataSets, int columnIndex);

// Appends separator + name for each of names(1..n) to formula, the names
// made into R names as read.csv makes them (RNames); with random (-1) each
// term is "( 1 | name )".
void LoadClabelsRfunc(int n, const std::wstring& separator, matrix<std::wstring>& names, short random,
                      std::wstring& formula);

#endif
