#include "text_table.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kovr {

namespace {

// Width on the terminal: one per UTF-8 character.
size_t Width(const std::string& text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

bool LooksNumeric(const std::string& cell) {
    if (cell.empty()) return false;
    char* end = nullptr;
    std::strtod(cell.c_str(), &end);
    return *end == '\0' || cell == "NA" || cell == "NaN" || cell == "Inf" || cell == "-Inf";
}

std::string ShortNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.7g", value);
    return text;
}

void PrintTable(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows, const std::string& indent) {
    size_t columns = header.size();
    for (const TextRow& row : rows) columns = std::max(columns, row.size());
    std::vector<size_t> widths(columns, 0);
    std::vector<bool> numeric(columns, true);
    const auto measure = [&](const TextRow& row, bool isHeader) {
        for (size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], Width(row[c]));
            if (!isHeader && !row[c].empty() && !LooksNumeric(row[c])) numeric[c] = false;
        }
    };
    measure(header, true);
    for (const TextRow& row : rows) measure(row, false);
    const auto print = [&](const TextRow& row) {
        std::string line = indent;
        for (size_t c = 0; c < columns; ++c) {
            const std::string cell = c < row.size() ? row[c] : std::string();
            const std::string pad(widths[c] - Width(cell), ' ');
            if (c > 0) line += "  ";
            line += numeric[c] ? pad + cell : cell + pad;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << "\n";
    };
    if (!header.empty()) {
        print(header);
        TextRow rule;
        for (size_t c = 0; c < columns; ++c) rule.push_back(std::string(widths[c], '-'));
        print(rule);
    }
    for (const TextRow& row : rows) print(row);
}

}  // namespace kovr
