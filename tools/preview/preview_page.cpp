#include "preview_page.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "html_writer.h"
#include "page_assets.h"

namespace kovr {

namespace {

using html::Attributes;
using html::HtmlWriter;

// Screen pixels per unit of the add-in's column widths, and the widest column
// drawn (a template may ask for any width).
constexpr double kPixelsPerUnit = 1.4;
constexpr int kWidestUnits = 1000;

std::string Pixels(int units) {
    return std::to_string(static_cast<int>(std::clamp(units, 0, kWidestUnits) * kPixelsPerUnit)) + "px";
}

bool IsInteractions(const ControlView& c) { return c.kind == "Input" && c.name == "Interactions"; }

// Y for a selection of dependent variables, X for the others except labels.
std::string RoleOf(const SelectionView& s) {
    if (s.yVar) return "Y";
    return s.dataType == "8" ? std::string() : "X";
}

// What a selection holds, by its data type code.
std::string DataOf(const SelectionView& s) {
    if (s.dataType == "1" || s.dataType == "2") return "numeric";
    if (s.dataType == "3") return "text";
    if (s.dataType == "8") return "labels";
    return "type " + s.dataType;
}

// Whether text holds a character from U+FF80 to U+FFFF: the library reads a
// template byte by byte and widens each byte with its sign, so every byte of a
// letter outside ASCII becomes one such character.
bool HoldsWidenedByte(const std::string& text) {
    for (size_t at = text.find('\xEF'); at != std::string::npos && at + 1 < text.size();
         at = text.find('\xEF', at + 1)) {
        if (text[at + 1] == '\xBE' || text[at + 1] == '\xBF') return true;
    }
    return false;
}

bool ViewHoldsWidenedBytes(const DialogView& view) {
    std::vector<const std::string*> texts{&view.title, &view.functionName, &view.rDescription};
    for (const PageView& page : view.pages) texts.push_back(&page.text);
    for (const ControlView& c : view.controls) {
        for (const std::string* text : {&c.text, &c.toolTip, &c.rName, &c.name, &c.defaultValue}) texts.push_back(text);
    }
    for (const ComboView& combo : view.combos) {
        for (const std::string& item : combo.itemTexts) texts.push_back(&item);
        for (const std::string& item : combo.itemRNames) texts.push_back(&item);
    }
    for (const ResultView& r : view.results) texts.push_back(&r.text);
    for (const ScriptLineView& line : view.script) texts.push_back(&line.code);
    return std::any_of(texts.begin(), texts.end(), [](const std::string* text) { return HoldsWidenedByte(*text); });
}

// <pre> drops the line feed that follows its start tag, so one is written
// before the text: a text that starts with a line feed keeps it.
void Pre(HtmlWriter& w, const Attributes& attributes, const std::string& text) {
    w.Open("pre", attributes);
    w.Raw("\n");
    w.Text(text);
    w.Close();
}

void Head(HtmlWriter& w, const std::string& title) {
    w.Raw("<!DOCTYPE html>\n");
    w.Open("html", {{"lang", "en"}});
    w.Open("head");
    w.Void("meta", {{"charset", "utf-8"}});
    w.Element("title", {}, title);
    w.Open("style");
    w.Raw(kPageStyle);
    w.Close();
    w.Close();
    w.Newline();
}

void Script(HtmlWriter& w) {
    w.Open("script");
    w.Raw(kPageScript);
    w.Close();
    w.Newline();
}

void Row(HtmlWriter& w, const std::vector<std::string>& cells, const char* cell = "td") {
    w.Open("tr");
    for (const std::string& text : cells) w.Element(cell, {}, text);
    w.Close();
    w.Newline();
}

// Writes the dialog and the sections below it.
class DialogPageWriter {
public:
    DialogPageWriter(const DialogView& view, const DialogChoices& choices) : view_(view), choices_(choices) {}

