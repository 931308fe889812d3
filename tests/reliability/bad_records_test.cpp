// Bad records through every record export: null records, null arrays behind
// their counts, arrays smaller than their counts, arrays of the wrong kind,
// negative and huge counts.
// An export does with such records what it does with good ones as far as the
// host arrays reach, or nothing; it never crashes (the ASan/UBSan build
// checks every access), every string it returns is a host string, and it
// writes only into the folders the main record names.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "desc_results.h"
#include "dialog_rows.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "result_rows.h"
#include "sandbox.h"

namespace {

using host::DataSetArrayBuilder;
using host::DataSetBuilder;
using reliability::ReadFile;
using reliability::Sandbox;

constexpr int16_t kTrue = -1;

// A linear model as the add-in prepares its transfer: an option, a script
// line with the formula, the option and a data placeholder, a chart, a result
// table, and a data set with a response, an explanatory column, a factor and
// labels.
class ModelRun {
public:
    ModelRun() : dialog_(arena_, 8) {
        host::MainFields fields;
        fields.workFolder = sandbox_.work();
        fields.rFolder = sandbox_.rFolder();
        fields.group = "Regression";
        main_ = host::Main(arena_, fields);
        ST_aiR& air = *dialog_.air;
        air.functionName = arena_.Str("lm1");
        air.packages = arena_.Str("stats");
        air.dataStructure = arena_.Str("model");
        air.replaceByValue = kTrue;
        air.usesSeed = kTrue;
        air.seedValue = 1234567;
        air.addObsLabels = 1;
        host::AddOption(arena_, air, host::OptionRow("Input", "level", "0,95"));
        host::AddInputBox(arena_, air, "double");
        host::AddDataSelection(arena_, air, {.rName = "y"});
        host::AddScriptLine(arena_, air, true, "set.seed(kovianseed); fit <- lm(formula, data=data1)");
        host::AddScriptLine(arena_, air, true, "ci <- confint(fit, level) ; n <- xltype(1,9)");
        host::AddChart(arena_, air, {.name = "Residuals", .plotCode = "plot(fit, which=1)"});
        host::AddResultTable(arena_, air, {.rName = "coefficients", .show = "true", .rowLabels = ""});
        sets_ = DataSetArrayBuilder()
                    .Add("data1", DataSetBuilder()
                                      .Quanti1({{"Sales Amount", {1.5, 2.25, 3}}})
                                      .Quanti2({{"Price", {10, 20, 30}}})
                                      .Quali1({{"Region", {"north", "south", "north"}}})
                                      .Labels({"o1", "o2", "o3"})
                                      .DataQuanti({{{"w", {7, 8, 9}}}}))
                    .Build(arena_);
        info_ = arena_.System(".", ";");
    }

    // Every record export that writes files or fills records, one after the
    // other, each with the records as they stand.
    void TransferEverything() {
        Cpp_GetRCodeAndReplaceOptions(main_, dialog_.air, sets_, 0);
        Cpp_WriteROneScript(main_, dialog_.air, info_, sets_, kTrue);
        Cpp_WriteRScripts(main_, dialog_.air, info_, sets_);
        Cpp_TransferToR(main_, dialog_.air, sets_, info_, 0);
        Cpp_TransferToR(main_, dialog_.air, sets_, info_, 1);
        Cpp_WriteDataSetToFile(main_, dialog_.air, FirstDataSet(), 1, kTrue, kTrue, arena_.Str("one.csv"),
                               arena_.Str(";"), kTrue, kTrue);
    }

    // The exports that only compute text from the records; each result must
    // be a host string.
    void ComputeEverything() {
        ExpectHostString(Cpp_GetModelEquation(dialog_.air, sets_, 0));
        ExpectHostString(Cpp_GetModelEquation(dialog_.air, sets_, 1));
        for (int32_t set : {INT_MIN, -1, 0, 1, 2, INT_MAX}) {
            for (int32_t kind : {INT_MIN, 0, 9, 10, INT_MAX}) ExpectHostString(Cpp_GetVarFromSetID(sets_, set, kind));
        }
        auto code = arena_.Var("x <- xltype(1,9) + xltype(1,10) + xltype(9,9) + xltype(");
        Cpp_ReplaceCodeByData(code, sets_);
        ExpectHostString(*code);
        for (int32_t option : {INT_MIN, -1, 0, 1, 2, 9, INT_MAX}) {
            auto kind = arena_.Var("");
            auto value = arena_.Var("");
            int32_t list = 0;
            int32_t inputs = 0;
            int32_t combos = 0;
            Cpp_GetTypeValListindex(dialog_.air, option, kind, value, &list, &inputs, &combos);
            ExpectHostString(Cpp_GetValueForCtlType(dialog_.air, option, *kind, *value, list, inputs, combos));
            int32_t i = option;
            ExpectHostString(Cpp_GetRCodeForOption(dialog_.air, &i, &inputs, &combos));
        }
    }

