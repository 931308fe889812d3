// Mirrors of the host records. Each cST_ object is built from its host record
// at the start of an export (strings converted, host arrays wrapped in matrix
// objects: numeric ones in place, string ones copied) and writes every field
// back into the host record when it is destroyed: strings as new host strings,
// scalars with their own width, string arrays element by element.
// After construction every matrix and owned object pointer is set (never
// null); only entries of columns, blocks and dataSets may be null (a host
// array with a count but no data). A null host record gives an empty object
// that writes nothing back.
#ifndef KOV_MODEL_RECORDS_H
#define KOV_MODEL_RECORDS_H

#include <limits>
#include <string>
#include <vector>

#include "kovrbridge.h"
#include "kovrbridge_fields.h"
#include "matrix.h"

// One vector of a record: count entries in use at 1-based positions of values.
template <typename T>
class cST_Vect {
public:
    explicit cST_Vect(ST_Vect* hostRecord);
    ~cST_Vect();
    cST_Vect(const cST_Vect&) = delete;
    cST_Vect& operator=(const cST_Vect&) = delete;

    // Entry i (1-based); out of range reaches the matrix's spare element.
    T& operator()(int i) { return (*values)(i); }
    // Adds one to count and stores value at the new last position. A count
    // the host left at the int maximum has no next position: it stays, and
    // the value is dropped.
    void Append(const T& value) {
        if (count == std::numeric_limits<int>::max()) return;
        ++count;
        (*values)(count) = value;
    }

    ST_Vect* host = nullptr;
    int count;
    int spareInt;
    matrix<T>* values = nullptr;
};

using StrVect = cST_Vect<std::wstring>;
using IntVect = cST_Vect<int>;
using BoolVect = cST_Vect<short>;
using DblVect = cST_Vect<double>;

// The mirror of a host vector of the field lists: one member per vector.
#define KOV_MIRROR_TEXT StrVect
#define KOV_MIRROR_INT32 IntVect
#define KOV_MIRROR_INT16 BoolVect
#define KOV_MIRROR_MEMBER(field, element) KOV_MIRROR_##element field;

// A block of columns; column i (1-based) is columns[i - 1].
template <typename T>
class cST_MVect {
public:
    explicit cST_MVect(ST_MVect* hostRecord);
    ~cST_MVect();
    cST_MVect(const cST_MVect&) = delete;
    cST_MVect& operator=(const cST_MVect&) = delete;

    // Column i (1-based), or null when it was not built.
    cST_Vect<T>* column(int i) const {
        return i >= 1 && static_cast<size_t>(i) <= columns.size() ? columns[static_cast<size_t>(i) - 1] : nullptr;
    }

    ST_MVect* host = nullptr;
    int columnCount;
    int extraInt1;
    short extraShort;
    int extraInt2;
    std::vector<cST_Vect<T>*> columns;
    matrix<int>* columnLengths = nullptr;
    matrix<std::wstring>* columnNames = nullptr;
};

// A list of blocks; block i (1-based) is blocks[i - 1].
template <typename T>
class cST_Data {
public:
    explicit cST_Data(ST_Data* hostRecord);
    ~cST_Data();
    cST_Data(const cST_Data&) = delete;
    cST_Data& operator=(const cST_Data&) = delete;

    // Block i (1-based), or null when it was not built.
    cST_MVect<T>* block(int i) const {
        return i >= 1 && static_cast<size_t>(i) <= blocks.size() ? blocks[static_cast<size_t>(i) - 1] : nullptr;
    }

    ST_Data* host = nullptr;
    int blockCount;
    std::vector<cST_MVect<T>*> blocks;
};

using cST_DataDbl = cST_Data<double>;
using cST_DataStr = cST_Data<std::wstring>;

class cST_QualiInfo {
public:
    explicit cST_QualiInfo(ST_QualiInfo* hostRecord);
    ~cST_QualiInfo();
    cST_QualiInfo(const cST_QualiInfo&) = delete;
    cST_QualiInfo& operator=(const cST_QualiInfo&) = delete;

    ST_QualiInfo* host = nullptr;
    int extraInt1;
    double extraDouble1;
    int extraInt2;
    int extraInt3;
    double extraDouble2;
    matrix<int>* extraIntTable = nullptr;
    matrix<std::wstring>* textTable = nullptr;
    cST_MVect<std::wstring>* textBlock = nullptr;
    cST_MVect<double>* numBlock1 = nullptr;
    cST_MVect<double>* numBlock2 = nullptr;
};

// One data set: numeric blocks quanti1, quanti2; text blocks quali1, quali2.
class cST_DataSet {
public:
    explicit cST_DataSet(ST_DataSet* hostRecord);
    ~cST_DataSet();
    cST_DataSet(const cST_DataSet&) = delete;
    cST_DataSet& operator=(const cST_DataSet&) = delete;