    std::string Write(const DryRunCode& code) {
        Head(w_, view_.title + " (" + view_.functionName + ") - dialog preview");
        w_.Open("body");
        w_.Element("h1", {}, "Dialog of " + view_.title);
        w_.Element("p", {{"class", "file"}}, view_.path);
        if (ViewHoldsWidenedBytes(view_)) {
            w_.Element("p", {{"class", "note warn"}},
                       "Some texts hold letters outside ASCII. The library reads templates byte by byte, so each "
                       "byte of such a letter reaches the add-in as a character of its own; the texts are shown as "
                       "the add-in receives them.");
        }
        Dialog();
        w_.Open("div", {{"class", "details"}});
        Header();
        Selections();
        Results();
        ScriptLines();
        Code(code);
        w_.Close();
        Script(w_);
        return w_.Finish();
    }

private:
    void Dialog() {
        int width = 0;
        for (const PageView& page : view_.pages) {
            width = std::max(
                width, std::clamp(page.leftWidth, 0, kWidestUnits) + std::clamp(page.rightWidth, 0, kWidestUnits));
        }
        w_.Open("div", {{"class", "dialog"}, {"style", "width:" + Pixels(std::max(width, 310) + 30)}});
        w_.Open("div", {{"class", "titlebar"}});
        w_.Text(view_.title);
        w_.Element("span", {{"class", "fn"}}, view_.functionName);
        w_.Close();
        w_.Open("div", {{"class", "tabs"}});
        for (size_t p = 0; p < view_.pages.size(); ++p) {
            const PageView& page = view_.pages[p];
            w_.Element(
                "button",
                {{"type", "button"}, {"class", page.enabled ? "tab" : "tab off"}, {"data-page", std::to_string(p)}},
                page.text);
        }
        w_.Close();
        w_.Newline();
        for (size_t p = 0; p < view_.pages.size(); ++p) Page(static_cast<int>(p));
        w_.Open("div", {{"class", "buttons"}});
        w_.Element("button", {{"type", "button"}}, "OK");
        w_.Element("button", {{"type", "button"}}, "Cancel");
        w_.Close();
        w_.Close();
        w_.Newline();
    }

    // A page's controls, split into columns at each "NextColumn" control.
    struct Column {
        int breakControl = 0;  // the "NextColumn" control that starts it, 0 for the first
        std::vector<int> controls;
    };

    void Page(int p) {
        const PageView& page = view_.pages[p];
        w_.Open("div", {{"class", "panel"}, {"data-panel", std::to_string(p)}});
        w_.Element("h3", {}, page.text);
        std::vector<Column> columns(1);
        for (const ControlView& c : view_.controls) {
            if (c.page != p) continue;
            if (c.kind == "NextColumn") {
                columns.push_back(Column{c.index, {}});
            } else {
                columns.back().controls.push_back(c.index);
            }
        }
        if (columns.size() == 1 && columns[0].controls.empty()) w_.Element("p", {{"class", "empty"}}, "(no controls)");
        w_.Open("div", {{"class", "columns"}});
        for (size_t k = 0; k < columns.size(); ++k) {
            const int units =
                columns.size() == 1 ? page.leftWidth + page.rightWidth : (k == 0 ? page.leftWidth : page.rightWidth);
            Attributes attributes{{"class", k == 0 ? "column" : "column next"}};
            if (units > 0) attributes.push_back({"style", "width:" + Pixels(units)});
            if (columns[k].breakControl > 0) {
                const ControlView& c = view_.Control(columns[k].breakControl);
                attributes.push_back({"data-ctl", std::to_string(c.index)});
                attributes.push_back({"data-kind", c.kind});
            }
            w_.Open("div", attributes);
            size_t at = 0;
            Controls(columns[k].controls, at, columns[k].controls.size());
            w_.Close();
        }
        w_.Close();
        w_.Close();
        w_.Newline();
    }

    // Writes up to count controls of list from position at: a group takes
    // its members with it, the interactions input its spacer, and radio
    // buttons of one group name stand together.
    void Controls(const std::vector<int>& list, size_t& at, size_t count) {
        for (size_t n = 0; n < count && at < list.size(); ++n) {
            const ControlView& c = view_.Control(list[at++]);
            if (c.kind == "Group") {
                w_.Open("fieldset", Common(c, "group"));
                w_.Element("legend", {}, c.text);
                Controls(list, at, static_cast<size_t>(std::max(c.frameChildren, 0)));
                w_.Close();
            } else if (c.kind == "RadioButton") {
                w_.Open("div", {{"class", "radio-group"}});
                Radio(c);
                while (at < list.size() && view_.Control(list[at]).kind == "RadioButton" &&
                       view_.Control(list[at]).groupName == c.groupName && n + 1 < count) {
                    Radio(view_.Control(list[at++]));
                    ++n;
                }
                w_.Close();
            } else {
                Control(c);
                if (IsInteractions(c) && at < list.size() && view_.Control(list[at]).kind == "Spacer") {
                    Control(view_.Control(list[at++]));
                }
            }
            w_.Newline();
        }
    }

