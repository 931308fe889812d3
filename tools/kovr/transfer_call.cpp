#include "transfer_call.h"

#include "host_text.h"

namespace kovr {

void TransferToR(HostMain& main, HostDialog& dialog, HostDataSets& sets, const std::string& listSeparator,
                 int columnIndex) {
    SystemInfo info{};
    info.decimalSymbol = NewHostString(".");
    info.listSeparator = NewHostString(listSeparator);
    {
        ReplacedStrings replaced([&](StringSlots& s) {
            main.CollectStrings(s);
            dialog.CollectStrings(s);
            sets.CollectStrings(s);
        });
        Cpp_TransferToR(main.get(), &dialog.dialog(), sets.get(), &info, columnIndex);
    }
    SysFreeString(info.decimalSymbol);
    SysFreeString(info.listSeparator);
}

}  // namespace kovr
