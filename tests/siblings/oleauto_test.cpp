// The byte layout of host strings and host arrays that every host relies on.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "oleauto.h"

namespace {

uint32_t LengthPrefix(BSTR s) {
    uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(s) - 4, 4);
    return bytes;
}

TEST(Oleauto, HostStringsCarryAByteLengthPrefixAndANul) {
    BSTR s = SysAllocString(u"abc");
    EXPECT_EQ(LengthPrefix(s), 6u);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(s[3], 0);
    SysFreeString(s);

    const char16_t units[] = {u'x', 0, u'y'};
    BSTR withNul = SysAllocStringLen(units, 3);
    EXPECT_EQ(SysStringLen(withNul), 3u);
    EXPECT_EQ(withNul[2], u'y');
    SysFreeString(withNul);

    BSTR blank = SysAllocStringLen(nullptr, 2);
    EXPECT_EQ(SysStringLen(blank), 2u);
    SysFreeString(blank);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);

    // A host string laid out by hand is one like any other.
    alignas(4) unsigned char block[4 + 6] = {4, 0, 0, 0, 'h', 0, 'i', 0, 0, 0};
    EXPECT_EQ(SysStringLen(reinterpret_cast<BSTR>(block + 4)), 2u);
}

TEST(Oleauto, HostArrayDescriptorHasNaturalAlignment) {
    EXPECT_EQ(offsetof(SAFEARRAY, cDims), 0u);
    EXPECT_EQ(offsetof(SAFEARRAY, fFeatures), 2u);
    EXPECT_EQ(offsetof(SAFEARRAY, cbElements), 4u);
    EXPECT_EQ(offsetof(SAFEARRAY, cLocks), 8u);
    EXPECT_EQ(offsetof(SAFEARRAY, pvData), sizeof(void*) == 8 ? 16u : 12u);
    EXPECT_EQ(offsetof(SAFEARRAY, rgsabound), sizeof(void*) == 8 ? 24u : 16u);
    EXPECT_EQ(sizeof(SAFEARRAYBOUND), 8u);
    EXPECT_EQ(offsetof(SAFEARRAYBOUND, lLbound), 4u);
}

TEST(Oleauto, CreateStoresTheLastDimensionFirst) {
    SAFEARRAYBOUND bounds[2] = {{5, 0}, {3, 1}};
    SAFEARRAY* doubles = SafeArrayCreate(VT_R8, 2, bounds);
    ASSERT_NE(doubles, nullptr);
    EXPECT_EQ(doubles->cDims, 2);
    EXPECT_EQ(doubles->cbElements, 8u);
    EXPECT_EQ(doubles->rgsabound[0].cElements, 3u);
    EXPECT_EQ(doubles->rgsabound[0].lLbound, 1);
    EXPECT_EQ(doubles->rgsabound[1].cElements, 5u);
    EXPECT_EQ(static_cast<double*>(doubles->pvData)[14], 0.0);
    EXPECT_EQ(SafeArrayDestroy(doubles), 0);

    SAFEARRAYBOUND four{4, 0};
    SAFEARRAY* strings = SafeArrayCreate(VT_BSTR, 1, &four);
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(strings->cbElements, sizeof(BSTR));
    EXPECT_NE(strings->fFeatures & FADF_BSTR, 0);
    static_cast<BSTR*>(strings->pvData)[2] = SysAllocString(u"freed with the array");
    SafeArrayDestroy(strings);

    EXPECT_EQ(SafeArrayCreate(99, 1, &four), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &four), nullptr);
    SAFEARRAYBOUND huge[4] = {{0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}};
    EXPECT_EQ(SafeArrayCreate(VT_R8, 4, huge), nullptr);
}

}  // namespace
