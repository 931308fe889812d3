// The page-order sort that ends the filling pass: controls appended after all
// pages were loaded (the automatic output and chart check boxes) move into
// their pages.
#ifndef KOV_TEMPLATE_PAGE_SORT_H
#define KOV_TEMPLATE_PAGE_SORT_H

#include "records.h"

// Reorders the controls by ctlPage, controls of one page keeping their order;
// every per-control vector moves along except ctlExtra.
void SortControlsByPage(cST_AirControlInfo& controls);

#endif
