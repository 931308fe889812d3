// The R code that a transfer with the dialog's default choices would produce,
// found by a dry run of the code assembly (Cpp_GetRCodeAndReplaceOptions):
// the option rows are filled from the defaults, every data selection the
// defaults use gets a few generated columns, and the run's R folder is a
// temporary folder that is removed afterwards.
#ifndef KOVR_PREVIEW_DRY_RUN_H
#define KOVR_PREVIEW_DRY_RUN_H

#include <string>
#include <vector>

#include "dialog_choices.h"
#include "dialog_view.h"
#include "host_records.h"

namespace kovr {

// The folder name that stands for the dry run's temporary folder in the code
// shown, so that the same template always gives the same page.
inline constexpr char kDryRunFolder[] = "WORK";

struct DryRunCode {
    std::string code;               // the assembled R code
    std::vector<std::string> data;  // one line per data selection that got columns
    std::string error;              // why no code could be assembled
};

// Writes the option rows of dialog (which holds the records view was read
// from) and assembles the code.
DryRunCode AssembleDefaultCode(const DialogView& view, const DialogChoices& choices, HostDialog& dialog);

}  // namespace kovr

#endif
