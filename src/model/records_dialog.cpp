// The dialog description (header texts, pages, option rows, combo boxes, data
// selections, inputs, results, script lines) and the per-control record.
#include <string>

#include "records.h"
#include "records_copy.h"

namespace {

const ST_aiR kNoDialog{};

}  // namespace

// The strings and scalars of the dialog description, in host order.
#define KOV_DIALOG_FIELDS(OP, m, h) \
    OP(m, h, addObsLabels)          \
    OP(m, h, dataStructure)         \
    OP(m, h, functionName)          \
    OP(m, h, packages)              \
    OP(m, h, replaceByValue)        \
    OP(m, h, seedValue)             \
    OP(m, h, uniqueId)              \
    OP(m, h, usesSeed)              \
    OP(m, h, hasInteractions)       \
    OP(m, h, dialogCode)            \
    OP(m, h, authorXml)             \
    OP(m, h, authorRFunction)       \
    OP(m, h, compatibilityKovian)   \
    OP(m, h, compatibilityR)        \
    OP(m, h, dateCreated)           \
    OP(m, h, dateModified)          \
    OP(m, h, packageVersion)        \
    OP(m, h, rDescription)          \
    OP(m, h, spareString)           \
    OP(m, h, singleColumnQuanti)    \
    OP(m, h, singleColumnQuali)     \
    OP(m, h, autoPredict)           \
    OP(m, h, spareInt1)             \
    OP(m, h, autoPredictRName)      \
    OP(m, h, spareInt2)             \
    OP(m, h, missingOptions)        \
    OP(m, h, missingDefault)        \
    OP(m, h, autoOutputs)           \
    OP(m, h, autoOutputsStats)      \
    OP(m, h, autoOutputsPage)       \
    OP(m, h, autoCharts)            \
    OP(m, h, autoChartsPage)

#define KOV_VECT(field) field(records::Nested(hostRecord, &ST_aiR::field))

cST_aiR::cST_aiR(ST_aiR* hostRecord)
    : host(hostRecord),
      KOV_VECT(pageText),
      KOV_VECT(pageCtlCount),
      KOV_VECT(pageLeftWidth),
      KOV_VECT(pageRightWidth),
      KOV_VECT(pageEnabled),
      KOV_VECT(optionKind),
      KOV_VECT(optionExtraText1),
      KOV_VECT(optionExtraText2),
      KOV_VECT(optionActive),
      KOV_VECT(optionExtraFlag),
      KOV_VECT(optionRName),
      KOV_VECT(optionChartName),
      KOV_VECT(optionExtraText3),
      KOV_VECT(optionExtraText4),
      KOV_VECT(optionValue),
      KOV_VECT(optionInclude),
      KOV_VECT(optionDone),
      KOV_VECT(comboName),
      KOV_VECT(comboDefault),
      KOV_VECT(comboItemTexts),
      KOV_VECT(comboItemRNames),
      KOV_VECT(refName),
      KOV_VECT(refPage),
      KOV_VECT(refText),
      KOV_VECT(refDataType),
      KOV_VECT(refRType),
      KOV_VECT(refRName),
      KOV_VECT(refSelectionKind),
      KOV_VECT(refYVar),
      KOV_VECT(refOptional),
      KOV_VECT(refOptionDefault),
      KOV_VECT(refOneColumn),
      KOV_VECT(refHostFlag),
      KOV_VECT(refStr2Dbl),
      KOV_VECT(refOneByOne),
      KOV_VECT(inputPage),
      KOV_VECT(inputType),
      KOV_VECT(inputMin),
      KOV_VECT(inputMax),
      KOV_VECT(inputOptional),
      KOV_VECT(inputOptionDefault),
      KOV_VECT(resText),
      KOV_VECT(resRName),
      KOV_VECT(resType),
      KOV_VECT(resRowLabels),
      KOV_VECT(resColLabels),
      KOV_VECT(resFormat),
      KOV_VECT(resColFormats),
      KOV_VECT(resRowFormats),
      KOV_VECT(resChartType),
      KOV_VECT(resChartName),
      KOV_VECT(resColor),
      KOV_VECT(resShow),
      KOV_VECT(resHidden),
      KOV_VECT(resPlotIncluded),
      KOV_VECT(resRPlotCode),
      KOV_VECT(resRPlotFormat),
      KOV_VECT(resRPlotWidth),
      KOV_VECT(resRPlotHeight),
      KOV_VECT(scriptEngine),
      KOV_VECT(scriptReplace),
      KOV_VECT(scriptCode) {
    const ST_aiR& source = host != nullptr ? *host : kNoDialog;
    KOV_DIALOG_FIELDS(KOV_LOAD_FIELD, *this, source)
}

#undef KOV_VECT

// The vectors are members: they write themselves back after this body has
// stored the strings and scalars.
cST_aiR::~cST_aiR() {
    if (host != nullptr) {
        KOV_DIALOG_FIELDS(KOV_STORE_FIELD, *this, *host)
    }
}

#define KOV_VECT(field) field(records::Nested(hostRecord, &ST_AirControlInfo::field))

cST_AirControlInfo::cST_AirControlInfo(ST_AirControlInfo* hostRecord)
    : host(hostRecord),
      KOV_VECT(ctlChartName),
      KOV_VECT(ctlFrameChildren),
      KOV_VECT(ctlEventCode),
      KOV_VECT(ctlType),
      KOV_VECT(ctlDefault),
      KOV_VECT(ctlEnabled),
      KOV_VECT(ctlGroupName),
      KOV_VECT(ctlHeight),
      KOV_VECT(ctlExtra),
      KOV_VECT(ctlName),
      KOV_VECT(ctlNextRow),
      KOV_VECT(ctlLeft),
      KOV_VECT(ctlOptional),
      KOV_VECT(ctlOptionDefault),
      KOV_VECT(ctlPage),
      KOV_VECT(ctlRefEditLinked),
      KOV_VECT(ctlReportGroup),
      KOV_VECT(ctlReportText),
      KOV_VECT(ctlRName),
      KOV_VECT(ctlRNameOption),
      KOV_VECT(ctlStyle),
      KOV_VECT(ctlText),
      KOV_VECT(ctlToolTip),
      KOV_VECT(ctlKind),
      KOV_VECT(ctlVisible),
      KOV_VECT(ctlWidth) {}

#undef KOV_VECT
