// Data files of 1,000,000 rows x 10 columns written through
// Cpp_WriteDataSetToFile, for three kinds of data: random doubles, spreadsheet
// values with two decimals, whole numbers. In the same run the same data is
// written by a plain snprintf("%.15g") writer and, when R and data.table are
// installed, by data.table::fwrite with one thread.
//
// Counters: file_MiB, the file's size; peak_extra_MiB, how far the process's
// resident memory rose above what it held before the call (the host's data
// included), i.e. the writer's own memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host_data_sets.h"
#include "host_records.h"
#include "host_text.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kColumns = 10;

enum Kind { kRandom, kCents, kWhole };
const char* const kKindNames[] = {"random", "cents", "whole"};

std::vector<std::vector<double>> MakeColumns(Kind kind) {
    std::mt19937_64 random(7 + kind);
    std::uniform_real_distribution<double> spread(-1000.0, 1000.0);
    std::uniform_int_distribution<int> counts(0, 1000000);
    std::vector<std::vector<double>> columns(kColumns, std::vector<double>(kRows));
    for (auto& column : columns) {
        for (double& value : column) {
            switch (kind) {
                case kRandom: value = spread(random); break;
                case kCents: value = static_cast<double>(counts(random)) / 100.0; break;
                case kWhole: value = counts(random); break;
            }
        }
    }
    return columns;
}

// The benchmark's work folder with its data store, removed at exit.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kovcsvbenchXXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
        std::filesystem::create_directory(path_ + "/datastore");
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& Folder() {
    static const BenchFolder folder;
    return folder.path();
}

// kB from a line of /proc/self/status ("VmHWM:   1234 kB").
long StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
    }
    return 0;
}

// Lets VmHWM restart from the current resident size.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double MiB(double bytes) { return bytes / (1024.0 * 1024.0); }

// The host's data set, its arrays holding the columns.
struct HostData {
    explicit HostData(Kind kind) : data(Sets(kind)), sets(data) {
        main.Set(offsetof(ST_Main_aiR, workFolder), Folder() + "/");
    }
    static std::vector<kovr::DataSetData> Sets(Kind kind) {
        kovr::DataSetData data;
        data.name = kKindNames[kind];
        int k = 0;
        for (auto& values : MakeColumns(kind)) {
            data.rowCount = static_cast<int>(values.size());
            const auto numbers = std::make_shared<const std::vector<double>>(std::move(values));
            data.quanti1.push_back(kovr::ColumnData{"v" + std::to_string(++k), true, numbers, {}});
        }
        return {data};
    }

    kovr::HostMain main;
    ST_aiR dialog{};
    std::vector<kovr::DataSetData> data;  // the columns the host arrays lie over
    kovr::HostDataSets sets;
};

HostData& Data(Kind kind) {
    static std::unique_ptr<HostData> data[3];
    if (data[kind] == nullptr) data[kind] = std::make_unique<HostData>(kind);
    return *data[kind];
}

void BM_WriteDataSetToFile(benchmark::State& state) {
    const Kind kind = static_cast<Kind>(state.range(0));
    HostData& data = Data(kind);
    BSTR fileName = kovr::NewHostString(std::string(kKindNames[kind]) + ".csv");
    BSTR separator = kovr::NewHostString(";");
    ST_Main_aiR* main = data.main.get();
    ST_DataSet* dataSet = &data.sets.DataSet(1);
    double peakExtra = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        const long before = StatusKiB("VmRSS");
        state.ResumeTiming();
        {
            // Frees the strings the call replaced, outside the timing.
            kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) {
                data.main.CollectStrings(s);
                data.sets.CollectStrings(s);
            });
            Cpp_WriteDataSetToFile(main, &data.dialog, dataSet, 0, 0, 0, fileName, separator, -1, 0);
            state.PauseTiming();
            peakExtra = std::max(peakExtra, (StatusKiB("VmHWM") - before) * 1024.0);
        }
        state.ResumeTiming();
    }
    SysFreeString(fileName);
    SysFreeString(separator);
    const double size = static_cast<double>(
        std::filesystem::file_size(Folder() + "/datastore/" + kKindNames[kind] + ".csv"));
    state.counters["file_MiB"] = MiB(size);
    state.counters["peak_extra_MiB"] = MiB(peakExtra);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

