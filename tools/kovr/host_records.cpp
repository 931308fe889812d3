#include "host_records.h"

#include <algorithm>
#include <array>
#include <utility>

#include "host_arrays.h"
#include "host_text.h"
#include "record_fields.h"

namespace kovr {

namespace {

constexpr int kTranslationRows = 6500;

// The rows of the translation table that the library reads for the labels it
// gives controls of its own (observation labels, variable headers, the
// descriptive-statistics box, the explanatory variables, interactions).
const std::pair<int, const char*> kBuiltInTexts[] = {
    {48, "Observation labels"},
    {51, "Variable labels"},
    {65, "Descriptive statistics"},
    {235, "Quantitative explanatory variables"},
    {236, "Qualitative explanatory variables"},
    {2527, "Select the quantitative explanatory variables"},
    {2529, "Select the qualitative explanatory variables"},
    {2653, "Interactions / Level"},
    {2654, "Highest order of the interactions between the explanatory variables"},
};

std::vector<BSTR> Snapshot(const std::function<void(StringSlots&)>& collect) {
    StringSlots slots;
    collect(slots);
    std::vector<BSTR> strings;
    strings.reserve(slots.slots().size());
    for (void* slot : slots.slots()) {
        if (BSTR s = LoadHostString(slot)) strings.push_back(s);
    }
    std::sort(strings.begin(), strings.end());
    return strings;
}

constexpr std::array<size_t, 10> kMainStrings = {
    offsetof(ST_Main_aiR, workFolder),   offsetof(ST_Main_aiR, spareText), offsetof(ST_Main_aiR, catalogFolder),
    offsetof(ST_Main_aiR, templateFolder), offsetof(ST_Main_aiR, templateFile), offsetof(ST_Main_aiR, rFolder),
    offsetof(ST_Main_aiR, group),        offsetof(ST_Main_aiR, title),     offsetof(ST_Main_aiR, keywords),
    offsetof(ST_Main_aiR, rCode)};

void* At(void* record, size_t offset) { return static_cast<char*>(record) + offset; }
const void* At(const void* record, size_t offset) { return static_cast<const char*>(record) + offset; }

}  // namespace

void StringSlots::Array(SAFEARRAY* strings) {
    BSTR* elements = Elements<BSTR>(strings);
    if (elements == nullptr) return;
    const uint32_t n = ElementCount(strings);
    // Room for a large array (a million labels) at its size, not doubled.
    if (slots_.capacity() < slots_.size() + n) slots_.reserve(std::max(slots_.size() + n, 2 * slots_.capacity()));
    for (uint32_t k = 0; k < n; ++k) slots_.push_back(elements + k);
}

ReplacedStrings::ReplacedStrings(std::function<void(StringSlots&)> collect)
    : collect_(std::move(collect)), before_(Snapshot(collect_)) {}

ReplacedStrings::~ReplacedStrings() {
    const std::vector<BSTR> after = Snapshot(collect_);
    for (BSTR s : before_) {
        if (!std::binary_search(after.begin(), after.end(), s)) SysFreeString(s);
    }
}

HostMain::HostMain() = default;

HostMain::~HostMain() {
    for (const size_t offset : kMainStrings) SysFreeString(LoadHostString(At(&record_, offset)));
    SafeArrayDestroy(record_.catalogTable);
    SafeArrayDestroy(record_.spareList.values);
}

void HostMain::Set(size_t offset, std::string_view text) { SetHostString(At(&record_, offset), text); }

std::string HostMain::Get(size_t offset) const { return HostText(LoadHostString(At(&record_, offset))); }

void HostMain::NewCatalogTable(int count) {
    SafeArrayDestroy(record_.catalogTable);
    record_.catalogTable = NewTable(VT_BSTR, 7, static_cast<uint32_t>(std::max(count, 0)));
    record_.catalogCount = count;
}

std::string HostMain::CatalogField(int k, int t) const {
    return TextAt(record_.catalogTable, static_cast<uint32_t>((t - 1) * 7 + k));
}

void HostMain::CollectStrings(StringSlots& slots) {
    for (const size_t offset : kMainStrings) slots.Field(At(&record_, offset));
    slots.Array(record_.catalogTable);
    slots.Vector(record_.spareList);
}

HostDialog::HostDialog(const ST_aiRSize& sizes, const ST_AirControlInfoSize& controlSizes) {
    for (size_t k = 0; k < kDialogVectors.size(); ++k) {
        const VectorField& field = kDialogVectors[k];
        VectorOf(dialog_, field).values =
            NewArray(ArrayType(field.element), static_cast<uint32_t>(std::max(sizes.vectorSize[k], 0)));
    }
    for (size_t j = 0; j < kControlVectors.size(); ++j) {
        const VectorField& field = kControlVectors[j];
        VectorOf(controls_, field).values =
            NewArray(ArrayType(field.element), static_cast<uint32_t>(std::max(controlSizes.vectorSize[j], 0)));
    }
}

HostDialog::~HostDialog() {
    for (const StringField& field : kDialogStrings) SysFreeString(LoadHostString(StringAt(dialog_, field)));
    for (const VectorField& field : kDialogVectors) SafeArrayDestroy(VectorOf(dialog_, field).values);
    for (const VectorField& field : kControlVectors) SafeArrayDestroy(VectorOf(controls_, field).values);
}

void HostDialog::NewOptionRows(int rows) {
    // Vectors 5 to 16 are the option rows, filled by the add-in.
    for (size_t k = 5; k <= 16; ++k) {
        ST_Vect& v = VectorOf(dialog_, kDialogVectors[k]);
        SafeArrayDestroy(v.values);
        v.values = NewArray(ArrayType(kDialogVectors[k].element), static_cast<uint32_t>(rows));
        v.count = rows;
    }
}

void HostDialog::CollectStrings(StringSlots& slots) {
    for (const StringField& field : kDialogStrings) slots.Field(StringAt(dialog_, field));
    for (const VectorField& field : kDialogVectors) {
        if (field.element == Element::kText) slots.Vector(VectorOf(dialog_, field));
    }
    for (const VectorField& field : kControlVectors) {
        if (field.element == Element::kText) slots.Vector(VectorOf(controls_, field));
    }
}

Translations::Translations() : rows_(kTranslationRows, nullptr) {
    for (const auto& [row, text] : kBuiltInTexts) rows_[row - 1] = NewHostString(text);
}

Translations::~Translations() {
    for (BSTR s : rows_) SysFreeString(s);
}

std::string Translations::Row(int n) const {
    return n >= 1 && n <= kTranslationRows ? HostText(rows_[n - 1]) : std::string();
}

}  // namespace kovr
