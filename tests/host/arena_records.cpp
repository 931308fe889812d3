#include "arena_records.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "kovrbridge_fields.h"

namespace host {

namespace {

constexpr uint16_t kRecordFeature = 0x0020;  // FADF_RECORD

// Reads and writes a host string slot that may be unaligned (packed records).
BSTR LoadSlot(const unsigned char* slot) {
    BSTR s;
    std::memcpy(&s, slot, sizeof s);
    return s;
}

bool IsStringArray(const SAFEARRAY* array) { return (array->fFeatures & FADF_BSTR) != 0; }

Elem ElemOf(const SAFEARRAY* array) {
    if (IsStringArray(array)) return Elem::kString;
    switch (array->cbElements) {
        case 8:
            return Elem::kDouble;
        case 4:
            return Elem::kInt;
        case 2:
            return Elem::kShort;
        default:
            throw std::logic_error("host array of records read as values");
    }
}

uint32_t ElementSize(Elem elem) {
    switch (elem) {
        case Elem::kDouble:
            return sizeof(double);
        case Elem::kInt:
            return sizeof(int32_t);
        case Elem::kShort:
            return sizeof(int16_t);
        case Elem::kString:
            return sizeof(BSTR);
    }
    return 0;
}

template <typename T>
constexpr Elem ElemFor() {
    if constexpr (std::is_same_v<T, std::string>) return Elem::kString;
    if constexpr (std::is_same_v<T, int>) return Elem::kInt;
    if constexpr (std::is_same_v<T, short>) return Elem::kShort;
    return Elem::kDouble;
}

size_t RowsOf(const SAFEARRAY* array) {
    return array->cDims < 2 ? array->rgsabound[0].cElements : array->rgsabound[1].cElements;
}

size_t CountOf(const SAFEARRAY* array) {
    return array->cDims < 2 ? RowsOf(array) : RowsOf(array) * array->rgsabound[0].cElements;
}

// Element k (0-based, storage order) after checking type and bounds.
template <typename T>
T ReadElement(const SAFEARRAY* array, size_t k) {
    if (array == nullptr || array->pvData == nullptr) throw std::out_of_range("host array without data");
    if (ElemOf(array) != ElemFor<T>()) throw std::logic_error("host array read with the wrong element type");
    if (k >= CountOf(array)) throw std::out_of_range("beyond the host array");
    if constexpr (std::is_same_v<T, std::string>) {
        return Text(static_cast<BSTR*>(array->pvData)[k]);
    } else if constexpr (std::is_same_v<T, int>) {
        return static_cast<int32_t*>(array->pvData)[k];
    } else if constexpr (std::is_same_v<T, short>) {
        return static_cast<int16_t*>(array->pvData)[k];
    } else {
        return static_cast<double*>(array->pvData)[k];
    }
}

template <typename T>
SAFEARRAY* Filled(Arena& arena, Elem elem, const std::vector<T>& values) {
    SAFEARRAY* array = arena.Array(elem, static_cast<uint32_t>(values.size()));
    if (!values.empty()) std::memcpy(array->pvData, values.data(), values.size() * sizeof(T));
    return array;
}

template <typename Column>
std::vector<std::string> NamesOf(const std::vector<Column>& columns) {
    std::vector<std::string> names;
    for (const Column& column : columns) names.push_back(column.name);
    return names;
}

// The block frame shared by the three column kinds; makeValues gives the host
// array of one column.
template <typename Column, typename MakeValues>
void FillBlock(Arena& arena, ST_MVect& block, const std::vector<Column>& columns, MakeValues makeValues) {
    block = ST_MVect{};
    if (columns.empty()) return;
    const auto n = static_cast<uint32_t>(columns.size());
    block.columnCount = static_cast<int32_t>(n);
    std::vector<int32_t> lengths;
    block.columns = arena.Records<ST_Vect>(n);
    for (uint32_t i = 0; i < n; ++i) {
        ST_Vect& vect = RecordAt<ST_Vect>(block.columns, static_cast<int>(i) + 1);
        vect.count = static_cast<int32_t>(columns[i].values.size());
        vect.values = makeValues(columns[i].values);
        lengths.push_back(vect.count);
    }
    block.columnLengths = arena.Ints(lengths);
    block.columnNames = arena.Strs(NamesOf(columns));
}

template <typename Column>
size_t LongestColumn(const std::vector<Column>& columns) {
    size_t longest = 0;
    for (const Column& column : columns) longest = std::max(longest, column.values.size());
    return longest;
}

}  // namespace

// ---- Arena ----

Arena::~Arena() {
    Sweep();
    for (BSTR s : strings_) SysFreeString(s);
    for (void* block : blocks_) std::free(block);
}

BSTR Arena::Str(const std::string& utf8) {
    Sweep();
    return MakeString(utf8);
}

BSTR Arena::Adopt(BSTR s) {
    Sweep();
    return Own(s);
}

Ptr<BSTR> Arena::Var(const std::string& utf8) { return Buffer({utf8}); }

Ptr<BSTR> Arena::Buffer(const std::vector<std::string>& texts, size_t size) {
    Sweep();
    const size_t n = std::max({size, texts.size(), size_t{1}});
    auto* slots = static_cast<BSTR*>(Allocate(n * sizeof(BSTR)));
    for (size_t k = 0; k < texts.size(); ++k) slots[k] = MakeString(texts[k]);
    Watch(slots, n);
    return Ptr<BSTR>(this, slots);
}

BSTR Arena::Own(BSTR s) {
    if (s != nullptr) strings_.insert(s);
    return s;
}

BSTR Arena::MakeString(const std::string& utf8) { return Own(host::Str(utf8)); }

SAFEARRAY* Arena::Dbls(const std::vector<double>& values) { return Filled(*this, Elem::kDouble, values); }
SAFEARRAY* Arena::Ints(const std::vector<int32_t>& values) { return Filled(*this, Elem::kInt, values); }
SAFEARRAY* Arena::Shorts(const std::vector<int16_t>& values) { return Filled(*this, Elem::kShort, values); }

SAFEARRAY* Arena::Strs(const std::vector<std::string>& values) {
    Sweep();
    SAFEARRAY* array = MakeArray(Elem::kString, static_cast<uint32_t>(values.size()), 0);
    for (size_t k = 0; k < values.size(); ++k) static_cast<BSTR*>(array->pvData)[k] = MakeString(values[k]);
    return array;
}

SAFEARRAY* Arena::Array(Elem elem, uint32_t rows, uint32_t cols) {
    Sweep();
    return MakeArray(elem, rows, cols);
}

SAFEARRAY* Arena::MakeArray(Elem elem, uint32_t rows, uint32_t cols) {
    const uint16_t features = FADF_HAVEVARTYPE | (elem == Elem::kString ? FADF_BSTR : 0);
    SAFEARRAY* array = Descriptor(ElementSize(elem), features, rows, cols);
    const size_t count = size_t{rows} * (cols == 0 ? 1 : cols);
    if (count > 0) array->pvData = Allocate(count * ElementSize(elem));
    if (elem == Elem::kString && count > 0) Watch(array->pvData, count);
    return array;
}

SAFEARRAY* Arena::CountOnly(Elem elem, uint32_t n) {
    SAFEARRAY* array = Array(elem, n);
    array->pvData = nullptr;
    return array;
}

SAFEARRAY* Arena::RecordArray(size_t recordSize, uint32_t n) {
    SAFEARRAY* array = Descriptor(static_cast<uint32_t>(recordSize), kRecordFeature, n, 0);
    if (n > 0) array->pvData = Allocate(recordSize * n);
    return array;
}

SAFEARRAY* Arena::Descriptor(uint32_t elementSize, uint16_t features, uint32_t rows, uint32_t cols) {
    const uint16_t dims = cols == 0 ? 1 : 2;
    auto* array = static_cast<SAFEARRAY*>(Allocate(sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND)));
    array->cDims = dims;
    array->fFeatures = features;
    array->cbElements = elementSize;
    // The last dimension comes first.
    if (dims == 1) {
        array->rgsabound[0] = {rows, 1};
    } else {
        array->rgsabound[0] = {cols, 1};
        array->rgsabound[1] = {rows, 1};
    }
    return array;
}

