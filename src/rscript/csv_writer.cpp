#include "csv_writer.h"

#include <algorithm>
#include <vector>

#include "csv_file.h"
#include "csv_layout.h"
#include "csv_number.h"
#include "fsu.h"
#include "vb_string.h"

namespace {

constexpr short kTrue = -1;

// The column names joined by the separator with every blank of the joined
// text turned into "."; the label column's name goes in front afterwards.
std::wstring HeaderLine(const std::vector<CsvColumn>& columns, const std::wstring& separator, bool withLabels) {
    std::wstring header;
    for (size_t k = 0; k < columns.size(); ++k) {
        if (k > 0) header += separator;
        header += columns[k].name;
    }
    header = Replace(header, L" ", L".", 1, 0);
    if (!withLabels) return header;
    return columns.empty() ? std::wstring(L"obsLabels") : L"obsLabels" + separator + header;
}

}  // namespace

void WriteDataSetToFile(cST_Main_aiR& main, cST_aiR& /*dialog*/, cST_DataSet& dataSet, int columnIndex,
                        short singleQuanti, short singleQuali, const std::wstring& fileName,
                        const std::wstring& separator, short writeHeader, short withLabels) {
    // An empty work folder names none (the path would start at the root).
    if (main.workFolder.empty()) return;
    ByteFile file(fsu::NormalizePathW(main.workFolder + L"datastore" + L"/" + fileName));
    if (!file.is_open()) return;

    const bool labels = withLabels == kTrue;
    std::vector<CsvColumn> columns = CsvColumns(dataSet, columnIndex, singleQuanti, singleQuali);
    if (writeHeader == kTrue) {
        file.WriteNarrow(HeaderLine(columns, separator, labels));
        file.Put('\n');
    }
    // The label column is one more text column in front; a short label
    // array leaves the label cell of the later rows empty.
    if (labels) {
        const matrix<std::wstring>* obsLabels = dataSet.obsLabels;
        const int held = obsLabels != nullptr ? obsLabels->count() : 0;
        columns.insert(columns.begin(),
                       CsvColumn{CsvGroup::kFactor, L"obsLabels", nullptr, held > 0 ? obsLabels->data() : nullptr, held});
    }

    // Rows after the last one that a column (the label column included)
    // fills would be lines of empty cells only: a row count beyond the data
    // stops there, so that a wrong count cannot write gigabytes of them.
    int filledRows = 0;
    for (const CsvColumn& column : columns) filledRows = std::max(filledRows, column.length);
    const int rows = std::min(dataSet.rowCount, filledRows);

    // The hot loop: each field is the separator (not before the first) and
    // the cell, built in place in the file's buffer.
    const std::string sep = Narrow(separator);
    for (int row = 0; row < rows; ++row) {
        for (size_t k = 0; k < columns.size(); ++k) {
            const CsvColumn& column = columns[k];
            char* out = file.Room(sep.size() + kMaxNumberChars);
            if (k > 0) out = std::copy(sep.begin(), sep.end(), out);
            if (row < column.length && column.numbers != nullptr) {
                out = FormatNumber(column.numbers[row], out);
            }
            file.Advance(out);
            if (row < column.length && column.texts != nullptr) file.WriteNarrow(column.texts[row]);
        }
        file.Put('\n');
    }
}
