// The frequency table of one text column.
#ifndef KOV_SIBLINGS_KOVDESC_FREQUENCY_TABLE_H
#define KOV_SIBLINGS_KOVDESC_FREQUENCY_TABLE_H

#include <string>
#include <vector>

namespace kovdesc {

struct Frequency {
    std::wstring category;
    int count;
    double percent;
};

// One entry per distinct non-empty value, in the order of the values'
// character codes; percentages of the number of non-empty values.
std::vector<Frequency> Tabulate(const std::vector<std::wstring>& values);

}  // namespace kovdesc

#endif