Ptr<SystemInfo> Arena::System(const std::string& decimalSymbol, const std::string& listSeparator) {
    Ptr<SystemInfo> info = New<SystemInfo>();
    SystemInfo* record = info.get();
    record->decimalSymbol = MakeString(decimalSymbol);
    record->listSeparator = MakeString(listSeparator);
    Watch(reinterpret_cast<unsigned char*>(record) + offsetof(SystemInfo, decimalSymbol), 12);
    return info;
}

Ptr<ST_ErrorInfo> Arena::ErrorInfo() {
    Ptr<ST_ErrorInfo> info = New<ST_ErrorInfo>();
    auto* bytes = reinterpret_cast<unsigned char*>(info.get());
    for (size_t offset :
         {offsetof(ST_ErrorInfo, title), offsetof(ST_ErrorInfo, message), offsetof(ST_ErrorInfo, module),
          offsetof(ST_ErrorInfo, text1), offsetof(ST_ErrorInfo, text2)}) {
        Watch(bytes + offset);
    }
    return info;
}

void Arena::Append(ST_Vect& vect, const std::string& text) {
    Sweep();
    SAFEARRAY* array = vect.values;
    if (array == nullptr || !IsStringArray(array)) throw std::logic_error("appending text to a non-string vector");
    const int32_t position = vect.count + 1;
    if (array->pvData == nullptr || static_cast<size_t>(position) > CountOf(array)) {
        throw std::out_of_range("host vector is full");
    }
    static_cast<BSTR*>(array->pvData)[position - 1] = MakeString(text);
    vect.count = position;
}

