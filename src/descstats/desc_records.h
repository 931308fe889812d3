// Mirrors of the descriptive-statistics result records. Like the data-set
// mirrors, each is built from its host record at the start of the export and
// writes back when destroyed: the numeric results lie in the host's array
// already, the settings and the text tables are written back by the parts.
// A null host record gives an empty object that writes nothing back.
#ifndef KOV_DESCSTATS_DESC_RECORDS_H
#define KOV_DESCSTATS_DESC_RECORDS_H

#include <memory>
#include <string>

#include "kovrbridge.h"
#include "matrix.h"
#include "records.h"

// The settings of one statistics table, carried for the statistics library:
// the scalars in host order, then the arrays and vectors in host order.
// statistics names the numeric statistics wanted, one per result row.
class cST_TableFormats {
public:
    explicit cST_TableFormats(ST_TableFormats* hostRecord);
    ~cST_TableFormats();
    cST_TableFormats(const cST_TableFormats&) = delete;
    cST_TableFormats& operator=(const cST_TableFormats&) = delete;

    ST_TableFormats* host;
    double extraDouble1;
    short extraShort1;
    int extraInt1;
    short extraShort2;
    int extraInt2;
    short extraShort3;
    int extraInt3;
    short extraShort4;
    short extraShort5;
    short extraShort6;
    short extraShort7;
    short extraShort8;
    int extraInt4;
    short extraShort9;
    short extraShort10;
    int extraInt5;
    short extraShort11;
    int extraInt6;
    short extraShort12;
    int extraInt7;
    int extraInt8;
    short extraShort13;
    short extraShort14;
    int extraInt9;
    short extraShort15;
    short extraShort16;
    short extraShort17;
    short extraShort18;
    int extraInt10;
    short extraShort19;
    int extraInt11;
    std::unique_ptr<matrix<short>> extraShortTable;
    std::unique_ptr<matrix<std::wstring>> extraTextTable1;
    std::unique_ptr<matrix<int>> extraIntTable1;
    std::unique_ptr<IntVect> extraIntVect1;
    std::unique_ptr<IntVect> extraIntVect2;
    std::unique_ptr<StrVect> extraTextVect1;
    std::unique_ptr<matrix<std::wstring>> statistics;
    std::unique_ptr<matrix<int>> extraIntTable2;
    std::unique_ptr<StrVect> extraTextVect2;
    std::unique_ptr<IntVect> extraIntVect3;
};

// Numeric results: values lies over the host's double array, so results
// written into it are in host memory at once.
class cST_DescQuantiStats {
public:
    explicit cST_DescQuantiStats(ST_DescQuantiStats* hostRecord);

    ST_DescQuantiStats* host;
    std::unique_ptr<matrix<double>> values;
    std::unique_ptr<cST_TableFormats> formats;
};

// Text results: the frequency tables land in dataSet.
class cST_DescQualiStats {
public:
    explicit cST_DescQualiStats(ST_DescQualiStats* hostRecord);

    ST_DescQualiStats* host;
    std::unique_ptr<cST_DataSet> dataSet;
    std::unique_ptr<cST_TableFormats> formats;
};

// The descriptive statistics of one data set.
class cST_DescStats {
public:
    explicit cST_DescStats(ST_DescStats* hostRecord);

    ST_DescStats* host;
    std::unique_ptr<cST_DescQuantiStats> quanti;
    std::unique_ptr<cST_DescQualiStats> quali;
};

#endif
