// matrix: the bridge's one array type. A 1-based, column-major, two-dimensional
// array of wide strings, int, short or double that owns its storage or views
// memory owned by someone else (a host array's data). Out-of-range access
// reaches a per-matrix spare element instead of failing. A string matrix built
// over a host array writes its elements back as new host strings when it is
// destroyed; numeric matrices over host arrays use the host memory in place.
#ifndef KOV_MODEL_MATRIX_H
#define KOV_MODEL_MATRIX_H

#include <algorithm>
#include <cstddef>
#include <string>
#include <type_traits>

#include "host_array.h"
#include "kovcore.h"
#include "oleauto.h"

template <typename T>
struct MatrixDefaults;
template <>
struct MatrixDefaults<std::wstring> {
    static std::wstring Spare() { return std::wstring(); }
    static std::wstring Fill() { return std::wstring(); }
};
template <>
struct MatrixDefaults<int> {
    static int Spare() { return -1; }
    static int Fill() { return 0; }
};
template <>
struct MatrixDefaults<short> {
    static short Spare() { return 0; }
    static short Fill() { return 0; }
};
template <>
struct MatrixDefaults<double> {
    static double Spare() { return -1.0; }
    static double Fill() { return 0.0; }
};

template <typename T>
class matrix final {
public:
    static constexpr bool kIsString = std::is_same_v<T, std::wstring>;

    matrix() { DefaultInit(); }

    matrix(int rows, int cols) {
        DefaultInit();
        Allocate(rows, cols);
        std::fill(elements_, elements_ + count_, fill_);
    }

    // Over a host array (possibly null) of one or two dimensions. Numeric
    // element types use the host data in place; strings are copied and
    // written back on destruction. An array of other elements gives an empty
    // matrix without a host array, as a null one does.
    explicit matrix(SAFEARRAY* host) {
        DefaultInit();
        const HostElements elements = kIsString ? HostElements::kStrings : HostElements::kValues;
        const size_t elementSize = kIsString ? sizeof(BSTR) : sizeof(T);
        if (!HostArrayFits(host, elements, elementSize, 2)) return;
        hostArray_ = host;
        int rows;
        int cols;
        if (host->cDims < 2) {
            rows = ClampCount(host->rgsabound[0].cElements);
            cols = 1;
        } else {
            rows = ClampCount(host->rgsabound[1].cElements);
            cols = ClampCount(host->rgsabound[0].cElements);
        }
        if (host->pvData == nullptr) return;
        if constexpr (kIsString) {
            Allocate(rows, cols);
            CopyStrings(static_cast<BSTR*>(host->pvData), count_);
        } else {
            SetShape(rows, cols);
            elements_ = static_cast<T*>(host->pvData);
            ownsStorage_ = 0;
        }
    }

    // From a raw buffer of host strings; reads (readRows or rows) x (readCols
    // or cols) elements, null elements read as empty. Never written back.
    matrix(int rows, int cols, const BSTR* buffer, int readRows, int readCols)
        requires kIsString
    {
        DefaultInit();
        Allocate(rows, cols);
        const long long toRead = static_cast<long long>(readRows != 0 ? readRows : rows_) *
                                 static_cast<long long>(readCols != 0 ? readCols : cols_);
        if (buffer == nullptr) return;
        CopyStrings(buffer, static_cast<int>(std::min<long long>(count_, toRead)));
    }

    // From a raw numeric buffer: adopt uses the buffer itself (not owned),
    // otherwise an owned copy of its first rows x cols elements.
    matrix(int rows, int cols, T* buffer, bool adopt)
        requires(!kIsString)
    {
        DefaultInit();
        if (adopt) {
            if (buffer == nullptr) return;
            SetShape(rows, cols);
            elements_ = buffer;
            ownsStorage_ = 0;
            return;
        }
        Allocate(rows, cols);
        if (buffer != nullptr) std::copy(buffer, buffer + count_, elements_);
    }

    matrix(const matrix&) = delete;
    matrix& operator=(const matrix&) = delete;

    ~matrix() {
        UpdateSafeArray();
        if (ownsStorage_ != 0) delete[] elements_;
    }

    virtual T& operator()(int i, int j) {
        const long long position = (static_cast<long long>(i) - 1) + (static_cast<long long>(j) - 1) * rows_;
        return At(position);
    }
    virtual T& operator()(int i) { return At(static_cast<long long>(i) - 1); }

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int count() const { return count_; }
    T* data() { return elements_; }
    const T* data() const { return elements_; }
    SAFEARRAY* hostArray() const { return hostArray_; }
    bool ownsStorage() const { return ownsStorage_ != 0; }

