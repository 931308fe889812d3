/* Host automation types on Linux: host strings (BSTR) and host arrays (SAFEARRAY).
 * A BSTR points at 16-bit code units; the 4 bytes before it hold the length in
 * bytes and a 16-bit NUL follows the text. A null BSTR is the empty string. */
#ifndef KOV_OLEAUTO_H
#define KOV_OLEAUTO_H

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#if defined(__GNUC__)
#define OLEAUTO_API __attribute__((visibility("default")))
#else
#define OLEAUTO_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef char16_t* BSTR;

typedef struct tagSAFEARRAYBOUND {
    uint32_t cElements;
    int32_t lLbound;
} SAFEARRAYBOUND;

/* Natural alignment. rgsabound holds one pair per dimension, the LAST dimension
 * first; elements are stored column-major. */
typedef struct tagSAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    uint32_t cbElements;
    uint32_t cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY;

/* Element types accepted by SafeArrayCreate. */
enum {
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_BOOL = 11
};

enum {
    FADF_RECORD = 0x0020,
    FADF_HAVEVARTYPE = 0x0080,
    FADF_BSTR = 0x0100
};

OLEAUTO_API BSTR SysAllocString(const char16_t* text);
OLEAUTO_API BSTR SysAllocStringLen(const char16_t* text, uint32_t length);
OLEAUTO_API void SysFreeString(BSTR s);
OLEAUTO_API uint32_t SysStringLen(BSTR s);

/* Creates a zero-filled array of vt elements. bounds lists the dimensions in
 * declaration order (first dimension first); the descriptor stores them last
 * first. Returns null for an unknown vt, zero or more than 8 dimensions, or
 * when memory runs out. */
OLEAUTO_API SAFEARRAY* SafeArrayCreate(uint16_t vt, uint32_t cDims, SAFEARRAYBOUND* bounds);
/* Frees the descriptor and its data; host strings of a VT_BSTR array are freed too. */
OLEAUTO_API int32_t SafeArrayDestroy(SAFEARRAY* array);

#ifdef __cplusplus
}
#endif

#endif
