// Host-side helpers for the tests: host strings, host arrays and string
// buffers built the way the add-in builds them, and freed afterwards.
#ifndef KOV_TESTS_HOST_HOST_H
#define KOV_TESTS_HOST_HOST_H

#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "kovrbridge.h"

namespace host {

// A new host string from UTF-8 text (UTF-16: a character above U+FFFF is a
// surrogate pair).
BSTR Str(const std::string& utf8);

// The text of a host string as UTF-8; a null host string gives "".
std::string Text(BSTR s);

// Owns host strings made for one test and frees them when it goes away.
class Strings {
public:
    Strings() = default;
    Strings(const Strings&) = delete;
    Strings& operator=(const Strings&) = delete;
    ~Strings();

    // A host string owned by this pool.
    BSTR operator()(const std::string& utf8);
    // Takes a host string the library returned or stored, and frees it later
    // (once, however often it is adopted).
    BSTR Adopt(BSTR s);

private:
    std::vector<BSTR> owned_;
};

// A host string variable, as passed to an in/out argument (ptr()). A nullptr
// text is a null host string. Frees every host string it held.
class StringVariable {
public:
    explicit StringVariable(const char* text);
    StringVariable(const StringVariable&) = delete;
    StringVariable& operator=(const StringVariable&) = delete;
    ~StringVariable();

    BSTR* ptr();
    BSTR value() const { return value_; }
    std::string Text() const { return host::Text(value_); }
    // Whether the variable now holds another host string than it was built with.
    bool Replaced() const { return value_ != original_; }

private:
    Strings held_;
    BSTR original_;
    BSTR value_;
};

// A buffer of host strings as the add-in passes one: the address of its first
// element (data()). A nullptr item is a null host string. Frees every host
// string it held.
class StringBuffer {
public:
    StringBuffer(std::initializer_list<const char*> items);
    explicit StringBuffer(size_t n);  // n null elements
    StringBuffer(const StringBuffer&) = delete;
    StringBuffer& operator=(const StringBuffer&) = delete;
    ~StringBuffer();

    BSTR* data();
    size_t size() const { return slots_.size(); }
    BSTR operator[](size_t k) const { return slots_[k]; }
    // The current texts, a null element giving "".
    std::vector<std::string> Texts() const;
    // Whether element k now holds another host string than it was built with.
    bool Replaced(size_t k) const { return slots_[k] != original_[k]; }

private:
    Strings held_;
    std::vector<BSTR> original_;
    std::vector<BSTR> slots_;
};

// SafeArrayCreate for rows x cols (cols 0: one dimension) with one lower bound.
SAFEARRAY* Create(uint16_t vt, uint32_t rows, uint32_t cols, int32_t lowerBound);

// A host array of host strings, rows x cols elements (cols 0: one dimension
// of rows elements), every dimension with the given lower bound, items in
// storage order, handed out by get(); a nullptr item is a null host string. Frees every host string it held.
class StringArray {
public:
    StringArray(uint32_t rows, uint32_t cols, std::initializer_list<const char*> items, int32_t lowerBound = 0);
    StringArray(const StringArray&) = delete;
    StringArray& operator=(const StringArray&) = delete;
    ~StringArray();

    SAFEARRAY* get();
    BSTR operator[](size_t k) const { return Slots()[k]; }
    // The current texts in storage order, a null element giving "".
    std::vector<std::string> Texts() const;
    // Whether element k now holds another host string than it was built with.
    bool Replaced(size_t k) const { return Slots()[k] != original_[k]; }

private:
    BSTR* Slots() const { return static_cast<BSTR*>(array_->pvData); }

    Strings held_;
    SAFEARRAY* array_;
    std::vector<BSTR> original_;
};

}  // namespace host

#endif
