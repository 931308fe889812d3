// Descriptive statistics of a data set through Cpp_GetDescStatsModel, asked
// for the way the add-in asks: the numeric columns summarised by named
// statistics, each text column tabulated into categories, counts and
// percentages.
#ifndef KOVR_DESCRIPTIVE_STATS_H
#define KOVR_DESCRIPTIVE_STATS_H

#include <ostream>
#include <string>

#include "host_data_sets.h"

namespace kovr {

// Prints the statistics of the numeric blocks (quanti1, quanti2) and the
// frequency tables of the text blocks (quali1, quali2) of data, under a
// heading that names what the data are.
void PrintDescriptiveStatistics(std::ostream& out, const DataSetData& data, const std::string& what);

}  // namespace kovr

#endif
