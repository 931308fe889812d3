// The dialog a template describes, decoded from the records the filling pass
// returned: pages with their columns, every control with the combo box,
// numeric input or data selection it owns, the results and the script lines.
// This is what the add-in builds its dialog box from; `kovr describe` prints
// it and `kovr run` fills the option rows from it.
#ifndef KOVR_DIALOG_VIEW_H
#define KOVR_DIALOG_VIEW_H

#include <string>
#include <vector>

#include "template_file.h"

namespace kovr {

struct ComboView {
    std::string name;
    int defaultItem = 0;  // 0-based
    std::vector<std::string> itemTexts;
    std::vector<std::string> itemRNames;
};

struct InputView {
    int page = 0;
    std::string type, min, max;
    bool optional = false;
    bool optionDefault = false;
};

struct SelectionView {
    std::string name, text, dataType, rType, rName;
    int page = 0;
    int selectionKind = 0;  // 2 for the prediction selections
    bool yVar = false, optional = false, optionDefault = false, oneColumn = false;
    bool str2dbl = false, oneByOne = false;
};

// What a check box that the library added for automatic outputs and charts
// stands for.
enum class AutoRole { kNone, kDescriptiveStatistics, kOutput, kChart };

struct ControlView {
    int index = 0;  // from 1, in the order of the control record
    std::string kind, name, rName, rNameOption, text, toolTip, defaultValue, type;
    std::string groupName, chartName, eventCode, reportGroup, reportText, height, width, left, style;
    std::string optional, optionDefault, refEditLinked;
    int page = 0;
    int frameChildren = 0;
    bool enabled = true, visible = true, nextRow = true;
    int combo = 0;      // entry of the combo-box vectors (from 1), 0 for none
    int input = 0;      // entry of the numeric-input vectors
    int selection = 0;  // entry of the data-selection vectors
    AutoRole role = AutoRole::kNone;
    int result = 0;        // for outputs and charts: the result (from 1)
    std::string autoName;  // for outputs the result's R name, for charts the chart's name

    // The name by which `kovr run --set` addresses the control.
    std::string OptionName() const;
};

struct PageView {
    std::string text;
    bool enabled = true;
    int controlCount = 0, leftWidth = 0, rightWidth = 0;
    std::vector<std::vector<int>> columns;  // control indices of each column
};

struct ResultView {
    std::string text, rName, type, rowLabels, colLabels, format, colFormats, rowFormats;
    std::string chartType, chartName, color, show;
    bool hidden = false;
    std::string plotCode, plotFormat, plotWidth, plotHeight;
};

struct ScriptLineView {
    std::string engine;
    bool replace = false;
    std::string code;
};

struct DialogView {
    std::string path, title, group, keywords;
    std::string functionName, packages, dataStructure;
    std::string authorXml, authorRFunction, compatibilityKovian, compatibilityR, dateCreated, dateModified;
    std::string packageVersion, rDescription, dialogCode, missingOptions, missingDefault, autoPredictRName;
    bool replaceByValue = false, usesSeed = false, hasInteractions = false, autoPredict = false;
    bool autoOutputs = false, autoOutputsStats = false, autoCharts = false, addObsLabels = false;
    int autoOutputsPage = 0, autoChartsPage = 0, uniqueId = 0;
    std::vector<PageView> pages;
    std::vector<ControlView> controls;
    std::vector<ComboView> combos;
    std::vector<InputView> inputs;
    std::vector<SelectionView> selections;
    std::vector<ResultView> results;
    std::vector<ScriptLineView> script;

    const ControlView& Control(int index) const { return controls[index - 1]; }
};

DialogView ViewOf(const LoadedTemplate& loaded);

// The control kinds that are data selections.
bool IsSelectionKind(const std::string& kind);

}  // namespace kovr

#endif
