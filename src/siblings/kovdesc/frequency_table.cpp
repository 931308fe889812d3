#include "frequency_table.h"

#include <map>

namespace kovdesc {

std::vector<Frequency> Tabulate(const std::vector<std::wstring>& values) {
    std::map<std::wstring, int> counts;
    int total = 0;
    for (const std::wstring& value : values) {
        if (value.empty()) continue;
        ++counts[value];
        ++total;
    }
    std::vector<Frequency> table;
    table.reserve(counts.size());
    for (const auto& [category, count] : counts) {
        table.push_back({category, count, 100.0 * count / total});
    }
    return table;
}

}  // namespace kovdesc
