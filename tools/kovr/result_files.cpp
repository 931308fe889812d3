#include "result_files.h"

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "host_text.h"

namespace kovr {

namespace {

TextRow SplitLine(const std::string& line, char separator) {
    TextRow fields;
    size_t from = 0;
    for (;;) {
        const size_t at = line.find(separator, from);
        fields.push_back(AsUtf8(line.substr(from, at == std::string::npos ? std::string::npos : at - from)));
        if (at == std::string::npos) return fields;
        from = at + 1;
    }
}

}  // namespace

bool ReadResultTable(const std::string& path, char separator, ResultTable& table) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    table = ResultTable{};
    std::string line;
    if (!std::getline(in, line)) return true;
    table.header = SplitLine(line, separator);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        table.rows.push_back(SplitLine(line, separator));
    }
    table.rowNames = !table.rows.empty() && table.rows[0].size() == table.header.size() + 1;
    if (table.rowNames) table.header.insert(table.header.begin(), std::string());
    return true;
}

void PrintResultTable(std::ostream& out, const ResultTable& table) {
    std::vector<TextRow> rows = table.rows;
    for (TextRow& row : rows) {
        for (size_t c = table.rowNames ? 1 : 0; c < row.size(); ++c) {
            std::string& cell = row[c];
            char* end = nullptr;
            const double value = std::strtod(cell.c_str(), &end);
            if (!cell.empty() && *end == '\0' && std::isfinite(value)) cell = ShortNumber(value);
        }
    }
    PrintTable(out, table.header, rows);
}

}  // namespace kovr