    void DescribeEverything() {
        auto quali = host::QualiInfo(arena_, host::TextInfo({{"Region", {"north", "south"}}}));
        std::vector<host::Ptr<ST_DescStats>> results;
        for (int k = 0; k < 4; ++k) {
            results.push_back(
                host::DescStats(arena_, {.statistics = {"n", "mean"}, .numericColumns = 2, .textColumns = 1,
                                         .categories = 3}));
        }
        // Prediction data of their own: a host record passed twice would be
        // written back twice, the first strings lost to the host.
        auto second = DataSetArrayBuilder().Add("data2", DataSetBuilder().Quanti1({{"x", {4, 5}}})).Build(arena_);
        auto third = DataSetBuilder().Quanti1({{"x", {6}}}).Build(arena_);
        Cpp_GetDescStatsModel(kTrue, sets_, second, third, quali, results[0], results[1], results[2], results[3]);
    }

    // Taken as the host would, also when the array's descriptor is wrong.
    ST_DataSet* FirstDataSet() {
        ST_DataSetArray* sets = sets_.get();
        return sets != nullptr && sets->dataSets != nullptr ? static_cast<ST_DataSet*>(sets->dataSets->pvData)
                                                            : nullptr;
    }

    void ExpectHostString(BSTR s) {
        EXPECT_NE(s, nullptr);
        arena_.Adopt(s);
    }

    // The scripts with the sandbox's folder written as "SANDBOX", without
    // their first line (the time they were written).
    std::string Script() const { return InSandbox(Undated(ReadFile(sandbox_.rFolder() + "lm1.script"))); }
    std::string CheckScript() const { return InSandbox(Undated(ReadFile(sandbox_.rFolder() + "lm10.script"))); }
    static std::string Undated(const std::string& script) { return script.substr(script.find('\n') + 1); }
    std::string InSandbox(std::string text) const {
        for (size_t at = text.find(sandbox_.root()); at != std::string::npos; at = text.find(sandbox_.root(), at)) {
            text.replace(at, sandbox_.root().size(), "SANDBOX");
        }
        return text;
    }
    std::string DataFile(const std::string& name) const { return ReadFile(sandbox_.work() + "datastore/" + name); }

