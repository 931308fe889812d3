// kovcore: conversion between host strings (16-bit code units) and the wide
// strings (32-bit characters) used inside the bridge. Code units are widened
// one by one, so a host string survives a round trip unchanged.
#ifndef KOV_SIBLINGS_KOVCORE_H
#define KOV_SIBLINGS_KOVCORE_H

#include <string>

#include "oleauto.h"

#define KOVCORE_API __attribute__((visibility("default")))

// The text of *s (a null pointer or a null host string gives the empty
// string). The length prefix is used, so embedded NULs survive.
KOVCORE_API std::wstring convertBSTRtoWstring(const BSTR* s);

// A new host string with the text of *s; the receiver owns it. Null when
// memory runs out.
KOVCORE_API BSTR convertWstringToBSTR(const std::wstring* s);

// A new host string from a NUL-terminated wide character array.
KOVCORE_API BSTR SysAllocString2(const wchar_t* text);

// The NUL-terminated 16-bit string s as NUL-terminated wide characters. The
// array stays with kovcore (valid until the next call on the same thread);
// callers copy it at once. A null s gives an empty string.
KOVCORE_API const wchar_t* CW162W32(const char16_t* s);

// A whole number as plain decimal digits ("2", "15", "-3").
KOVCORE_API std::wstring to_wstring(long double n);

#endif