void Arena::Append(ST_Vect& vect, double number) {
    SAFEARRAY* array = vect.values;
    if (array == nullptr || IsStringArray(array)) throw std::logic_error("appending a number to a string vector");
    const int32_t position = vect.count + 1;
    if (array->pvData == nullptr || static_cast<size_t>(position) > CountOf(array)) {
        throw std::out_of_range("host vector is full");
    }
    switch (ElemOf(array)) {
        case Elem::kDouble:
            static_cast<double*>(array->pvData)[position - 1] = number;
            break;
        case Elem::kInt:
            static_cast<int32_t*>(array->pvData)[position - 1] = static_cast<int32_t>(number);
            break;
        default:
            static_cast<int16_t*>(array->pvData)[position - 1] = static_cast<int16_t>(number);
            break;
    }
    vect.count = position;
}

void Arena::Watch(void* firstSlot, size_t n) {
    watched_.push_back({static_cast<unsigned char*>(firstSlot), std::vector<BSTR>(n, nullptr)});
}

void Arena::Sweep() {
    for (Watched& region : watched_) {
        for (size_t k = 0; k < region.seen.size(); ++k) {
            const BSTR s = LoadSlot(region.first + k * sizeof(BSTR));
            if (s != region.seen[k]) region.seen[k] = Own(s);
        }
    }
}

void* Arena::Allocate(size_t bytes) {
    void* block = std::calloc(1, std::max(bytes, size_t{1}));
    if (block == nullptr) throw std::bad_alloc();
    blocks_.push_back(block);
    return block;
}

// ---- Blocks, data sets, main record ----

void FillNumBlock(Arena& arena, ST_MVect& block, const std::vector<NumColumn>& columns) {
    FillBlock(arena, block, columns, [&](const std::vector<double>& v) { return arena.Dbls(v); });
}

void FillTextBlock(Arena& arena, ST_MVect& block, const std::vector<TextColumn>& columns) {
    FillBlock(arena, block, columns, [&](const std::vector<std::string>& v) { return arena.Strs(v); });
}

void FillQualiInfo(Arena& arena, ST_QualiInfo& record, const QualiInfoFields& fields) {
    FillTextBlock(arena, record.textBlock, fields.textBlock);
    FillNumBlock(arena, record.numBlock1, fields.numBlock1);
    FillNumBlock(arena, record.numBlock2, fields.numBlock2);
    if (!fields.intTable.empty()) record.extraIntTable = arena.Ints(fields.intTable);
    if (!fields.textTable.empty()) record.textTable = arena.Strs(fields.textTable);
}

Ptr<ST_QualiInfo> QualiInfo(Arena& arena, const QualiInfoFields& fields) {
    Ptr<ST_QualiInfo> record = arena.New<ST_QualiInfo>();
    FillQualiInfo(arena, *record.get(), fields);
    return record;
}

