// Assembly of a 100 KB script line holding thousands of option names or data
// placeholders, through Cpp_GetRCodeAndReplaceOptions, against a plain copy of
// the same line as the baseline. The dialog comes from a template read through
// both passes, with one integer input per option name.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "dialog_choices.h"
#include "dialog_view.h"
#include "host_data_sets.h"
#include "template_file.h"

namespace {

constexpr size_t kLineLength = 100 * 1024;

// Pads code with statements that hold no name or placeholder up to 100 KB.
std::string Padded(std::string code) {
    while (code.size() < kLineLength) code += "; y &lt;- y + 1";
    return code;
}

// A template whose only script line is the given replace line (XML-escaped),
// with one integer input option per name, read through both passes.
struct Run {
    Run(const std::string& line, int options) : data({Data()}), sets(data) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kovbenchXXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        std::ofstream xml(folder + "/bench.xml");
        xml << "<RFunction text=\"Bench\" function=\"f\" datastructure=\"data\"><Tab text=\"Options\">\n";
        for (int k = 0; k < options; ++k) {
            xml << "<Input rname=\"opt" << k << "\" type=\"integer\" default=\"" << k << "\"/>\n";
        }
        xml << "</Tab><RScript replacebyvalue=\"true\"><ScriptLine replace=\"true\" code=\"" << line
            << "\"/></RScript></RFunction>\n";
        xml.close();
        loaded = kovr::LoadTemplate(folder + "/bench.xml", translations);
        if (!loaded.ok()) std::abort();
        view = kovr::ViewOf(loaded);
        kovr::DialogChoices(view).WriteOptionRows(*loaded.dialog);
    }
    ~Run() { std::filesystem::remove_all(folder); }

    static kovr::DataSetData Data() {
        kovr::DataSetData data;
        data.name = "Data1";
        data.rowCount = 1;
        const auto values = std::make_shared<const std::vector<double>>(1, 1.0);
        data.dataQuanti = {{kovr::ColumnData{"Rain fall", true, values, {}}}};
        return data;
    }

    void Assemble(benchmark::State& state) {
        std::optional<kovr::ReplacedStrings> replaced;
        for (auto _ : state) {
            // Each call starts from empty code and frees what it replaced, outside the timing.
            state.PauseTiming();
            replaced.reset();
            main.Set(offsetof(ST_Main_aiR, rCode), "");
            replaced.emplace([&](kovr::StringSlots& s) {
                main.CollectStrings(s);
                loaded.dialog->CollectStrings(s);
                sets.CollectStrings(s);
            });
            state.ResumeTiming();
            Cpp_GetRCodeAndReplaceOptions(main.get(), &loaded.dialog->dialog(), sets.get(), 0);
            benchmark::DoNotOptimize(main.get()->rCode);
        }
        replaced.reset();
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kLineLength));
    }

    std::string folder;
    kovr::Translations translations;
    kovr::LoadedTemplate loaded;
    kovr::DialogView view;
    kovr::HostMain main;
    std::vector<kovr::DataSetData> data;  // the columns the host arrays lie over
    kovr::HostDataSets sets;
};

std::string OptionNamesLine(int options) {
    std::string line = "res &lt;- f(";
    for (int k = 0; k < options; ++k) line += "opt" + std::to_string(k) + ", ";
    return Padded(line + "0)");
}

std::string PlaceholderLine() {
    std::string line = "v &lt;- c(";
    while (line.size() < kLineLength) line += "xltype(1,9), xltype(2,9), ";
    return line + "0)";
}

std::string RepeatedNameLine() {
    std::string line = "v &lt;- c(";
    while (line.size() < kLineLength) line += "opt0, ";
    return line + "0)";
}

void BM_BaselineCopyOfTheLine(benchmark::State& state) {
    const std::wstring line(kLineLength, L'x');
    for (auto _ : state) {
        std::wstring copy = line;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kLineLength));
}
BENCHMARK(BM_BaselineCopyOfTheLine);

void BM_DistinctOptionNames(benchmark::State& state) {
    const int options = static_cast<int>(state.range(0));
    Run run(OptionNamesLine(options), options);
    run.Assemble(state);
}
BENCHMARK(BM_DistinctOptionNames)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

void BM_OneOptionNameRepeated(benchmark::State& state) {
    Run run(RepeatedNameLine(), 1);
    run.Assemble(state);
}
BENCHMARK(BM_OneOptionNameRepeated)->Unit(benchmark::kMillisecond);

void BM_DataPlaceholders(benchmark::State& state) {
    Run run(PlaceholderLine(), 0);
    run.Assemble(state);
}
BENCHMARK(BM_DataPlaceholders)->Unit(benchmark::kMillisecond);

}  // namespace