    // The attributes every control element carries.
    Attributes Common(const ControlView& c, const std::string& cssClass) const {
        std::string classes = "ctl " + cssClass;
        if (!c.enabled) classes += " off";
        if (!c.visible) classes += " invisible";
        Attributes attributes{{"class", classes}, {"data-ctl", std::to_string(c.index)}, {"data-kind", c.kind}};
        std::string tip = c.rName.empty() ? std::string() : "R name: " + c.rName;
        if (!c.toolTip.empty()) tip += (tip.empty() ? "" : "\n") + c.toolTip;
        if (!tip.empty()) attributes.push_back({"title", tip});
        return attributes;
    }

    void Caption(const ControlView& c) {
        if (!c.text.empty()) {
            w_.Element("span", {{"class", "caption"}}, c.text);
        } else if (!c.name.empty()) {
            w_.Element("span", {{"class", "caption empty"}}, c.name);
        }
    }

    void Badge(const std::string& text, const std::string& extra = "") {
        w_.Element("span", {{"class", extra.empty() ? "badge" : "badge " + extra}}, text);
    }

    void Marks(const ControlView& c) {
        if (!c.visible) Badge("hidden", "warn");
        switch (c.role) {
            case AutoRole::kOutput:
                w_.Element("span", {{"class", "auto"}}, "result " + c.autoName);
                break;
            case AutoRole::kChart:
                w_.Element("span", {{"class", "auto"}}, "chart " + c.autoName);
                break;
            case AutoRole::kDescriptiveStatistics:
            case AutoRole::kNone:
                break;
        }
    }

    static Attributes Input(std::string type, bool checked, bool disabled) {
        Attributes attributes{{"type", std::move(type)}};
        if (checked) attributes.push_back({"checked", ""});
        if (disabled) attributes.push_back({"disabled", ""});
        return attributes;
    }

    void Radio(const ControlView& c) {
        w_.Open("label", Common(c, "radio"));
        Attributes input = Input("radio", choices_.Checked(c.index), !c.enabled);
        input.push_back({"name", "page" + std::to_string(c.page) + "-" + c.groupName});
        w_.Void("input", input);
        Caption(c);
        Marks(c);
        w_.Close();
    }

    void Control(const ControlView& c) {
        if (c.kind == "CheckBox") {
            w_.Open("label", Common(c, "check"));
            w_.Void("input", Input("checkbox", choices_.Checked(c.index), !c.enabled));
            Caption(c);
            Marks(c);
            w_.Close();
        } else if (c.kind == "ComboBox" && c.combo > 0 && static_cast<size_t>(c.combo) <= view_.combos.size()) {
            Combo(c, view_.combos[c.combo - 1]);
        } else if (c.kind == "Input") {
            Number(c);
        } else if (c.selection > 0 && static_cast<size_t>(c.selection) <= view_.selections.size()) {
            Selection(c, view_.selections[c.selection - 1]);
        } else if (c.kind == "Missing") {
            Missing(c);
        } else if (c.kind == "Spacer") {
            Attributes attributes = Common(c, "spacer");
            attributes.push_back(
                {"style", "height:" + std::to_string(std::clamp(std::atoi(c.height.c_str()), 0, 100)) + "px"});
            w_.Element("div", attributes, "");
        } else {
            w_.Open("div", Common(c, "label"));
            if (c.text.empty()) {
                w_.Element("span", {{"class", "empty"}}, c.kind + (c.name.empty() ? "" : " " + c.name));
            } else {
                w_.Text(c.text);
            }
            Marks(c);
            w_.Close();
        }
    }

