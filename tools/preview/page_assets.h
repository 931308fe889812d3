// The style sheet and the script that every preview page carries inline, so
// that the file shows the same on any machine without fetching anything.
#ifndef KOVR_PREVIEW_PAGE_ASSETS_H
#define KOVR_PREVIEW_PAGE_ASSETS_H

namespace kovr {

extern const char kPageStyle[];
// Switches the tabs (the first one, or the page p of a "#page=p" address),
// then sets data-ready="yes" on the root element.
extern const char kPageScript[];

}  // namespace kovr

#endif
