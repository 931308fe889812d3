// Assembly of a 100 KB script line holding thousands of option names or data
// placeholders, through Cpp_GetRCodeAndReplaceOptions, against a plain copy of
// the same line as the baseline.
#include <benchmark/benchmark.h>

#include <string>

#include "dialog_rows.h"
#include "arena_records.h"

namespace {

constexpr size_t kLineLength = 100 * 1024;

// Pads code with statements that hold no name or placeholder up to 100 KB.
std::string Padded(std::string code) {
    while (code.size() < kLineLength) code += "; y <- y + 1";
    return code;
}

// A run whose only script line is the given replace line, with one integer
// input option per name.
struct Run {
    Run(const std::string& line, int options) : main(host::Main(arena)), dialog(arena, options + 1) {
        ST_aiR& air = *dialog.air;
        air.dataStructure = arena.Str("data");
        air.replaceByValue = -1;
        for (int k = 0; k < options; ++k) {
            host::AddOption(arena, air, host::OptionRow("Input", "opt" + std::to_string(k), std::to_string(k)));
            host::AddInputBox(arena, air, "integer");
        }
        host::AddScriptLine(arena, air, true, line);
        sets = host::DataSetArrayBuilder()
                   .Add("Data1", host::DataSetBuilder().DataQuanti({{{"Rain fall", {1.0}}}}))
                   .Build(arena);
    }

    void Assemble(benchmark::State& state) {
        ST_Main_aiR* mainRecord = main.get();
        ST_aiR* air = dialog.air.get();
        ST_DataSetArray* setRecord = sets.get();
        for (auto _ : state) {
            Cpp_GetRCodeAndReplaceOptions(mainRecord, air, setRecord, 0);
            benchmark::DoNotOptimize(mainRecord->rCode);
            // Frees the strings the call replaced, outside the timing.
            state.PauseTiming();
            arena.Sweep();
            state.ResumeTiming();
        }
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kLineLength));
    }

    host::Arena arena;
    host::Ptr<ST_Main_aiR> main;
    host::Dialog dialog;
    host::Ptr<ST_DataSetArray> sets;
};

std::string OptionNamesLine(int options) {
    std::string line = "res <- f(";
    for (int k = 0; k < options; ++k) line += "opt" + std::to_string(k) + ", ";
    return Padded(line + "0)");
}

std::string PlaceholderLine() {
    std::string line = "v <- c(";
    while (line.size() < kLineLength) line += "xltype(1,9), xltype(2,9), ";
    return line + "0)";
}

std::string RepeatedNameLine() {
    std::string line = "v <- c(";
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
