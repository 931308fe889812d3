// The files R leaves in the R folder after an analysis script: one CSV file
// per result table (written by write.table without quotes, in the list
// separator the tool passed as the host's), the charts and the log.
#ifndef KOVR_RESULT_FILES_H
#define KOVR_RESULT_FILES_H

#include <string>
#include <vector>

#include "text_table.h"

namespace kovr {

struct ResultTable {
    TextRow header;
    std::vector<TextRow> rows;
    bool rowNames = false;  // the first column holds R's row names
};

// Reads a result file. When R wrote row names, the header has one field less
// than the rows; the row-name column then gets an empty header.
bool ReadResultTable(const std::string& path, char separator, ResultTable& table);

// The table as the terminal shows it: numbers cut to 7 significant digits,
// row names (observation labels) exactly as R wrote them.
void PrintResultTable(std::ostream& out, const ResultTable& table);

}  // namespace kovr

#endif
