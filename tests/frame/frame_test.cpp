// The frame around every export: whatever a worker throws stays inside and
// the export gives its empty or zero result.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "frame.h"

namespace {

TEST(Frame, NoExceptionCrossesTheBoundary) {
    EXPECT_EQ(frame::Call<BSTR>([]() -> BSTR { throw std::bad_alloc(); }), nullptr);
    EXPECT_EQ(frame::Call<int32_t>([]() -> int32_t { throw 42; }), 0);
    EXPECT_EQ(frame::Call<int16_t>([]() -> int16_t { throw std::runtime_error("worker"); }), 0);
    bool ran = false;
    frame::CallVoid([&] {
        ran = true;
        throw std::length_error("worker");
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(frame::Call<int32_t>([] { return 7; }), 7);
}

}  // namespace
