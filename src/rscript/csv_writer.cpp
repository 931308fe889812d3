#include "csv_writer.h"

#include <algorithm>
#include <vector>

#include "csv_file.h"
#include "csv_layout.h"
#include "csv_number.h"
#include "fsu.h"
#include "utf8.h"

namespace {

constexpr short kTrue = -1;

// The names R gives the columns, joined by the separator.
std::wstring HeaderLine(const std::vector<CsvColumn>& columns, const std::wstring& separator) {
    std::wstring header;
    for (size_t k = 0; k < columns.size(); ++k) {
        if (k > 0) header += separator;
        header += columns[k].rName;
    }
    return header;
}

// A text cell. One that holds the separator, a double quote, a line feed or
// a carriage return goes between double quotes with its quotes doubled, which
// is how read.csv reads such a field back (a carriage return, though, as a
// line feed: R's reader ends lines at both); a NUL, which no R string holds,
// is left out.
void WriteTextCell(ByteFile& file, const std::wstring& text, const std::wstring& separator) {
    // The common case in one pass: ASCII without a quote, a line break, a
    // NUL or the separator's first character is copied byte for byte.
    const wchar_t separatorStart = separator.empty() ? L'\0' : separator[0];
    char* out = file.Room(text.size());
    size_t k = 0;
    for (; k < text.size(); ++k) {
        const wchar_t c = text[k];
        if (c <= 0 || c >= 0x80 || c == L'"' || c == L'\n' || c == L'\r' || c == separatorStart) break;
        out[k] = static_cast<char>(c);
    }
    if (k == text.size()) {
        file.Advance(out + k);
        return;
    }
    const bool quoted = text.find_first_of(L"\"\n\r") != std::wstring::npos ||
                        (!separator.empty() && text.find(separator) != std::wstring::npos);
    if (!quoted && text.find(L'\0') == std::wstring::npos) {
        file.WriteText(text);
        return;
    }
    std::wstring field;
    field.reserve(text.size() + 2);
    if (quoted) field += L'"';
    for (const wchar_t c : text) {
        if (c == L'\0') continue;
        if (c == L'"') field += L'"';
        field += c;
    }
    if (quoted) field += L'"';
    file.WriteText(field);
}

}  // namespace

void WriteDataSetToFile(cST_Main_aiR& main, cST_aiR& /*dialog*/, cST_DataSet& dataSet, int columnIndex,
                        short singleQuanti, short singleQuali, const std::wstring& fileName,
                        const std::wstring& separator, short writeHeader, short withLabels) {
    // An empty work folder names none (the path would start at the root); a
    // file name that is no single path part would lead out of the data store.
    if (main.workFolder.empty() || !fsu::IsPathPart(fileName)) return;
    ByteFile file(fsu::NormalizePathW(main.workFolder + L"datastore" + L"/" + fileName));
    if (!file.is_open()) return;

    const std::vector<CsvColumn> columns =
        CsvFileColumns(dataSet, columnIndex, singleQuanti, singleQuali, withLabels == kTrue);
    if (writeHeader == kTrue) {
        file.WriteText(HeaderLine(columns, separator));
        file.Put('\n');
    }

    // Rows after the last one that a column (the label column included)
    // fills would be lines of empty cells only: a row count beyond the data
    // stops there, so that a wrong count cannot write gigabytes of them.
    int filledRows = 0;
    for (const CsvColumn& column : columns) filledRows = std::max(filledRows, column.length);
    const int rows = std::min(dataSet.rowCount, filledRows);

    // The hot loop: each field is the separator (not before the first) and
    // the cell, built in place in the file's buffer.
    const std::string sep = Utf8(separator);
    for (int row = 0; row < rows; ++row) {
        for (size_t k = 0; k < columns.size(); ++k) {
            const CsvColumn& column = columns[k];
            char* out = file.Room(sep.size() + kMaxNumberChars);
            if (k > 0) out = std::copy(sep.begin(), sep.end(), out);
            if (row < column.length && column.numbers != nullptr) {
                out = FormatNumber(column.numbers[row], out);
            }
            file.Advance(out);
            if (row < column.length && column.texts != nullptr) WriteTextCell(file, column.texts[row], separator);
        }
        file.Put('\n');
    }
}
