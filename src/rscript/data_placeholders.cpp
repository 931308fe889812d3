#include "data_placeholders.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <optional>
#include <sstream>


namespace {

constexpr int kTextBlock = 7;
constexpr int kNumericExtraBlock = 9;
constexpr int kTextExtraBlock = 10;

const std::wstring kWord = L"xltype";

// A number of a placeholder as an integer: the first "," read as ".", the
// value truncated toward zero. Nothing for an empty text or a value that no
// integer holds.
std::optional<int> PlaceholderNumber(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    std::wstring decimal = text;
    const size_t comma = decimal.find(L',');
    if (comma != std::wstring::npos) decimal[comma] = L'.';
    const double value = std::wcstod(decimal.c_str(), nullptr);
    if (!std::isfinite(value) || std::fabs(value) >= 2147483647.0) return std::nullopt;
    return static_cast<int>(value);
}

// How a number is written in a placeholder key: as a double with the stream's
// default formatting, so an integer prints without a decimal point.
std::wstring KeyNumber(int n) {
    // Below a million the default formatting writes the plain digits.
    if (n > -1000000 && n < 1000000) return std::to_wstring(n);
    std::wostringstream out;
    out << static_cast<double>(n);
    return out.str();
}

struct Placeholder {
    int set;
    int kind;
    size_t length;
};

// The position of c in code within the few characters after from, where the
// end of a number of a key can be; npos when it is not there.
size_t FindNear(const std::wstring& code, wchar_t c, size_t from) {
    // A key's numbers are short; a longer field is never part of a key.
    constexpr size_t kLongestNumber = 16;
    const size_t end = std::min(code.size(), from + kLongestNumber + 1);
    for (size_t i = from; i < end; ++i) {
        if (code[i] == c) return i;
    }
    return std::wstring::npos;
}

// The placeholder that starts at `at` (where the word is), if the text there
// is exactly its key: "xltype(" + set + "," + kind + ")".
std::optional<Placeholder> PlaceholderAt(const std::wstring& code, size_t at) {
    const size_t open = at + kWord.size();
    if (open >= code.size() || code[open] != L'(') return std::nullopt;
    const size_t comma = FindNear(code, L',', open + 1);
    if (comma == std::wstring::npos) return std::nullopt;
    const size_t close = FindNear(code, L')', comma + 1);
    if (close == std::wstring::npos) return std::nullopt;

    const std::wstring setText = code.substr(open + 1, comma - open - 1);
    const std::wstring kindText = code.substr(comma + 1, close - comma - 1);
    const std::optional<int> set = PlaceholderNumber(setText);
    const std::optional<int> kind = PlaceholderNumber(kindText);
    if (!set || !kind || KeyNumber(*set) != setText || KeyNumber(*kind) != kindText) return std::nullopt;
    return Placeholder{*set, *kind, close + 1 - at};
}

}  // namespace

std::wstring VariableName(cST_DataSetArray& dataSets, FileColumnNames& names, int set, int kind) {
    if (kind != kTextBlock && kind != kNumericExtraBlock && kind != kTextExtraBlock) return std::wstring();
    const cST_DataSet* data = dataSets.dataSet(set);
    if (data == nullptr) return std::wstring();
    if (kind == kTextBlock) return names.Of(set, data->textBlock, 1);
    if (kind == kNumericExtraBlock) {
        return data->dataQuanti != nullptr ? names.Of(set, data->dataQuanti->block(1), 1) : std::wstring();
    }
    return data->dataQuali != nullptr ? names.Of(set, data->dataQuali->block(1), 1) : std::wstring();
}

void ReplaceCodeByData(std::wstring& code, cST_DataSetArray& dataSets, FileColumnNames& names) {
    // One pass from left to right: a variable name put in is never searched
    // again, and text that is not a placeholder is passed over, so the work
    // stays linear in the length of the code.
    std::wstring out;
    size_t from = 0;
    for (size_t at = code.find(kWord); at != std::wstring::npos; at = code.find(kWord, from)) {
        const std::optional<Placeholder> placeholder = PlaceholderAt(code, at);
        if (placeholder) {
            out.append(code, from, at - from);
            out += VariableName(dataSets, names, placeholder->set, placeholder->kind);
            from = at + placeholder->length;
        } else {
            out.append(code, from, at + kWord.size() - from);
            from = at + kWord.size();
        }
    }
    out.append(code, from, std::wstring::npos);
    code = std::move(out);
}

std::wstring GetVarFromSetID(cST_DataSetArray& dataSets, int set, int kind) {
    FileColumnNames names(dataSets, nullptr, 0);
    return VariableName(dataSets, names, set, kind);
}

void ReplaceCodeByData(std::wstring& code, cST_DataSetArray& dataSets) {
    FileColumnNames names(dataSets, nullptr, 0);
    ReplaceCodeByData(code, dataSets, names);
}
