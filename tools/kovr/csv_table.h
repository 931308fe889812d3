// A CSV file read as columns of text cells: the header names the columns,
// fields may be quoted ("..." with "" for a quote), and the separator is the
// one of ",", ";" and tab that the header line uses most.
#ifndef KOVR_CSV_TABLE_H
#define KOVR_CSV_TABLE_H

#include <optional>
#include <string>
#include <vector>

namespace kovr {

struct CsvTable {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> columns;  // columns[c][r]
    char separator = ',';

    size_t RowCount() const { return columns.empty() ? 0 : columns[0].size(); }
    // The column called name, or, when no column has that name, the column
    // whose number (from 1) it is.
    std::optional<size_t> Find(const std::string& name) const;
    // Takes the header line as the first row of data and names the columns
    // V1, V2, ... (a selection without column headers).
    void HeaderAsData();
};

// Reads path into table; returns false with a message in error when the file
// cannot be read or is not a rectangular CSV table with a header.
bool ReadCsv(const std::string& path, CsvTable& table, std::string& error);

// The number in a cell: blanks around it are ignored, and a decimal comma is
// accepted when the separator is not a comma. Empty cells and "NA" are
// missing (nullopt with missing set); other text is not a number.
std::optional<double> CellNumber(const std::string& cell, char separator, bool& missing);

}  // namespace kovr

#endif
