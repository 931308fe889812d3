#include "csv_table.h"

#include <csv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

#include "csv_number.h"

namespace kovr {

namespace {

constexpr size_t kChunk = size_t{1} << 20;
// The separator and the decimal mark are decided on the records of the
// file's first bytes.
constexpr size_t kSampleBytes = size_t{256} << 10;
constexpr char kSeparators[] = "\t;,";

// What the parser hands over: the fields of a record, then its end.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void Field(uint32_t line, size_t column, std::string_view text) = 0;
    virtual void EndRecord(uint32_t line, size_t fields) = 0;
};

// libcsv, strict about quotes, with the line each record starts on. Blank
// lines give no record; line breaks inside quoted fields count as lines.
class CsvParser {
public:
    CsvParser(char separator, RecordSink& sink) : sink_(sink) {
        csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL);
        csv_set_delim(&parser_, static_cast<unsigned char>(separator));
    }
    ~CsvParser() { csv_free(&parser_); }
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;

    // Feeds the next bytes of the file; false with a message on a misplaced quote.
    bool Feed(const char* data, size_t size, std::string& error) {
        if (csv_parse(&parser_, data, size, OnField, OnEnd, this) == size) return true;
        error = "line " + std::to_string(ErrorLine()) +
                ": a quote in the wrong place (a quoted field is the whole field, with \"\" for a quote inside it)";
        return false;
    }
    // Ends the file; false with a message when a quoted field is never closed.
    bool Finish(std::string& error) {
        if (csv_fini(&parser_, OnField, OnEnd, this) == 0) return true;
        error = "the quoted field that starts on line " + std::to_string(ErrorLine()) + " is never closed";
        return false;
    }

private:
    uint32_t ErrorLine() const { return fields_ > 0 ? recordLine_ : line_; }

    static void OnField(void* text, size_t size, void* self) {
        auto& p = *static_cast<CsvParser*>(self);
        const std::string_view field(static_cast<const char*>(text), text == nullptr ? 0 : size);
        if (p.fields_ == 0) p.recordLine_ = p.line_;
        p.sink_.Field(p.recordLine_, p.fields_++, field);
        // Only a quoted field holds line breaks; most fields are passed over by one search.
        if (!field.empty() && std::memchr(field.data(), '\n', field.size()) != nullptr) {
            p.line_ += static_cast<uint32_t>(std::count(field.begin(), field.end(), '\n'));
        }
    }
    static void OnEnd(int c, void* self) {
        auto& p = *static_cast<CsvParser*>(self);
        if (p.fields_ > 0) p.sink_.EndRecord(p.recordLine_, p.fields_);
        p.fields_ = 0;
        // A carriage return ends a line; a line feed does unless it follows one.
        if (c == '\r' || (c == '\n' && !p.afterReturn_)) ++p.line_;
        p.afterReturn_ = c == '\r';
    }

    csv_parser parser_{};
    RecordSink& sink_;
    uint32_t line_ = 1;
    uint32_t recordLine_ = 1;
    size_t fields_ = 0;
    bool afterReturn_ = false;
};

// Reads path chunk by chunk, without a leading byte-order mark, into the
// parser; stops after limit bytes or when keepGoing says so.
template <typename KeepGoing>
bool ParseFile(const std::string& path, char separator, RecordSink& sink, size_t limit, KeepGoing keepGoing,
               std::string& error) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    CsvParser parser(separator, sink);
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    size_t total = 0;
    bool whole = true;
    for (size_t n; (n = std::fread(buffer.get(), 1, std::min(kChunk, limit - total), file.get())) > 0;) {
        const char* data = buffer.get();
        if (total == 0 && n >= 3 && std::string_view(data, 3) == "\xEF\xBB\xBF") {
            data += 3;
            n -= 3;
            total += 3;
        }
        total += n;
        if (!parser.Feed(data, n, error)) return false;
        if (!keepGoing()) return true;
        if (total == limit) {
            whole = std::fgetc(file.get()) == EOF;
            break;
        }
    }
    if (std::ferror(file.get())) {
        error = "cannot read " + path;
        return false;
    }
    // A cut sample leaves its last record unfinished: it is not looked at.
    return !whole || parser.Finish(error);
}

