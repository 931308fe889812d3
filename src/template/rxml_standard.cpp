// Standard controls: the controls the reader adds itself (column breaks,
// spacers, the prediction block, the automatic output and chart check
// boxes). Each starts with the same defaults and is then specialised by its
// caller.
#include "rxml.h"
#include "size_counts.h"

int RXml::AddKOVIANaiRCIDefaults(int page) {
    cST_AirControlInfo& c = *controls;
    c.ctlChartName.Append(L"");
    c.ctlFrameChildren.Append(0);
    c.ctlEventCode.Append(L"");
    c.ctlType.Append(L"");
    c.ctlDefault.Append(L"true");
    c.ctlEnabled.Append(-1);
    c.ctlGroupName.Append(L"");
    c.ctlHeight.Append(L"");
    c.ctlName.Append(L"");
    c.ctlNextRow.Append(-1);
    c.ctlLeft.Append(L"0");
    c.ctlOptional.Append(L"");
    c.ctlOptionDefault.Append(L"");
    c.ctlPage.Append(page);
    c.ctlRefEditLinked.Append(L"");
    c.ctlReportGroup.Append(L"");
    c.ctlReportText.Append(L"");
    c.ctlRName.Append(L"");
    c.ctlRNameOption.Append(L"");
    c.ctlStyle.Append(L"");
    c.ctlText.Append(L"");
    c.ctlToolTip.Append(L"");
    c.ctlKind.Append(L"");
    c.ctlVisible.Append(-1);
    c.ctlWidth.Append(L"");
    return c.ctlPage.count;
}

void RXml::AddaiRSizeCIDefaultsSize(int /*page*/) { CountControl(*controlSizes); }
