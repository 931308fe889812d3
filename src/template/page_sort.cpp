#include "page_sort.h"

#include "entries.h"
#include "kovmat.h"
#include "sort_apply.h"

void SortControlsByPage(cST_AirControlInfo& c) {
    // A count the host set beyond its array sorts only the controls the array holds.
    const int n = Entries(c.ctlKind);
    matrix<int> perm(n, 1);
    V_Set1toN(&perm, n);
    SortQ(&perm, n, 1, 1, n, c.ctlPage.values, &perm, 1, 0, -1);
    matrix<double> order(n, 1);
    for (int i = 1; i <= n; ++i) order(i) = perm(i);
    auto reorder = [&](auto& vector) { SortApply2(vector.values, n, 1, &order); };
    reorder(c.ctlChartName);
    reorder(c.ctlFrameChildren);
    reorder(c.ctlEventCode);
    reorder(c.ctlType);
    reorder(c.ctlDefault);
    reorder(c.ctlEnabled);
    reorder(c.ctlGroupName);
    reorder(c.ctlHeight);
    reorder(c.ctlName);
    reorder(c.ctlNextRow);
    reorder(c.ctlLeft);
    reorder(c.ctlOptional);
    reorder(c.ctlOptionDefault);
    reorder(c.ctlRefEditLinked);
    reorder(c.ctlReportGroup);
    reorder(c.ctlReportText);
    reorder(c.ctlRName);
    reorder(c.ctlRNameOption);
    reorder(c.ctlStyle);
    reorder(c.ctlText);
    reorder(c.ctlToolTip);
    reorder(c.ctlKind);
    reorder(c.ctlVisible);
    reorder(c.ctlWidth);
}