DataSetBuilder& DataSetBuilder::Quanti1(std::vector<NumColumn> columns) {
    quanti1_ = std::move(columns);
    return *this;
}
DataSetBuilder& DataSetBuilder::Quanti2(std::vector<NumColumn> columns) {
    quanti2_ = std::move(columns);
    return *this;
}
DataSetBuilder& DataSetBuilder::Quali1(std::vector<TextColumn> columns) {
    quali1_ = std::move(columns);
    return *this;
}
DataSetBuilder& DataSetBuilder::Quali2(std::vector<TextColumn> columns) {
    quali2_ = std::move(columns);
    return *this;
}
DataSetBuilder& DataSetBuilder::Labels(std::vector<std::string> obsLabels) {
    hasLabels_ = true;
    labels_ = std::move(obsLabels);
    return *this;
}
DataSetBuilder& DataSetBuilder::RowCount(int rows) {
    rowCount_ = rows;
    return *this;
}
DataSetBuilder& DataSetBuilder::TextBlock(std::vector<TextColumn> columns) {
    textBlock_ = std::move(columns);
    return *this;
}
DataSetBuilder& DataSetBuilder::DataQuanti(std::vector<std::vector<NumColumn>> blocks) {
    dataQuanti_ = std::move(blocks);
    return *this;
}
DataSetBuilder& DataSetBuilder::DataQuali(std::vector<std::vector<TextColumn>> blocks) {
    dataQuali_ = std::move(blocks);
    return *this;
}
DataSetBuilder& DataSetBuilder::QualiInfo(QualiInfoFields fields) {
    hasQualiInfo_ = true;
    qualiInfo_ = std::move(fields);
    return *this;
}

Ptr<ST_DataSet> DataSetBuilder::Build(Arena& arena) const {
    Ptr<ST_DataSet> record = arena.New<ST_DataSet>();
    Fill(arena, *record.get());
    return record;
}

void DataSetBuilder::Fill(Arena& arena, ST_DataSet& record) const {
    FillNumBlock(arena, record.quanti1, quanti1_);
    FillNumBlock(arena, record.quanti2, quanti2_);
    FillTextBlock(arena, record.quali1, quali1_);
    FillTextBlock(arena, record.quali2, quali2_);
    const size_t longest =
        std::max({LongestColumn(quanti1_), LongestColumn(quanti2_), LongestColumn(quali1_), LongestColumn(quali2_)});
    record.rowCount = rowCount_ >= 0 ? rowCount_ : static_cast<int32_t>(longest);
    if (hasLabels_) record.obsLabels = arena.Strs(labels_);
    FillTextBlock(arena, record.textBlock, textBlock_);
    if (hasQualiInfo_) {
        record.qualiInfoFlag = -1;
        FillQualiInfo(arena, record.qualiInfo, qualiInfo_);
    }
    if (!dataQuanti_.empty()) {
        record.dataQuanti.blockCount = static_cast<int32_t>(dataQuanti_.size());
        record.dataQuanti.blocks = arena.Records<ST_MVect>(static_cast<uint32_t>(dataQuanti_.size()));
        for (size_t b = 0; b < dataQuanti_.size(); ++b) {
            FillNumBlock(arena, RecordAt<ST_MVect>(record.dataQuanti.blocks, static_cast<int>(b) + 1), dataQuanti_[b]);
        }
    }
    if (!dataQuali_.empty()) {
        record.dataQuali.blockCount = static_cast<int32_t>(dataQuali_.size());
        record.dataQuali.blocks = arena.Records<ST_MVect>(static_cast<uint32_t>(dataQuali_.size()));
        for (size_t b = 0; b < dataQuali_.size(); ++b) {
            FillTextBlock(arena, RecordAt<ST_MVect>(record.dataQuali.blocks, static_cast<int>(b) + 1), dataQuali_[b]);
        }
    }
}

DataSetArrayBuilder& DataSetArrayBuilder::Add(std::string name, DataSetBuilder dataSet, bool exported) {
    entries_.push_back({std::move(name), std::move(dataSet), exported});
    return *this;
}

DataSetArrayBuilder& DataSetArrayBuilder::Count(int count) {
    count_ = count;
    return *this;
}

