// The data file of one data set: a UTF-8 delimited text file in the data
// store (workFolder + "datastore"), where the analysis script's read.csv line
// finds it. One header row (optional), then one line per row; fields joined
// by the separator; numbers as printf("%.15g") writes them, texts unchanged
// unless they hold the separator, a double quote, a line feed or a carriage
// return (then between double quotes, inner quotes doubled), a row beyond a
// column's values an empty field.
#ifndef KOV_RSCRIPT_CSV_WRITER_H
#define KOV_RSCRIPT_CSV_WRITER_H

#include <string>

#include "records.h"

// fileName: name inside the data store, extension included. columnIndex,
// singleQuanti, singleQuali: the single-column switches (see CsvFileColumns).
// writeHeader -1: a header row with the names R gives the columns (RNames);
// withLabels -1: every line starts with the observation label, under the
// header "obsLabels". The data store must exist; a file that cannot be
// opened is silently not written. dialog is not read.
void WriteDataSetToFile(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSet& dataSet, int columnIndex,
                        short singleQuanti, short singleQuali, const std::wstring& fileName,
                        const std::wstring& separator, short writeHeader, short withLabels);

#endif
