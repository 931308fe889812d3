// Reordering the rows of a matrix by an order vector (1-based row numbers held
// as doubles, truncated toward zero). Used to put parallel one-column matrices
// into one common order.
#ifndef KOV_MODEL_SORT_APPLY_H
#define KOV_MODEL_SORT_APPLY_H

#include "matrix.h"

// target(i, j) = source(order(i), j) for i in 1..nRows, j in 1..nCols. Indices
// out of range read or write the spare element.
template <typename T>
void SortApply(matrix<T>* source, int nRows, int nCols, matrix<double>* order, matrix<T>* target) {
    for (int j = 1; j <= nCols; ++j) {
        for (int i = 1; i <= nRows; ++i) {
            const int row = static_cast<int>((*order)(i));
            (*target)(i, j) = (*source)(row, j);
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
