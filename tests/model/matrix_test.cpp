// matrix over host arrays and raw host buffers, its spare element, string
// write-back, RedimPreserve, copyMatTo, SortApply and SortApply2.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host.h"
#include "matrix.h"
#include "sort_apply.h"

namespace {

using Texts = std::vector<std::string>;

template <typename T>
std::vector<T> Column(matrix<T>& m) {
    std::vector<T> values;
    for (int k = 1; k <= m.count(); ++k) values.push_back(m(k));
    return values;
}

TEST(Matrix, NumericOverHostArrayUsesHostMemoryInPlace) {
    host::Array<double> host(5, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 0);
    {
        matrix<double> m(host.get());
        EXPECT_EQ(m.rows(), 5);
        EXPECT_EQ(m.cols(), 3);
        EXPECT_EQ(m.count(), 15);
        EXPECT_FALSE(m.ownsStorage());
        EXPECT_EQ(m.data(), host.data());
        EXPECT_EQ(m(1, 1), 1.0);
        EXPECT_EQ(m(2, 3), 12.0);
        EXPECT_EQ(m(6, 1), 6.0);  // one row past the end is the next column's first
        m(2, 1) = 42.0;
        EXPECT_EQ(host.data()[1], 42.0);
    }
    EXPECT_EQ(host.data()[1], 42.0);

    host::Array<int32_t> ints(4, 0, {10, 20, 30, 40}, 5);
    matrix<int> vector(ints.get());
    EXPECT_EQ(vector.rows(), 4);
    EXPECT_EQ(vector.cols(), 1);
    EXPECT_EQ(vector(1), 10);  // lower bound 5 is ignored
    vector(4) = -4;
    EXPECT_EQ(ints.data()[3], -4);

    host::Array<int16_t> flags(2, 2, {-1, 0, 0, -1}, 1);
    matrix<short> m(flags.get());
    EXPECT_EQ(m(2, 2), -1);
    EXPECT_EQ(m.hostArray(), flags.get());
}

TEST(Matrix, OutOfRangeReachesTheSpareElement) {
    matrix<int> ints(2, 2);
    EXPECT_EQ(ints(1, 1), 0);
    EXPECT_EQ(ints(0, 1), -1);
    EXPECT_EQ(ints(1, 0), -1);
    EXPECT_EQ(ints(3, 2), -1);
    EXPECT_EQ(ints(5), -1);
    ints(0, 1) = 7;
    EXPECT_EQ(ints(99, 99), 7);
    EXPECT_EQ(ints(std::numeric_limits<int>::min(), std::numeric_limits<int>::min()), 7);
    EXPECT_EQ(ints(std::numeric_limits<int>::max(), std::numeric_limits<int>::max()), 7);
    EXPECT_EQ(Column(ints), (std::vector<int>{0, 0, 0, 0}));

    matrix<double> doubles(1, 1);
    EXPECT_EQ(doubles(0, 1), -1.0);
    matrix<short> shorts(1, 1);
    EXPECT_EQ(shorts(0, 1), 0);
    matrix<std::wstring> strings(1, 1);
    EXPECT_EQ(strings(0, 1), L"");
    matrix<std::wstring> empty;
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty(1), L"");
    matrix<double> none(nullptr);
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(none(1, 1), -1.0);
}

TEST(Matrix, StringsOverHostArrayReachTheHostOnlyWhenDestroyed) {
    host::StringArray host(2, 2, {"a", nullptr, "c", "d"}, 0);
    {
        matrix<std::wstring> m(host.get());
        EXPECT_EQ(m.rows(), 2);
        EXPECT_EQ(m.cols(), 2);
        EXPECT_EQ(m(2, 1), L"");
        EXPECT_EQ(m(1, 2), L"c");
        m(2, 1) = L"b";
        EXPECT_EQ(host.Texts(), (Texts{"a", "", "c", "d"}));
    }
    EXPECT_EQ(host.Texts(), (Texts{"a", "b", "c", "d"}));
    for (size_t k = 0; k < 4; ++k) EXPECT_TRUE(host.Replaced(k)) << k;

    host::StringArray vector(4, 0, {"w", "x", "y", "z"});
    {
        matrix<std::wstring> m(vector.get());
        EXPECT_EQ(m.rows(), 4);
        EXPECT_EQ(m.cols(), 1);
        // Grown beyond the host array, it still writes only the host's slots.
        m.RedimPreserve(6, 1);
        m(4) = L"Z";
    }
    EXPECT_EQ(vector.Texts(), (Texts{"w", "x", "y", "Z"}));
}

