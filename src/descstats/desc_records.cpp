#include "desc_records.h"

namespace {

// The address of a nested part of a host record, or null without a record.
template <typename Record, typename Part>
Part* PartOf(Record* record, Part Record::*part) {
    return record != nullptr ? &(record->*part) : nullptr;
}

// A matrix over a host array field. The field is passed by value: fields
// of packed records may be misaligned for a reference.
template <typename T>
std::unique_ptr<matrix<T>> Over(SAFEARRAY* array) {
    return std::make_unique<matrix<T>>(array);
}

}  // namespace

cST_TableFormats::cST_TableFormats(ST_TableFormats* hostRecord) : host(hostRecord) {
    const ST_TableFormats empty{};
    const ST_TableFormats& h = host != nullptr ? *host : empty;
    extraDouble1 = h.extraDouble1;
    extraShort1 = h.extraShort1;
    extraInt1 = h.extraInt1;
    extraShort2 = h.extraShort2;
    extraInt2 = h.extraInt2;
    extraShort3 = h.extraShort3;
    extraInt3 = h.extraInt3;
    extraShort4 = h.extraShort4;
    extraShort5 = h.extraShort5;
    extraShort6 = h.extraShort6;
    extraShort7 = h.extraShort7;
    extraShort8 = h.extraShort8;
    extraInt4 = h.extraInt4;
    extraShort9 = h.extraShort9;
    extraShort10 = h.extraShort10;
    extraInt5 = h.extraInt5;
    extraShort11 = h.extraShort11;
    extraInt6 = h.extraInt6;
    extraShort12 = h.extraShort12;
    extraInt7 = h.extraInt7;
    extraInt8 = h.extraInt8;
    extraShort13 = h.extraShort13;
    extraShort14 = h.extraShort14;
    extraInt9 = h.extraInt9;
    extraShort15 = h.extraShort15;
    extraShort16 = h.extraShort16;
    extraShort17 = h.extraShort17;
    extraShort18 = h.extraShort18;
    extraInt10 = h.extraInt10;
    extraShort19 = h.extraShort19;
    extraInt11 = h.extraInt11;
    extraShortTable = Over<short>(h.extraShortTable);
    extraTextTable1 = Over<std::wstring>(h.extraTextTable1);
    extraIntTable1 = Over<int>(h.extraIntTable1);
    extraIntVect1 = std::make_unique<IntVect>(PartOf(host, &ST_TableFormats::extraIntVect1));
    extraIntVect2 = std::make_unique<IntVect>(PartOf(host, &ST_TableFormats::extraIntVect2));
    extraTextVect1 = std::make_unique<StrVect>(PartOf(host, &ST_TableFormats::extraTextVect1));
    statistics = Over<std::wstring>(h.statistics);
    extraIntTable2 = Over<int>(h.extraIntTable2);
    extraTextVect2 = std::make_unique<StrVect>(PartOf(host, &ST_TableFormats::extraTextVect2));
    extraIntVect3 = std::make_unique<IntVect>(PartOf(host, &ST_TableFormats::extraIntVect3));
}

// The scalars go back here; the arrays and vectors write themselves back as
// the members are destroyed.
cST_TableFormats::~cST_TableFormats() {
    if (host == nullptr) return;
    host->extraDouble1 = extraDouble1;
    host->extraShort1 = extraShort1;
    host->extraInt1 = extraInt1;
    host->extraShort2 = extraShort2;
    host->extraInt2 = extraInt2;
    host->extraShort3 = extraShort3;
    host->extraInt3 = extraInt3;
    host->extraShort4 = extraShort4;
    host->extraShort5 = extraShort5;
    host->extraShort6 = extraShort6;
    host->extraShort7 = extraShort7;
    host->extraShort8 = extraShort8;
    host->extraInt4 = extraInt4;
    host->extraShort9 = extraShort9;
    host->extraShort10 = extraShort10;
    host->extraInt5 = extraInt5;
    host->extraShort11 = extraShort11;
    host->extraInt6 = extraInt6;
    host->extraShort12 = extraShort12;
    host->extraInt7 = extraInt7;
    host->extraInt8 = extraInt8;
    host->extraShort13 = extraShort13;
    host->extraShort14 = extraShort14;
    host->extraInt9 = extraInt9;
    host->extraShort15 = extraShort15;
    host->extraShort16 = extraShort16;
    host->extraShort17 = extraShort17;
    host->extraShort18 = extraShort18;
    host->extraInt10 = extraInt10;
    host->extraShort19 = extraShort19;
    host->extraInt11 = extraInt11;
}

cST_DescQuantiStats::cST_DescQuantiStats(ST_DescQuantiStats* hostRecord)
    : host(hostRecord),
      values(Over<double>(host != nullptr ? host->values : nullptr)),
      formats(std::make_unique<cST_TableFormats>(PartOf(host, &ST_DescQuantiStats::formats))) {}

cST_DescQualiStats::cST_DescQualiStats(ST_DescQualiStats* hostRecord)
    : host(hostRecord),
      dataSet(std::make_unique<cST_DataSet>(PartOf(host, &ST_DescQualiStats::dataSet))),
      formats(std::make_unique<cST_TableFormats>(PartOf(host, &ST_DescQualiStats::formats))) {}

cST_DescStats::cST_DescStats(ST_DescStats* hostRecord)
    : host(hostRecord),
      quanti(std::make_unique<cST_DescQuantiStats>(PartOf(host, &ST_DescStats::quanti))),
      quali(std::make_unique<cST_DescQualiStats>(PartOf(host, &ST_DescStats::quali))) {}
