// Bad records through every export: a null in place of each record, string or
// buffer; negative and huge counts; host arrays gone from behind their counts
// or of the wrong kind; null strings in every string field and array. Each
// export does what it can with what the arrays hold, or nothing: no crash (the
// ASan/UBSan build checks every access), every string it returns is a host
// string, it writes nothing into an array of the wrong kind, and it writes
// files only into the folders the main record names.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "dialog_choices.h"
#include "host_arrays.h"
#include "host_data_sets.h"
#include "host_text.h"
#include "record_fields.h"
#include "template_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using kovtest::Numbers;
using kovtest::Texts;

// Every argument an export takes by address, so that each can be made null.
struct Args {
    ST_Main_aiR* main;
    ST_aiR* dialog;
    ST_AirControlInfo* controls;
    ST_DataSetArray *sets, *second;
    ST_DataSet *set, *third;
    SystemInfo* info;
    BSTR* messages;
    ST_aiRSize* sizes;
    ST_AirControlInfoSize* controlSizes;
    ST_ErrorInfo* error;
    ST_QualiInfo* quali;
    ST_DescStats *r1, *r2, *r3, *r4;
    const wchar_t* folder;
    BSTR text, find, by, separator, file;
    BSTR *list, *buffer, *out, *header, *formula, *code, *kind, *value;
    double* numbers;
    int32_t *ints, *option, *listIndex, *inputs, *combos;
};

template <typename T>
std::span<T> Items(SAFEARRAY* array) {
    return {kovr::Elements<T>(array), kovr::ElementCount(array)};
}

// The linear regression example, its option rows at their defaults, over a
// data set of a response, an explanatory column, a factor, labels and an
// extra block, with two statistics of its numeric columns asked for.
struct Model {
    Model() {
        const kovr::DialogView view = kovr::ViewOf(loaded);
        kovr::DialogChoices(view).WriteOptionRows(*loaded.dialog);
        const std::pair<size_t, std::string> fields[] = {
            {offsetof(ST_Main_aiR, workFolder), folder / "work/"},
            {offsetof(ST_Main_aiR, rFolder), folder / "r/"},
            {offsetof(ST_Main_aiR, catalogFolder), kCatalogue},
            {offsetof(ST_Main_aiR, group), view.group},
            {offsetof(ST_Main_aiR, rCode), ""}};
        for (const auto& [field, text] : fields) main.Set(field, text);
        fs::create_directory(folder / "work");
        main.NewCatalogTable(9);
        info.decimalSymbol = kovr::NewHostString(".");
        info.listSeparator = kovr::NewHostString(";");
        results[0].quanti.values = sets.Table(VT_R8, 2, 2);
        results[0].quanti.formats.statistics = sets.Array(VT_BSTR, 2);
        kovr::SetTextAt(results[0].quanti.formats.statistics, 1, "n");
        kovr::SetTextAt(results[0].quanti.formats.statistics, 2, "mean");
        for (BSTR& s : strings) s = kovr::NewHostString("a,b;c");
        for (BSTR& s : slots) s = kovr::NewHostString("x; y");
        ST_DescStats* r = results;
        a = {main.get(), &loaded.dialog->dialog(), &loaded.dialog->controls(), sets.get(), &second, &sets.DataSet(1),
             &third, &info, translations.data(), &sizes, &controlSizes, &error, &quali, r, r + 1, r + 2, r + 3,
             catalogue.c_str(), strings[0], strings[1], strings[2], strings[3], strings[4], &slots[0], &slots[1],
             &slots[4], &slots[7], &slots[8], &slots[9], &slots[10], &slots[11], numbers, ints, &option, &listIndex,
             &inputs, &combos};
    }
    ~Model() {
        for (BSTR s : strings) SysFreeString(s);
        for (BSTR s : slots) SysFreeString(s);
        for (BSTR s : {info.decimalSymbol, info.listSeparator, error.title, error.message, error.module,
                       error.text1, error.text2}) {
            SysFreeString(s);
        }
    }

