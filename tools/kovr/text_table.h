// Plain-text tables for the terminal: columns aligned, numbers right-aligned.
#ifndef KOVR_TEXT_TABLE_H
#define KOVR_TEXT_TABLE_H

#include <ostream>
#include <string>
#include <vector>

namespace kovr {

using TextRow = std::vector<std::string>;

// Prints header and rows with aligned columns, each line led by indent.
void PrintTable(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows,
                const std::string& indent = "  ");

// Whether a cell reads as a number.
bool LooksNumeric(const std::string& cell);

// A number as the terminal shows it: at most 7 significant digits.
std::string ShortNumber(double value);

}  // namespace kovr

#endif
