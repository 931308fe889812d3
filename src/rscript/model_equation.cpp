#include "model_equation.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <vector>

#include "data_columns.h"
#include "file_column_names.h"
#include "r_names.h"
#include "vb_string.h"

namespace {

constexpr int kQuantitativeResponse = 1;
constexpr int kQualitativeResponse = 3;

// The type code of the first data selection; 0 when it is not a number.
int ResponseType(cST_aiR& dialog) {
    const std::wstring code = dialog.refDataType(1);
    if (code.empty()) return 0;
    const std::wstring text = Replace(code, L",", L".", 1, 1);
    const double value = std::wcstod(text.c_str(), nullptr);
    if (!std::isfinite(value) || std::fabs(value) >= 2147483647.0) return 0;
    return static_cast<int>(value);
}

std::wstring ResponseName(cST_aiR& dialog, cST_DataSetArray& dataSets, FileColumnNames& names, int type,
                         int columnIndex) {
    if (dialog.refOneByOne(1) != -1) return dialog.refRName(1);
    const cST_DataSet* first = dataSets.dataSet(1);
    if (first == nullptr) return std::wstring();
    if (type == kQualitativeResponse) return names.Of(1, first->quali1, columnIndex);
    if (type == kQuantitativeResponse) return names.Of(1, first->quanti1, columnIndex);
    return std::wstring();
}

// One term per column that the block holds a name for, named as in the file
// of data set `set`.
template <typename T>
void AppendTerms(FileColumnNames& names, int set, const cST_MVect<T>* block, short random, std::wstring& formula) {
    if (block == nullptr || block->columnNames == nullptr) return;
    const int n = std::max(0, std::min(block->columnCount, block->columnNames->count()));
    matrix<std::wstring> terms(n, 1);
    for (int i = 1; i <= n; ++i) terms(i) = names.Of(set, block, i);
    LoadClabelsRfunc(n, L"+", terms, random, formula);
}

}  // namespace

std::wstring GetModelEquation(cST_aiR& dialog, cST_DataSetArray& dataSets, int columnIndex) {
    const short random = dialog.dataStructure == L"model.random" ? -1 : 0;
    const int type = ResponseType(dialog);
    FileColumnNames names(dataSets, &dialog, columnIndex);
    std::wstring formula = ResponseName(dialog, dataSets, names, type, columnIndex) + L" ~ ";

    // A data set that is absent counts as one without explanatory columns.
    int set = 1;
    const cST_DataSet* explanatory = dataSets.dataSet(1);
    if (explanatory == nullptr ||
        static_cast<long long>(ColumnCount(explanatory->quanti2)) + ColumnCount(explanatory->quali2) <= 0) {
        set = 2;
        explanatory = dataSets.dataSet(2);
    }
    if (explanatory == nullptr) return formula;
    if (type == kQualitativeResponse) {
        AppendTerms(names, set, explanatory->quanti2, 0, formula);
        AppendTerms(names, set, explanatory->quali2, random, formula);
    } else if (type == kQuantitativeResponse) {
        AppendTerms(names, set, explanatory->quanti2, 0, formula);
        AppendTerms(names, set, explanatory->quali1, random, formula);
    }
    return formula;
}

void LoadClabelsRfunc(int n, const std::wstring& separator, matrix<std::wstring>& names, short random,
                      std::wstring& formula) {
    std::vector<std::wstring> given;
    for (int i = 1; i <= n; ++i) given.push_back(names(i));
    for (const std::wstring& term : RNames(given)) {
        formula += random == -1 ? separator + L"( 1 | " + term + L" )" : separator + term;
    }
}
