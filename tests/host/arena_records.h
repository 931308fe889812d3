// Host records for the tests, built the way the add-in builds them.
//
// Everything a test hands to the library lives in one host::Arena: host
// strings, host arrays (descriptors laid out by hand, lower bound 1,
// column-major) and host records. The library replaces the strings of records
// and string arrays with new host strings and never frees the old ones; the
// arena watches every string slot it made and adopts whatever a slot holds
// each time a record, variable or buffer is handed out through a host::Ptr
// (so right before every call into the library), at every arena call, and
// when the arena goes away, where it frees it all. A test that calls the
// library several times therefore leaks nothing, as long as it keeps the
// Ptr (auto v = arena.Var("x")) rather than a raw pointer. A string a test
// stores into a watched slot becomes the arena's as well.
//
//   host::Arena arena;
//   auto main = host::Main(arena, {.workFolder = "/tmp/w", .rFolder = "/tmp/r"});
//   auto sets = host::DataSetArrayBuilder()
//                   .Add("Data1", host::DataSetBuilder()
//                                     .Quanti1({{"x", {1, 2, 3}}, {"y", {4, 5, 6}}})
//                                     .Quali1({{"g", {"a", "b", "a"}}})
//                                     .Labels({"o1", "o2", "o3"}))
//                   .Build(arena);
//   host::Dialog dialog(arena, 8);                  // every vector 8 entries
//   arena.Append(dialog.air->optionKind, "CheckBox");
//   Cpp_TransferToR(main, dialog.air, sets, arena.System(".", ";"), 1);
//   EXPECT_EQ(host::Text(main->rCode), "...");
//   EXPECT_EQ(host::Entries<std::string>(dialog.air->pageText), ...);
//
// Readers (Entry, Entries, Element, Elements, RecordAt) check the element
// type and the array bounds and throw on a mismatch, which fails the test.
#ifndef KOV_TESTS_HOST_ARENA_RECORDS_H
#define KOV_TESTS_HOST_ARENA_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "host.h"
#include "kovrbridge.h"

namespace host {

// Element type of a host array.
enum class Elem { kDouble, kInt, kShort, kString };

template <typename T>
class Ptr;

// Owns all host memory of one test; see the top of this file.
class Arena {
public:
    Arena() = default;
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    ~Arena();

    // A host string owned by the arena.
    BSTR Str(const std::string& utf8);
    // Takes a host string the library returned; freed with the arena.
    BSTR Adopt(BSTR s);
    // A watched host string variable, for in/out string arguments.
    Ptr<BSTR> Var(const std::string& utf8);
    // A watched buffer of host strings of max(size, texts.size()) elements,
    // the first ones holding texts, the rest null.
    Ptr<BSTR> Buffer(const std::vector<std::string>& texts, size_t size = 0);

    // One-dimensional host arrays holding the given values.
    SAFEARRAY* Dbls(const std::vector<double>& values);
    SAFEARRAY* Ints(const std::vector<int32_t>& values);
    SAFEARRAY* Shorts(const std::vector<int16_t>& values);
    SAFEARRAY* Strs(const std::vector<std::string>& values);
    // A zero-filled (null strings) host array of rows elements, or of rows x
    // cols elements when cols > 0.
    SAFEARRAY* Array(Elem elem, uint32_t rows, uint32_t cols = 0);
    // A host array of n zeroed records, sizeof(Record) apart.
    template <typename Record>
    SAFEARRAY* Records(uint32_t n) {
        Sweep();
        return RecordArray(sizeof(Record), n);
    }
    // A descriptor that announces n records, or n elements of elem, but has
    // no data.
    template <typename Record>
    SAFEARRAY* CountOnly(uint32_t n) {
        SAFEARRAY* array = Records<Record>(n);
        array->pvData = nullptr;
        return array;
    }
    SAFEARRAY* CountOnly(Elem elem, uint32_t n);

    // A zeroed record owned by the arena (for records without strings, such
    // as ST_aiRSize and ST_AirControlInfoSize).
    template <typename Record>
    Ptr<Record> New();
    // The host's system information: decimal symbol and list separator.
    Ptr<SystemInfo> System(const std::string& decimalSymbol, const std::string& listSeparator);
    // An empty error-information record whose strings the arena frees.
    Ptr<ST_ErrorInfo> ErrorInfo();

