// kovmat as the template loader and the catalogue call it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kovmat.h"

namespace {

std::vector<int> Values(matrix<int>& m) {
    std::vector<int> values;
    for (int k = 1; k <= m.count(); ++k) values.push_back(m(k));
    return values;
}

// Each row of a three-column matrix as "column 2/column 1/column 3".
std::vector<std::wstring> Rows(matrix<std::wstring>& m) {
    std::vector<std::wstring> rows;
    for (int i = 1; i <= m.rows(); ++i) rows.push_back(m(i, 2) + L"/" + m(i, 1) + L"/" + m(i, 3));
    return rows;
}

TEST(Kovmat, SortQOrdersPagesStablyAndReportsFormerRows) {
    const std::vector<int> pages{2, 1, 2, 1, 3, 1};
    const int n = static_cast<int>(pages.size());
    matrix<int> key(n, 1);
    for (int i = 1; i <= n; ++i) key(i) = pages[i - 1];
    matrix<int> perm(n, 1);
    V_Set1toN(&perm, n);
    EXPECT_EQ(Values(perm), (std::vector<int>{1, 2, 3, 4, 5, 6}));

    SortQ(&perm, n, 1, 1, n, &key, &perm, 1, 0, -1);
    EXPECT_EQ(Values(key), (std::vector<int>{1, 1, 1, 2, 2, 3}));
    // Controls of one page keep their load order.
    EXPECT_EQ(Values(perm), (std::vector<int>{2, 4, 6, 1, 3, 5}));
}

TEST(Kovmat, SortQAndSetStayInsideTheirMatrices) {
    matrix<int> key(3, 1);
    key(1) = 3;
    key(2) = 2;
    key(3) = 1;
    matrix<int> perm(3, 1);
    V_Set1toN(&perm, 1000);
    EXPECT_EQ(Values(perm), (std::vector<int>{1, 2, 3}));
    SortQ(&perm, 1000, 1, 1, 1000, &key, &perm, 1, 0, -1);
    EXPECT_EQ(Values(key), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Values(perm), (std::vector<int>{3, 2, 1}));
    SortQ(&perm, 0, 1, 1, 0, &key, &perm, 1, 0, -1);
    EXPECT_EQ(Values(perm), (std::vector<int>{3, 2, 1}));
}

TEST(Kovmat, TwoColumnSortsGiveGroupThenName) {
    // The catalogue's rows: name in column 1, group in column 2.
    const std::vector<std::pair<std::wstring, std::wstring>> rows{
        {L"lm", L"regression"}, {L"t.test", L"tests"}, {L"glm", L"regression"},
        {L"anova", L"tests"},   {L"aov", L"anova"},    {L"lm", L"anova"}};
    const int n = static_cast<int>(rows.size());
    matrix<std::wstring> m(n, 3);
    for (int i = 1; i <= n; ++i) {
        m(i, 1) = rows[i - 1].first;
        m(i, 2) = rows[i - 1].second;
        m(i, 3) = std::to_wstring(i);
    }
    SortQMatrixCol(&m, n, 3, 1, 1, n, 0);
    SortQMatrixCol(&m, n, 3, 2, 1, n, 0);
    EXPECT_EQ(Rows(m), (std::vector<std::wstring>{L"anova/aov/5", L"anova/lm/6", L"regression/glm/3",
                                                  L"regression/lm/1", L"tests/anova/4", L"tests/t.test/2"}));

    // A row or column count beyond the matrix sorts the matrix's own rows.
    SortQMatrixCol(&m, n + 5, 9, 1, 1, n + 5, 0);
    EXPECT_EQ(Rows(m), (std::vector<std::wstring>{L"tests/anova/4", L"anova/aov/5", L"regression/glm/3",
                                                  L"anova/lm/6", L"regression/lm/1", L"tests/t.test/2"}));
}

}  // namespace
