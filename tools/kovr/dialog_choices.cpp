#include "dialog_choices.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "host_arrays.h"
#include "record_fields.h"

namespace kovr {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<bool> ParseSwitch(const std::string& value) {
    const std::string v = Lower(value);
    if (v == "true" || v == "yes" || v == "on" || v == "1") return true;
    if (v == "false" || v == "no" || v == "off" || v == "0") return false;
    return std::nullopt;
}

std::optional<long> ParseInteger(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0) return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(const std::string& text) {
    std::string t = text;
    if (t.find(',') != std::string::npos && t.find('.') == std::string::npos) t[t.find(',')] = '.';
    char* end = nullptr;
    const double value = std::strtod(t.c_str(), &end);
    if (t.empty() || *end != '\0') return std::nullopt;
    return value;
}

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && (text.front() == '\'' || text.front() == '"') && text.back() == text.front()) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool IsInteractions(const ControlView& control) { return control.kind == "Input" && control.name == "Interactions"; }

// Numeric input types; "text" and "string" take any text, "integerlist" an R vector.
bool IsNumericInput(const std::string& type) { return type != "text" && type != "string" && type != "integerlist"; }

}  // namespace

bool IsOptionKind(const std::string& kind) {
    return kind == "CheckBox" || kind == "RadioButton" || kind == "ComboBox" || kind == "Input";
}

DialogChoices::DialogChoices(const DialogView& view) : view_(view) {
    for (const ControlView& control : view.controls) {
        if (!IsOptionKind(control.kind)) continue;
        State state;
        if (control.kind == "CheckBox" || control.kind == "RadioButton") {
            state.on = Lower(control.defaultValue) == "true";
        } else if (control.kind == "ComboBox" && control.combo > 0) {
            state.item = view.combos[control.combo - 1].defaultItem;
        } else if (control.kind == "Input") {
            state.value = control.defaultValue;
            const bool optional = control.input > 0 && view.inputs[control.input - 1].optional;
            const bool onByDefault = control.input > 0 && view.inputs[control.input - 1].optionDefault;
            // The interactions input is greyed out until the user asks for
            // interactions: a model has main effects only by default.
            state.on = IsInteractions(control) ? false : !optional || onByDefault;
        }
        states_[control.index] = state;
    }
    if (!view.missingOptions.empty()) {
        const std::optional<long> chosen = ParseInteger(view.missingDefault);
        missing_ = chosen ? static_cast<int>(*chosen) : 0;
    }
}

std::vector<const ControlView*> DialogChoices::Matches(const std::string& name) const {
    std::vector<const ControlView*> matches;
    for (const ControlView& control : view_.controls) {
        if (IsOptionKind(control.kind) && control.OptionName() == name) matches.push_back(&control);
    }
    if (!matches.empty()) return matches;
    for (const ControlView& control : view_.controls) {
        const std::string rName = control.rName.substr(0, control.rName.find(','));
        if (IsOptionKind(control.kind) && control.role == AutoRole::kNone && rName == name) {
            matches.push_back(&control);
        }
    }
    return matches;
}

bool DialogChoices::Knows(const std::string& name) const {
    if (name == "seed" || (name == "Missing" && missing_ >= 0)) return true;
    return !Matches(name).empty();
}

