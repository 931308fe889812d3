#include "transfer_call.h"

#include "host_text.h"

namespace kovr {

std::string FormulaTerms(const std::vector<std::string>& names) {
    std::vector<BSTR> given;
    for (const std::string& name : names) given.push_back(NewHostString(name));
    std::vector<BSTR> held = given;
    BSTR separator = NewHostString("+");
    BSTR formula = nullptr;
    Cpp_LoadClabelsRfunc(static_cast<int32_t>(held.size()), separator, held.data(), 0, &formula);
    std::string terms = HostText(formula);
    // Every term comes with its separator in front.
    if (!terms.empty() && terms.front() == '+') terms.erase(0, 1);
    for (size_t k = 0; k < held.size(); ++k) {
        if (held[k] != given[k]) SysFreeString(held[k]);
        SysFreeString(given[k]);
    }
    SysFreeString(separator);
    SysFreeString(formula);
    return terms;
}

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
