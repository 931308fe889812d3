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
    for (BSTR* slot : slots.slots()) {
        if (*slot != nullptr) strings.push_back(*slot);
    }
    std::sort(strings.begin(), strings.end());
    return strings;
}

std::array<BSTR*, 10> MainStrings(ST_Main_aiR& m) {
    return {&m.workFolder, &m.spareText, &m.catalogFolder, &m.templateFolder, &m.templateFile,
            &m.rFolder,    &m.group,     &m.title,         &m.keywords,       &m.rCode};
}

}  // namespace

void StringSlots::Array(SAFEARRAY* strings) {
    BSTR* elements = Elements<BSTR>(strings);
    if (elements == nullptr) return;
    const uint32_t n = ElementCount(strings);
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
    for (BSTR* s : MainStrings(record_)) SysFreeString(*s);
    SafeArrayDestroy(record_.catalogTable);
    SafeArrayDestroy(record_.spareList.values);
}

void HostMain::Set(BSTR ST_Main_aiR::*field, std::string_view text) { SetHostString(&(record_.*field), text); }

std::string HostMain::Get(BSTR ST_Main_aiR::*field) const { return HostText(record_.*field); }

void HostMain::NewCatalogTable(int count) {
    SafeArrayDestroy(record_.catalogTable);
    record_.catalogTable = NewTable(VT_BSTR, 7, static_cast<uint32_t>(std::max(count, 0)));
    record_.catalogCount = count;
}

std::string HostMain::CatalogField(int k, int t) const {
    return TextAt(record_.catalogTable, static_cast<uint32_t>((t - 1) * 7 + k));
}

void HostMain::CollectStrings(StringSlots& slots) {
    for (BSTR* s : MainStrings(record_)) slots.Field(s);
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
    for (const StringField& field : kDialogStrings) SysFreeString(StringOf(dialog_, field));
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
    for (const StringField& field : kDialogStrings) slots.Field(&StringOf(dialog_, field));
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