// The plain way: every number through snprintf into a buffer, written in chunks.
void BM_SnprintfWriter(benchmark::State& state) {
    const Kind kind = static_cast<Kind>(state.range(0));
    const std::vector<std::vector<double>> columns = MakeColumns(kind);
    const std::string path = Folder() + "/snprintf_" + kKindNames[kind] + ".csv";
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "w+");
        std::string buffer = "v1;v2;v3;v4;v5;v6;v7;v8;v9;v10\n";
        char number[32];
        for (int row = 0; row < kRows; ++row) {
            for (int c = 0; c < kColumns; ++c) {
                if (c > 0) buffer += ';';
                buffer.append(number, static_cast<size_t>(std::snprintf(number, sizeof number, "%.15g",
                                                                        columns[static_cast<size_t>(c)][row])));
            }
            buffer += '\n';
            if (buffer.size() > (1 << 20)) {
                std::fwrite(buffer.data(), 1, buffer.size(), file);
                buffer.clear();
            }
        }
        std::fwrite(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

// data.table::fwrite(nThread=1) on the same columns, timed inside R (reading
// the data into R is not timed); skipped without R or data.table.
void BM_DataTableFwrite(benchmark::State& state) {
    const Kind kind = static_cast<Kind>(state.range(0));
    if (std::system("Rscript -e 'quit(status = !requireNamespace(\"data.table\", quietly = TRUE))' "
                    "> /dev/null 2>&1") != 0) {
        state.SkipWithError("R with data.table is not installed");
        for (auto _ : state) {
        }
        return;
    }
    const std::string base = Folder() + "/fwrite_" + kKindNames[kind];
    {
        std::ofstream values(base + ".bin", std::ios::binary);
        for (const auto& column : MakeColumns(kind)) {
            values.write(reinterpret_cast<const char*>(column.data()),
                         static_cast<std::streamsize>(column.size() * sizeof(double)));
        }
    }
    std::ofstream(base + ".R")
        << "suppressMessages(library(data.table))\n"
        << "x <- readBin('" << base << ".bin', 'double', n=" << kRows * kColumns << ")\n"
        << "d <- as.data.table(matrix(x, ncol=" << kColumns << "))\n"
        << "setnames(d, paste0('v', 1:" << kColumns << "))\n"
        << "t <- system.time(fwrite(d, '" << base << ".csv', sep=';', nThread=1))\n"
        << "cat(t[['elapsed']], t[['user.self']] + t[['sys.self']], file='" << base << ".time')\n";
    double cpuTotal = 0;
    for (auto _ : state) {
        if (std::system(("Rscript --vanilla '" + base + ".R' > /dev/null 2>&1").c_str()) != 0) {
            state.SkipWithError("Rscript failed");
            break;
        }
        std::ifstream time(base + ".time");
        double seconds = 0;
        double cpuSeconds = 0;
        time >> seconds >> cpuSeconds;
        state.SetIterationTime(seconds);
        cpuTotal += cpuSeconds;
    }
    // R's own processor time, comparable with the CPU column of the others.
    if (state.iterations() > 0) state.counters["r_cpu_ms"] = 1000.0 * cpuTotal / static_cast<double>(state.iterations());
    if (std::filesystem::exists(base + ".csv")) {
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(base + ".csv")));
    }
}

void Kinds(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("kind")->Arg(kRandom)->Arg(kCents)->Arg(kWhole)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_WriteDataSetToFile)->Apply(Kinds)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SnprintfWriter)->Apply(Kinds)->UseRealTime()->Iterations(2);
BENCHMARK(BM_DataTableFwrite)->Apply(Kinds)->UseManualTime()->Iterations(3);

}  // namespace