Ptr<ST_DataSetArray> DataSetArrayBuilder::Build(Arena& arena) const {
    Ptr<ST_DataSetArray> record = arena.New<ST_DataSetArray>();
    ST_DataSetArray* sets = record.get();
    const auto n = static_cast<uint32_t>(entries_.size());
    sets->count = count_ >= 0 ? count_ : static_cast<int32_t>(n);
    if (n == 0) return record;
    sets->dataSets = arena.Records<ST_DataSet>(n);
    std::vector<int16_t> flags;
    std::vector<std::string> names;
    for (uint32_t k = 0; k < n; ++k) {
        entries_[k].dataSet.Fill(arena, RecordAt<ST_DataSet>(sets->dataSets, static_cast<int>(k) + 1));
        flags.push_back(entries_[k].exported ? -1 : 0);
        names.push_back(entries_[k].name);
    }
    sets->exportFlags = arena.Shorts(flags);
    sets->dataSetNames = arena.Strs(names);
    return record;
}

Ptr<ST_Main_aiR> Main(Arena& arena, const MainFields& fields) {
    Ptr<ST_Main_aiR> record = arena.New<ST_Main_aiR>();
    ST_Main_aiR* main = record.get();
    main->workFolder = arena.Str(fields.workFolder);
    main->spareText = arena.Str(fields.spareText);
    main->catalogFolder = arena.Str(fields.catalogFolder);
    main->templateFolder = arena.Str(fields.templateFolder);
    main->templateFile = arena.Str(fields.templateFile);
    main->rFolder = arena.Str(fields.rFolder);
    main->group = arena.Str(fields.group);
    main->title = arena.Str(fields.title);
    main->keywords = arena.Str(fields.keywords);
    main->rCode = arena.Str(fields.rCode);
    main->catalogCount = fields.catalogEntries;
    if (fields.catalogEntries > 0) main->catalogTable = arena.Array(Elem::kString, 7, fields.catalogEntries);
    if (!fields.spareList.empty()) {
        main->spareList.count = static_cast<int32_t>(fields.spareList.size());
        main->spareList.values = arena.Strs(fields.spareList);
    }
    auto* bytes = reinterpret_cast<unsigned char*>(main);
    for (size_t offset :
         {offsetof(ST_Main_aiR, workFolder), offsetof(ST_Main_aiR, spareText), offsetof(ST_Main_aiR, catalogFolder),
          offsetof(ST_Main_aiR, templateFolder), offsetof(ST_Main_aiR, templateFile), offsetof(ST_Main_aiR, rFolder),
          offsetof(ST_Main_aiR, group), offsetof(ST_Main_aiR, title), offsetof(ST_Main_aiR, keywords),
          offsetof(ST_Main_aiR, rCode)}) {
        arena.Watch(bytes + offset);
    }
    return record;
}

// ---- Dialog description ----

namespace {

struct VectorField {
    const char* name;
    Elem elem;
    size_t offset;
};

constexpr Elem kTEXT = Elem::kString;
constexpr Elem kINT32 = Elem::kInt;
constexpr Elem kINT16 = Elem::kShort;

#define KOV_AIR_VECT(field, element) {#field, k##element, offsetof(ST_aiR, field)},
#define KOV_CTL_VECT(field, element) {#field, k##element, offsetof(ST_AirControlInfo, field)},
#define KOV_AIR_STRING(field) offsetof(ST_aiR, field),
const VectorField kAirVectors[kAirVectorCount] = {KOV_DIALOG_VECTORS(KOV_AIR_VECT)};
const VectorField kControlVectors[kControlVectorCount] = {KOV_CONTROL_VECTORS(KOV_CTL_VECT)};
// The string fields of ST_aiR, watched because the library replaces them.
const size_t kAirStrings[] = {KOV_DIALOG_STRINGS(KOV_AIR_STRING)};

const VectorField& AirField(int k) {
    if (k < 0 || k >= kAirVectorCount) throw std::out_of_range("no such ST_aiR vector");
    return kAirVectors[k];
}

const VectorField& ControlField(int j) {
    if (j < 0 || j >= kControlVectorCount) throw std::out_of_range("no such ST_AirControlInfo vector");
    return kControlVectors[j];
}

}  // namespace

const char* AirVectorName(int k) { return AirField(k).name; }
Elem AirVectorElem(int k) { return AirField(k).elem; }
ST_Vect& AirVector(ST_aiR& air, int k) {
    return *reinterpret_cast<ST_Vect*>(reinterpret_cast<unsigned char*>(&air) + AirField(k).offset);
}