    // Appends one entry to a host vector as the add-in fills option rows:
    // count + 1, the value stored at that position. The array must have room.
    void Append(ST_Vect& vect, const std::string& text);
    void Append(ST_Vect& vect, double number);  // stored as the array's type

    // Watches n consecutive host string slots (possibly unaligned).
    void Watch(void* firstSlot, size_t n = 1);
    // Takes ownership of every string now held by a watched slot.
    void Sweep();

    // Zeroed memory freed with the arena.
    void* Allocate(size_t bytes);

private:
    BSTR Own(BSTR s);
    BSTR MakeString(const std::string& utf8);
    SAFEARRAY* MakeArray(Elem elem, uint32_t rows, uint32_t cols);
    SAFEARRAY* Descriptor(uint32_t elementSize, uint16_t features, uint32_t rows, uint32_t cols);
    SAFEARRAY* RecordArray(size_t recordSize, uint32_t n);

    struct Watched {
        unsigned char* first;
        std::vector<BSTR> seen;  // what each slot held at the last sweep
    };
    std::vector<void*> blocks_;
    std::vector<Watched> watched_;
    std::unordered_set<BSTR> strings_;
};

// A host record, string variable or string buffer owned by an arena.
// Converting it to T* (passing it to an export) or reaching through it sweeps
// the arena first.
template <typename T>
class Ptr {
public:
    Ptr() = default;
    Ptr(Arena* arena, T* record) : arena_(arena), record_(record) {}

    operator T*() const { return get(); }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    T& operator[](size_t k) const { return get()[k]; }
    T* get() const {
        if (arena_ != nullptr) arena_->Sweep();
        return record_;
    }

private:
    Arena* arena_ = nullptr;
    T* record_ = nullptr;
};

template <typename Record>
Ptr<Record> Arena::New() {
    Sweep();
    return Ptr<Record>(this, static_cast<Record*>(Allocate(sizeof(Record))));
}

// Columns of a block: a name and its values.
struct NumColumn {
    std::string name;
    std::vector<double> values;
};
struct TextColumn {
    std::string name;
    std::vector<std::string> values;
};

// Fills a block record as the add-in does: columnCount, one ST_Vect per
// column (count = its length), the column lengths and the column names. No
// columns leave the block zeroed, without host arrays.
void FillNumBlock(Arena& arena, ST_MVect& block, const std::vector<NumColumn>& columns);
void FillTextBlock(Arena& arena, ST_MVect& block, const std::vector<TextColumn>& columns);

// The qualitative-information record of a data set.
struct QualiInfoFields {
    std::vector<TextColumn> textBlock;
    std::vector<NumColumn> numBlock1;
    std::vector<NumColumn> numBlock2;
    std::vector<int32_t> intTable;
    std::vector<std::string> textTable;
};
void FillQualiInfo(Arena& arena, ST_QualiInfo& record, const QualiInfoFields& fields);
Ptr<ST_QualiInfo> QualiInfo(Arena& arena, const QualiInfoFields& fields);

// One data set. Blocks not given stay zeroed; rowCount defaults to the
// longest column of quanti1, quanti2, quali1 and quali2.
class DataSetBuilder {
public:
    DataSetBuilder& Quanti1(std::vector<NumColumn> columns);
    DataSetBuilder& Quanti2(std::vector<NumColumn> columns);
    DataSetBuilder& Quali1(std::vector<TextColumn> columns);
    DataSetBuilder& Quali2(std::vector<TextColumn> columns);
    DataSetBuilder& Labels(std::vector<std::string> obsLabels);
    DataSetBuilder& RowCount(int rows);
    DataSetBuilder& TextBlock(std::vector<TextColumn> columns);
    DataSetBuilder& DataQuanti(std::vector<std::vector<NumColumn>> blocks);
    DataSetBuilder& DataQuali(std::vector<std::vector<TextColumn>> blocks);
    // Sets qualiInfoFlag to -1 and fills qualiInfo.
    DataSetBuilder& QualiInfo(QualiInfoFields fields);

