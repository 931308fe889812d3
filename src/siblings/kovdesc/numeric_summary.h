// The summary of one numeric column: counts, sum, moments and order
// statistics of its non-missing values, computed with care for rounding.
#ifndef KOV_SIBLINGS_KOVDESC_NUMERIC_SUMMARY_H
#define KOV_SIBLINGS_KOVDESC_NUMERIC_SUMMARY_H

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kovdesc {

// Figures a column cannot give are NaN.
struct NumericSummary {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    int n = 0;
    int missing = 0;
    double sum = 0.0;
    double mean = kNone;
    double min = kNone;
    double max = kNone;
    double q1 = kNone;
    double median = kNone;
    double q3 = kNone;
    double var = kNone;
};

// True for NaN and for values at or below the host's missing-value marker.
bool IsMissing(double value);

// Summarises values (missing ones only counted).
NumericSummary Summarize(const std::vector<double>& values);

// The p-quantile (0 <= p <= 1) of sorted, non-empty values by R's type 7.
double Quantile7(const std::vector<double>& sorted, double p);

// A statistic's name as looked up: lower case, without surrounding blanks.
std::wstring StatisticKey(const std::wstring& name);

// The statistic with the given key (see desc_stats.h) of summary; nothing
// for an unknown key.
std::optional<double> StatisticByKey(const NumericSummary& summary, const std::wstring& key);

}  // namespace kovdesc

#endif