    static kovr::DataSetData Data() {
        kovr::DataSetData d;
        d.name = "data1";
        d.quanti1 = {Numbers("y", {1.5, 2.25, 3})};
        d.quanti2 = {Numbers("x", {10, 20, 30})};
        d.quali1 = {Texts("g", {"n", "s", "n"})};
        d.dataQuanti = {{Numbers("w", {7, 8, 9})}};
        d.obsLabels = {"o1", "o2", "o3"};
        d.rowCount = 3;
        return d;
    }

    // Every host string the records and the arguments hold.
    void Collect(kovr::StringSlots& s) {
        main.CollectStrings(s);
        loaded.dialog->CollectStrings(s);
        sets.CollectStrings(s);
        for (BSTR& slot : slots) s.Field(&slot);
        for (size_t field : {offsetof(SystemInfo, decimalSymbol), offsetof(SystemInfo, listSeparator)}) {
            s.Field(reinterpret_cast<char*>(&info) + field);
        }
        for (size_t field : {offsetof(ST_ErrorInfo, title), offsetof(ST_ErrorInfo, message),
                             offsetof(ST_ErrorInfo, module), offsetof(ST_ErrorInfo, text1), offsetof(ST_ErrorInfo, text2)}) {
            s.Field(reinterpret_cast<char*>(&error) + field);
        }
    }

    // The fields of the records that hold host arrays (as addresses: in the
    // packed records they may not be aligned) and counts.
    void Array(void* record, size_t offset) { arrays.push_back(static_cast<char*>(record) + offset); }
    void Vect(ST_Vect& v) {
        counts.push_back(&v.count);
        Array(&v, offsetof(ST_Vect, values));
    }
    void Block(ST_MVect& b) {
        counts.push_back(&b.columnCount);
        for (size_t field : {offsetof(ST_MVect, columnLengths), offsetof(ST_MVect, columns),
                             offsetof(ST_MVect, columnNames)}) {
            Array(&b, field);
        }
        for (int32_t& n : Items<int32_t>(b.columnLengths)) counts.push_back(&n);
        for (ST_Vect& v : Items<ST_Vect>(b.columns)) Vect(v);
    }
    void DataSet(ST_DataSet& d) {
        for (ST_MVect* b : {&d.quanti1, &d.quanti2, &d.quali1, &d.quali2, &d.textBlock}) Block(*b);
        for (ST_Data* list : {&d.dataQuanti, &d.dataQuali}) {
            counts.push_back(&list->blockCount);
            Array(list, offsetof(ST_Data, blocks));
            for (ST_MVect& b : Items<ST_MVect>(list->blocks)) Block(b);
        }
        counts.push_back(&d.rowCount);
        Array(&d, offsetof(ST_DataSet, obsLabels));
    }
    void FindParts() {
        Collect(held);
        for (const auto& field : kovr::kDialogVectors) Vect(kovr::VectorOf(loaded.dialog->dialog(), field));
        for (const auto& field : kovr::kControlVectors) Vect(kovr::VectorOf(loaded.dialog->controls(), field));
        Vect(main.get()->spareList);
        counts.push_back(&main.get()->catalogCount);
        Array(main.get(), offsetof(ST_Main_aiR, catalogTable));
        counts.push_back(&sets.get()->count);
        for (size_t field : {offsetof(ST_DataSetArray, dataSets), offsetof(ST_DataSetArray, exportFlags),
                             offsetof(ST_DataSetArray, dataSetNames)}) {
            Array(sets.get(), field);
        }
        DataSet(sets.DataSet(1));
        Array(&results[0], offsetof(ST_DescStats, quanti.values));
        Array(&results[0], offsetof(ST_DescStats, quanti.formats.statistics));
    }
    static SAFEARRAY* Load(void* field) {
        SAFEARRAY* array;
        std::memcpy(&array, field, sizeof array);
        return array;
    }
    static void Store(void* field, SAFEARRAY* array) { std::memcpy(field, &array, sizeof array); }

