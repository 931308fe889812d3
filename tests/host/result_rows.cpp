#include "result_rows.h"

namespace host {

void AddResultTable(Arena& arena, ST_aiR& air, const ResultTable& table) {
    for (ST_Vect* text : {&air.resText, &air.resType, &air.resColLabels, &air.resFormat, &air.resColFormats,
                          &air.resRowFormats, &air.resChartType, &air.resChartName, &air.resColor, &air.resRPlotCode,
                          &air.resRPlotFormat, &air.resRPlotWidth, &air.resRPlotHeight}) {
        arena.Append(*text, "");
    }
    arena.Append(air.resRName, table.rName);
    arena.Append(air.resShow, table.show);
    arena.Append(air.resRowLabels, table.rowLabels);
    arena.Append(air.resHidden, 0);
    arena.Append(air.resPlotIncluded, 0);
}

}  // namespace host