std::string DialogChoices::Set(const std::string& name, const std::string& value) {
    if (name == "seed") {
        const std::optional<long> seed = ParseInteger(value);
        if (!seed || *seed < -2147483647L || *seed > 2147483647L) return "seed: '" + value + "' is not a whole number";
        seed_ = static_cast<int>(*seed);
        return "";
    }
    if (name == "Missing" && missing_ >= 0) {
        std::vector<std::string> choices;
        size_t from = 0;
        for (size_t comma; (comma = view_.missingOptions.find(',', from)) != std::string::npos; from = comma + 1) {
            choices.push_back(view_.missingOptions.substr(from, comma - from));
        }
        choices.push_back(view_.missingOptions.substr(from));
        for (size_t k = 0; k < choices.size(); ++k) {
            if (Lower(choices[k]) == Lower(value)) {
                missing_ = static_cast<int>(k);
                return "";
            }
        }
        const std::optional<long> number = ParseInteger(value);
        if (number && *number >= 1 && static_cast<size_t>(*number) <= choices.size()) {
            missing_ = static_cast<int>(*number - 1);
            return "";
        }
        return "Missing: '" + value + "' is none of the choices (give the text or its number from 1)";
    }

    const std::vector<const ControlView*> matches = Matches(name);
    if (matches.empty()) {
        std::string known;
        for (const auto& [option, current] : Describe()) known += (known.empty() ? "" : ", ") + option;
        return "unknown option '" + name + "'; this template's options are: " + (known.empty() ? "(none)" : known);
    }
    // Radio buttons that share an R name are chosen by the value they pass.
    if (matches.size() > 1 && std::all_of(matches.begin(), matches.end(),
                                          [](const ControlView* c) { return c->kind == "RadioButton"; })) {
        for (const ControlView* radio : matches) {
            if (Unquoted(radio->rNameOption) == Unquoted(value) || Lower(radio->text) == Lower(value)) {
                return SetControl(*radio, name, "true");
            }
        }
        return name + ": '" + value + "' is none of the radio buttons' values";
    }
    for (const ControlView* control : matches) {
        const std::string error = SetControl(*control, name, value);
        if (!error.empty()) return error;
    }
    return "";
}

std::string DialogChoices::SetControl(const ControlView& control, const std::string& name, const std::string& value) {
    State& state = states_[control.index];
    if (control.kind == "CheckBox" || control.kind == "RadioButton") {
        const std::optional<bool> on = ParseSwitch(value);
        if (!on) return name + ": '" + value + "' is not true or false";
        state.on = *on;
        if (control.kind == "RadioButton" && *on && !control.groupName.empty()) {
            for (const ControlView& other : view_.controls) {
                if (other.kind == "RadioButton" && other.index != control.index &&
                    other.groupName == control.groupName && other.page == control.page) {
                    states_[other.index].on = false;
                }
            }
        }
        return "";
    }
    if (control.kind == "ComboBox") {
        const ComboView& combo = view_.combos[control.combo - 1];
        for (size_t k = 0; k < combo.itemRNames.size(); ++k) {
            if (combo.itemRNames[k] == value) {
                state.item = static_cast<int>(k);
                return "";
            }
        }
        for (size_t k = 0; k < combo.itemTexts.size(); ++k) {
            if (Lower(combo.itemTexts[k]) == Lower(value)) {
                state.item = static_cast<int>(k);
                return "";
            }
        }
        const std::optional<long> number = ParseInteger(value);
        if (number && *number >= 1 && static_cast<size_t>(*number) <= combo.itemTexts.size()) {
            state.item = static_cast<int>(*number - 1);
            return "";
        }
        std::string items;
        for (const std::string& rname : combo.itemRNames) items += (items.empty() ? "" : ", ") + rname;
        return name + ": '" + value + "' is none of the items (" + items + ")";
    }
    // A numeric input.
    const InputView* input = control.input > 0 ? &view_.inputs[control.input - 1] : nullptr;
    const std::string lower = Lower(value);
    if (lower == "off" || lower == "none") {
        if (!IsInteractions(control) && (input == nullptr || !input->optional)) {
            return name + ": this input is not optional and cannot be switched off";
        }
        state.on = false;
        return "";
    }
    if (input != nullptr && IsNumericInput(input->type)) {
        const std::optional<double> number = ParseNumber(value);
        if (!number) return name + ": '" + value + "' is not a number";
        if (input->type == "integer" && *number != static_cast<double>(static_cast<long>(*number))) {
            return name + ": '" + value + "' is not a whole number";
        }
        const std::optional<double> min = ParseNumber(input->min);
        const std::optional<double> max = ParseNumber(input->max);
        if ((min && *number < *min) || (max && *number > *max)) {
            return name + ": " + value + " is outside " + (input->min.empty() ? "-inf" : input->min) + " to " +
                   (input->max.empty() ? "inf" : input->max);
        }
    }
    state.value = value;
    state.on = true;
    return "";
}