// The first records of the file under one separator: their field counts,
// the first record's fields, and how many cells are numbers written with a
// decimal point or a decimal comma.
class Sample : public RecordSink {
public:
    explicit Sample(char separator) : separator(separator) {}

    void Field(uint32_t /*line*/, size_t /*column*/, std::string_view text) override {
        if (records_.empty()) {
            header.emplace_back(text);
            return;
        }
        const CellNumber number = ReadCellNumber(text, separator);
        if (number.kind == CellNumber::kNumber && number.mark != 0) ++(number.mark == '.' ? points : commas);
    }
    void EndRecord(uint32_t /*line*/, size_t fields) override { records_.push_back(fields); }

    size_t Records() const { return records_.size(); }

    bool Full() const { return records_.size() >= 1000; }
    // Whether every record has as many fields as the first.
    bool Consistent() const {
        if (broken) return false;
        for (const size_t n : records_) {
            if (n != records_[0]) return false;
        }
        return !records_.empty();
    }

    const char separator;
    bool broken = false;
    std::vector<std::string> header;
    size_t points = 0, commas = 0;

private:
    std::vector<size_t> records_;
};

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string MarkName(char mark) { return mark == ',' ? "a decimal comma" : "a decimal point"; }

// Keeps the asked-for columns of every data row.
class RowReader : public RecordSink {
public:
    RowReader(const std::vector<ColumnUse>& uses, CsvTable& table)
        : uses_(uses), table_(table), inHeader_(!table.headerIsData) {}

    void Field(uint32_t line, size_t column, std::string_view text) override {
        if (!error.empty() || column >= uses_.size() || inHeader_) return;
        const ColumnUse& use = uses_[column];
        CsvColumn& kept = table_.columns[column];
        if (use.text) kept.texts.emplace_back(text);
        if (!use.numbers) return;
        const CellNumber number = ReadCellNumber(text, table_.separator);
        if (number.kind == CellNumber::kText && !use.lenient) {
            error = Where(line, column) + Quoted(text) + " is not a number, but " + use.purpose + " takes numbers";
            return;
        }
        if (number.mark != 0 && table_.decimal == 0) {
            table_.decimal = number.mark;
            table_.decimalSource = " (as the first number with a decimal mark, " + Quoted(text) + " on line " +
                                   std::to_string(line) + ")";
        }
        if (number.mark != 0 && number.mark != table_.decimal) {
            error = Where(line, column) + Quoted(text) + " is written with " + MarkName(number.mark) +
                    ", but the numbers of this file have " + MarkName(table_.decimal) + table_.decimalSource +
                    "; --dec chooses the decimal mark";
            return;
        }
        kept.numbers->push_back(number.kind == CellNumber::kNumber ? number.value : kMissingNumber);
    }

    void EndRecord(uint32_t line, size_t fields) override {
        if (inHeader_) {
            inHeader_ = false;
            return;
        }
        if (!error.empty()) return;
        if (fields != uses_.size()) {
            error = "line " + std::to_string(line) + " has " + std::to_string(fields) + " fields, the header has " +
                    std::to_string(uses_.size());
            return;
        }
        table_.lines.push_back(line);
    }

    std::string error;

private:
    std::string Where(uint32_t line, size_t column) const {
        return "line " + std::to_string(line) + ", column '" + table_.names[column] + "': ";
    }

    const std::vector<ColumnUse>& uses_;
    CsvTable& table_;
    bool inHeader_;
};

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

