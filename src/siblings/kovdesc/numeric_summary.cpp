#include "numeric_summary.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "desc_stats.h"

namespace kovdesc {

namespace {

// Kahan-Babuska (Neumaier) summation: the rounding error of every addition
// is collected and added at the end.
class CompensatedSum {
public:
    void Add(double x) {
        const double t = sum_ + x;
        error_ += std::fabs(sum_) >= std::fabs(x) ? (sum_ - t) + x : (x - t) + sum_;
        sum_ = t;
    }
    double Value() const { return sum_ + error_; }

private:
    double sum_ = 0.0;
    double error_ = 0.0;
};

}  // namespace

bool IsMissing(double value) { return std::isnan(value) || value <= kMissingValue; }

double Quantile7(const std::vector<double>& sorted, double p) {
    const double h = static_cast<double>(sorted.size() - 1) * p;
    const size_t lo = static_cast<size_t>(std::floor(h));
    const size_t hi = static_cast<size_t>(std::ceil(h));
    const double f = h - static_cast<double>(lo);
    if (f == 0.0 || sorted[hi] == sorted[lo]) return sorted[lo];
    return (1.0 - f) * sorted[lo] + f * sorted[hi];
}

NumericSummary Summarize(const std::vector<double>& values) {
    NumericSummary s;
    std::vector<double> present;
    present.reserve(values.size());
    for (double x : values) {
        if (IsMissing(x)) {
            ++s.missing;
        } else {
            present.push_back(x);
        }
    }
    s.n = static_cast<int>(present.size());

    CompensatedSum total;
    for (double x : present) total.Add(x);
    s.sum = total.Value();
    if (s.n == 0) return s;

    // Second pass: the deviations from the first mean estimate give both the
    // correction of the mean and the variance.
    const double n = static_cast<double>(s.n);
    const double roughMean = s.sum / n;
    CompensatedSum deviations;
    CompensatedSum squares;
    for (double x : present) {
        const double d = x - roughMean;
        deviations.Add(d);
        squares.Add(d * d);
    }
    const double d1 = deviations.Value();
    s.mean = roughMean + d1 / n;
    if (s.n > 1) s.var = std::max(0.0, (squares.Value() - d1 * d1 / n) / (n - 1.0));

    std::sort(present.begin(), present.end());
    s.min = present.front();
    s.max = present.back();
    s.q1 = Quantile7(present, 0.25);
    s.median = Quantile7(present, 0.5);
    s.q3 = Quantile7(present, 0.75);
    return s;
}

std::wstring StatisticKey(const std::wstring& name) {
    const auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    const auto first = std::find_if_not(name.begin(), name.end(), blank);
    const auto last = std::find_if_not(name.rbegin(), std::wstring::const_reverse_iterator(first), blank).base();
    std::wstring key(first, last);
    for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return key;
}

std::optional<double> StatisticByKey(const NumericSummary& s, const std::wstring& key) {
    if (key == L"n") return s.n;
    if (key == L"missing") return s.missing;
    if (key == L"sum") return s.sum;
    if (key == L"mean") return s.mean;
    if (key == L"min") return s.min;
    if (key == L"max") return s.max;
    if (key == L"range") return s.max - s.min;
    if (key == L"median") return s.median;
    if (key == L"q1") return s.q1;
    if (key == L"q3") return s.q3;
    if (key == L"iqr") return s.q3 - s.q1;
    if (key == L"var") return s.var;
    if (key == L"sd") return std::sqrt(s.var);
    if (key == L"se") return std::sqrt(s.var / s.n);
    return std::nullopt;
}

}  // namespace kovdesc
