// The host records the tool hands to the library, owned the way the add-in
// owns them: the main record, the dialog description with its control record,
// and the translation table. The library writes every string of a record back
// as a new host string and never frees the old one, so each call is wrapped in
// a ReplacedStrings guard that frees what the call replaced.
#ifndef KOVR_HOST_RECORDS_H
#define KOVR_HOST_RECORDS_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kovrbridge.h"

namespace kovr {

// The addresses of host strings held by records: string fields and the
// elements of string arrays.
class StringSlots {
public:
    // The address of a host string field (possibly not aligned).
    void Field(void* slot) { slots_.push_back(slot); }
    void Array(SAFEARRAY* strings);
    void Vector(const ST_Vect& strings) { Array(strings.values); }
    const std::vector<void*>& slots() const { return slots_; }

private:
    std::vector<void*> slots_;
};

// Frees, when it goes out of scope, the host strings that the collected slots
// held when it was made and no longer hold.
class ReplacedStrings {
public:
    explicit ReplacedStrings(std::function<void(StringSlots&)> collect);
    ~ReplacedStrings();
    ReplacedStrings(const ReplacedStrings&) = delete;
    ReplacedStrings& operator=(const ReplacedStrings&) = delete;

private:
    std::function<void(StringSlots&)> collect_;
    std::vector<BSTR> before_;
};

// ST_Main_aiR with its catalogue table.
class HostMain {
public:
    HostMain();
    ~HostMain();
    HostMain(const HostMain&) = delete;
    HostMain& operator=(const HostMain&) = delete;

    ST_Main_aiR* get() { return &record_; }
    // The string field at offset (offsetof(ST_Main_aiR, field)).
    void Set(size_t offset, std::string_view text);
    std::string Get(size_t offset) const;
    // A catalogue table of 7 fields for count templates; catalogCount = count.
    void NewCatalogTable(int count);
    // Field k (1 to 7) of catalogue entry t (from 1).
    std::string CatalogField(int k, int t) const;
    void CollectStrings(StringSlots& slots);

private:
    ST_Main_aiR record_{};
};

// ST_aiR and ST_AirControlInfo, every vector dimensioned from the counts of
// the sizing pass and passed in with count 0, as the add-in passes them.
class HostDialog {
public:
    HostDialog(const ST_aiRSize& sizes, const ST_AirControlInfoSize& controlSizes);
    ~HostDialog();
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;

    ST_aiR& dialog() { return dialog_; }
    ST_AirControlInfo& controls() { return controls_; }
    const ST_aiR& dialog() const { return dialog_; }
    const ST_AirControlInfo& controls() const { return controls_; }
    // Number of controls the filling pass registered.
    int ControlCount() const { return controls_.ctlKind.count; }
    // Re-dimensions the twelve option-row vectors to rows empty entries.
    void NewOptionRows(int rows);
    void CollectStrings(StringSlots& slots);

private:
    ST_aiR dialog_{};
    ST_AirControlInfo controls_{};
};

// The add-in's table of 6500 translated texts. The tool fills the rows that
// the library reads for its built-in labels with English texts.
class Translations {
public:
    Translations();
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    BSTR* data() { return rows_.data(); }
    // Row n (from 1), "" outside the table.
    std::string Row(int n) const;

private:
    std::vector<BSTR> rows_;
};

}  // namespace kovr

#endif