    void Take(BSTR s) {
        EXPECT_NE(s, nullptr);
        SysFreeString(s);
    }

    inline static const std::string kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";
    kovtest::TempFolder folder;
    kovr::Translations translations;
    kovr::LoadedTemplate loaded = kovr::LoadTemplate(kCatalogue + "/Regression/linear_regression.xml", translations);
    kovr::HostMain& main = *loaded.main;  // names the template
    const kovr::DataSetData data = Data();  // the numbers stay in these columns
    kovr::HostDataSets sets{{data}};
    ST_DataSetArray second{};
    ST_DataSet third{};
    SystemInfo info{};
    ST_QualiInfo quali{};
    ST_DescStats results[4]{};
    ST_aiRSize sizes{};
    ST_AirControlInfoSize controlSizes{};
    ST_ErrorInfo error{};
    std::wstring catalogue = kovr::WideText(kCatalogue);
    BSTR strings[5];
    BSTR slots[12];
    double numbers[3]{};
    int32_t ints[3]{}, option = 1, listIndex = 0, inputs = 0, combos = 0;
    int32_t n = 3, k = 1;  // counts and positions
    Args a;
    kovr::StringSlots held;
    std::vector<void*> arrays;
    std::vector<int32_t*> counts;
    std::vector<std::function<void()>> undo;  // puts back what a fault took away
};