    // Resets every field to its default. Frees nothing.
    void DefaultInit() {
        spare_ = MatrixDefaults<T>::Spare();
        fill_ = MatrixDefaults<T>::Fill();
        ownsStorage_ = 1;
        firstElement_ = 0;
        elements_ = nullptr;
        rows_ = 0;
        cols_ = 0;
        count_ = 0;
        hostArray_ = nullptr;
    }

    // New shape keeping element (i, j) where both shapes have it; new string
    // elements hold one NUL character. Does nothing on a borrowed array.
    void RedimPreserve(int newRows, int newCols)
        requires kIsString
    {
        newRows = std::max(newRows, 0);
        newCols = std::max(newCols, 0);
        if ((newRows == rows_ && newCols == cols_) || ownsStorage_ == 0) return;
        T* fresh = new T[static_cast<size_t>(newRows) * static_cast<size_t>(newCols)];
        std::fill(fresh, fresh + static_cast<size_t>(newRows) * newCols, std::wstring(1, L'\0'));
        const int keepRows = std::min(rows_, newRows);
        const int keepCols = std::min(cols_, newCols);
        for (int j = 0; j < keepCols; ++j) {
            for (int i = 0; i < keepRows; ++i) {
                fresh[i + static_cast<size_t>(j) * newRows] = std::move(elements_[i + static_cast<size_t>(j) * rows_]);
            }
        }
        delete[] elements_;
        elements_ = fresh;
        SetShape(newRows, newCols);
    }

    // Takes this matrix's shape into target and copies the elements in storage
    // order; target must already hold count() elements.
    void copyMatTo(matrix* target) const {
        target->rows_ = rows_;
        target->cols_ = cols_;
        target->count_ = count_;
        for (int k = 0; k < count_; ++k) target->elements_[k] = elements_[k];
    }

    // Writes every element back into the host array as a new host string. The
    // strings previously in the slots are the host's and are not released.
    // A matrix grown by RedimPreserve writes only as many elements as the
    // host array has slots.
    void UpdateSafeArray() {
        if constexpr (kIsString) {
            if (hostArray_ == nullptr || count_ <= 0 || hostArray_->pvData == nullptr) return;
            auto* slots = static_cast<BSTR*>(hostArray_->pvData);
            const long long n = std::min<long long>(count_ - firstElement_, HostSlotCount());
            for (long long k = 0; k < n; ++k) {
                // Out of memory, the host keeps the string it had there.
                if (BSTR copy = SysAllocString2(elements_[firstElement_ + k].c_str())) slots[k] = copy;
            }
        }
    }

    // Used by SortApply2 to take the shape of a reordered copy.
    void SetShapeKeepingStorage(int rows, int cols) { SetShape(rows, cols); }

private:
    static int ClampCount(uint32_t n) { return n > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(n); }

    long long HostSlotCount() const {
        long long n = 1;
        for (uint16_t d = 0; d < std::max<uint16_t>(hostArray_->cDims, 1) && n > 0; ++d) {
            n = std::min<long long>(n * hostArray_->rgsabound[d].cElements, 0x7FFFFFFF);
        }
        return n;
    }

    // Elements 0 to n - 1 from host strings (null: empty). When memory runs
    // out the element array is released before the exception leaves the
    // constructor, which runs no destructor.
    void CopyStrings(const BSTR* strings, int n)
        requires kIsString
    {
        try {
            for (int k = 0; k < n; ++k) {
                if (strings[k] != nullptr) elements_[k] = CW162W32(strings[k]);
            }
        } catch (...) {
            delete[] elements_;
            elements_ = nullptr;
            throw;
        }
    }

    T& At(long long position) {
        if (static_cast<unsigned long long>(position) < static_cast<unsigned long long>(count_)) {
            return elements_[position];
        }
        return spare_;
    }

    void SetShape(int rows, int cols) {
        rows_ = std::max(rows, 0);
        cols_ = std::max(cols, 0);
        const long long count = static_cast<long long>(rows_) * cols_;
        count_ = count > 0x7FFFFFFF ? 0 : static_cast<int>(count);
        if (count_ == 0 && count > 0) rows_ = cols_ = 0;
    }

    void Allocate(int rows, int cols) {
        SetShape(rows, cols);
        elements_ = count_ > 0 ? new T[static_cast<size_t>(count_)]() : nullptr;
        ownsStorage_ = 1;
    }

    T spare_;
    T fill_;
    int ownsStorage_;
    int firstElement_;
    T* elements_;
    int rows_;
    int cols_;
    int count_;
    SAFEARRAY* hostArray_;
};

#endif