bool DialogChoices::Checked(int control) const {
    const auto found = states_.find(control);
    return found != states_.end() && found->second.on;
}

bool DialogChoices::OutputWanted(int result) const {
    for (const ControlView& control : view_.controls) {
        if (control.role == AutoRole::kOutput && control.result == result) return Checked(control.index);
    }
    return true;
}

bool DialogChoices::DescriptiveStatistics() const {
    for (const ControlView& control : view_.controls) {
        if (control.role == AutoRole::kDescriptiveStatistics) return Checked(control.index);
    }
    return false;
}

int DialogChoices::InteractionLevel() const {
    for (const ControlView& control : view_.controls) {
        if (!IsInteractions(control)) continue;
        const State& state = states_.at(control.index);
        const std::optional<long> level = ParseInteger(state.value);
        return state.on && level && *level > 1 ? static_cast<int>(*level) : 1;
    }
    return 1;
}

std::string DialogChoices::ValueText(const ControlView& control) const {
    const State& state = states_.at(control.index);
    if (control.kind == "CheckBox") return state.on ? "TRUE" : "FALSE";
    if (control.kind == "RadioButton") {
        if (!control.rNameOption.empty()) return control.rNameOption;
        return state.on ? "TRUE" : "FALSE";
    }
    if (control.kind == "ComboBox") {
        const ComboView& combo = view_.combos[control.combo - 1];
        return state.item >= 0 && static_cast<size_t>(state.item) < combo.itemRNames.size()
                   ? combo.itemRNames[state.item]
                   : std::string();
    }
    return state.value;
}

void DialogChoices::WriteOptionRows(HostDialog& host) const {
    std::vector<const ControlView*> rows;
    for (const ControlView& control : view_.controls) {
        if (IsOptionKind(control.kind)) rows.push_back(&control);
    }
    host.NewOptionRows(static_cast<int>(rows.size()));
    ST_aiR& d = host.dialog();
    for (size_t k = 0; k < rows.size(); ++k) {
        const ControlView& control = *rows[k];
        const State& state = states_.at(control.index);
        const uint32_t row = static_cast<uint32_t>(k + 1);
        // An option goes into the R code when it has an R name and is in use:
        // the output and chart boxes only steer the tool, an optional input can
        // be switched off, and only the selected radio button of a group passes
        // its value.
        const bool included = !control.rName.empty() && control.role == AutoRole::kNone &&
                              !(control.kind == "Input" && !state.on) &&
                              !(control.kind == "RadioButton" && !control.rNameOption.empty() && !state.on);
        SetTextAt(d.optionKind.values, row, control.kind);
        SetTextAt(d.optionExtraText1.values, row, control.OptionName());
        SetTextAt(d.optionRName.values, row, control.rName);
        SetTextAt(d.optionChartName.values, row,
                  control.role == AutoRole::kChart ? control.autoName : control.chartName);
        SetTextAt(d.optionValue.values, row, ValueText(control));
        SetTextAt(d.optionInclude.values, row, included ? "1" : "");
        SetShortAt(d.optionActive.values, row, included ? -1 : 0);
        SetShortAt(d.optionExtraFlag.values, row, 0);
        SetShortAt(d.optionDone.values, row, 0);
        if (control.kind == "ComboBox" && control.combo > 0) {
            SetIntAt(d.comboDefault.values, static_cast<uint32_t>(control.combo), state.item);
        }
    }
}

std::vector<std::pair<std::string, std::string>> DialogChoices::Describe() const {
    std::vector<std::pair<std::string, std::string>> names;
    for (const ControlView& control : view_.controls) {
        if (!IsOptionKind(control.kind)) continue;
        const State& state = states_.at(control.index);
        std::string value;
        if (control.kind == "Input") {
            value = state.on ? state.value : "off";
        } else if (control.kind == "ComboBox") {
            value = ValueText(control);
        } else {
            value = state.on ? "true" : "false";
        }
        names.emplace_back(control.OptionName(), value);
    }
    if (missing_ >= 0) names.emplace_back("Missing", std::to_string(missing_ + 1));
    if (view_.usesSeed) names.emplace_back("seed", std::to_string(seed_));
    return names;
}

}  // namespace kovr