    Ptr<ST_DataSet> Build(Arena& arena) const;
    // Fills a zeroed record, e.g. an element of a host array of data sets.
    void Fill(Arena& arena, ST_DataSet& record) const;

private:
    std::vector<NumColumn> quanti1_, quanti2_;
    std::vector<TextColumn> quali1_, quali2_;
    bool hasLabels_ = false;
    std::vector<std::string> labels_;
    int rowCount_ = -1;
    std::vector<TextColumn> textBlock_;
    std::vector<std::vector<NumColumn>> dataQuanti_;
    std::vector<std::vector<TextColumn>> dataQuali_;
    bool hasQualiInfo_ = false;
    QualiInfoFields qualiInfo_;
};

// All data sets of a run: the records back to back, an export flag (-1 or 0)
// and a name for each; count is their number unless set with Count().
class DataSetArrayBuilder {
public:
    DataSetArrayBuilder& Add(std::string name, DataSetBuilder dataSet, bool exported = true);
    DataSetArrayBuilder& Count(int count);
    Ptr<ST_DataSetArray> Build(Arena& arena) const;

private:
    struct Entry {
        std::string name;
        DataSetBuilder dataSet;
        bool exported;
    };
    std::vector<Entry> entries_;
    int count_ = -1;
};

// The main record. Designated initializers must keep this order.
struct MainFields {
    std::string workFolder;
    std::string spareText;
    std::string catalogFolder;
    std::string templateFolder;
    std::string templateFile;
    std::string rFolder;
    std::string group;
    std::string title;
    std::string keywords;
    std::string rCode;
    // catalogCount; the catalogue table gets 7 fields (rows) x catalogEntries
    // templates (columns) of null cells, as the add-in dimensions it.
    int catalogEntries = 0;
    std::vector<std::string> spareList;
};
Ptr<ST_Main_aiR> Main(Arena& arena, const MainFields& fields = {});

// The dialog description and the control record, every vector dimensioned
// (counts 0) as the add-in does between the sizing and the filling pass.
class Dialog {
public:
    // Vector k of ST_aiR gets sizes.vectorSize[k] entries, vector j of
    // ST_AirControlInfo controlSizes.vectorSize[j].
    Dialog(Arena& arena, const ST_aiRSize& sizes, const ST_AirControlInfoSize& controlSizes);
    // Every vector gets the same number of entries.
    Dialog(Arena& arena, uint32_t entries);

    Ptr<ST_aiR> air;
    Ptr<ST_AirControlInfo> controls;
};

// The vectors of ST_aiR (k = 0 to 61, the order of ST_aiRSize) and of
// ST_AirControlInfo (j = 0 to 25): name, element type, and the vector itself.
constexpr int kAirVectorCount = 62;
constexpr int kControlVectorCount = 26;
const char* AirVectorName(int k);
Elem AirVectorElem(int k);
ST_Vect& AirVector(ST_aiR& air, int k);
const char* ControlVectorName(int j);
Elem ControlVectorElem(int j);
ST_Vect& ControlVector(ST_AirControlInfo& controls, int j);

// Readers. T is std::string, int, short or double, matching the array.
// Entry i (1-based) of a host vector's array.
template <typename T>
T Entry(const ST_Vect& vect, int i);
// Entries 1 to count of a host vector.
template <typename T>
std::vector<T> Entries(const ST_Vect& vect);
// Element (row, col), 1-based, of a host array.
template <typename T>
T Element(const SAFEARRAY* array, int row, int col = 1);
// Every element of a host array in storage order (none for a null array).
template <typename T>
std::vector<T> Elements(const SAFEARRAY* array);
// Record i (1-based) of a host array of records.
void* RecordAddress(const SAFEARRAY* array, int i, size_t recordSize);
template <typename Record>
Record& RecordAt(const SAFEARRAY* array, int i) {
    return *static_cast<Record*>(RecordAddress(array, i, sizeof(Record)));
}
// Column i (1-based) of a block, and the block's column names.
const ST_Vect& Column(const ST_MVect& block, int i);
std::vector<std::string> ColumnNames(const ST_MVect& block);

}  // namespace host

#endif
