#include <gtest/gtest.h>

#include "host.h"

TEST(TextExports, LenCountsCodeUnitsOfHostStrings) {
    host::Strings s;
    EXPECT_EQ(Cpp_Len(s("abc")), 3);
    EXPECT_EQ(Cpp_Len(nullptr), 0);
    EXPECT_EQ(Cpp_Len(s("")), 0);
}
