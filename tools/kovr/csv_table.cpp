#include "csv_table.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace kovr {

namespace {

char GuessSeparator(const std::string& headerLine) {
    size_t best = 0;
    char separator = ',';
    for (const char candidate : {',', ';', '\t'}) {
        size_t n = 0;
        bool quoted = false;
        for (const char c : headerLine) {
            if (c == '"') quoted = !quoted;
            if (!quoted && c == candidate) ++n;
        }
        if (n > best) {
            best = n;
            separator = candidate;
        }
    }
    return separator;
}

// Splits the whole text into records of fields; a quoted field may hold the
// separator, quotes written twice and line breaks.
bool SplitRecords(const std::string& text, char separator, std::vector<std::vector<std::string>>& records,
                  std::vector<size_t>& lines, std::string& error) {
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    size_t line = 1;
    size_t recordLine = 1;
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (quoted) {
            if (c == '"' && k + 1 < text.size() && text[k + 1] == '"') {
                field += '"';
                ++k;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            record.push_back(field);
            field.clear();
            fieldStarted = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
            record.push_back(field);
            field.clear();
            fieldStarted = false;
            records.push_back(record);
            lines.push_back(recordLine);
            record.clear();
            recordLine = ++line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        error = "a quoted field that starts on line " + std::to_string(recordLine) + " is never closed";
        return false;
    }
    if (fieldStarted || !record.empty()) {
        record.push_back(field);
        records.push_back(record);
        lines.push_back(recordLine);
    }
    return true;
}

bool IsBlankRecord(const std::vector<std::string>& record) {
    return record.size() == 1 && record[0].find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

std::optional<size_t> CsvTable::Find(const std::string& name) const {
    for (size_t c = 0; c < names.size(); ++c) {
        if (names[c] == name) return c;
    }
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(name.c_str(), &end, 10);
    if (!name.empty() && *end == '\0' && errno == 0 && number >= 1 && static_cast<size_t>(number) <= names.size()) {
        return static_cast<size_t>(number - 1);
    }
    return std::nullopt;
}

void CsvTable::HeaderAsData() {
    for (size_t c = 0; c < names.size(); ++c) {
        columns[c].insert(columns[c].begin(), names[c]);
        names[c] = "V" + std::to_string(c + 1);
    }
}

bool ReadCsv(const std::string& path, CsvTable& table, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::string text = content.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

    const std::string headerLine = text.substr(0, text.find_first_of("\r\n"));
    table = CsvTable{};
    table.separator = GuessSeparator(headerLine);
    std::vector<std::vector<std::string>> records;
    std::vector<size_t> lines;
    if (!SplitRecords(text, table.separator, records, lines, error)) {
        error = path + ": " + error;
        return false;
    }
    while (!records.empty() && IsBlankRecord(records.back())) {
        records.pop_back();
        lines.pop_back();
    }
    if (records.empty() || IsBlankRecord(records[0])) {
        error = path + ": the file is empty; a header line naming the columns is needed";
        return false;
    }

    table.names = records[0];
    std::set<std::string> seen;
    for (size_t c = 0; c < table.names.size(); ++c) {
        if (table.names[c].empty()) table.names[c] = "V" + std::to_string(c + 1);
        if (!seen.insert(table.names[c]).second) {
            error = path + ": the column name '" + table.names[c] + "' appears twice in the header";
            return false;
        }
    }
    table.columns.assign(table.names.size(), {});
    for (size_t r = 1; r < records.size(); ++r) {
        if (records[r].size() != table.names.size()) {
            error = path + ": line " + std::to_string(lines[r]) + " has " + std::to_string(records[r].size()) +
                    " fields, the header has " + std::to_string(table.names.size());
            return false;
        }
        for (size_t c = 0; c < records[r].size(); ++c) table.columns[c].push_back(records[r][c]);
    }
    return true;
}

std::optional<double> CellNumber(const std::string& cell, char separator, bool& missing) {
    const size_t first = cell.find_first_not_of(" \t");
    missing = first == std::string::npos;
    if (missing) return std::nullopt;
    std::string text = cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
    if (text == "NA") {
        missing = true;
        return std::nullopt;
    }
    if (separator != ',' && text.find(',') != std::string::npos && text.find('.') == std::string::npos) {
        text[text.find(',')] = '.';
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0') return std::nullopt;
    return value;
}

}  // namespace kovr