    void Combo(const ControlView& c, const ComboView& combo) {
        w_.Open("div", Common(c, "combo"));
        Caption(c);
        Marks(c);
        Attributes select;
        if (!c.enabled) select.push_back({"disabled", ""});
        w_.Open("select", select);
        for (size_t k = 0; k < combo.itemTexts.size(); ++k) {
            const std::string rName = k < combo.itemRNames.size() ? combo.itemRNames[k] : std::string();
            Attributes option{{"value", rName}};
            if (!rName.empty()) option.push_back({"title", "R name: " + rName});
            if (static_cast<int>(k) == combo.defaultItem) option.push_back({"selected", ""});
            w_.Element("option", option, combo.itemTexts[k]);
        }
        w_.Close();
        w_.Close();
    }

    void Number(const ControlView& c) {
        const bool hasEntry = c.input > 0 && static_cast<size_t>(c.input) <= view_.inputs.size();
        const InputView* input = hasEntry ? &view_.inputs[c.input - 1] : nullptr;
        const bool on = choices_.Checked(c.index);
        w_.Open("div", Common(c, "number"));
        if (input != nullptr && input->optional) w_.Void("input", Input("checkbox", on, !c.enabled));
        Caption(c);
        Attributes field = Input("text", false, !c.enabled || !on);
        field.push_back({"value", c.defaultValue});
        w_.Void("input", field);
        if (input != nullptr) {
            std::string hint = input->type;
            if (!input->min.empty() || !input->max.empty()) {
                hint += ", " + (input->min.empty() ? std::string("...") : input->min) + " to " +
                        (input->max.empty() ? std::string("...") : input->max);
            }
            w_.Element("span", {{"class", "hint"}}, hint);
        }
        Marks(c);
        w_.Close();
    }

    void Selection(const ControlView& c, const SelectionView& s) {
        w_.Open("div", Common(c, "selection"));
        w_.Open("div", {{"class", "head"}});
        if (s.optional) w_.Void("input", Input("checkbox", s.optionDefault, false));
        Caption(c);
        w_.Close();
        w_.Open("div", {{"class", "badges"}});
        if (s.selectionKind == 2) Badge("prediction");
        const std::string role = RoleOf(s);
        if (!role.empty()) Badge(role, s.yVar ? "y" : "");
        Badge(DataOf(s));
        if (s.optional) Badge("optional");
        if (s.oneColumn) Badge("one column");
        if (s.oneByOne) Badge("one by one");
        Marks(c);
        w_.Close();
        w_.Open("div", {{"class", "range"}});
        w_.Element("span", {}, "");
        w_.Element("b", {}, "...");
        w_.Close();
        w_.Close();
    }

    void Missing(const ControlView& c) {
        w_.Open("div", Common(c, "missing"));
        w_.Element("span", {{"class", "caption"}}, c.text.empty() ? "Missing values" : c.text);
        w_.Open("select");
        std::string options = view_.missingOptions;
        for (int k = 0;; ++k) {
            const size_t comma = options.find(',');
            Attributes option;
            if (k == choices_.MissingChoice()) option.push_back({"selected", ""});
            w_.Element("option", option, options.substr(0, comma));
            if (comma == std::string::npos) break;
            options.erase(0, comma + 1);
        }
        w_.Close();
        w_.Close();
    }

    void Header() {
        w_.Element("h2", {}, "Template");
        w_.Open("table");
        const std::pair<const char*, const std::string*> fields[] = {
            {"Title", &view_.title},
            {"R function", &view_.functionName},
            {"Packages", &view_.packages},
            {"Group", &view_.group},
            {"Keywords", &view_.keywords},
            {"Data structure", &view_.dataStructure},
            {"Description", &view_.rDescription},
            {"Author of the template", &view_.authorXml},
            {"Author of the R function", &view_.authorRFunction},
            {"Compatibility", &view_.compatibilityKovian},
            {"R version", &view_.compatibilityR},
            {"Package version", &view_.packageVersion},
            {"Created", &view_.dateCreated},
            {"Modified", &view_.dateModified},
        };
        for (const auto& [label, value] : fields) {
            if (!value->empty()) Row(w_, {label, *value});
        }
        Row(w_, {"Code", std::to_string(view_.uniqueId)});
        w_.Close();
    }