bool OpenCsv(const std::string& path, const CsvOptions& options, CsvTable& table, std::string& error) {
    table = CsvTable{};
    table.path = path;
    table.headerIsData = options.headerIsData;
    if (options.separator == ',' && options.decimal == ',') {
        error = "a decimal comma needs a separator other than the comma (--sep ';' or --sep tab)";
        return false;
    }
    // The separator: the first of tab, ";" and "," that splits every sampled
    // line into the same number (two or more) of fields; else the one the
    // header holds most of (none: a single column), and the line that does
    // not fit is reported when the rows are read.
    std::vector<std::unique_ptr<Sample>> samples;
    const std::string candidates = options.separator != 0 ? std::string(1, options.separator) : kSeparators;
    if (std::unique_ptr<FILE, int (*)(FILE*)>(std::fopen(path.c_str(), "rb"), std::fclose) == nullptr) {
        error = "cannot read " + path;
        return false;
    }
    for (const char candidate : candidates) {
        samples.push_back(std::make_unique<Sample>(candidate));
        Sample& sample = *samples.back();
        // Quotes out of place under a candidate make it a poor one; under the
        // chosen separator they are reported when the rows are read.
        std::string ignored;
        sample.broken = !ParseFile(path, candidate, sample, kSampleBytes, [&] { return !sample.Full(); }, ignored);
    }
    const Sample* chosen = nullptr;
    for (const auto& sample : samples) {
        if (chosen == nullptr && sample->Consistent() && sample->header.size() >= 2) chosen = sample.get();
    }
    if (chosen == nullptr) {
        chosen = samples[0].get();
        for (const auto& sample : samples) {
            if (sample->header.size() > chosen->header.size()) chosen = sample.get();
        }
    }
    if (chosen->header.empty()) {
        error = path + ": the file is empty; a header line naming the columns is needed";
        return false;
    }
    table.separator = chosen->separator;
    // The number of rows, guessed from the sample, so that the columns are
    // made once at their size.
    std::error_code unknown;
    const auto bytes = static_cast<double>(std::filesystem::file_size(path, unknown));
    if (!unknown && chosen->Records() > 1) {
        const double perRecord = static_cast<double>(std::min<uintmax_t>(kSampleBytes, static_cast<uintmax_t>(bytes))) /
                                 static_cast<double>(chosen->Records());
        table.expectedRows = static_cast<size_t>(bytes / perRecord * 1.01);
    }
    // The decimal mark: the one most numbers of the sample are written with;
    // when none has a mark, the first number that has one decides.
    if (options.decimal != 0) {
        table.decimal = options.decimal;
        table.decimalSource = " (--dec)";
    } else if (table.separator == ',') {
        table.decimal = '.';
        table.decimalSource = " (the separator is the comma)";
    } else if (chosen->points + chosen->commas > 0) {
        table.decimal = chosen->commas > chosen->points ? ',' : '.';
        table.decimalSource = " (as most numbers of its first lines)";
    }

    if (options.headerIsData) {
        for (size_t c = 1; c <= chosen->header.size(); ++c) table.names.push_back("V" + std::to_string(c));
        return true;
    }
    table.names = chosen->header;
    std::set<std::string> seen;
    for (size_t c = 0; c < table.names.size(); ++c) {
        if (table.names[c].empty()) table.names[c] = "V" + std::to_string(c + 1);
        if (!seen.insert(table.names[c]).second) {
            error = path + ": the column name '" + table.names[c] + "' appears twice in the header";
            return false;
        }
    }
    return true;
}

bool ReadCsvRows(const std::vector<ColumnUse>& uses, CsvTable& table, std::string& error) {
    table.columns.assign(table.names.size(), CsvColumn{});
    table.lines.clear();
    table.lines.reserve(table.expectedRows);
    for (size_t c = 0; c < uses.size() && c < table.columns.size(); ++c) {
        if (!uses[c].numbers) continue;
        table.columns[c].numbers = std::make_shared<std::vector<double>>();
        table.columns[c].numbers->reserve(table.expectedRows);
    }
    RowReader reader(uses, table);
    if (!ParseFile(table.path, table.separator, reader, SIZE_MAX, [&] { return reader.error.empty(); }, error) ||
        !reader.error.empty()) {
        error = table.path + ": " + (reader.error.empty() ? error : reader.error);
        return false;
    }
    return true;
}

bool IsMissingText(const std::string& cell) {
    return cell.find_first_not_of(" \t") == std::string::npos || cell == "NA";
}

}  // namespace kovr