TEST(Matrix, RawHostBuffersAreReadOnceOrAdopted) {
    host::StringBuffer buffer{"a", nullptr, "c", "d"};
    {
        matrix<std::wstring> all(4, 1, buffer.data(), 0, 0);
        EXPECT_EQ(Column(all), (std::vector<std::wstring>{L"a", L"", L"c", L"d"}));
        matrix<std::wstring> firstThree(2, 2, buffer.data(), 3, 1);
        EXPECT_EQ(Column(firstThree), (std::vector<std::wstring>{L"a", L"", L"c", L""}));
        all(1) = L"changed";
    }
    EXPECT_FALSE(buffer.Replaced(0));

    int values[3] = {1, 2, 3};
    {
        matrix<int> adopted(3, 1, values, true);
        EXPECT_FALSE(adopted.ownsStorage());
        adopted(2) = 20;
        matrix<int> copy(3, 1, values, false);
        EXPECT_TRUE(copy.ownsStorage());
        copy(3) = 30;
        EXPECT_EQ(Column(copy), (std::vector<int>{1, 20, 30}));
    }
    EXPECT_EQ(values[1], 20);
    EXPECT_EQ(values[2], 3);
}

TEST(Matrix, RedimPreserveKeepsPlacesAndFillsWithNul) {
    matrix<std::wstring> m(2, 2);
    m(1, 1) = L"a";
    m(2, 1) = L"b";
    m(1, 2) = L"c";
    m(2, 2) = L"d";
    m.RedimPreserve(3, 2);
    ASSERT_EQ(m.count(), 6);
    EXPECT_EQ(m(1, 1), L"a");
    EXPECT_EQ(m(2, 1), L"b");
    EXPECT_EQ(m(1, 2), L"c");
    EXPECT_EQ(m(2, 2), L"d");
    EXPECT_EQ(m(3, 1), std::wstring(1, L'\0'));
    EXPECT_EQ(m(3, 2), std::wstring(1, L'\0'));
    m.RedimPreserve(1, 1);
    EXPECT_EQ(Column(m), (std::vector<std::wstring>{L"a"}));

    matrix<std::wstring> target(3, 1);
    matrix<std::wstring> source(1, 2);
    source(1, 2) = L"second";
    source.copyMatTo(&target);
    EXPECT_EQ(target.rows(), 1);
    EXPECT_EQ(target.cols(), 2);
    EXPECT_EQ(target(1, 2), L"second");
}

TEST(SortApply, ReordersRowsByTruncatedOrderValues) {
    matrix<double> order(3, 1);
    order(1) = 3;
    order(2) = 1;
    order(3) = 2.9;
    matrix<std::wstring> strings(3, 1);
    strings(1) = L"a";
    strings(2) = L"b";
    strings(3) = L"c";
    SortApply2(&strings, 3, 1, &order);
    EXPECT_EQ(Column(strings), (std::vector<std::wstring>{L"c", L"a", L"b"}));

    matrix<int> ints(4, 1);
    for (int i = 1; i <= 4; ++i) ints(i) = 10 * i;
    order(1) = 4;
    order(2) = std::nan("");
    order(3) = 1e300;
    SortApply2(&ints, 3, 1, &order);
    EXPECT_EQ(ints.rows(), 3);
    EXPECT_EQ(Column(ints), (std::vector<int>{40, -1, -1}));

    // Whole rows move together; the target keeps its own shape.
    matrix<short> source(2, 2);
    source(1, 1) = 1;
    source(2, 1) = 2;
    source(1, 2) = 3;
    source(2, 2) = 4;
    matrix<short> target(2, 2);
    order(1) = 2;
    order(2) = 1;
    SortApply(&source, 2, 2, &order, &target);
    EXPECT_EQ(Column(target), (std::vector<short>{2, 1, 4, 3}));
    SortApply(&source, 2, 0, &order, &target);
    EXPECT_EQ(Column(target), (std::vector<short>{2, 1, 4, 3}));
}

}  // namespace
