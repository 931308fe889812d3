// Cpp_TransferToR called the way the add-in calls it: the host's decimal
// symbol "." and the given list separator, and every host string the library
// replaced in the records freed afterwards.
#ifndef KOVR_TRANSFER_CALL_H
#define KOVR_TRANSFER_CALL_H

#include <string>

#include "host_data_sets.h"
#include "host_records.h"

namespace kovr {

void TransferToR(HostMain& main, HostDialog& dialog, HostDataSets& sets, const std::string& listSeparator,
                 int columnIndex);

}  // namespace kovr

#endif
