// The preview of a template's dialog as one self-contained web page: the
// dialog laid out as the add-in builds it from the records of the filling
// pass (pages as tabs, the columns of a page side by side, every control by
// its kind with its caption, its R name as tool tip and its default state),
// and below it the data selections, the results and charts, the script lines
// and the R code of a dry run with the default choices.
//
// Every control of the control record is one element with data-ctl="i"
// (i from 1, in record order; a "NextColumn" control is the column it
// starts), and every page one tab with data-page="p" (p from 0), so that a
// test can count them. A few lines of script switch the tabs and then mark
// the page loaded (data-ready="yes" on the root element); without script all
// pages show one below the other.
#ifndef KOVR_PREVIEW_PREVIEW_PAGE_H
#define KOVR_PREVIEW_PREVIEW_PAGE_H

#include <string>

#include "dialog_choices.h"
#include "dialog_view.h"
#include "dry_run.h"

namespace kovr {

std::string DialogPage(const DialogView& view, const DialogChoices& choices, const DryRunCode& code);

// The page for a template that does not parse: the message box the add-in
// shows, with its title and text as the error record holds them. The box has
// data-error="yes".
std::string ErrorPage(const std::string& path, const std::string& title, const std::string& message);

}  // namespace kovr

#endif
