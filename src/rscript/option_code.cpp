#include "option_code.h"

#include "comma_list.h"
#include "entries.h"
#include "host_count.h"
#include "r_text.h"
#include "vb_string.h"

namespace {

// 'alpha,list' names option alpha of group list; without a comma the group is empty.
struct OptionName {
    std::wstring name;
    std::wstring group;
};

OptionName SplitRName(const std::wstring& rName) {
    const size_t comma = rName.find(L',');
    if (comma == std::wstring::npos) return {rName, std::wstring()};
    return {rName.substr(0, comma), rName.substr(comma + 1)};
}

bool IsTrue(short flag) { return flag == -1; }

}  // namespace

void CountOptionKind(cST_aiR& dialog, int i, int& inputCounter, int& comboCounter) {
    const std::wstring& kind = dialog.optionKind(i);
    if (kind == L"ComboBox") {
        CountOne(comboCounter);
    } else if (kind == L"Input") {
        CountOne(inputCounter);
    }
}

void GetTypeValListindex(cST_aiR& dialog, int i, std::wstring& kind, std::wstring& value, int& listIndex,
                         int& inputCounter, int& comboCounter) {
    kind = dialog.optionKind(i);
    value = dialog.optionValue(i);
    CountOptionKind(dialog, i, inputCounter, comboCounter);
    if (kind == L"ComboBox") listIndex = dialog.comboDefault(comboCounter);
}

std::wstring GetValueForCtlType(cST_aiR& dialog, int /*option*/, const std::wstring& kind, const std::wstring& value,
                                int listIndex, int inputIndex, int comboIndex) {
    if (kind == L"Input") {
        const std::wstring& type = dialog.inputType(inputIndex);
        if (type == L"text" || type == L"string") return RQuoted(value);
        if (type == L"integerlist") return RIntegerList(value);
        return RNumber(value);
    }
    if (kind == L"RadioButton") return UCase(value);
    if (kind == L"CheckBox") {
        const std::wstring state = UCase(value);
        return state == L"TRUE" || state == L"FALSE" ? state : std::wstring(L"NA");
    }
    if (kind == L"ComboBox") return RQuoted(ExtractFromList(listIndex + 1, dialog.comboItemRNames(comboIndex)));
    return std::wstring();
}

std::wstring GetRCodeForOption(cST_aiR& dialog, int& i, int& inputCounter, int& comboCounter) {
    const OptionName opening = SplitRName(dialog.optionRName(i));
    std::wstring kind;
    std::wstring value;
    int listIndex = 0;
    GetTypeValListindex(dialog, i, kind, value, listIndex, inputCounter, comboCounter);

    std::wstring text;
    if (opening.group == L"c") {
        // The opening value of a vector goes in as its input type says,
        // like the values of the members.
        if (kind == L"Input") {
            text = opening.name + L"=c(" +
                   GetValueForCtlType(dialog, i, kind, value, listIndex, inputCounter, comboCounter);
        }
    } else {
        const std::wstring optionValue =
            dialog.optionKind(i) == L"RadioButton"
                ? dialog.optionValue(i)
                : GetValueForCtlType(dialog, i, kind, value, listIndex, inputCounter, comboCounter);
        text = opening.name + L"=" + optionValue;
        if (opening.group.empty()) return text;
        text = opening.group + L"(" + text;
    }

    const int last = Entries(dialog.optionRName);
    if (i >= last) return std::wstring();
    while (i < last) {
        ++i;
        if (!IsTrue(dialog.optionActive(i))) {
            // Passed over, but counted, so the counters stay aligned.
            CountOptionKind(dialog, i, inputCounter, comboCounter);
            continue;
        }
        const OptionName member = SplitRName(dialog.optionRName(i));
        if (member.group != opening.group || (opening.group == L"c" && member.name != opening.name)) {
            --i;  // not a member: left to the caller
            break;
        }
        dialog.optionDone(i) = -1;
        std::wstring memberKind;
        std::wstring memberValue;
        int memberListIndex = 0;
        GetTypeValListindex(dialog, i, memberKind, memberValue, memberListIndex, inputCounter, comboCounter);
        const std::wstring rText =
            GetValueForCtlType(dialog, i, memberKind, memberValue, memberListIndex, inputCounter, comboCounter);
        text += opening.group == L"c" ? L", " + rText : L", " + member.name + L"=" + rText;
    }
    return text + L")";
}
