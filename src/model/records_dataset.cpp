// Data sets: the qualitative-information record, one data set with its column
// blocks and tables, and the array of all data sets of a run.
#include <string>

#include "records.h"
#include "records_copy.h"

namespace {

// Zero scalars and empty strings for a mirror without a host record.
const ST_QualiInfo kNoQualiInfo{};
const ST_DataSet kNoDataSet{};

void DestroyParts(cST_QualiInfo& q) noexcept {
    delete q.extraIntTable;
    delete q.textTable;
    delete q.textBlock;
    delete q.numBlock1;
    delete q.numBlock2;
}

// Destroys the owned objects of a data set in the order that writes them back.
void DestroyParts(cST_DataSet& d) noexcept {
    delete d.quanti1;
    delete d.quanti1Flags;
    delete d.quanti2;
    delete d.quanti2Flags;
    delete d.quali1;
    delete d.quali1Flags;
    delete d.quali2;
    delete d.quali2Flags;
    delete d.textBlock;
    delete d.qualiInfo;
    delete d.extraIntTable;
    delete d.obsLabels;
    delete d.extraDblTable1;
    delete d.extraDblTable2;
    delete d.dataQuanti;
    delete d.dataQuali;
    delete d.extraShortTable;
    delete d.extraDblTable3;
}

void DestroyParts(cST_DataSetArray& a) noexcept {
    delete a.exportFlags;
    delete a.dataSetNames;
    for (cST_DataSet* dataSet : a.dataSets) delete dataSet;
    a.dataSets.clear();
}

}  // namespace

// The scalars of the qualitative-information record.
#define KOV_QUALI_INFO_SCALARS(OP, m, h) \
    OP(m, h, extraInt1)                  \
    OP(m, h, extraDouble1)               \
    OP(m, h, extraInt2)                  \
    OP(m, h, extraInt3)                  \
    OP(m, h, extraDouble2)

// The scalars of a data set, in host order.
#define KOV_DATA_SET_SCALARS(OP, m, h) \
    OP(m, h, quanti1Int)               \
    OP(m, h, quanti1Bool)              \
    OP(m, h, quanti1FlagsBool)         \
    OP(m, h, quanti2Int)               \
    OP(m, h, quanti2Bool)              \
    OP(m, h, quanti2FlagsBool)         \
    OP(m, h, quali1Int)                \
    OP(m, h, quali1Bool)               \
    OP(m, h, quali1FlagsBool)          \
    OP(m, h, quali2Int)                \
    OP(m, h, quali2Bool)               \
    OP(m, h, quali2FlagsBool)          \
    OP(m, h, rowCount)                 \
    OP(m, h, extraInt1)                \
    OP(m, h, extraBool1)               \
    OP(m, h, extraInt2)                \
    OP(m, h, extraBool2)               \
    OP(m, h, extraBool3)               \
    OP(m, h, extraInt3)                \
    OP(m, h, qualiInfoFlag)            \
    OP(m, h, extraBool4)               \
    OP(m, h, extraBool5)               \
    OP(m, h, extraBool6)               \
    OP(m, h, extraBool7)               \
    OP(m, h, extraInt4)                \
    OP(m, h, extraBool8)               \
    OP(m, h, extraBool9)               \
    OP(m, h, extraInt5)                \
    OP(m, h, extraInt6)

cST_QualiInfo::cST_QualiInfo(ST_QualiInfo* hostRecord) : host(hostRecord) {
    const ST_QualiInfo& source = host != nullptr ? *host : kNoQualiInfo;
    KOV_QUALI_INFO_SCALARS(KOV_LOAD_FIELD, *this, source)
    try {
        extraIntTable = new matrix<int>(KOV_HOST_ARRAY(host, extraIntTable));
        textTable = new matrix<std::wstring>(KOV_HOST_ARRAY(host, textTable));
        textBlock = new cST_MVect<std::wstring>(records::Nested(host, &ST_QualiInfo::textBlock));
        numBlock1 = new cST_MVect<double>(records::Nested(host, &ST_QualiInfo::numBlock1));
        numBlock2 = new cST_MVect<double>(records::Nested(host, &ST_QualiInfo::numBlock2));
    } catch (...) {
        DestroyParts(*this);
        throw;
    }
}

cST_QualiInfo::~cST_QualiInfo() {
    if (host != nullptr) {
        KOV_QUALI_INFO_SCALARS(KOV_STORE_FIELD, *this, *host)
    }
    DestroyParts(*this);
}

cST_DataSet::cST_DataSet(ST_DataSet* hostRecord) : host(hostRecord) {
    using records::Nested;
    try {
        quanti1 = new cST_MVect<double>(Nested(host, &ST_DataSet::quanti1));
        quanti1Flags = new cST_MVect<short>(Nested(host, &ST_DataSet::quanti1Flags));
        quanti2 = new cST_MVect<double>(Nested(host, &ST_DataSet::quanti2));
        quanti2Flags = new cST_MVect<short>(Nested(host, &ST_DataSet::quanti2Flags));
        quali1 = new cST_MVect<std::wstring>(Nested(host, &ST_DataSet::quali1));
        quali1Flags = new cST_MVect<short>(Nested(host, &ST_DataSet::quali1Flags));
        quali2 = new cST_MVect<std::wstring>(Nested(host, &ST_DataSet::quali2));
        quali2Flags = new cST_MVect<short>(Nested(host, &ST_DataSet::quali2Flags));
        textBlock = new cST_MVect<std::wstring>(Nested(host, &ST_DataSet::textBlock));
        extraIntTable = new matrix<int>(KOV_HOST_ARRAY(host, extraIntTable));
        obsLabels = new matrix<std::wstring>(KOV_HOST_ARRAY(host, obsLabels));
        extraDblTable1 = new matrix<double>(KOV_HOST_ARRAY(host, extraDblTable1));
        extraDblTable2 = new matrix<double>(KOV_HOST_ARRAY(host, extraDblTable2));
        dataQuanti = new cST_DataDbl(Nested(host, &ST_DataSet::dataQuanti));
        dataQuali = new cST_DataStr(Nested(host, &ST_DataSet::dataQuali));
        qualiInfo = new cST_QualiInfo(Nested(host, &ST_DataSet::qualiInfo));
        extraShortTable = new matrix<short>(KOV_HOST_ARRAY(host, extraShortTable));
        extraDblTable3 = new matrix<double>(KOV_HOST_ARRAY(host, extraDblTable3));
    } catch (...) {
        DestroyParts(*this);
        throw;
    }
    const ST_DataSet& source = host != nullptr ? *host : kNoDataSet;
    KOV_DATA_SET_SCALARS(KOV_LOAD_FIELD, *this, source)
}

cST_DataSet::~cST_DataSet() {
    if (host != nullptr) {
        KOV_DATA_SET_SCALARS(KOV_STORE_FIELD, *this, *host)
    }
    DestroyParts(*this);
}

cST_DataSetArray::cST_DataSetArray(ST_DataSetArray* hostRecord) : host(hostRecord), count(0) {
    if (host != nullptr) count = host->count;
    try {
        LoadArrayUserDefined<ST_DataSet, cST_DataSet>(KOV_HOST_ARRAY(host, dataSets), dataSets);
        exportFlags = new matrix<short>(KOV_HOST_ARRAY(host, exportFlags));
        dataSetNames = new matrix<std::wstring>(KOV_HOST_ARRAY(host, dataSetNames));
    } catch (...) {
        DestroyParts(*this);
        throw;
    }
}

cST_DataSetArray::~cST_DataSetArray() {
    if (host != nullptr) host->count = count;
    DestroyParts(*this);
}
