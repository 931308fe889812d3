// The R text of the dialog's options: one option becomes 'rname=value', with
// the value written the way R reads it, and consecutive options of a group
// become one R vector ('lag=c(1, 2)') or one call ('list(tol=0.001, maxit=50)').
//
// The input counter and the combo counter are the caller's: they start at 0
// for a pass over the options and every option row used or passed over
// advances the counter of its kind once, so that the k-th input box (combo
// box) among the options reads entry k of the input (combo box) lists.
#ifndef KOV_RSCRIPT_OPTION_CODE_H
#define KOV_RSCRIPT_OPTION_CODE_H

#include <string>

#include "records.h"

// Advances the counter of option i's kind (input box or combo box); every
// option row used or passed over is counted once.
void CountOptionKind(cST_aiR& dialog, int i, int& inputCounter, int& comboCounter);

// Kind and value of option i; advances the counter of its kind, and for a
// combo box sets listIndex to the 0-based index of the selected item.
void GetTypeValListindex(cST_aiR& dialog, int i, std::wstring& kind, std::wstring& value, int& listIndex,
                         int& inputCounter, int& comboCounter);

// The R text of one value of the given kind: quoted text (quotes and
// backslashes escaped), a number with "." for ",", an integer list as
// "c(...)", TRUE/FALSE, or the quoted R name of the selected combo box item.
// The option index is not used.
std::wstring GetValueForCtlType(cST_aiR& dialog, int option, const std::wstring& kind, const std::wstring& value,
                                int listIndex, int inputIndex, int comboIndex);

// The R text of option i, or of the group that option i opens; i is left on
// the last option row used or passed over, and every member written is
// flagged in optionDone. A group that opens on the last option gives "".
std::wstring GetRCodeForOption(cST_aiR& dialog, int& i, int& inputCounter, int& comboCounter);

#endif
