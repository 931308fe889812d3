// Reordering the rows of a matrix by an order vector (1-based row numbers held
// as doubles, truncated toward zero). Used to put parallel one-column matrices
// into one common order.
#ifndef KOV_MODEL_SORT_APPLY_H
#define KOV_MODEL_SORT_APPLY_H

#include <cmath>

#include "matrix.h"

// An order value as a row number, truncated toward zero. A value that no int
// can hold (NaN included) gives row 0, which reaches the spare element.
inline int OrderRow(double value) {
    return std::fabs(value) < 2147483648.0 ? static_cast<int>(value) : 0;
}

// target(i, j) = source(order(i), j) for i in 1..nRows, j in 1..nCols. Indices
// out of range read or write the spare element.
template <typename T>
void SortApply(matrix<T>* source, int nRows, int nCols, matrix<double>* order, matrix<T>* target) {
    for (int j = 1; j <= nCols; ++j) {
        for (int i = 1; i <= nRows; ++i) {
            (*target)(i, j) = (*source)(OrderRow((*order)(i)), j);
        }
    }
}

// Reorders m in place: afterwards m is nRows x nCols and holds rows
// order(1), ..., order(nRows) of its former contents. m must hold at least
// nRows x nCols elements.
template <typename T>
void SortApply2(matrix<T>* m, int nRows, int nCols, matrix<double>* order) {
    matrix<T> sorted(nRows, nCols);
    SortApply(m, nRows, nCols, order, &sorted);
    if (sorted.count() > m->count()) return;
    if constexpr (matrix<T>::kIsString) {
        sorted.copyMatTo(m);
    } else {
        m->SetShapeKeepingStorage(sorted.rows(), sorted.cols());
        for (int k = 0; k < sorted.count(); ++k) m->data()[k] = sorted.data()[k];
    }
}

#endif
