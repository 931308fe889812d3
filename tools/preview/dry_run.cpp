#include "dry_run.h"

#include <stdlib.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "csv_number.h"
#include "csv_table.h"
#include "data_layout.h"
#include "host_data_sets.h"
#include "host_text.h"
#include "kovrbridge.h"

namespace kovr {

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 6;

enum class Role { kResponse, kExplanatory, kFactor, kLabels, kOther };

Role RoleOf(const SelectionView& s) {
    if (s.yVar) return Role::kResponse;
    if (s.name == "RefEditX") return Role::kExplanatory;
    if (s.name == "RefEditQ") return Role::kFactor;
    if (s.name == "RefEditObsLabels" || s.dataType == "8") return Role::kLabels;
    return Role::kOther;
}

bool TakesNumbers(const SelectionView& s, Role role) {
    switch (role) {
        case Role::kExplanatory:
            return true;
        case Role::kFactor:
        case Role::kLabels:
            return false;
        case Role::kResponse:
        case Role::kOther:
            break;
    }
    return s.dataType != "3";
}

std::string BaseName(const SelectionView& s, Role role) {
    switch (role) {
        case Role::kResponse:
            return TakesNumbers(s, role) ? "y" : "response";
        case Role::kExplanatory:
            return "x";
        case Role::kFactor:
            return "q";
        case Role::kLabels:
            return "label";
        case Role::kOther:
            break;
    }
    std::string name;
    for (const char c : s.name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) != 0) name += static_cast<char>(std::tolower(u));
    }
    return name.empty() ? "v" : name;
}

std::string Cell(bool numeric, Role role, int column, int row) {
    if (numeric) return std::to_string(1 + (row * 7 + column * 3) % 10) + "." + std::to_string((row + column) % 10);
    if (role == Role::kLabels) return "obs" + std::to_string(row + 1);
    static const char* const kLevels[] = {"a", "b", "c"};
    return kLevels[(row + column) % 3];
}

// A few columns for every data selection that the default choices use: one
// per selection, two for the quantitative explanatory variables. Returns the
// column names given to each selection.
using GivenColumns = std::vector<std::pair<const SelectionView*, std::vector<std::string>>>;

GivenColumns GenerateData(const DialogView& view, CsvTable& table, ColumnRequests& requests) {
    GivenColumns given;
    std::set<std::string> names;
    bool responseAsked = false;
    for (const SelectionView& s : view.selections) {
        // Prediction selections take their field's columns when the user asks
        // for predictions; optional selections start as their template says.
        if (s.selectionKind != 0 || (s.optional && !s.optionDefault)) continue;
        const Role role = RoleOf(s);
        std::string* request = nullptr;
        if (!s.name.empty() && requests.bySelection.count(s.name) == 0) {
            request = &requests.bySelection[s.name];
        } else if (role == Role::kResponse && !responseAsked) {
            request = &requests.y;
        }
        if (request == nullptr) continue;
        responseAsked = responseAsked || role == Role::kResponse;

        const bool numeric = TakesNumbers(s, role);
        const int count = role == Role::kExplanatory && !s.oneColumn ? 2 : 1;
        const std::string base = BaseName(s, role);
        std::vector<std::string> columns;
        for (int k = 1; k <= count; ++k) {
            std::string name = role == Role::kExplanatory || role == Role::kFactor ? base + std::to_string(k) : base;
            for (int n = 2; names.count(name) > 0; ++n) name = base + std::to_string(n);
            names.insert(name);
            const int column = static_cast<int>(table.names.size());
            table.names.push_back(name);
            CsvColumn cells{std::make_shared<std::vector<double>>(), {}};
            for (int r = 0; r < kRows; ++r) {
                cells.texts.push_back(Cell(numeric, role, column, r));
                cells.numbers->push_back(ReadCellNumber(cells.texts.back(), ',').value);
            }
            table.columns.push_back(std::move(cells));
            columns.push_back(name);
            *request += (request->empty() ? "" : ",") + name;
        }
        given.emplace_back(&s, columns);
    }
    return given;
}

std::string DataLine(const SelectionView& s, const std::vector<std::string>& columns) {
    std::string line = (s.text.empty() ? s.name : s.text) + ": ";
    for (size_t k = 0; k < columns.size(); ++k) line += (k > 0 ? ", " : "") + columns[k];
    const Role role = RoleOf(s);
    const char* values = role == Role::kLabels ? "labels" : TakesNumbers(s, role) ? "numbers" : "texts";
    return line + " (" + std::to_string(kRows) + " generated " + values + ")";
}

std::string MakeTemporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kovr-preview-XXXXXX";
    return mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

DryRunCode AssembleDefaultCode(const DialogView& view, const DialogChoices& choices, HostDialog& dialog) {
    DryRunCode result;
    CsvTable table;
    for (int r = 0; r < kRows; ++r) table.lines.push_back(static_cast<uint32_t>(r + 2));
    ColumnRequests requests;
    for (const auto& [selection, columns] : GenerateData(view, table, requests)) {
        result.data.push_back(DataLine(*selection, columns));
    }
    ChosenColumns chosen;
    RunLayout layout;
    std::string error = ChooseColumns(view, choices, table, requests, chosen);
    if (error.empty()) error = LayOutRun(view, choices, table, chosen, 0, layout);
    if (!error.empty()) {
        result.error = "no data selection could be made up for the dry run: " + error;
        return result;
    }
    const std::string work = MakeTemporaryFolder();
    if (work.empty()) {
        result.error = "no temporary folder could be made for the dry run";
        return result;
    }

    choices.WriteOptionRows(dialog);
    ST_aiR& d = dialog.dialog();
    d.seedValue = choices.Seed();
    HostMain main;
    main.Set(offsetof(ST_Main_aiR, workFolder), work + "/");
    main.Set(offsetof(ST_Main_aiR, rFolder), work + "/R/");
    main.Set(offsetof(ST_Main_aiR, title), view.title);
    main.Set(offsetof(ST_Main_aiR, group), view.group);
    // What the add-in leaves in rCode: the right-hand side of the formula,
    // except for a model without interactions, whose formula the library
    // builds from the data.
    const bool modelFormula =
        (view.dataStructure == "model" || view.dataStructure == "model.random") && !view.hasInteractions;
    main.Set(offsetof(ST_Main_aiR, rCode), modelFormula ? std::string() : layout.formulaTerms);
    HostDataSets sets(layout.sets);
    {
        ReplacedStrings replaced([&](StringSlots& s) {
            main.CollectStrings(s);
            dialog.CollectStrings(s);
            sets.CollectStrings(s);
        });
        Cpp_GetRCodeAndReplaceOptions(main.get(), &d, sets.get(),
                                      ResponseColumns(view, table, chosen).empty() ? 0 : 1);
    }
    result.code = ReplaceAll(main.Get(offsetof(ST_Main_aiR, rCode)), work, kDryRunFolder);
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return result;
}

}  // namespace kovr
