// Result records of the descriptive statistics for the tests, dimensioned the
// way the add-in dimensions them before it asks for the statistics.
#ifndef KOV_TESTS_HOST_DESC_RESULTS_H
#define KOV_TESTS_HOST_DESC_RESULTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "arena_records.h"

namespace host {

// statistics: the names in formats.statistics of the numeric part, whose
// values array gets one row per name and numericColumns columns (no array
// without columns). The text part gets textColumns columns in each of its
// quali1 (categories), quanti1 (counts) and quanti2 (percentages) blocks,
// each with room for `categories` entries; every count starts at 0.
struct DescStatsShape {
    std::vector<std::string> statistics = {};
    uint32_t numericColumns = 0;
    uint32_t textColumns = 0;
    uint32_t categories = 0;
};
Ptr<ST_DescStats> DescStats(Arena& arena, const DescStatsShape& shape);

// A qualitative-information record holding only text columns, as the
// descriptive statistics read it.
QualiInfoFields TextInfo(std::vector<TextColumn> columns);

// The text part's table for column j (1-based): categories, counts and
// percentages, entries 1 to each column's count.
struct FrequencyColumn {
    std::vector<std::string> categories;
    std::vector<double> counts;
    std::vector<double> percents;
};
FrequencyColumn Frequencies(const ST_DescStats& results, int j);

}  // namespace host

#endif
