// kovr preview TEMPLATE [-o FILE.html]: reads the template through the two
// method-description entry points and writes its dialog as a web page (see
// preview_page.h). Without -o the page goes to TEMPLATE's name with .html in
// the working folder; "-o -" writes it to standard output. A template that
// does not parse gives a page with the add-in's error message, and status 1.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "commands.h"
#include "dialog_choices.h"
#include "dialog_view.h"
#include "dry_run.h"
#include "preview_page.h"
#include "template_file.h"

namespace kovr {

namespace {

const char kCommand[] = "preview";

bool WritePage(const std::string& output, const std::string& page) {
    if (output == "-") {
        std::cout << page;
        return static_cast<bool>(std::cout.flush());
    }
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file << page;
    file.close();
    return !file.fail();
}

}  // namespace

int PreviewCommand(const Args& args) {
    std::string arg, output;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "-o" || args[k] == "--output") {
            if (k + 1 == args.size()) return Fail(kCommand, args[k] + " needs a file name", kExitUsage);
            output = args[++k];
        } else if (arg.empty() && args[k].rfind("-", 0) != 0) {
            arg = args[k];
        } else {
            return Fail(kCommand, "unexpected argument '" + args[k] + "'", kExitUsage);
        }
    }
    if (arg.empty()) return Fail(kCommand, "no template given", kExitUsage);
    const std::string path = FindTemplate(arg);
    if (path.empty()) return Fail(kCommand, "no such template: " + arg, kExitTemplate);
    if (output.empty()) output = std::filesystem::path(path).stem().string() + ".html";

    Translations translations;
    LoadedTemplate loaded = LoadTemplate(path, translations);
    int status = kExitOk;
    std::string page;
    if (loaded.ok()) {
        const DialogView view = ViewOf(loaded);
        const DialogChoices choices(view);
        const DryRunCode code = AssembleDefaultCode(view, choices, *loaded.dialog);
        page = DialogPage(view, choices, code);
    } else {
        page = ErrorPage(loaded.path, loaded.errorTitle, loaded.errorText);
        std::cerr << loaded.errorTitle << "\n" << loaded.errorText << "\n";
        status = kExitTemplate;
    }
    if (!WritePage(output, page)) return Fail(kCommand, "cannot write " + output, kExitUsage);
    if (output != "-") std::cerr << "kovr preview: wrote " << output << "\n";
    return status;
}

}  // namespace kovr
