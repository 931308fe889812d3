// The columns of a data set's CSV file, in file order: the label column, the
// first column (chosen by the single-column switches), the rest of quanti1,
// quanti2 (left out when qualiInfoFlag is true), quali1, quali2, then every
// column of the extra numeric blocks and of the extra text blocks, each with
// the name R gives it. The CSV writer writes these columns, the analysis
// script declares their classes and the R code names them, so all three
// always describe the same file.
#ifndef KOV_RSCRIPT_CSV_LAYOUT_H
#define KOV_RSCRIPT_CSV_LAYOUT_H

#include <string>
#include <vector>

#include "records.h"

// How R reads a column: the observation labels, the numeric and text columns
// of the four main blocks, then those of the extra blocks.
enum class CsvGroup { kLabel, kNumeric, kFactor, kExtraNumeric, kExtraFactor };

struct CsvColumn {
    CsvGroup group;
    std::wstring name;
    // The values, read in place: numbers for the numeric groups, texts for
    // the others (the other pointer is null).
    const double* numbers;
    const std::wstring* texts;
    // Rows 1 to length hold a value; later rows are empty cells. Never more
    // than the values the host array holds.
    int length;
    // Where the column comes from: its block and 1-based index in it (no
    // block for the label column).
    const void* block = nullptr;
    int index = 0;
    // The name R gives the column (CsvFileColumns).
    std::wstring rName = std::wstring();
};

// The columns of a data set's file: with withLabels the label column
// "obsLabels" first, then the columns of the data. singleQuanti / singleQuali
// -1: of quanti1 / quali1, when it supplies the first column, only column
// columnIndex is written. Each column's rName is what R's read.csv calls it:
// make.names of the whole header, unique (RNames).
std::vector<CsvColumn> CsvFileColumns(const cST_DataSet& dataSet, int columnIndex, short singleQuanti,
                                      short singleQuali, bool withLabels);

// The columns of the file the transfer writes for data set k (1-based) of a
// run with this column index: data set 1 of a run once per response column
// with the dialog's single-column switches, the data set that addObsLabels
// names with the label column. Empty when there is no data set k.
std::vector<CsvColumn> TransferFileColumns(cST_DataSetArray& dataSets, int k, const cST_aiR& dialog,
                                           int columnIndex);

#endif