using Call = void (*)(Model&);
const std::pair<const char*, Call> kExports[] = {
    {"Len", [](Model& r) { Cpp_Len(r.a.text); }},
    {"Asc", [](Model& r) { Cpp_Asc(r.a.text); }},
    {"InStr", [](Model& r) { Cpp_InStr(r.k, r.a.text, r.a.find); }},
    {"Left", [](Model& r) { r.Take(Cpp_Left(r.a.text, r.n)); }},
    {"LCase", [](Model& r) { r.Take(Cpp_LCase(r.a.text)); }},
    {"UCase", [](Model& r) { r.Take(Cpp_UCase(r.a.text)); }},
    {"Mid", [](Model& r) { r.Take(Cpp_Mid(r.a.text, r.k, r.n)); }},
    {"Replace", [](Model& r) { r.Take(Cpp_Replace(r.a.text, r.a.find, r.a.by, r.k, r.n)); }},
    {"Join", [](Model& r) { r.Take(Cpp_Join(r.a.buffer, r.n, r.a.separator)); }},
    {"FindStrInVect", [](Model& r) { Cpp_FindStrInVect(r.a.find, r.n, r.a.buffer); }},
    {"GetNextBeforeComma", [](Model& r) { r.Take(Cpp_GetNextBeforeComma(r.a.list, r.a.separator, -1)); }},
    {"GetVectFromCommaList", [](Model& r) { Cpp_GetVectFromCommaList(r.a.text, r.n, r.a.separator, r.a.out); }},
    {"GetVectFromCommaListDbl",
     [](Model& r) { Cpp_GetVectFromCommaListDbl(r.a.text, r.n, -1, r.a.separator, r.a.header, r.a.numbers); }},
    {"GetVectFromCommaListLng",
     [](Model& r) { Cpp_GetVectFromCommaListLng(r.a.text, r.n, -1, r.a.separator, r.a.header, r.a.ints); }},
    {"ExtractFromList", [](Model& r) { r.Take(Cpp_ExtractFromList(r.k, r.a.text)); }},
    {"GetUniqueID", [](Model& r) { Cpp_GetUniqueID(r.a.text, r.a.find); }},
    {"GetDataType", [](Model& r) { Cpp_GetDataType(r.a.text); }},
    {"ReplaceSpecialSymbols", [](Model& r) { r.Take(Cpp_ReplaceSpecialSymbols(r.a.text)); }},
    {"IsOkAfter", [](Model& r) { Cpp_IsOkAfter(r.a.find); }},
    {"RReplace", [](Model& r) { r.Take(Cpp_RReplace(r.a.text, r.a.find, r.a.by)); }},
    {"CodeChecks", [](Model& r) { r.Take(Cpp_CodeChecks(r.a.text)); }},
    {"LoadClabelsRfunc", [](Model& r) { Cpp_LoadClabelsRfunc(r.n, r.a.separator, r.a.buffer, -1, r.a.formula); }},
    {"GetTypeValListindex",
     [](Model& r) { Cpp_GetTypeValListindex(r.a.dialog, r.k, r.a.kind, r.a.value, r.a.listIndex, r.a.inputs, r.a.combos); }},
    {"GetValueForCtlType", [](Model& r) { r.Take(Cpp_GetValueForCtlType(r.a.dialog, r.k, r.a.text, r.a.find, r.k, r.k, r.k)); }},
    {"GetRCodeForOption", [](Model& r) { r.Take(Cpp_GetRCodeForOption(r.a.dialog, r.a.option, r.a.inputs, r.a.combos)); }},
    {"GetVarFromSetID", [](Model& r) { r.Take(Cpp_GetVarFromSetID(r.a.sets, r.k, 9)); }},
    {"ReplaceCodeByData", [](Model& r) { Cpp_ReplaceCodeByData(r.a.code, r.a.sets); }},
    {"GetModelEquation", [](Model& r) { r.Take(Cpp_GetModelEquation(r.a.dialog, r.a.sets, r.k)); }},
    {"GetRCodeAndReplaceOptions", [](Model& r) { Cpp_GetRCodeAndReplaceOptions(r.a.main, r.a.dialog, r.a.sets, 0); }},
    {"WriteDataSetToFile",
     [](Model& r) { Cpp_WriteDataSetToFile(r.a.main, r.a.dialog, r.a.set, 0, -1, -1, r.a.file, r.a.separator, -1, -1); }},
    {"WriteROneScript", [](Model& r) { Cpp_WriteROneScript(r.a.main, r.a.dialog, r.a.info, r.a.sets, -1); }},
    {"WriteRScripts", [](Model& r) { Cpp_WriteRScripts(r.a.main, r.a.dialog, r.a.info, r.a.sets); }},
    {"TransferToR", [](Model& r) { Cpp_TransferToR(r.a.main, r.a.dialog, r.a.sets, r.a.info, r.k); }},
    {"GetMethodDescriptionSize",
     [](Model& r) { Cpp_GetMethodDescriptionSize(r.a.main, r.a.sizes, r.a.controlSizes, r.a.messages, r.a.error); }},
    {"GetMethodDescription",
     [](Model& r) { Cpp_GetMethodDescription(r.a.main, r.a.dialog, r.a.controls, r.a.messages, r.a.error); }},
    {"GetNbRFiles", [](Model& r) { Cpp_GetNbRFiles(r.a.folder); }},
    {"GetListOfRFiles", [](Model& r) { Cpp_GetListOfRFiles(r.a.main); }},
    {"GetDescStatsModel",
     [](Model& r) { Cpp_GetDescStatsModel(0, r.a.sets, r.a.second, r.a.third, r.a.quali, r.a.r1, r.a.r2, r.a.r3, r.a.r4); }},
};

void SetCounts(Model& r, int32_t count) {
    for (int32_t* n : r.counts) *n = count;
    r.n = r.k = count;
    // A buffer of the host holds what its count says; a huge count comes here
    // with no buffer.
    if (count > 3) {
        r.a.buffer = r.a.out = nullptr;
        r.a.numbers = nullptr;
        r.a.ints = nullptr;
    }
}

void Descriptors(Model& r, void (*wrong)(SAFEARRAY&)) {
    for (void* field : r.arrays) {
        SAFEARRAY* array = Model::Load(field);
        if (array == nullptr) continue;
        const SAFEARRAY good = *array;
        const size_t bytes = size_t{good.cbElements} * kovr::ElementCount(array);
        const std::string before(static_cast<const char*>(array->pvData), array->pvData == nullptr ? 0 : bytes);
        wrong(*array);
        r.undo.push_back([array, good, before] {
            *array = good;
            EXPECT_EQ(std::string(static_cast<const char*>(array->pvData), before.size()), before);
        });
    }
}

