// kovr run TEMPLATE --data FILE.csv [--sep C] [--dec C] [--y COLS] [--x COLS]
//     [--q COLS] [--labels COL] [--set NAME=VALUE ...] [--work DIR]
// Plays the add-in: reads the template, fills the option rows from the
// controls' defaults and the --set choices, reads the columns the selections
// use from the CSV file, lays them out in data sets, calls Cpp_TransferToR,
// links the packages the template needs from R's installed library into the
// package folder, runs the check script and then the analysis script with
// Rscript, and prints the end of R's log and every result table.
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "commands.h"
#include "csv_table.h"
#include "data_layout.h"
#include "descriptive_stats.h"
#include "dialog_choices.h"
#include "dialog_view.h"
#include "host_data_sets.h"
#include "r_session.h"
#include "result_files.h"
#include "template_file.h"
#include "transfer_call.h"

namespace kovr {

namespace fs = std::filesystem;

namespace {

const char kCommand[] = "run";

struct RunRequest {
    std::string templateArg, data, work;
    CsvOptions csv;
    ColumnRequests columns;
    std::vector<std::pair<std::string, std::string>> settings;
};

std::string ParseArgs(const Args& args, RunRequest& request) {
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const bool hasValue = k + 1 < args.size();
        if (arg == "--data" || arg == "--y" || arg == "--x" || arg == "--q" || arg == "--labels" || arg == "--work" ||
            arg == "--set" || arg == "--sep" || arg == "--dec") {
            if (!hasValue) return arg + " needs a value";
            const std::string& value = args[++k];
            if (arg == "--data") request.data = value;
            if (arg == "--y") request.columns.y = value;
            if (arg == "--x") request.columns.x = value;
            if (arg == "--q") request.columns.q = value;
            if (arg == "--labels") request.columns.labels = value;
            if (arg == "--work") request.work = value;
            if (arg == "--sep") {
                // Any one character but a quote or a line break; "tab" names the tab.
                if (value == "tab") {
                    request.csv.separator = '\t';
                } else if (value.size() == 1 && value != "\"" && value != "\n" && value != "\r") {
                    request.csv.separator = value[0];
                } else {
                    return "--sep takes one character (or tab), not '" + value + "'";
                }
            }
            if (arg == "--dec") {
                if (value != "." && value != ",") return "--dec takes . or , not '" + value + "'";
                request.csv.decimal = value[0];
            }
            if (arg == "--set") {
                const size_t equals = value.find('=');
                if (equals == std::string::npos || equals == 0) return "--set takes NAME=VALUE, not '" + value + "'";
                request.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
            }
        } else if (request.templateArg.empty() && arg.rfind("--", 0) != 0) {
            request.templateArg = arg;
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (request.templateArg.empty()) return "no template given";
    if (request.data.empty()) return "no data given (--data FILE.csv)";
    return "";
}

void Progress(const std::string& message) { std::cerr << "kovr: " << message << "\n"; }

// The packages the scripts load: the template's list, and devEMF when a
// chart is drawn as an enhanced metafile.
std::vector<std::string> NeededPackages(const DialogView& view) {
    std::vector<std::string> packages;
    size_t from = 0;
    for (;;) {
        const size_t comma = view.packages.find(',', from);
        std::string name = view.packages.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!name.empty()) packages.push_back(name);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    const bool hasEmf = std::find(packages.begin(), packages.end(), "devEMF") != packages.end();
    for (const ResultView& r : view.results) {
        if (!hasEmf && r.plotFormat == "emf") {
            packages.push_back("devEMF");
            break;
        }
    }
    return packages;
}

// A list separator that no text of the data holds, so that the data files
// keep their columns (the library writes fields without quotes).
std::string ListSeparator(const RunLayout& layout) {
    for (const char* candidate : {";", "\t", "|"}) {
        bool used = false;
        const auto scan = [&](const BlockData& block) {
            for (const ColumnData& column : block) {
                used = used || column.name.find(candidate) != std::string::npos;
                for (const std::string& text : column.texts) used = used || text.find(candidate) != std::string::npos;
            }
        };
        for (const DataSetData& set : layout.sets) {
            for (const BlockData* block : {&set.quanti1, &set.quanti2, &set.quali1, &set.quali2}) scan(*block);
            for (const BlockData& block : set.dataQuanti) scan(block);
            for (const BlockData& block : set.dataQuali) scan(block);
            for (const std::string& label : set.obsLabels) used = used || label.find(candidate) != std::string::npos;
        }
        if (!used) return candidate;
    }
    return ";";
}

std::string MakeWorkFolder(const std::string& requested, std::string& error) {
    std::error_code failed;
    if (!requested.empty()) {
        fs::create_directories(requested, failed);
        if (failed) error = "cannot create the work folder " + requested + ": " + failed.message();
        return fs::absolute(requested).lexically_normal().string();
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kovr-run-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) error = "cannot create a work folder in " + pattern;
    return pattern;
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// A folder name for a response column.
std::string FolderName(const std::string& column) {
    std::string name;
    for (const char c : column) name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    return name;
}

struct RunPaths {
    std::string work;     // ends with "/"
    std::string rFolder;  // ends with "/"
};

// Removes what an earlier run left, so that no old result is shown.
void ClearOutputs(const DialogView& view, const std::string& rFolder) {
    std::error_code ignored;
    for (const ResultView& r : view.results) {
        if (!r.rName.empty()) fs::remove(rFolder + r.rName + ".csv", ignored);
        if (!r.chartName.empty()) fs::remove(rFolder + r.chartName + "." + r.plotFormat, ignored);
    }
    fs::remove(rFolder + "log.txt", ignored);
    fs::remove(rFolder + "log0.txt", ignored);
}

void PrintResults(const DialogView& view, const DialogChoices& choices, const std::string& rFolder, char separator) {
    for (size_t i = 0; i < view.results.size(); ++i) {
        const ResultView& r = view.results[i];
        if (r.rName.empty() || r.show == "false") continue;
        const std::string file = rFolder + r.rName + ".csv";
        std::cout << "\n" << (r.text.empty() ? r.rName : r.text) << " (" << file << ")\n";
        if (!choices.OutputWanted(static_cast<int>(i + 1))) {
            std::cout << "  not shown: its output box is unticked\n";
            continue;
        }
        if (r.hidden) {
            std::cout << "  hidden result, not shown\n";
            continue;
        }
        ResultTable table;
        if (!ReadResultTable(file, separator, table)) {
            std::cout << "  R wrote no file for this result\n";
            continue;
        }
        PrintResultTable(std::cout, table);
    }
    bool heading = false;
    for (const ResultView& r : view.results) {
        const std::string chart = rFolder + r.chartName + "." + r.plotFormat;
        if (r.plotCode.empty() || !fs::exists(chart)) continue;
        if (!heading) std::cout << "\nCharts\n";
        heading = true;
        std::cout << "  " << chart << "\n";
    }
}

struct Session {
    const DialogView& view;
    const DialogChoices& choices;
    LoadedTemplate& loaded;
    std::string rscript;
    std::vector<std::string> missingPackages;
    double rSeconds = 0;  // time spent waiting for Rscript
};

// Runs a script with Rscript; meanwhile (R runs in a process of its own)
// kovr does the work of alongside.
int RunScript(Session& session, const std::string& rFolder, const std::string& script, ProcessResult& result,
              const std::function<void()>& alongside = {}) {
    const std::string output = rFolder + fs::path(script).filename().string() + ".out";
    const auto started = std::chrono::steady_clock::now();
    const Process r = StartProcess({session.rscript, "--vanilla", script}, rFolder, output);
    if (alongside) alongside();
    result = WaitProcess(r);
    session.rSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result.exitStatus;
}

// The end of R's log and R's own error lines, for a script that failed.
void ShowFailure(const std::string& log, const std::string& script, int logLines) {
    std::cerr << FileTail(log, logLines) << RErrorLines(script + ".out");
}

// The descriptive-statistics box of automatic outputs: the statistics of
// the run's model data (of its own response column when there are several),
// computed by the add-in's statistics library.
void PrintStatistics(const RunLayout& layout, int columnIndex) {
    if (layout.sets.empty()) return;
    const DataSetData& set = layout.sets[0];
    DataSetData data{set.name, set.quanti1, set.quanti2, set.quali1, set.quali2, {}, {}, {}, {}, set.rowCount};
    BlockData& responses = layout.responseIsText ? data.quali1 : data.quanti1;
    if (columnIndex > 0 && static_cast<size_t>(columnIndex) <= responses.size()) {
        responses = BlockData{responses[static_cast<size_t>(columnIndex - 1)]};
    }
    PrintDescriptiveStatistics(std::cout, data, "the data (" + data.name + ")");
    std::cout << "\n";
}

// One transfer and the two R scripts, for one response column (columnIndex
// from 1) or for the whole selection (columnIndex 0).
int RunOnce(Session& session, const RunLayout& layout, const RunPaths& paths, int columnIndex) {
    const DialogView& view = session.view;
    HostDialog& dialog = *session.loaded.dialog;
    std::error_code failed;
    fs::create_directories(paths.rFolder, failed);
    if (failed) return Fail(kCommand, "cannot create " + paths.rFolder + ": " + failed.message(), kExitUsage);
    ClearOutputs(view, paths.rFolder);

    session.choices.WriteOptionRows(dialog);
    ST_aiR& d = dialog.dialog();
    d.seedValue = session.choices.Seed();
    d.singleColumnQuanti = columnIndex > 0 && !layout.responseIsText ? -1 : 0;
    d.singleColumnQuali = columnIndex > 0 && layout.responseIsText ? -1 : 0;

    HostMain main;
    main.Set(offsetof(ST_Main_aiR, workFolder), paths.work);
    main.Set(offsetof(ST_Main_aiR, rFolder), paths.rFolder);
    main.Set(offsetof(ST_Main_aiR, group), view.group);
    main.Set(offsetof(ST_Main_aiR, title), view.title);
    // The add-in writes the right-hand side of the formula for the library to
    // complete; a model without interactions gets its formula from the data.
    const bool modelFormula = (view.dataStructure == "model" || view.dataStructure == "model.random") &&
                              !view.hasInteractions;
    main.Set(offsetof(ST_Main_aiR, rCode), modelFormula ? std::string() : layout.formulaTerms);
    const std::string separator = ListSeparator(layout);
    HostDataSets sets(layout.sets);
    TransferToR(main, dialog, sets, separator, columnIndex);
    Progress("transferred to R: scripts and " + std::to_string(layout.sets.size()) + " data file(s) in " +
             paths.work);

    const std::string checkScript = paths.rFolder + view.functionName + "0.script";
    const std::string analysisScript = paths.rFolder + view.functionName + ".script";
    for (const std::string& script : {checkScript, analysisScript}) {
        if (!fs::exists(script)) return Fail(kCommand, "the transfer wrote no script " + script, kExitRFailed);
    }

    Progress("running the check script " + checkScript);
    ProcessResult result;
    const int checked = RunScript(session, paths.rFolder, checkScript, result);
    if (!result.started) return Fail(kCommand, "cannot start " + session.rscript, kExitNoR);
    if (checked == 10) {
        std::string names;
        for (const std::string& name : session.missingPackages) names += (names.empty() ? "" : ", ") + name;
        if (names.empty()) names = "(see " + paths.rFolder + "log0.txt)";
        return Fail(kCommand,
                    "R package(s) missing: " + names +
                        ". The template needs them and they are not installed in R (the check script ended with "
                        "status 10). Install them, for example with R -e \"install.packages('" +
                        (session.missingPackages.empty() ? std::string("NAME") : session.missingPackages[0]) +
                        "')\", and run again.",
                    kExitMissingPackage);
    }
    if (checked != 0) {
        ShowFailure(paths.rFolder + "log0.txt", checkScript, 15);
        return Fail(kCommand, "the check script failed (R exit status " + std::to_string(checked) + ")", kExitRFailed);
    }

    Progress("running the analysis script " + analysisScript);
    const double before = session.rSeconds;
    // The statistics are computed while R runs the analysis.
    const int analysed = RunScript(session, paths.rFolder, analysisScript, result, [&] {
        if (session.choices.DescriptiveStatistics()) PrintStatistics(layout, columnIndex);
    });
    if (analysed != 0) {
        ShowFailure(paths.rFolder + "log.txt", analysisScript, 20);
        return Fail(kCommand, "the analysis script failed (R exit status " + std::to_string(analysed) + "); its log is " +
                                  paths.rFolder + "log.txt",
                    kExitRFailed);
    }
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%.1f s", session.rSeconds - before);
    Progress(std::string("R finished in ") + elapsed);

    std::cout << "R log (" << paths.rFolder << "log.txt), last lines:\n";
    const std::string tail = FileTail(paths.rFolder + "log.txt", 8);
    std::cout << (tail.empty() ? "  (empty)\n" : tail);
    PrintResults(view, session.choices, paths.rFolder, separator[0]);
    return kExitOk;
}

// The selections' columns, read from the file.
int ReadData(const RunRequest& request, const DialogView& view, const DialogChoices& choices, CsvTable& table,
             ChosenColumns& chosen) {
    CsvOptions options = request.csv;
    for (const ControlView& control : view.controls) {
        if (control.name == "CheckBoxLabels" && !choices.Checked(control.index)) options.headerIsData = true;
    }
    std::string error;
    if (!OpenCsv(request.data, options, table, error)) return Fail(kCommand, "bad CSV file: " + error, kExitUsage);
    error = ChooseColumns(view, choices, table, request.columns, chosen);
    if (!error.empty()) return Fail(kCommand, error, kExitUsage);
    if (!ReadCsvRows(ColumnUses(view, chosen, table.names.size()), table, error)) {
        return Fail(kCommand, "bad CSV file: " + error, kExitUsage);
    }
    const std::string separator = table.separator == '\t' ? std::string("tab") : std::string(1, table.separator);
    Progress("template " + view.title + " (" + view.functionName + "), " + std::to_string(table.RowCount()) +
             " rows x " + std::to_string(table.names.size()) + " columns in " + request.data + " (separator '" +
             separator + "', decimal mark '" + (table.decimal == 0 ? '.' : table.decimal) + "')");
    return kExitOk;
}

}  // namespace

int RunCommand(const Args& args) {
    const auto started = std::chrono::steady_clock::now();
    RunRequest request;
    const std::string usage = ParseArgs(args, request);
    if (!usage.empty()) return Fail(kCommand, usage, kExitUsage);

    const std::string path = FindTemplate(request.templateArg);
    if (path.empty()) return Fail(kCommand, "no such template: " + request.templateArg, kExitTemplate);
    Translations translations;
    LoadedTemplate loaded = LoadTemplate(path, translations);
    if (!loaded.ok()) {
        std::cout << loaded.errorTitle << "\n" << loaded.errorText << "\n";
        return kExitTemplate;
    }
    const DialogView view = ViewOf(loaded);

    DialogChoices choices(view);
    std::string error;
    for (const auto& [name, value] : request.settings) {
        if (IsSelectionName(view, name) && !choices.Knows(name)) {
            request.columns.bySelection[name] = value;
            continue;
        }
        error = choices.Set(name, value);
        if (!error.empty()) return Fail(kCommand, error, kExitUsage);
    }
    CsvTable table;
    ChosenColumns chosen;
    const int read = ReadData(request, view, choices, table, chosen);
    if (read != kExitOk) return read;
    const std::vector<std::string> responses = ResponseColumns(view, table, chosen);
    const size_t runs = std::max<size_t>(responses.size(), 1);
    RunLayout layout;
    const auto layOut = [&](size_t k) {
        return LayOutRun(view, choices, table, chosen, runs > 1 ? static_cast<int>(k + 1) : 0, layout);
    };
    // Every run's data are checked before R starts; the last layout stays.
    for (size_t k = 0; k < runs; ++k) {
        error = layOut(k);
        if (!error.empty()) return Fail(kCommand, (runs > 1 ? "response " + responses[k] + ": " : "") + error, kExitUsage);
    }

    const std::string rscript = FindRscript();
    if (rscript.empty()) {
        return Fail(kCommand,
                    "R is not installed: no Rscript on the PATH (or at $KOVR_RSCRIPT). Install R "
                    "(tools/bootstrap.sh installs r-base-core) and run again.",
                    kExitNoR);
    }
    UseUtf8LocaleForR();
    RunPaths paths;
    paths.work = WithSlash(MakeWorkFolder(request.work, error));
    if (!error.empty()) return Fail(kCommand, error, kExitUsage);
    Session session{view, choices, loaded, rscript, {}};
    const std::vector<std::string> packages = NeededPackages(view);
    const auto linking = std::chrono::steady_clock::now();
    session.missingPackages = LinkPackages(rscript, packages, paths.work + "packages", error);
    session.rSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - linking).count();
    if (!error.empty()) return Fail(kCommand, error, kExitRFailed);
    Progress("work folder " + paths.work + " (R packages linked: " + std::to_string(packages.size() -
             session.missingPackages.size()) + ")");

    int status = kExitOk;
    for (size_t k = 0; k < runs && status == kExitOk; ++k) {
        const int columnIndex = responses.empty() ? 0 : static_cast<int>(k + 1);
        if (runs > 1) {
            std::cout << (k > 0 ? "\n" : "") << "== Response " << responses[k] << " ==\n";
            layOut(k);
        }
        paths.rFolder = paths.work + "R/" + (runs > 1 ? FolderName(responses[k]) + "/" : "");
        status = RunOnce(session, layout, paths, columnIndex);
    }
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    rusage own{};
    getrusage(RUSAGE_SELF, &own);
    const double cpu = static_cast<double>(own.ru_utime.tv_sec + own.ru_stime.tv_sec) +
                       static_cast<double>(own.ru_utime.tv_usec + own.ru_stime.tv_usec) / 1e6;
    char times[160];
    std::snprintf(times, sizeof times,
                  "%.2f s, of which R %.2f s and kovr %.2f s (kovr's processor time %.2f s); kovr's peak memory %ld MB",
                  total, session.rSeconds, total - session.rSeconds, cpu, own.ru_maxrss / 1024);
    Progress(std::string("finished in ") + times);
    return status;
}

}  // namespace kovr
