// kovmat: filling and sorting of the bridge's matrix objects.
#ifndef KOV_SIBLINGS_KOVMAT_H
#define KOV_SIBLINGS_KOVMAT_H

#include <string>

#include "matrix.h"

#define KOVMAT_API __attribute__((visibility("default")))

// Elements 1 to n of m set to 1, 2, ..., n (n clipped to m's element count).
KOVMAT_API void V_Set1toN(matrix<int>* m, int n);

// Stable ascending sort of key elements first..last (1-based, first and last
// clipped to 1..n and to key's element count). perm receives the former position of the element now at
// each position; it is expected to hold 1..n on entry. The remaining
// arguments (start column, descending flag, ascending flag) follow the
// callers' convention: with descending = 0 the order is ascending.
KOVMAT_API void SortQ(matrix<int>* perm, int n, int column, int first, int last, matrix<int>* key,
                      matrix<int>* permAgain, int keyColumn, short descending, short ascending);

// Stable reorder of rows first..last of m (whole rows) by the text of column
// keyColumn, compared character code by character code; descending != 0
// reverses the order. rows and cols are clipped to m's shape.
KOVMAT_API void SortQMatrixCol(matrix<std::wstring>* m, int rows, int cols, int keyColumn, int first, int last,
                               short descending);

#endif
