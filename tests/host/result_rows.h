// Result tables of the dialog description as the template reader appends
// them: one entry in every result vector, so that the vectors stay aligned
// with the chart results of dialog_rows.h.
#ifndef KOV_TESTS_HOST_RESULT_ROWS_H
#define KOV_TESTS_HOST_RESULT_ROWS_H

#include <string>

#include "arena_records.h"

namespace host {

// A table the analysis leaves in results$rName; show "false" hides it,
// rowLabels "rdesc" exports its row names.
struct ResultTable {
    std::string rName;
    std::string show = "true";
    std::string rowLabels;
};
void AddResultTable(Arena& arena, ST_aiR& air, const ResultTable& table);

}  // namespace host

#endif
