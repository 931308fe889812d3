// The library calls the add-in makes to transfer a run, made the way the
// add-in makes them.
#ifndef KOVR_TRANSFER_CALL_H
#define KOVR_TRANSFER_CALL_H

#include <string>
#include <vector>

#include "host_data_sets.h"
#include "host_records.h"

namespace kovr {

// The terms of a model formula for the columns called names, joined by "+":
// Cpp_LoadClabelsRfunc writes each as the R name of its column, so that a
// column header never reaches the R code as anything but a name.
std::string FormulaTerms(const std::vector<std::string>& names);

// Cpp_TransferToR with the host's decimal symbol "." and the given list
// separator; every host string the library replaced in the records is freed.
void TransferToR(HostMain& main, HostDialog& dialog, HostDataSets& sets, const std::string& listSeparator,
                 int columnIndex);

}  // namespace kovr

#endif