    void Selections() {
        if (view_.selections.empty()) return;
        w_.Element("h2", {}, "Data selections");
        w_.Open("table");
        Row(w_, {"#", "name", "caption", "R name", "type", "R type", "role", "optional", "one column", "one by one"},
            "th");
        for (size_t r = 0; r < view_.selections.size(); ++r) {
            const SelectionView& s = view_.selections[r];
            const std::string role = s.selectionKind == 2 ? "prediction " + RoleOf(s) : RoleOf(s);
            Row(w_, {std::to_string(r + 1), s.name, s.text, s.rName, DataOf(s), s.rType, role,
                     s.optional ? (s.optionDefault ? "yes, on" : "yes, off") : "no", s.oneColumn ? "yes" : "no",
                     s.oneByOne ? "yes" : "no"});
        }
        w_.Close();
    }

    void Results() {
        if (view_.results.empty()) return;
        w_.Element("h2", {}, "Result tables and charts");
        w_.Open("table");
        Row(w_, {"R name", "title", "type", "row labels", "format", "shown", "chart", "chart code"}, "th");
        for (const ResultView& r : view_.results) {
            std::string shown = r.show == "false" ? "not exported" : r.hidden ? "hidden" : "yes";
            std::string chart;
            if (!r.chartName.empty()) chart = r.chartName;
            if (!r.plotCode.empty()) chart += "." + r.plotFormat + " " + r.plotWidth + " x " + r.plotHeight;
            Row(w_, {r.rName, r.text, r.type, r.rowLabels, r.format, shown, chart, r.plotCode});
        }
        w_.Close();
    }

    void ScriptLines() {
        w_.Element("h2", {}, "Script lines");
        w_.Element("p", {{"class", "note"}},
                   view_.replaceByValue ? "Options are put into the replace lines (replacebyvalue)."
                                        : "Options are written as lines of their own before the script lines.");
        if (view_.script.empty()) {
            w_.Element("p", {{"class", "empty"}}, "(no script lines)");
            return;
        }
        w_.Open("table");
        Row(w_, {"#", "engine", "replace", "code"}, "th");
        for (size_t j = 0; j < view_.script.size(); ++j) {
            const ScriptLineView& line = view_.script[j];
            w_.Open("tr");
            w_.Element("td", {}, std::to_string(j + 1));
            w_.Element("td", {}, line.engine);
            w_.Element("td", {}, line.replace ? "yes" : "no");
            w_.Open("td");
            w_.Element("code", {}, line.code);
            w_.Close();
            w_.Close();
            w_.Newline();
        }
        w_.Close();
        if (!view_.dialogCode.empty()) {
            w_.Element("h2", {}, "Dialog macro");
            Pre(w_, {}, view_.dialogCode);
        }
    }

    void Code(const DryRunCode& code) {
        w_.Element("h2", {}, "R code of a transfer with the default choices");
        if (!code.error.empty()) {
            w_.Element("p", {{"class", "error-text"}}, code.error);
            return;
        }
        w_.Element("p", {{"class", "note"}},
                   std::string("Assembled by the library from the default choices and a generated data selection; ") +
                       kDryRunFolder + " stands for the folder of the transfer.");
        if (!code.data.empty()) {
            w_.Open("ul", {{"class", "note"}});
            for (const std::string& line : code.data) w_.Element("li", {}, line);
            w_.Close();
        }
        Pre(w_, {{"class", "rcode"}}, code.code);
    }

    const DialogView& view_;
    const DialogChoices& choices_;
    HtmlWriter w_;
};

}  // namespace

std::string DialogPage(const DialogView& view, const DialogChoices& choices, const DryRunCode& code) {
    return DialogPageWriter(view, choices).Write(code);
}

std::string ErrorPage(const std::string& path, const std::string& title, const std::string& message) {
    HtmlWriter w;
    Head(w, title + " - dialog preview");
    w.Open("body");
    w.Element("h1", {}, "The template does not parse");
    w.Element("p", {{"class", "file"}}, path);
    w.Element("p", {{"class", "note"}}, "The add-in shows this message instead of the dialog:");
    w.Open("div", {{"class", "msgbox"}, {"data-error", "yes"}});
    w.Element("div", {{"class", "titlebar"}}, title);
    Pre(w, {{"class", "message"}}, message);
    w.Close();
    w.Newline();
    Script(w);
    return w.Finish();
}

}  // namespace kovr
