#include "dialog_rows.h"

namespace host {

void AddOption(Arena& arena, ST_aiR& air, const OptionRow& row) {
    arena.Append(air.optionKind, row.kind);
    arena.Append(air.optionExtraText1, "");
    arena.Append(air.optionExtraText2, "");
    arena.Append(air.optionActive, row.active);
    arena.Append(air.optionExtraFlag, 0);
    arena.Append(air.optionRName, row.rName);
    arena.Append(air.optionChartName, row.chartName);
    arena.Append(air.optionExtraText3, "");
    arena.Append(air.optionExtraText4, "");
    arena.Append(air.optionValue, row.value);
    arena.Append(air.optionInclude, row.include);
    arena.Append(air.optionDone, row.done);
}

void AddInputBox(Arena& arena, ST_aiR& air, const std::string& type) {
    arena.Append(air.inputPage, 0);
    arena.Append(air.inputType, type);
    arena.Append(air.inputMin, "");
    arena.Append(air.inputMax, "");
    arena.Append(air.inputOptional, 0);
    arena.Append(air.inputOptionDefault, 0);
}

void AddComboBox(Arena& arena, ST_aiR& air, int32_t selected, const std::string& itemRNames) {
    arena.Append(air.comboName, "CB" + std::to_string(air.comboName.count + 1));
    arena.Append(air.comboDefault, selected);
    arena.Append(air.comboItemTexts, itemRNames);
    arena.Append(air.comboItemRNames, itemRNames);
}

void AddDataSelection(Arena& arena, ST_aiR& air, const DataSelection& selection) {
    arena.Append(air.refName, "RE" + std::to_string(air.refName.count + 1));
    arena.Append(air.refPage, 0);
    arena.Append(air.refText, selection.rName);
    arena.Append(air.refDataType, selection.dataType);
    arena.Append(air.refRType, "");
    arena.Append(air.refRName, selection.rName);
    arena.Append(air.refSelectionKind, 0);
    arena.Append(air.refYVar, 0);
    arena.Append(air.refOptional, 0);
    arena.Append(air.refOptionDefault, 0);
    arena.Append(air.refOneColumn, 0);
    arena.Append(air.refHostFlag, 0);
    arena.Append(air.refStr2Dbl, 0);
    arena.Append(air.refOneByOne, selection.oneByOne);
}

void AddScriptLine(Arena& arena, ST_aiR& air, bool replace, const std::string& code) {
    arena.Append(air.scriptEngine, "r");
    arena.Append(air.scriptReplace, replace ? -1 : 0);
    arena.Append(air.scriptCode, code);
}

void AddChart(Arena& arena, ST_aiR& air, const ChartResult& chart) {
    for (ST_Vect* text : {&air.resText, &air.resRName, &air.resType, &air.resRowLabels, &air.resColLabels,
                          &air.resFormat, &air.resColFormats, &air.resRowFormats, &air.resChartType,
                          &air.resColor, &air.resShow}) {
        arena.Append(*text, "");
    }
    arena.Append(air.resChartName, chart.name);
    arena.Append(air.resHidden, 0);
    arena.Append(air.resPlotIncluded, 0);
    arena.Append(air.resRPlotCode, chart.plotCode);
    arena.Append(air.resRPlotFormat, chart.format);
    arena.Append(air.resRPlotWidth, chart.width);
    arena.Append(air.resRPlotHeight, chart.height);
}

}  // namespace host