    Sandbox sandbox_;
    reliability::OutsideWatch outside_;
    host::Arena arena_;
    host::Ptr<ST_Main_aiR> main_;
    host::Dialog dialog_;
    host::Ptr<ST_DataSetArray> sets_;
    host::Ptr<SystemInfo> info_;
};

// Every vector of the dialog record.
std::vector<ST_Vect*> DialogVectors(ST_aiR& air) {
    std::vector<ST_Vect*> vectors;
    for (int k = 0; k < host::kAirVectorCount; ++k) vectors.push_back(&host::AirVector(air, k));
    return vectors;
}

// Sets every element of a host array of 32-bit integers (none when null).
void SetAll(SAFEARRAY* ints, int32_t value) {
    if (ints == nullptr || ints->pvData == nullptr) return;
    for (uint32_t i = 0; i < ints->rgsabound[0].cElements; ++i) static_cast<int32_t*>(ints->pvData)[i] = value;
}

// Every block record of a data set, the extra blocks included.
std::vector<ST_MVect*> Blocks(ST_DataSet& set) {
    std::vector<ST_MVect*> blocks = {&set.quanti1, &set.quanti2, &set.quali1, &set.quali2, &set.textBlock};
    for (ST_Data* list : {&set.dataQuanti, &set.dataQuali}) {
        for (uint32_t b = 1; list->blocks != nullptr && b <= list->blocks->rgsabound[0].cElements; ++b) {
            blocks.push_back(&host::RecordAt<ST_MVect>(list->blocks, static_cast<int>(b)));
        }
    }
    return blocks;
}

TEST(BadRecords, GoodRunWritesScriptsAndDataFiles) {
    ModelRun run;
    run.TransferEverything();
    run.ComputeEverything();
    run.DescribeEverything();
    EXPECT_NE(run.Script().find("fit <- lm(y ~ +Price+Region, data=data1)\nci <- confint(fit, level=0.95) ; n <- w\n"),
              std::string::npos)
        << run.Script();
    EXPECT_EQ(run.DataFile("data1.csv"),
              "obsLabels;Sales.Amount;Price;Region;w\no1;1.5;10;north;7\no2;2.25;20;south;8\no3;3;30;north;9\n");
    EXPECT_TRUE(run.sandbox_.Outside().empty());
    EXPECT_TRUE(run.outside_.NewEntries().empty());
}

TEST(BadRecords, NullRecordsLeaveTheCallWithoutEffect) {
    ModelRun run;
    Cpp_GetRCodeAndReplaceOptions(nullptr, run.dialog_.air, run.sets_, 0);
    Cpp_GetRCodeAndReplaceOptions(run.main_, nullptr, run.sets_, 0);
    Cpp_WriteROneScript(nullptr, run.dialog_.air, run.info_, run.sets_, kTrue);
    Cpp_WriteROneScript(run.main_, nullptr, run.info_, run.sets_, kTrue);
    Cpp_WriteRScripts(nullptr, run.dialog_.air, run.info_, run.sets_);
    Cpp_WriteRScripts(run.main_, nullptr, run.info_, run.sets_);
    Cpp_TransferToR(nullptr, run.dialog_.air, run.sets_, run.info_, 1);
    Cpp_TransferToR(run.main_, nullptr, run.sets_, run.info_, 1);
    Cpp_WriteDataSetToFile(nullptr, run.dialog_.air, run.FirstDataSet(), 0, 0, 0, run.arena_.Str("a.csv"),
                           run.arena_.Str(";"), kTrue, 0);
    Cpp_WriteDataSetToFile(run.main_, run.dialog_.air, nullptr, 0, 0, 0, run.arena_.Str("a.csv"),
                           run.arena_.Str(";"), kTrue, 0);
    Cpp_GetListOfRFiles(nullptr);
    EXPECT_EQ(Cpp_GetNbRFiles(nullptr), 0);
    EXPECT_EQ(run.sandbox_.Entries(), (std::vector<std::string>{"r", "work"}));

    run.ExpectHostString(Cpp_GetModelEquation(nullptr, run.sets_, 0));
    run.ExpectHostString(Cpp_GetVarFromSetID(nullptr, 1, 9));
    run.ExpectHostString(Cpp_GetValueForCtlType(nullptr, 1, nullptr, nullptr, 0, 0, 0));
    int32_t option = 1;
    run.ExpectHostString(Cpp_GetRCodeForOption(nullptr, &option, nullptr, nullptr));
    run.ExpectHostString(Cpp_GetRCodeForOption(run.dialog_.air, nullptr, nullptr, nullptr));
    Cpp_GetTypeValListindex(nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr);
    Cpp_GetTypeValListindex(run.dialog_.air, 1, nullptr, nullptr, nullptr, nullptr, nullptr);
    Cpp_ReplaceCodeByData(nullptr, run.sets_);
    Cpp_GetDescStatsModel(kTrue, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    Cpp_LoadClabelsRfunc(3, nullptr, nullptr, kTrue, nullptr);

    // Records the host may leave out: no data sets and no system information
    // still give both scripts, with empty separators.
    Cpp_TransferToR(run.main_, run.dialog_.air, nullptr, nullptr, 1);
    EXPECT_NE(run.Script().find("fit <- lm("), std::string::npos);
    EXPECT_NE(run.CheckScript(), "");
    auto code = run.arena_.Var("n <- xltype(1,9)");
    Cpp_ReplaceCodeByData(code, nullptr);
    EXPECT_EQ(host::Text(*code), "n <- ");
    run.ExpectHostString(Cpp_GetModelEquation(run.dialog_.air, nullptr, 1));
    // A data set written without a dialog record (it is not read).
    Cpp_WriteDataSetToFile(run.main_, nullptr, run.FirstDataSet(), 0, 0, 0, run.arena_.Str("b.csv"), nullptr, 0, 0);
    EXPECT_EQ(run.DataFile("b.csv"), "1.510north7\n2.2520south8\n330north9\n");
    EXPECT_TRUE(run.sandbox_.Outside().empty());
    EXPECT_TRUE(run.outside_.NewEntries().empty());
}

TEST(BadRecords, EmptyFoldersNameNoFolder) {
    ModelRun run;
    // Without folders the paths would start at the root of the file system.
    run.main_->workFolder = run.arena_.Str("");
    run.main_->rFolder = run.arena_.Str("");
    run.TransferEverything();
    EXPECT_EQ(run.sandbox_.Entries(), (std::vector<std::string>{"r", "work"}));
    EXPECT_EQ(run.outside_.NewEntries(), std::vector<std::string>{});
    // The code still names its chart by file name alone.
    EXPECT_NE(host::Text(run.main_->rCode).find("png('Residuals.png',"), std::string::npos)
        << host::Text(run.main_->rCode);
}

TEST(BadRecords, NullArraysBehindCountsReadAsEmpty) {
    ModelRun run;
    for (ST_Vect* vect : DialogVectors(*run.dialog_.air)) {
        vect->count = 5;
        vect->values = nullptr;
    }
    ST_DataSet& set = *run.FirstDataSet();
    for (ST_MVect* block : Blocks(set)) {
        block->columnCount = 3;
        block->columns = nullptr;
        block->columnLengths = nullptr;
        block->columnNames = nullptr;
    }
    set.obsLabels = nullptr;
    set.dataQuanti.blocks = nullptr;
    set.dataQuanti.blockCount = 2;
    // A host array that announces records but holds none.
    set.dataQuali.blocks = run.arena_.CountOnly<ST_MVect>(2);
    set.dataQuali.blockCount = 2;
    run.TransferEverything();
    run.ComputeEverything();
    run.DescribeEverything();
    // Nothing is left of the data but rowCount: no line of empty cells.
    EXPECT_EQ(run.DataFile("data1.csv"), "obsLabels\n");
    EXPECT_EQ(set.quanti1.columnCount, 3);
    EXPECT_EQ(run.dialog_.air->optionKind.count, 5);

    run.sets_->dataSets = run.arena_.CountOnly<ST_DataSet>(3);
    run.sets_->exportFlags = nullptr;
    run.sets_->dataSetNames = nullptr;
    run.sets_->count = 3;
    run.main_->catalogTable = nullptr;
    run.main_->catalogCount = 3;
    run.TransferEverything();
    run.ComputeEverything();
    run.DescribeEverything();
    EXPECT_EQ(run.sets_->count, 3);
    EXPECT_TRUE(run.sandbox_.Outside().empty());
    EXPECT_TRUE(run.outside_.NewEntries().empty());
}

TEST(BadRecords, CountsBeyondTheArraysReachOnlyWhatTheArraysHold) {
    ModelRun honest;
    honest.TransferEverything();
    ModelRun run;
    // Every vector claims more entries than its array holds (8).
    for (ST_Vect* vect : DialogVectors(*run.dialog_.air)) vect->count = 100;
    ST_DataSetArray& sets = *run.sets_;
    sets.count = 4;  // one data set record, one export flag, one name
    ST_DataSet& set = *run.FirstDataSet();
    for (ST_MVect* block : Blocks(set)) {
        block->columnCount += 3;
        SetAll(block->columnLengths, 1000);
    }
    set.dataQuanti.blockCount = 5;
    run.TransferEverything();
    run.ComputeEverything();
    run.DescribeEverything();
    EXPECT_EQ(run.Script(), honest.Script());
    EXPECT_EQ(run.CheckScript(), honest.CheckScript());
    EXPECT_EQ(run.DataFile("data1.csv"), honest.DataFile("data1.csv"));
    EXPECT_EQ(run.DataFile("one.csv"), honest.DataFile("one.csv"));
    EXPECT_EQ(sets.count, 4);
    EXPECT_EQ(run.dialog_.air->scriptCode.count, 100);
    EXPECT_TRUE(run.sandbox_.Outside().empty());
}

// Every host array the records of a run hold. Arrays inside records of
// arrays are found through those records, so before any array is made wrong.
std::vector<SAFEARRAY*> HostArrays(ModelRun& run) {
    std::vector<SAFEARRAY*> arrays;
    // By value: the records are packed, their fields may be misaligned.
    const auto add = [&arrays](SAFEARRAY* array) {
        if (array != nullptr) arrays.push_back(array);
    };
    add(run.main_->catalogTable);
    add(run.sets_->dataSets);
    add(run.sets_->exportFlags);
    add(run.sets_->dataSetNames);
    for (ST_Vect* vect : DialogVectors(*run.dialog_.air)) add(vect->values);
    for (int j = 0; j < host::kControlVectorCount; ++j) add(host::ControlVector(*run.dialog_.controls, j).values);
    ST_DataSet& set = *run.FirstDataSet();
    add(set.obsLabels);
    add(set.dataQuanti.blocks);
    add(set.dataQuali.blocks);
    for (ST_MVect* block : Blocks(set)) {
        add(block->columns);
        add(block->columnLengths);
        add(block->columnNames);
        for (int i = 1; block->columns != nullptr && i <= block->columnCount; ++i) {
            add(host::RecordAt<ST_Vect>(block->columns, i).values);
        }
    }
    return arrays;
}

std::string Bytes(const SAFEARRAY* array) {
    size_t n = array->cbElements;
    for (uint16_t d = 0; d < array->cDims; ++d) n *= array->rgsabound[d].cElements;
    return array->pvData == nullptr ? std::string() : std::string(static_cast<const char*>(array->pvData), n);
}

// Descriptors that do not say what the field holds: 16-bit elements for
// 32-bit ones (and so on), strings for numbers or records and the reverse,
// no or three dimensions. Every export is called with all of them at once:
// each such array counts as absent, so none is read beyond its end (the
// ASan build checks) and none is written.
TEST(BadRecords, ArraysOfTheWrongKindAreLeftAlone) {
    struct Wrong {
        const char* what;
        void (*make)(SAFEARRAY&);
    };
    const Wrong wrongs[] = {
        {"element size", [](SAFEARRAY& a) { a.cbElements /= 2; }},
        {"string and record flags", [](SAFEARRAY& a) { a.fFeatures ^= FADF_BSTR | FADF_RECORD; }},
        {"no dimension", [](SAFEARRAY& a) { a.cDims = 0; }},
        {"three dimensions", [](SAFEARRAY& a) { a.cDims = 3; }},
    };
    for (const Wrong& wrong : wrongs) {
        SCOPED_TRACE(wrong.what);
        ModelRun run;
        run.main_->catalogTable = run.arena_.Array(host::Elem::kString, 7, 9);
        run.main_->catalogCount = 9;
        run.main_->catalogFolder = run.arena_.Str(KOV_SOURCE_DIR "/examples/catalogue");
        run.main_->templateFolder = run.arena_.Str(KOV_SOURCE_DIR "/examples/catalogue/Regression");
        run.main_->templateFile = run.arena_.Str("linear_regression.xml");
        const std::vector<SAFEARRAY*> arrays = HostArrays(run);
        std::vector<std::string> before;
        std::vector<SAFEARRAY> descriptors;  // the header is enough to put each back
        for (SAFEARRAY* array : arrays) {
            before.push_back(Bytes(array));
            descriptors.push_back(*array);
            wrong.make(*array);
        }
        Cpp_GetListOfRFiles(run.main_);
        Cpp_GetMethodDescription(run.main_, run.dialog_.air, run.dialog_.controls, run.arena_.Buffer({}, 6500),
                                 run.arena_.ErrorInfo());
        run.TransferEverything();
        run.ComputeEverything();
        run.DescribeEverything();
        for (size_t k = 0; k < arrays.size(); ++k) {
            arrays[k]->cDims = descriptors[k].cDims;
            arrays[k]->fFeatures = descriptors[k].fFeatures;
            arrays[k]->cbElements = descriptors[k].cbElements;
            EXPECT_EQ(Bytes(arrays[k]), before[k]) << "array " << k;
        }
        EXPECT_EQ(run.DataFile("data1.csv"), "");
        EXPECT_TRUE(run.sandbox_.Outside().empty());
    }
}

TEST(BadRecords, NegativeAndHugeCountsAreHarmless) {
    for (int32_t count : {INT_MIN, -1, INT_MAX}) {
        SCOPED_TRACE(count);
        ModelRun run;
        for (ST_Vect* vect : DialogVectors(*run.dialog_.air)) vect->count = count;
        run.sets_->count = count;
        ST_DataSet& set = *run.FirstDataSet();
        for (ST_MVect* block : Blocks(set)) {
            block->columnCount = count;
            SetAll(block->columnLengths, count);
        }
        set.dataQuanti.blockCount = count;
        set.dataQuali.blockCount = count;
        set.rowCount = count;
        run.main_->catalogCount = count;
        run.TransferEverything();
        run.ComputeEverything();
        run.DescribeEverything();
        // A negative row count gives no data line; a huge one no more lines
        // than the host arrays hold rows.
        const std::string data = run.DataFile("data1.csv");
        const size_t lines = static_cast<size_t>(std::count(data.begin(), data.end(), '\n'));
        EXPECT_EQ(lines, count < 0 ? 1u : 4u) << data;
        EXPECT_EQ(run.sets_->count, count);
        EXPECT_TRUE(run.sandbox_.Outside().empty());
        EXPECT_TRUE(run.outside_.NewEntries().empty());
    }
}

}  // namespace
