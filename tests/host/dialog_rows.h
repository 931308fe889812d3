// Rows of the dialog description as the add-in fills them before a transfer:
// option rows read from the dialog's controls, and the per-kind lists, data
// selections, script lines and chart results that the template reader would
// have appended. Each call appends one entry to every parallel vector of its
// kind, so the vectors stay aligned. The dialog's arrays must have room
// (host::Dialog dimensions them).
#ifndef KOV_TESTS_HOST_DIALOG_ROWS_H
#define KOV_TESTS_HOST_DIALOG_ROWS_H

#include <cstdint>
#include <string>
#include <utility>

#include "arena_records.h"

namespace host {

// One option row: optionKind, optionRName ('alpha' or 'alpha,group'),
// optionValue, optionInclude (empty: not written), optionActive,
// optionDone and optionChartName (the chart the option switches). A new row
// is included and active:
//   AddOption(arena, air, OptionRow("Input", "lag,c", "2").Inactive());
struct OptionRow {
    OptionRow(std::string kind, std::string rName, std::string value)
        : kind(std::move(kind)), rName(std::move(rName)), value(std::move(value)) {}
    OptionRow& Inactive() { active = 0; return *this; }
    OptionRow& Excluded() { include.clear(); return *this; }
    OptionRow& Done() { done = -1; return *this; }
    OptionRow& Switches(std::string chart) { chartName = std::move(chart); return *this; }

    std::string kind;
    std::string rName;
    std::string value;
    std::string include = "1";
    int16_t active = -1;
    int16_t done = 0;
    std::string chartName;
};
void AddOption(Arena& arena, ST_aiR& air, const OptionRow& row);

// One numeric input box of the template: inputType "text", "string",
// "integerlist", "double", "integer", ...
void AddInputBox(Arena& arena, ST_aiR& air, const std::string& type);

// One combo box: the 0-based index of its selected item and the item R
// names joined with ",".
void AddComboBox(Arena& arena, ST_aiR& air, int32_t selected, const std::string& itemRNames);

// One data selection: its R name, data type code and "once per column" flag.
struct DataSelection {
    std::string rName;
    std::string dataType = "1";
    int16_t oneByOne = 0;
};
void AddDataSelection(Arena& arena, ST_aiR& air, const DataSelection& selection);

// One script line with engine "r".
void AddScriptLine(Arena& arena, ST_aiR& air, bool replace, const std::string& code);

// One result with a chart drawn by R code (resPlotIncluded 0).
struct ChartResult {
    std::string name;
    std::string plotCode;
    std::string format = "png";
    std::string width = "600";
    std::string height = "500";
};
void AddChart(Arena& arena, ST_aiR& air, const ChartResult& chart);

}  // namespace host

#endif