const char* ControlVectorName(int j) { return ControlField(j).name; }
Elem ControlVectorElem(int j) { return ControlField(j).elem; }
ST_Vect& ControlVector(ST_AirControlInfo& controls, int j) {
    return *reinterpret_cast<ST_Vect*>(reinterpret_cast<unsigned char*>(&controls) + ControlField(j).offset);
}

Dialog::Dialog(Arena& arena, const ST_aiRSize& sizes, const ST_AirControlInfoSize& controlSizes)
    : air(arena.New<ST_aiR>()), controls(arena.New<ST_AirControlInfo>()) {
    ST_aiR* record = air.get();
    for (int k = 0; k < kAirVectorCount; ++k) {
        AirVector(*record, k).values = arena.Array(AirVectorElem(k), static_cast<uint32_t>(sizes.vectorSize[k]));
    }
    ST_AirControlInfo* controlRecord = controls.get();
    for (int j = 0; j < kControlVectorCount; ++j) {
        ControlVector(*controlRecord, j).values =
            arena.Array(ControlVectorElem(j), static_cast<uint32_t>(controlSizes.vectorSize[j]));
    }
    for (size_t offset : kAirStrings) arena.Watch(reinterpret_cast<unsigned char*>(record) + offset);
}

namespace {

ST_aiRSize Uniform(uint32_t entries) {
    ST_aiRSize sizes{};
    for (int32_t& size : sizes.vectorSize) size = static_cast<int32_t>(entries);
    return sizes;
}

ST_AirControlInfoSize UniformControls(uint32_t entries) {
    ST_AirControlInfoSize sizes{};
    for (int32_t& size : sizes.vectorSize) size = static_cast<int32_t>(entries);
    return sizes;
}

}  // namespace

Dialog::Dialog(Arena& arena, uint32_t entries) : Dialog(arena, Uniform(entries), UniformControls(entries)) {}

// ---- Readers ----

template <typename T>
T Entry(const ST_Vect& vect, int i) {
    if (i < 1) throw std::out_of_range("host vector entries start at 1");
    return ReadElement<T>(vect.values, static_cast<size_t>(i) - 1);
}

template <typename T>
std::vector<T> Entries(const ST_Vect& vect) {
    std::vector<T> entries;
    for (int i = 1; i <= vect.count; ++i) entries.push_back(Entry<T>(vect, i));
    return entries;
}

template <typename T>
T Element(const SAFEARRAY* array, int row, int col) {
    if (array == nullptr) throw std::out_of_range("null host array");
    const size_t rows = RowsOf(array);
    if (row < 1 || col < 1 || static_cast<size_t>(row) > rows) throw std::out_of_range("beyond the host array");
    return ReadElement<T>(array, static_cast<size_t>(row - 1) + static_cast<size_t>(col - 1) * rows);
}

template <typename T>
std::vector<T> Elements(const SAFEARRAY* array) {
    std::vector<T> elements;
    if (array == nullptr || array->pvData == nullptr) return elements;
    for (size_t k = 0; k < CountOf(array); ++k) elements.push_back(ReadElement<T>(array, k));
    return elements;
}

#define KOV_READERS(T)                                  \
    template T Entry<T>(const ST_Vect&, int);           \
    template std::vector<T> Entries<T>(const ST_Vect&); \
    template T Element<T>(const SAFEARRAY*, int, int);  \
    template std::vector<T> Elements<T>(const SAFEARRAY*);
KOV_READERS(std::string)
KOV_READERS(int)
KOV_READERS(short)
KOV_READERS(double)
#undef KOV_READERS

void* RecordAddress(const SAFEARRAY* array, int i, size_t recordSize) {
    if (array == nullptr || array->pvData == nullptr) throw std::out_of_range("host array of records without data");
    if (array->cbElements != recordSize) throw std::logic_error("host array holds records of another size");
    if (i < 1 || static_cast<size_t>(i) > CountOf(array)) throw std::out_of_range("beyond the host array of records");
    return static_cast<unsigned char*>(array->pvData) + static_cast<size_t>(i - 1) * recordSize;
}

const ST_Vect& Column(const ST_MVect& block, int i) { return RecordAt<ST_Vect>(block.columns, i); }

std::vector<std::string> ColumnNames(const ST_MVect& block) { return Elements<std::string>(block.columnNames); }

}  // namespace host
