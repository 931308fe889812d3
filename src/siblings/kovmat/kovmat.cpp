#include "kovmat.h"

#include <algorithm>
#include <numeric>
#include <vector>

void V_Set1toN(matrix<int>* m, int n) {
    n = std::min(n, m->count());
    for (int i = 1; i <= n; ++i) (*m)(i) = i;
}

void SortQ(matrix<int>* perm, int n, int /*column*/, int first, int last, matrix<int>* key,
           matrix<int>* /*permAgain*/, int /*keyColumn*/, short descending, short /*ascending*/) {
    first = std::max(first, 1);
    last = std::min({last, n, key->count()});
    if (last <= first) return;
    std::vector<int> positions(static_cast<size_t>(last - first + 1));
    std::iota(positions.begin(), positions.end(), first);
    std::vector<int> keys;
    std::vector<int> perms;
    for (int p : positions) {
        keys.push_back((*key)(p));
        perms.push_back((*perm)(p));
    }
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const int ka = keys[static_cast<size_t>(a - first)];
        const int kb = keys[static_cast<size_t>(b - first)];
        return descending != 0 ? kb < ka : ka < kb;
    });
    for (size_t k = 0; k < positions.size(); ++k) {
        const size_t from = static_cast<size_t>(positions[k] - first);
        (*key)(first + static_cast<int>(k)) = keys[from];
        (*perm)(first + static_cast<int>(k)) = perms[from];
    }
}

void SortQMatrixCol(matrix<std::wstring>* m, int rows, int cols, int keyColumn, int first, int last,
                    short descending) {
    first = std::max(first, 1);
    last = std::min(last, std::min(rows, m->rows()));
    cols = std::min(cols, m->cols());
    if (last <= first || cols < 1) return;
    std::vector<int> order(static_cast<size_t>(last - first + 1));
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const std::wstring& ka = (*m)(a, keyColumn);
        const std::wstring& kb = (*m)(b, keyColumn);
        return descending != 0 ? kb < ka : ka < kb;
    });
    std::vector<std::wstring> column(order.size());
    for (int j = 1; j <= cols; ++j) {
        for (size_t k = 0; k < order.size(); ++k) column[k] = std::move((*m)(order[k], j));
        for (size_t k = 0; k < order.size(); ++k) (*m)(first + static_cast<int>(k), j) = std::move(column[k]);
    }
}
