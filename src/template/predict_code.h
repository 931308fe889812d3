// The dialog macro of the prediction block: it enables the prediction data
// selections only while the "Predictions" check box is ticked.
#ifndef KOV_TEMPLATE_PREDICT_CODE_H
#define KOV_TEMPLATE_PREDICT_CODE_H

#include <string>

// The macro procedure AdaptPredict in the add-in's macro language. x, q and
// obs are the control indices of the X, Q and observation-label fields, 0
// for a field the template does not have; only their lines are written.
std::wstring GetPredictCode(const int& x, const int& q, const int& obs);

#endif
