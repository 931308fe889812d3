#include "record_fields.h"

namespace kovr {

const std::array<VectorField, 62> kDialogVectors = {
    VectorField{"pageText", offsetof(ST_aiR, pageText), Element::kText},
    VectorField{"pageCtlCount", offsetof(ST_aiR, pageCtlCount), Element::kInt32},
    VectorField{"pageLeftWidth", offsetof(ST_aiR, pageLeftWidth), Element::kInt32},
    VectorField{"pageRightWidth", offsetof(ST_aiR, pageRightWidth), Element::kInt32},
    VectorField{"pageEnabled", offsetof(ST_aiR, pageEnabled), Element::kInt16},
    VectorField{"optionKind", offsetof(ST_aiR, optionKind), Element::kText},
    VectorField{"optionExtraText1", offsetof(ST_aiR, optionExtraText1), Element::kText},
    VectorField{"optionExtraText2", offsetof(ST_aiR, optionExtraText2), Element::kText},
    VectorField{"optionActive", offsetof(ST_aiR, optionActive), Element::kInt16},
    VectorField{"optionExtraFlag", offsetof(ST_aiR, optionExtraFlag), Element::kInt16},
    VectorField{"optionRName", offsetof(ST_aiR, optionRName), Element::kText},
    VectorField{"optionChartName", offsetof(ST_aiR, optionChartName), Element::kText},
    VectorField{"optionExtraText3", offsetof(ST_aiR, optionExtraText3), Element::kText},
    VectorField{"optionExtraText4", offsetof(ST_aiR, optionExtraText4), Element::kText},
    VectorField{"optionValue", offsetof(ST_aiR, optionValue), Element::kText},
    VectorField{"optionInclude", offsetof(ST_aiR, optionInclude), Element::kText},
    VectorField{"optionDone", offsetof(ST_aiR, optionDone), Element::kInt16},
    VectorField{"comboName", offsetof(ST_aiR, comboName), Element::kText},
    VectorField{"comboDefault", offsetof(ST_aiR, comboDefault), Element::kInt32},
    VectorField{"comboItemTexts", offsetof(ST_aiR, comboItemTexts), Element::kText},
    VectorField{"comboItemRNames", offsetof(ST_aiR, comboItemRNames), Element::kText},
    VectorField{"refName", offsetof(ST_aiR, refName), Element::kText},
    VectorField{"refPage", offsetof(ST_aiR, refPage), Element::kInt32},
    VectorField{"refText", offsetof(ST_aiR, refText), Element::kText},
    VectorField{"refDataType", offsetof(ST_aiR, refDataType), Element::kText},
    VectorField{"refRType", offsetof(ST_aiR, refRType), Element::kText},
    VectorField{"refRName", offsetof(ST_aiR, refRName), Element::kText},
    VectorField{"refSelectionKind", offsetof(ST_aiR, refSelectionKind), Element::kInt32},
    VectorField{"refYVar", offsetof(ST_aiR, refYVar), Element::kInt16},
    VectorField{"refOptional", offsetof(ST_aiR, refOptional), Element::kInt16},
    VectorField{"refOptionDefault", offsetof(ST_aiR, refOptionDefault), Element::kInt16},
    VectorField{"refOneColumn", offsetof(ST_aiR, refOneColumn), Element::kInt16},
    VectorField{"refHostFlag", offsetof(ST_aiR, refHostFlag), Element::kInt16},
    VectorField{"refStr2Dbl", offsetof(ST_aiR, refStr2Dbl), Element::kInt16},
    VectorField{"refOneByOne", offsetof(ST_aiR, refOneByOne), Element::kInt16},
    VectorField{"inputPage", offsetof(ST_aiR, inputPage), Element::kInt32},
    VectorField{"inputType", offsetof(ST_aiR, inputType), Element::kText},
    VectorField{"inputMin", offsetof(ST_aiR, inputMin), Element::kText},
    VectorField{"inputMax", offsetof(ST_aiR, inputMax), Element::kText},
    VectorField{"inputOptional", offsetof(ST_aiR, inputOptional), Element::kInt16},
    VectorField{"inputOptionDefault", offsetof(ST_aiR, inputOptionDefault), Element::kInt16},
    VectorField{"resText", offsetof(ST_aiR, resText), Element::kText},
    VectorField{"resRName", offsetof(ST_aiR, resRName), Element::kText},
    VectorField{"resType", offsetof(ST_aiR, resType), Element::kText},
    VectorField{"resRowLabels", offsetof(ST_aiR, resRowLabels), Element::kText},
    VectorField{"resColLabels", offsetof(ST_aiR, resColLabels), Element::kText},
    VectorField{"resFormat", offsetof(ST_aiR, resFormat), Element::kText},
    VectorField{"resColFormats", offsetof(ST_aiR, resColFormats), Element::kText},
    VectorField{"resRowFormats", offsetof(ST_aiR, resRowFormats), Element::kText},
    VectorField{"resChartType", offsetof(ST_aiR, resChartType), Element::kText},
    VectorField{"resChartName", offsetof(ST_aiR, resChartName), Element::kText},
    VectorField{"resColor", offsetof(ST_aiR, resColor), Element::kText},
    VectorField{"resShow", offsetof(ST_aiR, resShow), Element::kText},
    VectorField{"resHidden", offsetof(ST_aiR, resHidden), Element::kInt16},
    VectorField{"resPlotIncluded", offsetof(ST_aiR, resPlotIncluded), Element::kInt16},
    VectorField{"resRPlotCode", offsetof(ST_aiR, resRPlotCode), Element::kText},
    VectorField{"resRPlotFormat", offsetof(ST_aiR, resRPlotFormat), Element::kText},
    VectorField{"resRPlotWidth", offsetof(ST_aiR, resRPlotWidth), Element::kText},
    VectorField{"resRPlotHeight", offsetof(ST_aiR, resRPlotHeight), Element::kText},
    VectorField{"scriptEngine", offsetof(ST_aiR, scriptEngine), Element::kText},
    VectorField{"scriptReplace", offsetof(ST_aiR, scriptReplace), Element::kInt16},
    VectorField{"scriptCode", offsetof(ST_aiR, scriptCode), Element::kText},
};

const std::array<VectorField, 26> kControlVectors = {
    VectorField{"ctlChartName", offsetof(ST_AirControlInfo, ctlChartName), Element::kText},
    VectorField{"ctlFrameChildren", offsetof(ST_AirControlInfo, ctlFrameChildren), Element::kInt32},
    VectorField{"ctlEventCode", offsetof(ST_AirControlInfo, ctlEventCode), Element::kText},
    VectorField{"ctlType", offsetof(ST_AirControlInfo, ctlType), Element::kText},
    VectorField{"ctlDefault", offsetof(ST_AirControlInfo, ctlDefault), Element::kText},
    VectorField{"ctlEnabled", offsetof(ST_AirControlInfo, ctlEnabled), Element::kInt16},
    VectorField{"ctlGroupName", offsetof(ST_AirControlInfo, ctlGroupName), Element::kText},
    VectorField{"ctlHeight", offsetof(ST_AirControlInfo, ctlHeight), Element::kText},
    VectorField{"ctlExtra", offsetof(ST_AirControlInfo, ctlExtra), Element::kInt16},
    VectorField{"ctlName", offsetof(ST_AirControlInfo, ctlName), Element::kText},
    VectorField{"ctlNextRow", offsetof(ST_AirControlInfo, ctlNextRow), Element::kInt16},
    VectorField{"ctlLeft", offsetof(ST_AirControlInfo, ctlLeft), Element::kText},
    VectorField{"ctlOptional", offsetof(ST_AirControlInfo, ctlOptional), Element::kText},
    VectorField{"ctlOptionDefault", offsetof(ST_AirControlInfo, ctlOptionDefault), Element::kText},
    VectorField{"ctlPage", offsetof(ST_AirControlInfo, ctlPage), Element::kInt32},
    VectorField{"ctlRefEditLinked", offsetof(ST_AirControlInfo, ctlRefEditLinked), Element::kText},
    VectorField{"ctlReportGroup", offsetof(ST_AirControlInfo, ctlReportGroup), Element::kText},
    VectorField{"ctlReportText", offsetof(ST_AirControlInfo, ctlReportText), Element::kText},
    VectorField{"ctlRName", offsetof(ST_AirControlInfo, ctlRName), Element::kText},
    VectorField{"ctlRNameOption", offsetof(ST_AirControlInfo, ctlRNameOption), Element::kText},
    VectorField{"ctlStyle", offsetof(ST_AirControlInfo, ctlStyle), Element::kText},
    VectorField{"ctlText", offsetof(ST_AirControlInfo, ctlText), Element::kText},
    VectorField{"ctlToolTip", offsetof(ST_AirControlInfo, ctlToolTip), Element::kText},
    VectorField{"ctlKind", offsetof(ST_AirControlInfo, ctlKind), Element::kText},
    VectorField{"ctlVisible", offsetof(ST_AirControlInfo, ctlVisible), Element::kInt16},
    VectorField{"ctlWidth", offsetof(ST_AirControlInfo, ctlWidth), Element::kText},
};

const std::array<StringField, 16> kDialogStrings = {
    StringField{"dataStructure", offsetof(ST_aiR, dataStructure)},
    StringField{"functionName", offsetof(ST_aiR, functionName)},
    StringField{"packages", offsetof(ST_aiR, packages)},
    StringField{"dialogCode", offsetof(ST_aiR, dialogCode)},
    StringField{"authorXml", offsetof(ST_aiR, authorXml)},
    StringField{"authorRFunction", offsetof(ST_aiR, authorRFunction)},
    StringField{"compatibilityKovian", offsetof(ST_aiR, compatibilityKovian)},
    StringField{"compatibilityR", offsetof(ST_aiR, compatibilityR)},
    StringField{"dateCreated", offsetof(ST_aiR, dateCreated)},
    StringField{"dateModified", offsetof(ST_aiR, dateModified)},
    StringField{"packageVersion", offsetof(ST_aiR, packageVersion)},
    StringField{"rDescription", offsetof(ST_aiR, rDescription)},
    StringField{"spareString", offsetof(ST_aiR, spareString)},
    StringField{"autoPredictRName", offsetof(ST_aiR, autoPredictRName)},
    StringField{"missingOptions", offsetof(ST_aiR, missingOptions)},
    StringField{"missingDefault", offsetof(ST_aiR, missingDefault)},
};

uint16_t ArrayType(Element element) {
    switch (element) {
        case Element::kText:
            return VT_BSTR;
        case Element::kInt32:
            return VT_I4;
        case Element::kInt16:
            return VT_I2;
    }
    return VT_I2;
}

}  // namespace kovr
