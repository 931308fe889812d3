#include "data_layout.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>

#include "transfer_call.h"

namespace kovr {

namespace {

enum class Place { kQuanti1, kQuanti2, kQuali1, kQuali2, kExtraNumeric, kExtraText, kLabels };

Place PlaceOf(const SelectionView& s, bool textResponse) {
    if (s.yVar) return s.dataType == "3" ? Place::kQuali1 : Place::kQuanti1;
    if (s.name == "RefEditObsLabels" || s.name == "RefEditObsLabelsPred") return Place::kLabels;
    if (s.name == "RefEditX" || s.name == "RefEditXPred") return Place::kQuanti2;
    if (s.name == "RefEditQ" || s.name == "RefEditQPred") return textResponse ? Place::kQuali2 : Place::kQuali1;
    if (s.dataType == "3") return Place::kExtraText;
    if (s.dataType == "8") return Place::kLabels;
    return Place::kExtraNumeric;
}

bool IsNumericPlace(Place place) {
    return place == Place::kQuanti1 || place == Place::kQuanti2 || place == Place::kExtraNumeric;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ColumnList(const CsvTable& table) {
    std::string names;
    for (const std::string& name : table.names) names += (names.empty() ? "" : ", ") + name;
    return names;
}

// Resolves a comma-separated list of column names (or numbers from 1).
// A list that is itself the name of a column names that column, so that
// headers holding a comma can be given as written.
std::string ResolveColumns(const CsvTable& table, const std::string& list, std::vector<size_t>& columns) {
    if (std::find(table.names.begin(), table.names.end(), list) != table.names.end()) {
        columns.push_back(*table.Find(list));
        return "";
    }
    size_t from = 0;
    for (;;) {
        const size_t comma = list.find(',', from);
        const std::string name = Trim(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (!name.empty()) {
            const std::optional<size_t> column = table.Find(name);
            if (!column) return "the data have no column '" + name + "' (columns: " + ColumnList(table) + ")";
            columns.push_back(*column);
        }
        if (comma == std::string::npos) return "";
        from = comma + 1;
    }
}

// The missing-value treatment a choice text asks for.
enum class MissingTreatment { kKeep, kRemove, kMean };

MissingTreatment TreatmentOf(const DialogView& view, int choice) {
    if (choice < 0) return MissingTreatment::kKeep;
    std::string text = view.missingOptions;
    for (int k = 0; k < choice; ++k) {
        const size_t comma = text.find(',');
        text = comma == std::string::npos ? std::string() : text.substr(comma + 1);
    }
    text = text.substr(0, text.find(','));
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (text.find("remov") != std::string::npos || text.find("delet") != std::string::npos) {
        return MissingTreatment::kRemove;
    }
    if (text.find("mean") != std::string::npos) return MissingTreatment::kMean;
    return MissingTreatment::kKeep;
}

std::string AssignRequests(const DialogView& view, const CsvTable& table, const ColumnRequests& requests,
                           ChosenColumns& chosen) {
    const auto assign = [&](const std::string& flag, const std::string& list, auto matches) -> std::string {
        if (list.empty()) return "";
        for (size_t s = 0; s < view.selections.size(); ++s) {
            if (!matches(view.selections[s])) continue;
            const std::string error = ResolveColumns(table, list, chosen[s]);
            return error.empty() ? "" : flag + ": " + error;
        }
        return flag + ": this template has no such data selection";
    };
    std::string error = assign("--y", requests.y, [](const SelectionView& s) { return s.yVar && s.selectionKind == 0; });
    if (error.empty()) {
        error = assign("--x", requests.x,
                       [](const SelectionView& s) { return s.name == "RefEditX" && s.selectionKind == 0; });
    }
    if (error.empty()) {
        error = assign("--q", requests.q,
                       [](const SelectionView& s) { return s.name == "RefEditQ" && s.selectionKind == 0; });
    }
    if (error.empty()) {
        error = assign("--labels", requests.labels,
                       [](const SelectionView& s) { return s.name == "RefEditObsLabels" && s.selectionKind == 0; });
    }
    for (const auto& [name, list] : requests.bySelection) {
        if (!error.empty()) break;
        error = assign(name, list, [&](const SelectionView& s) { return s.name == name; });
    }
    return error;
}

// The prediction selections take the columns of the field they predict from
// when the user ticked "Predictions" and gave them none.
void FillPredictions(const DialogView& view, const DialogChoices& choices, ChosenColumns& chosen) {
    bool predict = false;
    for (const ControlView& control : view.controls) {
        if (control.name == "CheckBoxPredict") predict = choices.Checked(control.index);
    }
    if (!predict) return;
    for (size_t s = 0; s < view.selections.size(); ++s) {
        const SelectionView& prediction = view.selections[s];
        if (prediction.selectionKind != 2 || !chosen[s].empty()) continue;
        const std::string field = prediction.name.substr(0, prediction.name.size() - 4);  // without "Pred"
        for (size_t f = 0; f < view.selections.size(); ++f) {
            if (view.selections[f].name == field && view.selections[f].selectionKind == 0) chosen[s] = chosen[f];
        }
    }
}

std::string CheckSelections(const DialogView& view, const ChosenColumns& chosen) {
    for (size_t s = 0; s < view.selections.size(); ++s) {
        const SelectionView& selection = view.selections[s];
        const std::string label = "'" + (selection.text.empty() ? selection.name : selection.text) + "'";
        if (selection.selectionKind == 0 && !selection.optional && chosen[s].empty()) {
            return "the data selection " + label + " needs columns (" + FlagFor(selection) + ")";
        }
        if (selection.oneColumn && chosen[s].size() > 1) {
            return "the data selection " + label + " takes one column, " + std::to_string(chosen[s].size()) +
                   " were given";
        }
    }
    return "";
}

bool TextResponse(const DialogView& view) {
    return !view.selections.empty() && view.selections[0].yVar && view.selections[0].dataType == "3";
}

bool OneResponseAtATime(const DialogView& view) {
    return !view.selections.empty() && view.selections[0].yVar && view.selections[0].oneByOne;
}

// The model's formula is built from the data (response and explanatory
// columns), so rows and parameters can be counted before R runs.
bool IsModel(const DialogView& view) { return view.dataStructure == "model" || view.dataStructure == "model.random"; }

bool IsMissing(const CsvTable& table, size_t c, size_t r, bool numeric) {
    return numeric ? (*table.columns[c].numbers)[r] == kMissingNumber : IsMissingText(table.columns[c].texts[r]);
}

// A column of the run over rows; a numeric column that takes every row is
// the table's own.
ColumnData BuildColumn(const CsvTable& table, size_t c, const std::vector<size_t>& rows, bool numeric) {
    ColumnData column;
    column.name = table.names[c];
    column.numeric = numeric;
    if (numeric && rows.size() == table.RowCount()) {
        column.numbers = table.columns[c].numbers;
    } else if (numeric) {
        auto numbers = std::make_shared<std::vector<double>>();
        numbers->reserve(rows.size());
        for (const size_t r : rows) numbers->push_back((*table.columns[c].numbers)[r]);
        column.numbers = std::move(numbers);
    } else {
        column.texts.reserve(rows.size());
        for (const size_t r : rows) {
            const std::string& cell = table.columns[c].texts[r];
            column.texts.push_back(IsMissingText(cell) ? std::string() : cell);
        }
    }
    return column;
}

void ReplaceByMean(ColumnData& column) {
    double sum = 0;
    size_t n = 0;
    for (const double v : *column.numbers) {
        if (v != kMissingNumber) {
            sum += v;
            ++n;
        }
    }
    if (n == 0 || n == column.numbers->size()) return;
    auto filled = std::make_shared<std::vector<double>>(*column.numbers);
    for (double& v : *filled) {
        if (v == kMissingNumber) v = sum / static_cast<double>(n);
    }
    column.numbers = std::move(filled);
}

std::string SetNameOf(const DialogView& view, const SelectionView& s) {
    if (s.selectionKind == 2) {
        if (!s.rName.empty()) return s.rName;
        return view.autoPredictRName.empty() ? "data2" : view.autoPredictRName;
    }
    if (s.yVar || s.rName.empty()) return "data1";
    return s.rName;
}

// The columns of the model data of a run: every column of the selections
// that are not labels, with the response reduced to the run's column.
struct ModelColumn {
    size_t column;
    bool numeric;
    const SelectionView* selection;
};

std::vector<ModelColumn> ModelColumns(const DialogView& view, const ChosenColumns& chosen, int response) {
    std::vector<ModelColumn> columns;
    const bool textResponse = TextResponse(view);
    for (size_t s = 0; s < view.selections.size(); ++s) {
        const SelectionView& selection = view.selections[s];
        const Place place = PlaceOf(selection, textResponse);
        if (selection.selectionKind != 0 || place == Place::kLabels) continue;
        for (size_t k = 0; k < chosen[s].size(); ++k) {
            if (s == 0 && response > 0 && static_cast<int>(k + 1) != response) continue;
            columns.push_back(ModelColumn{chosen[s][k], IsNumericPlace(place), &selection});
        }
    }
    return columns;
}

bool IsConstant(const CsvTable& table, const ModelColumn& m, const std::vector<size_t>& rows) {
    const CsvColumn& column = table.columns[m.column];
    return std::all_of(rows.begin(), rows.end(), [&](size_t r) {
        return m.numeric ? (*column.numbers)[r] == (*column.numbers)[rows[0]] : column.texts[r] == column.texts[rows[0]];
    });
}

size_t Groups(const CsvTable& table, const ModelColumn& m, const std::vector<size_t>& rows) {
    std::set<std::string_view> groups;
    for (const size_t r : rows) groups.insert(table.columns[m.column].texts[r]);
    return groups.size();
}

std::string ColumnsNamed(const CsvTable& table, const std::vector<ModelColumn>& columns) {
    std::string text;
    for (size_t k = 0; k < columns.size(); ++k) {
        text += (k > 0 ? ", " : "") + table.names[columns[k].column];
        if (k + 1 == columns.size() || columns[k + 1].selection != columns[k].selection) {
            text += " (" + FlagFor(*columns[k].selection) + ")";
        }
    }
    return text;
}

// What R cannot fit, told in words before R runs: no complete row, fewer
// complete rows than the model has parameters (counted for main effects
// with an intercept, so a lower bound), an explanatory column with a single
// value.
std::string CheckCompleteRows(const DialogView& view, const CsvTable& table, const std::vector<ModelColumn>& columns,
                              const std::vector<size_t>& complete) {
    const std::string file = std::filesystem::path(table.path).filename().string();
    if (complete.empty()) {
        return "no row of " + file + " has a value in each of " + ColumnsNamed(table, columns) +
               ": nothing is left to analyse";
    }
    if (!IsModel(view)) return "";
    size_t parameters = 1;
    for (const ModelColumn& m : columns) {
        if (m.selection->yVar) continue;
        if (complete.size() > 1 && IsConstant(table, m, complete)) {
            return "the explanatory column " + table.names[m.column] + " (" + FlagFor(*m.selection) +
                   ") holds a single value in the " + std::to_string(complete.size()) +
                   " complete rows: the model cannot estimate its effect";
        }
        parameters += m.numeric ? 1 : Groups(table, m, complete) - 1;
    }
    if (complete.size() <= parameters) {
        return "only " + std::to_string(complete.size()) + " row(s) of " + file + " have a value in each of " +
               ColumnsNamed(table, columns) + ", but the model has " + std::to_string(parameters) +
               " parameters (the intercept, one per quantitative and one fewer than its groups per qualitative "
               "explanatory column): it needs more complete rows than parameters";
    }
    return "";
}
}  // namespace

std::string FlagFor(const SelectionView& s) {
    if (s.selectionKind == 0 && s.yVar) return "--y";
    if (s.selectionKind == 0 && s.name == "RefEditX") return "--x";
    if (s.selectionKind == 0 && s.name == "RefEditQ") return "--q";
    if (s.selectionKind == 0 && s.name == "RefEditObsLabels") return "--labels";
    return "--set " + s.name + "=COLS";
}

bool IsSelectionName(const DialogView& view, const std::string& name) {
    return std::any_of(view.selections.begin(), view.selections.end(),
                       [&](const SelectionView& s) { return !name.empty() && s.name == name; });
}

std::string ChooseColumns(const DialogView& view, const DialogChoices& choices, const CsvTable& table,
                          const ColumnRequests& requests, ChosenColumns& chosen) {
    chosen.assign(view.selections.size(), {});
    const std::string error = AssignRequests(view, table, requests, chosen);
    if (!error.empty()) return error;
    FillPredictions(view, choices, chosen);
    return CheckSelections(view, chosen);
}

std::vector<ColumnUse> ColumnUses(const DialogView& view, const ChosenColumns& chosen, size_t columnCount) {
    std::vector<ColumnUse> uses(columnCount);
    std::vector<bool> strict(columnCount, false);
    for (size_t s = 0; s < view.selections.size(); ++s) {
        const SelectionView& selection = view.selections[s];
        const bool numeric = IsNumericPlace(PlaceOf(selection, TextResponse(view)));
        for (const size_t c : chosen[s]) {
            ColumnUse& use = uses[c];
            use.text = use.text || !numeric;
            if (!numeric) continue;
            strict[c] = strict[c] || !selection.str2dbl;
            if (!use.numbers || !selection.str2dbl) {
                use.purpose = "the data selection '" + (selection.text.empty() ? selection.name : selection.text) +
                              "' (" + FlagFor(selection) + ")";
            }
            use.numbers = true;
        }
    }
    for (size_t c = 0; c < columnCount; ++c) uses[c].lenient = uses[c].numbers && !strict[c];
    return uses;
}

std::vector<std::string> ResponseColumns(const DialogView& view, const CsvTable& table, const ChosenColumns& chosen) {
    std::vector<std::string> names;
    if (OneResponseAtATime(view)) {
        for (const size_t c : chosen[0]) names.push_back(table.names[c]);
    }
    return names;
}

std::string LayOutRun(const DialogView& view, const DialogChoices& choices, const CsvTable& table,
                      const ChosenColumns& chosen, int response, RunLayout& layout) {
    layout = RunLayout{};
    const bool textResponse = TextResponse(view);
    layout.responseIsText = textResponse;

    // Rows of the model data: every row, less those with a missing value in
    // the run's columns when the user chose to remove them.
    std::vector<size_t> allRows(table.RowCount());
    for (size_t r = 0; r < allRows.size(); ++r) allRows[r] = r;
    const std::vector<ModelColumn> modelColumns = ModelColumns(view, chosen, response);
    std::vector<size_t> complete;
    for (const size_t r : allRows) {
        const bool missing = std::any_of(modelColumns.begin(), modelColumns.end(), [&](const ModelColumn& m) {
            return IsMissing(table, m.column, r, m.numeric);
        });
        if (!missing) complete.push_back(r);
    }
    const MissingTreatment treatment = TreatmentOf(view, choices.MissingChoice());
    if (!modelColumns.empty() && (treatment == MissingTreatment::kRemove || IsModel(view))) {
        const std::string error = CheckCompleteRows(view, table, modelColumns, complete);
        if (!error.empty()) return error;
    }
    const std::vector<size_t>& modelRows = treatment == MissingTreatment::kRemove ? complete : allRows;

    const auto setFor = [&](const std::string& name) -> DataSetData& {
        for (DataSetData& set : layout.sets) {
            if (set.name == name) return set;
        }
        layout.sets.push_back(DataSetData{});
        layout.sets.back().name = name;
        return layout.sets.back();
    };
    // Data set 1 is the response's, so that the library finds the response
    // and the explanatory columns there.
    for (size_t s = 0; s < view.selections.size(); ++s) {
        if (view.selections[s].yVar && !chosen[s].empty()) setFor(SetNameOf(view, view.selections[s]));
    }
    const auto lineNumbers = [&](const std::vector<size_t>& rows) -> std::shared_ptr<const std::vector<uint32_t>> {
        // Every row: the table's list itself (the table outlives the layout).
        if (rows.size() == table.RowCount()) return {std::shared_ptr<void>(), &table.lines};
        auto lines = std::make_shared<std::vector<uint32_t>>();
        lines->reserve(rows.size());
        for (const size_t r : rows) lines->push_back(table.lines[r]);
        return lines;
    };
    std::vector<std::string> terms;
    const SelectionView* predictionLabels = nullptr;
    for (const int kind : {0, 2}) {
        for (size_t s = 0; s < view.selections.size(); ++s) {
            const SelectionView& selection = view.selections[s];
            const Place place = PlaceOf(selection, textResponse);
            if (selection.selectionKind != kind) continue;
            if (kind == 2 && place == Place::kLabels) predictionLabels = &selection;
            if (chosen[s].empty() && !(kind == 0 && place == Place::kLabels)) continue;
            const std::vector<size_t>& rows = kind == 0 ? modelRows : allRows;
            DataSetData& set = setFor(SetNameOf(view, selection));
            set.rowCount = static_cast<int>(rows.size());
            if (place == Place::kLabels) {
                if (chosen[s].empty()) {
                    set.obsLines = lineNumbers(rows);
                    continue;
                }
                set.obsLabels.clear();
                for (const size_t r : rows) set.obsLabels.push_back(table.columns[chosen[s][0]].texts[r]);
                continue;
            }
            BlockData block;
            for (const size_t c : chosen[s]) {
                ColumnData column = BuildColumn(table, c, rows, IsNumericPlace(place));
                if (kind == 0 && treatment == MissingTreatment::kMean && !selection.yVar && column.numeric) {
                    ReplaceByMean(column);
                }
                if (kind == 0 && (place == Place::kQuanti2 || place == Place::kQuali1 || place == Place::kQuali2) &&
                    !selection.yVar) {
                    terms.push_back(column.name);
                }
                block.push_back(std::move(column));
            }
            switch (place) {
                case Place::kQuanti1:
                    set.quanti1 = std::move(block);
                    break;
                case Place::kQuanti2:
                    set.quanti2 = std::move(block);
                    break;
                case Place::kQuali1:
                    set.quali1 = std::move(block);
                    break;
                case Place::kQuali2:
                    set.quali2 = std::move(block);
                    break;
                case Place::kExtraNumeric:
                    set.dataQuanti.push_back(std::move(block));
                    break;
                case Place::kExtraText:
                    set.dataQuali.push_back(std::move(block));
                    break;
                case Place::kLabels:
                    break;
            }
        }
    }
    // The prediction rows' labels: their label selection's cells, else their
    // line numbers, as the last text block of the prediction data set.
    for (DataSetData& set : layout.sets) {
        if (predictionLabels == nullptr || set.name != SetNameOf(view, *predictionLabels)) continue;
        ColumnData labels{"obsLabels", false, nullptr, {}};
        const std::vector<size_t>& chosenLabels = chosen[static_cast<size_t>(predictionLabels - view.selections.data())];
        for (const size_t r : allRows) {
            labels.texts.push_back(chosenLabels.empty() ? std::to_string(table.lines[r])
                                                        : table.columns[chosenLabels[0]].texts[r]);
        }
        set.dataQuali.push_back(BlockData{std::move(labels)});
    }

    layout.formulaTerms = FormulaTerms(terms);
    const int level = choices.InteractionLevel();
    if (level > 1 && !terms.empty()) layout.formulaTerms = "(" + layout.formulaTerms + ")^" + std::to_string(level);
    return "";
}

}  // namespace kovr
