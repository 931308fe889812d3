#include "data_layout.h"

#include <algorithm>
#include <cctype>
#include <optional>

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
std::string ResolveColumns(const CsvTable& table, const std::string& list, std::vector<size_t>& columns) {
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
                           std::vector<std::vector<size_t>>& chosen) {
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
void FillPredictions(const DialogView& view, const DialogChoices& choices, std::vector<std::vector<size_t>>& chosen) {
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

std::string CheckSelections(const DialogView& view, const std::vector<std::vector<size_t>>& chosen) {
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

std::string BuildColumn(const CsvTable& table, size_t c, const std::vector<size_t>& rows, bool numeric,
                        const SelectionView& selection, ColumnData& column) {
    column.name = table.names[c];
    column.numeric = numeric;
    for (const size_t r : rows) {
        const std::string& cell = table.columns[c][r];
        if (!numeric) {
            column.texts.push_back(cell);
            continue;
        }
        bool missing = false;
        const std::optional<double> value = CellNumber(cell, table.separator, missing);
        if (!value && !missing && !selection.str2dbl) {
            return "column '" + column.name + "' holds '" + cell + "' on data row " + std::to_string(r + 1) +
                   ", but the data selection '" + (selection.text.empty() ? selection.name : selection.text) +
                   "' takes numbers";
        }
        column.numbers.push_back(value ? *value : kMissingNumber);
    }
    return "";
}

void ReplaceByMean(ColumnData& column) {
    double sum = 0;
    int n = 0;
    for (const double v : column.numbers) {
        if (v != kMissingNumber) {
            sum += v;
            ++n;
        }
    }
    if (n == 0) return;
    for (double& v : column.numbers) {
        if (v == kMissingNumber) v = sum / n;
    }
}

std::string SetNameOf(const DialogView& view, const SelectionView& s) {
    if (s.selectionKind == 2) {
        if (!s.rName.empty()) return s.rName;
        return view.autoPredictRName.empty() ? "data2" : view.autoPredictRName;
    }
    if (s.yVar || s.rName.empty()) return "data1";
    return s.rName;
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

std::string LayOutData(const DialogView& view, const DialogChoices& choices, const CsvTable& table,
                       const ColumnRequests& requests, RunLayout& layout) {
    std::vector<std::vector<size_t>> chosen(view.selections.size());
    std::string error = AssignRequests(view, table, requests, chosen);
    if (!error.empty()) return error;
    FillPredictions(view, choices, chosen);
    error = CheckSelections(view, chosen);
    if (!error.empty()) return error;

    layout = RunLayout{};
    const bool textResponse = !view.selections.empty() && view.selections[0].yVar && view.selections[0].dataType == "3";
    layout.responseIsText = textResponse;
    if (!view.selections.empty() && view.selections[0].yVar && view.selections[0].oneByOne) {
        for (const size_t c : chosen[0]) layout.responseColumns.push_back(table.names[c]);
    }

    // Rows of the model data: every row, less those with a missing value in a
    // selected column when the user chose to remove them.
    std::vector<size_t> allRows(table.RowCount());
    for (size_t r = 0; r < allRows.size(); ++r) allRows[r] = r;
    std::vector<size_t> modelRows;
    const MissingTreatment treatment = TreatmentOf(view, choices.MissingChoice());
    for (const size_t r : allRows) {
        bool complete = true;
        for (size_t s = 0; s < view.selections.size() && complete; ++s) {
            if (view.selections[s].selectionKind != 0 || PlaceOf(view.selections[s], textResponse) == Place::kLabels) {
                continue;
            }
            for (const size_t c : chosen[s]) {
                bool missing = false;
                CellNumber(table.columns[c][r], table.separator, missing);
                if (missing) complete = false;
            }
        }
        if (complete || treatment != MissingTreatment::kRemove) modelRows.push_back(r);
    }

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
    std::vector<std::string> terms;
    for (const int kind : {0, 2}) {
        for (size_t s = 0; s < view.selections.size(); ++s) {
            const SelectionView& selection = view.selections[s];
            if (selection.selectionKind != kind || chosen[s].empty()) continue;
            const std::vector<size_t>& rows = kind == 0 ? modelRows : allRows;
            DataSetData& set = setFor(SetNameOf(view, selection));
            set.rowCount = static_cast<int>(rows.size());
            const Place place = PlaceOf(selection, textResponse);
            if (place == Place::kLabels) {
                set.obsLabels.clear();
                for (const size_t r : rows) set.obsLabels.push_back(table.columns[chosen[s][0]][r]);
                continue;
            }
            BlockData block;
            for (const size_t c : chosen[s]) {
                ColumnData column;
                error = BuildColumn(table, c, rows, IsNumericPlace(place), selection, column);
                if (!error.empty()) return error;
                if (kind == 0 && treatment == MissingTreatment::kMean && !selection.yVar && column.numeric) {
                    ReplaceByMean(column);
                }
                if (kind == 0 && (place == Place::kQuanti2 || place == Place::kQuali1 || place == Place::kQuali2) &&
                    !selection.yVar) {
                    std::string term = column.name;
                    std::replace(term.begin(), term.end(), ' ', '.');
                    terms.push_back(term);
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

    for (const std::string& term : terms) layout.formulaTerms += (layout.formulaTerms.empty() ? "" : "+") + term;
    const int level = choices.InteractionLevel();
    if (level > 1 && !terms.empty()) layout.formulaTerms = "(" + layout.formulaTerms + ")^" + std::to_string(level);
    return "";
}

}  // namespace kovr