    ST_DataSet* host = nullptr;
    int quanti1Int;
    short quanti1Bool;
    cST_MVect<double>* quanti1 = nullptr;
    short quanti1FlagsBool;
    cST_MVect<short>* quanti1Flags = nullptr;
    int quanti2Int;
    short quanti2Bool;
    cST_MVect<double>* quanti2 = nullptr;
    short quanti2FlagsBool;
    cST_MVect<short>* quanti2Flags = nullptr;
    int quali1Int;
    short quali1Bool;
    cST_MVect<std::wstring>* quali1 = nullptr;
    short quali1FlagsBool;
    cST_MVect<short>* quali1Flags = nullptr;
    int quali2Int;
    short quali2Bool;
    cST_MVect<std::wstring>* quali2 = nullptr;
    short quali2FlagsBool;
    cST_MVect<short>* quali2Flags = nullptr;
    int rowCount;
    int extraInt1;
    matrix<int>* extraIntTable = nullptr;
    short extraBool1;
    matrix<std::wstring>* obsLabels = nullptr;
    int extraInt2;
    short extraBool2;
    matrix<double>* extraDblTable1 = nullptr;
    short extraBool3;
    matrix<double>* extraDblTable2 = nullptr;
    cST_MVect<std::wstring>* textBlock = nullptr;
    int extraInt3;
    short qualiInfoFlag;
    short extraBool4;
    short extraBool5;
    cST_QualiInfo* qualiInfo = nullptr;
    short extraBool6;
    short extraBool7;
    matrix<short>* extraShortTable = nullptr;
    int extraInt4;
    short extraBool8;
    cST_DataDbl* dataQuanti = nullptr;
    cST_DataStr* dataQuali = nullptr;
    short extraBool9;
    matrix<double>* extraDblTable3 = nullptr;
    int extraInt5;
    int extraInt6;
};

// All data sets of one run; a null host record gives an empty object that
// writes nothing back.
class cST_DataSetArray {
public:
    explicit cST_DataSetArray(ST_DataSetArray* hostRecord);
    ~cST_DataSetArray();
    cST_DataSetArray(const cST_DataSetArray&) = delete;
    cST_DataSetArray& operator=(const cST_DataSetArray&) = delete;

    // Data set k (1-based), or null when it was not built.
    cST_DataSet* dataSet(int k) const {
        return k >= 1 && static_cast<size_t>(k) <= dataSets.size() ? dataSets[static_cast<size_t>(k) - 1] : nullptr;
    }

    ST_DataSetArray* host = nullptr;
    int count;
    std::vector<cST_DataSet*> dataSets;
    matrix<short>* exportFlags = nullptr;
    matrix<std::wstring>* dataSetNames = nullptr;
};

// The main record.
class cST_Main_aiR {
public:
    explicit cST_Main_aiR(ST_Main_aiR* hostRecord);
    ~cST_Main_aiR();
    cST_Main_aiR(const cST_Main_aiR&) = delete;
    cST_Main_aiR& operator=(const cST_Main_aiR&) = delete;

    ST_Main_aiR* host = nullptr;
    std::wstring workFolder;
    std::wstring spareText;
    std::wstring catalogFolder;
    std::wstring templateFolder;
    matrix<std::wstring>* catalogTable = nullptr;
    int catalogCount;
    std::wstring templateFile;
    short spareFlag1;
    StrVect* spareList = nullptr;
    std::wstring rFolder;
    short spareFlag2;
    std::wstring group;
    std::wstring title;
    std::wstring keywords;
    std::wstring rCode;
};

// The dialog description. Vectors are appended to with Append().
class cST_aiR {
public:
    explicit cST_aiR(ST_aiR* hostRecord);
    ~cST_aiR();
    cST_aiR(const cST_aiR&) = delete;
    cST_aiR& operator=(const cST_aiR&) = delete;

    ST_aiR* host = nullptr;
    int addObsLabels;
    std::wstring dataStructure;
    std::wstring functionName;
    std::wstring packages;
    short replaceByValue;
    int seedValue;
    int uniqueId;
    short usesSeed;
    short hasInteractions;
    std::wstring dialogCode;
    std::wstring authorXml;
    std::wstring authorRFunction;
    std::wstring compatibilityKovian;
    std::wstring compatibilityR;
    std::wstring dateCreated;
    std::wstring dateModified;
    std::wstring packageVersion;
    std::wstring rDescription;
    std::wstring spareString;
    short singleColumnQuanti;
    short singleColumnQuali;
    short autoPredict;
    int spareInt1;
    std::wstring autoPredictRName;
    int spareInt2;
    std::wstring missingOptions;
    std::wstring missingDefault;
    short autoOutputs;
    short autoOutputsStats;
    int autoOutputsPage;
    short autoCharts;
    int autoChartsPage;
    KOV_DIALOG_VECTORS(KOV_MIRROR_MEMBER)
};

// One entry per control in every vector except ctlExtra.
class cST_AirControlInfo {
public:
    explicit cST_AirControlInfo(ST_AirControlInfo* hostRecord);
    ~cST_AirControlInfo() = default;
    cST_AirControlInfo(const cST_AirControlInfo&) = delete;
    cST_AirControlInfo& operator=(const cST_AirControlInfo&) = delete;

    ST_AirControlInfo* host = nullptr;
    KOV_CONTROL_VECTORS(KOV_MIRROR_MEMBER)
};

// Builds one mirror object per record of a host array of records (null
// entries when the array has a count but no data). An array that is not of
// one dimension of such records gives no entries.
template <typename HostRecord, typename Mirror>
void LoadArrayUserDefined(SAFEARRAY* hostArray, std::vector<Mirror*>& out);

#endif
