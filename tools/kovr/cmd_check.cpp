// kovr check TEMPLATE...: parses each template with both method-description
// passes and prints the parse error text exactly as the add-in shows it. For
// a template that parses it reports what its author wants to know: counts of
// the sizing pass that disagree with the entries the filling pass made,
// results whose R name no script line mentions, and option controls whose R
// name no script line can reach.
#include <cctype>
#include <iostream>

#include "commands.h"
#include "dialog_choices.h"
#include "dialog_view.h"
#include "template_file.h"

namespace kovr {

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '_'; }

// Whether name occurs in code as a whole R name.
bool MentionsName(const std::string& code, const std::string& name) {
    for (size_t at = code.find(name); at != std::string::npos; at = code.find(name, at + 1)) {
        const bool startsWord = at == 0 || !IsNameChar(code[at - 1]);
        const size_t end = at + name.size();
        if (startsWord && (end == code.size() || !IsNameChar(code[end]))) return true;
    }
    return false;
}

// Whether code substitution would put an option into code: an occurrence of
// the name followed by the end of the line or a delimiter.
bool SubstitutesName(const std::string& code, const std::string& name) {
    for (size_t at = code.find(name); at != std::string::npos; at = code.find(name, at + 1)) {
        const size_t end = at + name.size();
        if (end == code.size() || std::string(" )],;+-*/").find(code[end]) != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> UnusedResults(const DialogView& view) {
    std::vector<std::string> reports;
    for (const ResultView& result : view.results) {
        if (result.rName.empty()) continue;
        bool used = false;
        for (const ScriptLineView& line : view.script) used = used || MentionsName(line.code, result.rName);
        if (!used) reports.push_back("the result '" + result.rName + "' is named by no script line");
    }
    return reports;
}

std::vector<std::string> UnreachableOptions(const DialogView& view) {
    std::vector<std::string> reports;
    std::string leader;  // R name of the option that opens the current group
    std::string openGroup;
    for (const ControlView& control : view.controls) {
        if (!IsOptionKind(control.kind)) continue;
        if (control.role != AutoRole::kNone || control.rName.empty()) {
            openGroup.clear();
            continue;
        }
        const size_t comma = control.rName.find(',');
        const std::string name = control.rName.substr(0, comma);
        const std::string group = comma == std::string::npos ? std::string() : control.rName.substr(comma + 1);
        // A member of a group reaches the code through the group's first option.
        const bool member = !group.empty() && group == openGroup && (group != "c" || name == leader);
        openGroup = group;
        if (member) continue;
        leader = name;
        bool reached = false;
        for (const ScriptLineView& line : view.script) {
            reached = reached || (view.replaceByValue ? line.replace && SubstitutesName(line.code, name)
                                                      : MentionsName(line.code, name));
        }
        for (const ResultView& result : view.results) reached = reached || MentionsName(result.plotCode, name);
        if (!reached) {
            reports.push_back("the option '" + control.OptionName() + "' (R name '" + name + "') reaches no " +
                              (view.replaceByValue ? "replace line" : "script line"));
        }
    }
    return reports;
}

}  // namespace

int CheckCommand(const Args& args) {
    if (args.empty()) return Fail("check", "no template given", kExitUsage);
    Translations translations;
    int status = kExitOk;
    for (const std::string& arg : args) {
        const std::string path = FindTemplate(arg);
        if (path.empty()) {
            std::cout << arg << ": no such template\n";
            status = kExitTemplate;
            continue;
        }
        const LoadedTemplate loaded = LoadTemplate(path, translations);
        if (!loaded.ok()) {
            std::cout << path << ": " << loaded.errorTitle << "\n" << loaded.errorText;
            if (!loaded.errorText.empty() && loaded.errorText.back() != '\n') std::cout << "\n";
            status = kExitTemplate;
            continue;
        }
        const DialogView view = ViewOf(loaded);
        std::vector<std::string> reports = SizingDisagreements(loaded);
        for (auto more : {UnusedResults(view), UnreachableOptions(view)}) {
            reports.insert(reports.end(), more.begin(), more.end());
        }
        std::cout << path << ": ok (" << view.pages.size() << " pages, " << view.controls.size() << " controls, "
                  << view.results.size() << " results, " << view.script.size() << " script lines)\n";
        for (const std::string& report : reports) std::cout << path << ": warning: " << report << "\n";
    }
    return status;
}

}  // namespace kovr
