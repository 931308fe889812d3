// The columns of a data set's CSV file, in file order: the first column
// (chosen by the single-column switches), the rest of quanti1, quanti2 (left
// out when qualiInfoFlag is true), quali1, quali2, then every column of the
// extra numeric blocks and of the extra text blocks. The CSV writer writes
// these columns and the analysis script declares their classes, so the two
// always describe the same file.
#ifndef KOV_RSCRIPT_CSV_LAYOUT_H
#define KOV_RSCRIPT_CSV_LAYOUT_H

#include <string>
#include <vector>

#include "records.h"

// How R reads a column: the numeric and text columns of the four main blocks,
// then those of the extra blocks.
enum class CsvGroup { kNumeric, kFactor, kExtraNumeric, kExtraFactor };

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
};

// singleQuanti / singleQuali -1: of quanti1 / quali1, when it supplies the
// first column, only column columnIndex is written.
std::vector<CsvColumn> CsvColumns(const cST_DataSet& dataSet, int columnIndex, short singleQuanti,
                                  short singleQuali);

#endif