const std::pair<std::string, std::function<void(Model&)>> kFaults[] = {
    {"none", [](Model&) {}},
    {"counts INT_MIN", [](Model& r) { SetCounts(r, INT_MIN); }},
    {"counts -1", [](Model& r) { SetCounts(r, -1); }},
    {"counts beyond the arrays", [](Model& r) { SetCounts(r, 100); }},
    {"counts INT_MAX", [](Model& r) { SetCounts(r, INT_MAX); }},
    {"no arrays behind the counts",
     [](Model& r) {
         for (void* field : r.arrays) {
             r.undo.push_back([field, array = Model::Load(field)] { Model::Store(field, array); });
             Model::Store(field, nullptr);
         }
     }},
    {"element size", [](Model& r) { Descriptors(r, [](SAFEARRAY& a) { a.cbElements /= 2; }); }},
    {"string and record flags", [](Model& r) { Descriptors(r, [](SAFEARRAY& a) { a.fFeatures ^= FADF_BSTR | FADF_RECORD; }); }},
    {"no dimension", [](Model& r) { Descriptors(r, [](SAFEARRAY& a) { a.cDims = 0; }); }},
    {"three dimensions", [](Model& r) { Descriptors(r, [](SAFEARRAY& a) { a.cDims = 3; }); }},
    {"null strings",
     [](Model& r) {
         for (void* slot : r.held.slots()) {
             r.undo.push_back([slot, s = kovr::LoadHostString(slot)] {
                 SysFreeString(kovr::LoadHostString(slot));
                 kovr::StoreHostString(slot, s);
             });
             kovr::StoreHostString(slot, nullptr);
         }
     }},
};

// The names in the top folder and the current folder.
std::vector<std::string> TopAndCurrent() {
    std::vector<std::string> names;
    for (const fs::path& folder : {fs::path("/"), fs::current_path()}) {
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Every export with every fault, and each argument made null in turn.
TEST(BadRecords, EveryExportSurvivesEveryFault) {
    const std::vector<std::string> outside = TopAndCurrent();
    std::vector<std::pair<std::string, std::function<void(Model&)>>> faults(std::begin(kFaults), std::end(kFaults));
    for (size_t k = 0; k < sizeof(Args) / sizeof(void*); ++k) {
        faults.emplace_back("null argument " + std::to_string(k), [k](Model& r) {
            std::memset(reinterpret_cast<char*>(&r.a) + k * sizeof(void*), 0, sizeof(void*));
        });
    }
    for (const auto& [what, fault] : faults) {
        SCOPED_TRACE(what);
        Model run;
        ASSERT_TRUE(run.loaded.ok());
        run.FindParts();
        fault(run);
        for (const auto& [name, call] : kExports) {
            SCOPED_TRACE(name);
            // Frees what the call replaced (the slots were found while the arrays were whole).
            kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) {
                for (void* slot : run.held.slots()) s.Field(slot);
            });
            call(run);
        }
        for (auto undo = run.undo.rbegin(); undo != run.undo.rend(); ++undo) (*undo)();
        for (const auto& entry : fs::recursive_directory_iterator(run.folder.path())) {
            const std::string path = fs::relative(entry.path(), run.folder.path());
            const std::string top = path.substr(0, path.find('/'));
            EXPECT_TRUE(top == "work" || top == "r") << path;
        }
        if (what == "none") {
            EXPECT_NE(kovtest::ReadBytes(run.folder / "work/datastore/data1.csv"), "");
            EXPECT_NE(kovtest::ReadBytes(run.folder / "r/lm.script"), "");
        }
    }
    EXPECT_EQ(TopAndCurrent(), outside);
}

}  // namespace
