// Column vectors, blocks of columns, lists of blocks, and the loader that turns
// a host array of records into mirror objects.
#include <string>

#include "host_array.h"
#include "records.h"
#include "records_copy.h"

namespace {

template <typename Mirror>
void DeleteAll(std::vector<Mirror*>& objects) noexcept {
    for (Mirror* object : objects) delete object;
    objects.clear();
}

template <typename T>
void DestroyParts(cST_MVect<T>& block) noexcept {
    DeleteAll(block.columns);
    delete block.columnLengths;
    delete block.columnNames;
    block.columnLengths = nullptr;
    block.columnNames = nullptr;
}

}  // namespace

template <typename HostRecord, typename Mirror>
void LoadArrayUserDefined(SAFEARRAY* hostArray, std::vector<Mirror*>& out) {
    if (!HostArrayFits(hostArray, HostElements::kRecords, sizeof(HostRecord), 1)) return;
    // The element count is taken as the host's signed 32-bit count.
    const int n = static_cast<int>(hostArray->rgsabound[0].cElements);
    if (n < 1) return;
    out.assign(static_cast<size_t>(n), nullptr);
    auto* records = static_cast<HostRecord*>(hostArray->pvData);
    if (records == nullptr) return;
    for (int i = 0; i < n; ++i) out[static_cast<size_t>(i)] = new Mirror(&records[i]);
}

template <typename T>
cST_Vect<T>::cST_Vect(ST_Vect* hostRecord) : host(hostRecord), count(0), spareInt(0) {
    if (host != nullptr) {
        count = host->count;
        spareInt = host->spareInt;
    }
    values = new matrix<T>(KOV_HOST_ARRAY(host, values));
}

template <typename T>
cST_Vect<T>::~cST_Vect() {
    if (host != nullptr) {
        host->count = count;
        host->spareInt = spareInt;
    }
    delete values;
}

template <typename T>
cST_MVect<T>::cST_MVect(ST_MVect* hostRecord)
    : host(hostRecord), columnCount(0), extraInt1(0), extraShort(0), extraInt2(0) {
    if (host != nullptr) {
        columnCount = host->columnCount;
        extraInt1 = host->extraInt1;
        extraShort = host->extraShort;
        extraInt2 = host->extraInt2;
    }
    try {
        columnLengths = new matrix<int>(KOV_HOST_ARRAY(host, columnLengths));
        columnNames = new matrix<std::wstring>(KOV_HOST_ARRAY(host, columnNames));
        LoadArrayUserDefined<ST_Vect, cST_Vect<T>>(KOV_HOST_ARRAY(host, columns), columns);
    } catch (...) {
        DestroyParts(*this);
        throw;
    }
}

template <typename T>
cST_MVect<T>::~cST_MVect() {
    if (host != nullptr) {
        host->columnCount = columnCount;
        host->extraInt1 = extraInt1;
        host->extraShort = extraShort;
        host->extraInt2 = extraInt2;
    }
    DestroyParts(*this);
}

template <typename T>
cST_Data<T>::cST_Data(ST_Data* hostRecord) : host(hostRecord), blockCount(0) {
    if (host != nullptr) blockCount = host->blockCount;
    try {
        LoadArrayUserDefined<ST_MVect, cST_MVect<T>>(KOV_HOST_ARRAY(host, blocks), blocks);
    } catch (...) {
        DeleteAll(blocks);
        throw;
    }
}

template <typename T>
cST_Data<T>::~cST_Data() {
    if (host != nullptr) host->blockCount = blockCount;
    DeleteAll(blocks);
}

template class cST_Vect<double>;
template class cST_Vect<int>;
template class cST_Vect<std::wstring>;
template class cST_Vect<short>;
template class cST_MVect<double>;
template class cST_MVect<std::wstring>;
template class cST_MVect<short>;
template class cST_Data<double>;
template class cST_Data<std::wstring>;

template void LoadArrayUserDefined<ST_VectDbl, cST_Vect<double>>(SAFEARRAY*, std::vector<cST_Vect<double>*>&);
template void LoadArrayUserDefined<ST_VectBool, cST_Vect<short>>(SAFEARRAY*, std::vector<cST_Vect<short>*>&);
template void LoadArrayUserDefined<ST_VectStr, cST_Vect<std::wstring>>(SAFEARRAY*,
                                                                       std::vector<cST_Vect<std::wstring>*>&);
template void LoadArrayUserDefined<ST_MVectDbl, cST_MVect<double>>(SAFEARRAY*, std::vector<cST_MVect<double>*>&);
template void LoadArrayUserDefined<ST_MVectStr, cST_MVect<std::wstring>>(SAFEARRAY*,
                                                                         std::vector<cST_MVect<std::wstring>*>&);
template void LoadArrayUserDefined<ST_DataSet, cST_DataSet>(SAFEARRAY*, std::vector<cST_DataSet*>&);
