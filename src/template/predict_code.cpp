#include "predict_code.h"

namespace {

// The two lines that enable one prediction selection and its label.
std::wstring EnableLines(const std::wstring& field) {
    const std::wstring condition = L" = " + field + L".Enabled and CheckBoxPredict\n";
    return L"    " + field + L"Pred.Enabled" + condition + L"    Label" + field + L"Pred.Enabled" + condition;
}

}  // namespace

std::wstring GetPredictCode(const int& x, const int& q, const int& obs) {
    std::wstring code = L"Private Sub AdaptPredict()\n    LabelExplPred.Enabled = CheckBoxPredict\n";
    if (x > 0) code += EnableLines(L"RefEditX");
    if (q > 0) code += EnableLines(L"RefEditQ");
    if (obs > 0) code += EnableLines(L"RefEditObsLabels");
    return code + L"End Sub\n";
}
