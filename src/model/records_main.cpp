// The main record: folders and names of the run, the catalogue table and the
// generated R code.
#include <string>

#include "records.h"
#include "records_copy.h"

namespace {

const ST_Main_aiR kNoMain{};

}  // namespace

// The strings and scalars of the main record, in host order.
#define KOV_MAIN_FIELDS(OP, m, h) \
    OP(m, h, workFolder)          \
    OP(m, h, spareText)           \
    OP(m, h, catalogFolder)       \
    OP(m, h, templateFolder)      \
    OP(m, h, catalogCount)        \
    OP(m, h, templateFile)        \
    OP(m, h, spareFlag1)          \
    OP(m, h, rFolder)             \
    OP(m, h, spareFlag2)          \
    OP(m, h, group)               \
    OP(m, h, title)               \
    OP(m, h, keywords)            \
    OP(m, h, rCode)

cST_Main_aiR::cST_Main_aiR(ST_Main_aiR* hostRecord) : host(hostRecord) {
    const ST_Main_aiR& source = host != nullptr ? *host : kNoMain;
    KOV_MAIN_FIELDS(KOV_LOAD_FIELD, *this, source)
    catalogTable = new matrix<std::wstring>(KOV_HOST_ARRAY(host, catalogTable));
    try {
        spareList = new StrVect(records::Nested(host, &ST_Main_aiR::spareList));
    } catch (...) {
        delete catalogTable;
        throw;
    }
}

cST_Main_aiR::~cST_Main_aiR() {
    if (host != nullptr) {
        KOV_MAIN_FIELDS(KOV_STORE_FIELD, *this, *host)
    }
    delete catalogTable;
    delete spareList;
}
