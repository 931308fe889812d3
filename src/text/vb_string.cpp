#include "vb_string.h"

#include <cctype>
#include <ctime>
#include <sstream>

#include "kovstr.h"
#include "rewrite.h"

namespace {

// Positions arrive as 32-bit integers; 0-based offsets are computed in 64 bits
// so that no argument can overflow.
long long Offset(int position) { return static_cast<long long>(position) - 1; }

// tolower/toupper are only defined for values of unsigned char; other
// characters are left as they are.
template <int (*Map)(int)>
std::wstring MapCase(const std::wstring& s) {
    std::wstring result;
    result.reserve(s.size());
    for (wchar_t c : s) result.push_back(c >= 0 && c <= 0xFF ? static_cast<wchar_t>(Map(static_cast<int>(c))) : c);
    return result;
}

}  // namespace

int Len(const std::wstring& s) { return static_cast<int>(s.size()); }

int Asc(const std::wstring& s) { return s.empty() ? 0 : static_cast<int>(static_cast<uint32_t>(s[0])); }

int InStr(int start, const std::wstring& s, const std::wstring& sought) {
    const long long offset = Offset(start);
    if (offset < 0 || offset > static_cast<long long>(s.size())) return 0;
    const size_t at = s.find(sought, static_cast<size_t>(offset));
    return at == std::wstring::npos ? 0 : static_cast<int>(at) + 1;
}

std::wstring Left(const std::wstring& s, int n) {
    if (n < 0) return s;
    return s.substr(0, static_cast<size_t>(n));
}

std::wstring LCase(const std::wstring& s) { return MapCase<::tolower>(s); }

std::wstring UCase(const std::wstring& s) { return MapCase<::toupper>(s); }

std::wstring wMid(const std::wstring& s, int start, int length) {
    const long long offset = Offset(start);
    // A start before the first character or beyond the end has no substring.
    if (offset < 0 || offset > static_cast<long long>(s.size())) return std::wstring();
    if (length < 0) return s.substr(static_cast<size_t>(offset));
    return s.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
}

std::wstring Replace(const std::wstring& expression, const std::wstring& find, const std::wstring& replacement,
                     int start, int count) {
    const long long skip = Offset(start);
    if (skip < 0 || skip > static_cast<long long>(expression.size())) return std::wstring();
    std::wstring text = expression.substr(static_cast<size_t>(skip));
    if (count < 0 || find.empty() || text.find(find) == std::wstring::npos) return text;
    if (count == 0 && replacement.find(find) != std::wstring::npos) {
        return ::Replace(text, find, replacement);  // kovstr: each occurrence once
    }
    return text::RewriteLeftmost(text, find, replacement, count);
}

std::wstring Join(const std::vector<std::wstring>& list, const std::wstring& delimiter) {
    std::wstring result;
    for (size_t k = 0; k < list.size(); ++k) {
        if (k > 0) result += delimiter;
        result += list[k];
    }
    return result;
}

std::wstring Format(int n, const std::wstring& pattern) {
    std::wostringstream stream;
    stream << static_cast<double>(n);
    const std::wstring number = stream.str();
    // A pattern no longer than the number adds nothing.
    if (pattern.size() <= number.size()) return number;
    return pattern.substr(0, pattern.size() - number.size()) + number;
}

std::wstring LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[64] = {};
    if (localtime_r(&now, &local) == nullptr || asctime_r(&local, text) == nullptr) return std::wstring();
    std::wstring line;
    for (const char* c = text; *c != '\0'; ++c) line.push_back(static_cast<unsigned char>(*c));
    if (!line.empty()) line.pop_back();
    return line;
}
