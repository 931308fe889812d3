// Numbers in CSV cells: decimal notation only (an optional sign, digits with
// at most one decimal mark, an optional exponent), blanks around them
// ignored. Hexadecimal, "inf", "nan" and digit grouping are text.
#ifndef KOVR_CSV_NUMBER_H
#define KOVR_CSV_NUMBER_H

#include <string_view>

namespace kovr {

// The value the host stores for a missing number.
inline constexpr double kMissingNumber = -1.79769313486231e+308;

struct CellNumber {
    enum Kind { kNumber, kMissing, kText } kind = kText;
    double value = kMissingNumber;
    char mark = 0;  // the decimal mark the cell is written with, 0 for none
};

// Reads a cell; a decimal comma is a mark only when the file's separator is
// not a comma. Empty cells, blanks and "NA" are missing.
CellNumber ReadCellNumber(std::string_view cell, char separator);

}  // namespace kovr

#endif
