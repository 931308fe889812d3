// A CSV file read as columns: the header names the columns, fields may be
// quoted ("..." with "" for a quote, line breaks allowed), blank lines are
// skipped. The separator (",", ";" or tab) and the decimal mark ("." or ",")
// are decided once for the whole file, or given by the user. Only the
// columns a run uses are kept: a numeric column as numbers, a text column
// as its cells.
#ifndef KOVR_CSV_TABLE_H
#define KOVR_CSV_TABLE_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kovr {

// Choices of the command line; 0 leaves the decision to the file.
struct CsvOptions {
    char separator = 0;
    char decimal = 0;
    bool headerIsData = false;  // the first line holds data; columns are named V1, V2, ...
};

// How the rows of one column are kept.
struct ColumnUse {
    bool text = false;     // the cells as written
    bool numbers = false;  // the cells as numbers
    // With numbers: a cell that is not a number is a missing value rather
    // than an error (selections that turn text into numbers).
    bool lenient = false;
    std::string purpose;   // who needs numbers, for the message about a cell that is none
};

struct CsvColumn {
    std::shared_ptr<std::vector<double>> numbers;  // missing values are kMissingNumber
    std::vector<std::string> texts;
};

struct CsvTable {
    std::string path;
    std::vector<std::string> names;
    std::vector<CsvColumn> columns;  // filled by ReadCsvRows as asked
    std::vector<uint32_t> lines;     // line of the file on which each row starts
    char separator = ',';
    char decimal = 0;  // 0 until a number with a decimal mark decides it
    std::string decimalSource;  // what decided it, for messages
    bool headerIsData = false;
    size_t expectedRows = 0;  // guessed from the first lines

    size_t RowCount() const { return lines.size(); }
    // The column called name, or, when no column has that name, the column
    // whose number (from 1) it is.
    std::optional<size_t> Find(const std::string& name) const;
};

// Decides the separator and decimal mark from the first lines of path and
// reads the header into table.names; returns false with a message in error
// when the file cannot be read or has no header.
bool OpenCsv(const std::string& path, const CsvOptions& options, CsvTable& table, std::string& error);

// Reads every row, keeping the columns as uses says (one use per column);
// returns false with a message naming the line and column of the first cell
// or line that does not fit.
bool ReadCsvRows(const std::vector<ColumnUse>& uses, CsvTable& table, std::string& error);

// Whether a text cell is a missing value: empty, blanks only, or "NA".
bool IsMissingText(const std::string& cell);

}  // namespace kovr

#endif
