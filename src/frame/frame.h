// The export frame: what every Cpp_ entry point does around its worker.
// Host strings are converted on entry and on return, in/out strings written
// back, and no exception ever crosses the C boundary: on any failure the
// export returns its empty or zero result.
#ifndef KOV_FRAME_FRAME_H
#define KOV_FRAME_FRAME_H

#include <string>
#include <utility>

#include "kovcore.h"
#include "kovrbridge.h"

#define KOV_EXPORT extern "C" KOVRBRIDGE_API

namespace frame {

// An input string (host string by value).
inline std::wstring In(BSTR s) { return convertBSTRtoWstring(&s); }

// A string result: a new host string that the host owns.
inline BSTR Out(const std::wstring& s) { return convertWstringToBSTR(&s); }

// An in/out string: converted on entry; Commit() stores the worker's text in
// the caller's variable as a new host string (the old one stays the host's,
// and stays in the variable when memory runs out for the new one).
class InOutString {
public:
    explicit InOutString(BSTR* variable) : variable_(variable), text_(convertBSTRtoWstring(variable)) {}
    std::wstring& text() { return text_; }
    void Commit() {
        if (variable_ == nullptr) return;
        if (BSTR copy = convertWstringToBSTR(&text_)) *variable_ = copy;
    }

private:
    BSTR* variable_;
    std::wstring text_;
};

// Runs body and returns its result; any exception gives Result{} (a null
// host string, zero, or nothing for void).
template <typename Result, typename Body>
Result Call(Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return Result{};
    }
}

template <typename Body>
void CallVoid(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace frame

#endif
