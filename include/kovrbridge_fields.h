/* The field lists of the dialog description records, in record order: every
 * host vector of ST_aiR (the order of the counts of ST_aiRSize) and of
 * ST_AirControlInfo (the order of ST_AirControlInfoSize) as X(field, ELEMENT),
 * ELEMENT being TEXT, INT32 or INT16, and the host string fields of ST_aiR as
 * X(field). The library's mirrors and sizing, kovr and the tests expand these
 * lists, so that a vector is added in one line here (and one in kovrbridge.h). */
#ifndef KOVRBRIDGE_FIELDS_H
#define KOVRBRIDGE_FIELDS_H

#define KOV_DIALOG_VECTORS(X)    \
    X(pageText, TEXT)            \
    X(pageCtlCount, INT32)       \
    X(pageLeftWidth, INT32)      \
    X(pageRightWidth, INT32)     \
    X(pageEnabled, INT16)        \
    X(optionKind, TEXT)          \
    X(optionExtraText1, TEXT)    \
    X(optionExtraText2, TEXT)    \
    X(optionActive, INT16)       \
    X(optionExtraFlag, INT16)    \
    X(optionRName, TEXT)         \
    X(optionChartName, TEXT)     \
    X(optionExtraText3, TEXT)    \
    X(optionExtraText4, TEXT)    \
    X(optionValue, TEXT)         \
    X(optionInclude, TEXT)       \
    X(optionDone, INT16)         \
    X(comboName, TEXT)           \
    X(comboDefault, INT32)       \
    X(comboItemTexts, TEXT)      \
    X(comboItemRNames, TEXT)     \
    X(refName, TEXT)             \
    X(refPage, INT32)            \
    X(refText, TEXT)             \
    X(refDataType, TEXT)         \
    X(refRType, TEXT)            \
    X(refRName, TEXT)            \
    X(refSelectionKind, INT32)   \
    X(refYVar, INT16)            \
    X(refOptional, INT16)        \
    X(refOptionDefault, INT16)   \
    X(refOneColumn, INT16)       \
    X(refHostFlag, INT16)        \
    X(refStr2Dbl, INT16)         \
    X(refOneByOne, INT16)        \
    X(inputPage, INT32)          \
    X(inputType, TEXT)           \
    X(inputMin, TEXT)            \
    X(inputMax, TEXT)            \
    X(inputOptional, INT16)      \
    X(inputOptionDefault, INT16) \
    X(resText, TEXT)             \
    X(resRName, TEXT)            \
    X(resType, TEXT)             \
    X(resRowLabels, TEXT)        \
    X(resColLabels, TEXT)        \
    X(resFormat, TEXT)           \
    X(resColFormats, TEXT)       \
    X(resRowFormats, TEXT)       \
    X(resChartType, TEXT)        \
    X(resChartName, TEXT)        \
    X(resColor, TEXT)            \
    X(resShow, TEXT)             \
    X(resHidden, INT16)          \
    X(resPlotIncluded, INT16)    \
    X(resRPlotCode, TEXT)        \
    X(resRPlotFormat, TEXT)      \
    X(resRPlotWidth, TEXT)       \
    X(resRPlotHeight, TEXT)      \
    X(scriptEngine, TEXT)        \
    X(scriptReplace, INT16)      \
    X(scriptCode, TEXT)

#define KOV_CONTROL_VECTORS(X) \
    X(ctlChartName, TEXT)      \
    X(ctlFrameChildren, INT32) \
    X(ctlEventCode, TEXT)      \
    X(ctlType, TEXT)           \
    X(ctlDefault, TEXT)        \
    X(ctlEnabled, INT16)       \
    X(ctlGroupName, TEXT)      \
    X(ctlHeight, TEXT)         \
    X(ctlExtra, INT16)         \
    X(ctlName, TEXT)           \
    X(ctlNextRow, INT16)       \
    X(ctlLeft, TEXT)           \
    X(ctlOptional, TEXT)       \
    X(ctlOptionDefault, TEXT)  \
    X(ctlPage, INT32)          \
    X(ctlRefEditLinked, TEXT)  \
    X(ctlReportGroup, TEXT)    \
    X(ctlReportText, TEXT)     \
    X(ctlRName, TEXT)          \
    X(ctlRNameOption, TEXT)    \
    X(ctlStyle, TEXT)          \
    X(ctlText, TEXT)           \
    X(ctlToolTip, TEXT)        \
    X(ctlKind, TEXT)           \
    X(ctlVisible, INT16)       \
    X(ctlWidth, TEXT)

#define KOV_DIALOG_STRINGS(X) \
    X(dataStructure)       \
    X(functionName)        \
    X(packages)            \
    X(dialogCode)          \
    X(authorXml)           \
    X(authorRFunction)     \
    X(compatibilityKovian) \
    X(compatibilityR)      \
    X(dateCreated)         \
    X(dateModified)        \
    X(packageVersion)      \
    X(rDescription)        \
    X(spareString)         \
    X(autoPredictRName)    \
    X(missingOptions)      \
    X(missingDefault)

#endif
