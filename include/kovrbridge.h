/* kovrbridge: the R bridge of the statistics add-in. A host calls the Cpp_
 * entry points below with host strings, host arrays and the host records
 * declared here (4-byte packing; on a 32-bit target the byte offsets are the
 * documented ones). Link with libkovrbridge.so, or dlopen it.
 *
 * Host arrays: a record's array whose element size, string or record feature
 * (FADF_BSTR, FADF_RECORD) or dimension count (1 for arrays of records, 1 or 2
 * otherwise) does not match what its field holds is treated as a null array:
 * nothing is read from it or written into it.
 *
 * Threads: the catalogue and template-reading exports (Cpp_GetNbRFiles,
 * Cpp_GetListOfRFiles, Cpp_GetMethodDescriptionSize, Cpp_GetMethodDescription)
 * and the string, list and identifier functions may run on several threads at
 * once, each call with records and strings of its own. The library never
 * tears down or redirects libxml2's process-wide state, so the host may use
 * libxml2 on its own threads meanwhile. The other exports (R code generation,
 * scripts, data files, transfer, descriptive statistics) are called one at a
 * time, as the add-in calls them. */
#ifndef KOVRBRIDGE_H
#define KOVRBRIDGE_H

#include <stdint.h>
#include <wchar.h>

#include "oleauto.h"

#if defined(__GNUC__)
#define KOVRBRIDGE_API __attribute__((visibility("default")))
#else
#define KOVRBRIDGE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 4)

/* One column of values: count entries in use at 1-based positions of values. */
typedef struct ST_Vect {
    int32_t count;
    int32_t spareInt;
    SAFEARRAY* values;
} ST_Vect;
typedef ST_Vect ST_VectDbl;  /* values: double */
typedef ST_Vect ST_VectBool; /* values: int16 host booleans */
typedef ST_Vect ST_VectStr;  /* values: BSTR */

/* A block of columns; columns is a host array of ST_Vect records. */
typedef struct ST_MVect {
    int32_t columnCount;
    int32_t extraInt1;
    int16_t extraShort;
    int32_t extraInt2;
    SAFEARRAY* columnLengths; /* int32 */
    SAFEARRAY* columns;       /* ST_VectDbl, ST_VectBool or ST_VectStr */
    SAFEARRAY* columnNames;   /* BSTR */
} ST_MVect;
typedef ST_MVect ST_MVectDbl;
typedef ST_MVect ST_MVectBool;
typedef ST_MVect ST_MVectStr;

/* A list of blocks; blocks is a host array of ST_MVect records. */
typedef struct ST_Data {
    int32_t blockCount;
    SAFEARRAY* blocks;
} ST_Data;
typedef ST_Data ST_DataDbl;
typedef ST_Data ST_DataStr;

typedef struct ST_QualiInfo {
    int32_t extraInt1;
    double extraDouble1;
    int32_t extraInt2;
    SAFEARRAY* extraIntTable;
    int32_t extraInt3;
    ST_MVectStr textBlock;
    ST_MVectDbl numBlock1;
    ST_MVectDbl numBlock2;
    double extraDouble2;
    SAFEARRAY* textTable;
} ST_QualiInfo;

/* One data set: numeric blocks quanti1, quanti2 and text blocks quali1, quali2. */
typedef struct ST_DataSet {
    int32_t quanti1Int;
    int16_t quanti1Bool;
    ST_MVectDbl quanti1;
    int16_t quanti1FlagsBool;
    ST_MVectBool quanti1Flags;
    int32_t quanti2Int;
    int16_t quanti2Bool;
    ST_MVectDbl quanti2;
    int16_t quanti2FlagsBool;
    ST_MVectBool quanti2Flags;
    int32_t quali1Int;
    int16_t quali1Bool;
    ST_MVectStr quali1;
    int16_t quali1FlagsBool;
    ST_MVectBool quali1Flags;
    int32_t quali2Int;
    int16_t quali2Bool;
    ST_MVectStr quali2;
    int16_t quali2FlagsBool;
    ST_MVectBool quali2Flags;
    int32_t rowCount;
    int32_t extraInt1;
    SAFEARRAY* extraIntTable;
    int16_t extraBool1;
    SAFEARRAY* obsLabels;
    int32_t extraInt2;
    int16_t extraBool2;
    SAFEARRAY* extraDblTable1;
    int16_t extraBool3;
    SAFEARRAY* extraDblTable2;
    ST_MVectStr textBlock;
    int32_t extraInt3;
    int16_t qualiInfoFlag;
    int16_t extraBool4;
    int16_t extraBool5;
    ST_QualiInfo qualiInfo;
    int16_t extraBool6;
    int16_t extraBool7;
    SAFEARRAY* extraShortTable;
    int32_t extraInt4;
    int16_t extraBool8;
    ST_DataDbl dataQuanti;
    ST_DataStr dataQuali;
    int16_t extraBool9;
    SAFEARRAY* extraDblTable3;
    int32_t extraInt5;
    int32_t extraInt6;
} ST_DataSet;

/* All data sets of one run. */
typedef struct ST_DataSetArray {
    int32_t count;
    SAFEARRAY* dataSets;     /* ST_DataSet records */
    SAFEARRAY* exportFlags;  /* int16 host booleans */
    SAFEARRAY* dataSetNames; /* BSTR */
} ST_DataSetArray;

/* The main record: folders and names of the current run, the catalogue table
 * and the generated R code. */
typedef struct ST_Main_aiR {
    BSTR workFolder;
    BSTR spareText;
    BSTR catalogFolder;
    BSTR templateFolder;
    SAFEARRAY* catalogTable; /* BSTR, 7 rows (fields) x catalogCount columns (templates) */
    int32_t catalogCount;
    BSTR templateFile;
    int16_t spareFlag1;
    ST_VectStr spareList;
    BSTR rFolder;
    int16_t spareFlag2;
    BSTR group;
    BSTR title;
    BSTR keywords;
    BSTR rCode;
} ST_Main_aiR;

/* The dialog description of one template. */
typedef struct ST_aiR {
    int32_t addObsLabels;
    BSTR dataStructure;
    BSTR functionName;
    BSTR packages;
    int16_t replaceByValue;
    int32_t seedValue;
    int32_t uniqueId;
    int16_t usesSeed;
    int16_t hasInteractions;
    BSTR dialogCode;
    BSTR authorXml;
    BSTR authorRFunction;
    BSTR compatibilityKovian;
    BSTR compatibilityR;
    BSTR dateCreated;
    BSTR dateModified;
    BSTR packageVersion;
    BSTR rDescription;
    BSTR spareString;
    int16_t singleColumnQuanti;
    int16_t singleColumnQuali;
    ST_Vect pageText;
    ST_Vect pageCtlCount;
    ST_Vect pageLeftWidth;
    ST_Vect pageRightWidth;
    ST_Vect pageEnabled;
    ST_Vect optionKind;
    ST_Vect optionExtraText1;
    ST_Vect optionExtraText2;
    ST_Vect optionActive;
    ST_Vect optionExtraFlag;
    ST_Vect optionRName;
    ST_Vect optionChartName;
    ST_Vect optionExtraText3;
    ST_Vect optionExtraText4;
    ST_Vect optionValue;
    ST_Vect optionInclude;
    ST_Vect optionDone;
    ST_Vect comboName;
    ST_Vect comboDefault;
    ST_Vect comboItemTexts;
    ST_Vect comboItemRNames;
    int16_t autoPredict;
    int32_t spareInt1;
    BSTR autoPredictRName;
    int32_t spareInt2;
    BSTR missingOptions;
    BSTR missingDefault;
    int16_t autoOutputs;
    int16_t autoOutputsStats;
    int32_t autoOutputsPage;
    int16_t autoCharts;
    int32_t autoChartsPage;
    ST_Vect refName;
    ST_Vect refPage;
    ST_Vect refText;
    ST_Vect refDataType;
    ST_Vect refRType;
    ST_Vect refRName;
    ST_Vect refSelectionKind;
    ST_Vect refYVar;
    ST_Vect refOptional;
    ST_Vect refOptionDefault;
    ST_Vect refOneColumn;
    ST_Vect refHostFlag;
    ST_Vect refStr2Dbl;
    ST_Vect refOneByOne;
    ST_Vect inputPage;
    ST_Vect inputType;
    ST_Vect inputMin;
    ST_Vect inputMax;
    ST_Vect inputOptional;
    ST_Vect inputOptionDefault;
    ST_Vect resText;
    ST_Vect resRName;
    ST_Vect resType;
    ST_Vect resRowLabels;
    ST_Vect resColLabels;
    ST_Vect resFormat;
    ST_Vect resColFormats;
    ST_Vect resRowFormats;
    ST_Vect resChartType;
    ST_Vect resChartName;
    ST_Vect resColor;
    ST_Vect resShow;
    ST_Vect resHidden;
    ST_Vect resPlotIncluded;
    ST_Vect resRPlotCode;
    ST_Vect resRPlotFormat;
    ST_Vect resRPlotWidth;
    ST_Vect resRPlotHeight;
    ST_Vect scriptEngine;
    ST_Vect scriptReplace;
    ST_Vect scriptCode;
} ST_aiR;

/* One entry per dialog control in each vector (ctlExtra excepted). */
typedef struct ST_AirControlInfo {
    ST_Vect ctlChartName;
    ST_Vect ctlFrameChildren;
    ST_Vect ctlEventCode;
    ST_Vect ctlType;
    ST_Vect ctlDefault;
    ST_Vect ctlEnabled;
    ST_Vect ctlGroupName;
    ST_Vect ctlHeight;
    ST_Vect ctlExtra;
    ST_Vect ctlName;
    ST_Vect ctlNextRow;
    ST_Vect ctlLeft;
    ST_Vect ctlOptional;
    ST_Vect ctlOptionDefault;
    ST_Vect ctlPage;
    ST_Vect ctlRefEditLinked;
    ST_Vect ctlReportGroup;
    ST_Vect ctlReportText;
    ST_Vect ctlRName;
    ST_Vect ctlRNameOption;
    ST_Vect ctlStyle;
    ST_Vect ctlText;
    ST_Vect ctlToolTip;
    ST_Vect ctlKind;
    ST_Vect ctlVisible;
    ST_Vect ctlWidth;
} ST_AirControlInfo;

/* Counts written by the sizing pass: vectorSize[k] for vector k of ST_aiR. */
typedef struct ST_aiRSize {
    int16_t autoOutputs;
    int16_t autoOutputsStats;
    int32_t autoOutputsPage;
    int16_t autoCharts;
    int32_t autoChartsPage;
    int32_t reserved;
    int32_t vectorSize[62];
} ST_aiRSize;

/* Counts written by the sizing pass: vectorSize[j] for vector j of ST_AirControlInfo. */
typedef struct ST_AirControlInfoSize {
    int32_t vectorSize[26];
} ST_AirControlInfoSize;

/* Read in place; only decimalSymbol and listSeparator are used. */
typedef struct SystemInfo {
    int32_t reserved0;
    BSTR decimalSymbol;
    BSTR reserved[10];
    BSTR listSeparator;
} SystemInfo;

/* Filled by LoadErrorInfo_ST, one field per argument, in argument order. */
typedef struct ST_ErrorInfo {
    BSTR title;
    BSTR message;
    BSTR module;
    int32_t code1, code2, code3, code4, code5;
    BSTR text1;
    int32_t code6, code7, code8;
    BSTR text2;
} ST_ErrorInfo;

/* Settings of one statistics table. Their meaning belongs to the statistics
 * library; the bridge carries them unchanged. statistics lists the numeric
 * statistics wanted, by name ("n", "mean", "sd", ...), one per result row. */
typedef struct ST_TableFormats {
    double extraDouble1;
    SAFEARRAY* extraShortTable; /* int16 */
    int16_t extraShort1;
    int32_t extraInt1;
    int16_t extraShort2;
    SAFEARRAY* extraTextTable1; /* BSTR */
    int32_t extraInt2;
    int16_t extraShort3;
    SAFEARRAY* extraIntTable1; /* int32 */
    int32_t extraInt3;
    ST_Vect extraIntVect1; /* int32 values */
    ST_Vect extraIntVect2; /* int32 values */
    ST_VectStr extraTextVect1;
    int16_t extraShort4;
    int16_t extraShort5;
    int16_t extraShort6;
    int16_t extraShort7;
    int16_t extraShort8;
    int32_t extraInt4;
    int16_t extraShort9;
    int16_t extraShort10;
    int32_t extraInt5;
    int16_t extraShort11;
    int32_t extraInt6;
    int16_t extraShort12;
    int32_t extraInt7;
    int32_t extraInt8;
    int16_t extraShort13;
    SAFEARRAY* statistics; /* BSTR */
    int16_t extraShort14;
    SAFEARRAY* extraIntTable2; /* int32 */
    int32_t extraInt9;
    int16_t extraShort15;
    int16_t extraShort16;
    ST_VectStr extraTextVect2;
    ST_Vect extraIntVect3; /* int32 values */
    int16_t extraShort17;
    int16_t extraShort18;
    int32_t extraInt10;
    int16_t extraShort19;
    int32_t extraInt11;
} ST_TableFormats;

/* Numeric results: values is a double array of (statistic, column), the
 * statistics in the order of formats.statistics, the columns those of
 * quanti1 followed by those of quanti2. */
typedef struct ST_DescQuantiStats {
    SAFEARRAY* values;
    ST_TableFormats formats;
} ST_DescQuantiStats;

/* Text results: one frequency table per text column, written into dataSet
 * (categories in quali1, counts in quanti1, percentages in quanti2). */
typedef struct ST_DescQualiStats {
    ST_DataSet dataSet;
    ST_TableFormats formats;
} ST_DescQualiStats;

/* The descriptive statistics of one data set. */
typedef struct ST_DescStats {
    ST_DescQuantiStats quanti;
    ST_DescQualiStats quali;
} ST_DescStats;

#pragma pack(pop)

/* String functions with the macro language's semantics (1-based positions). */
KOVRBRIDGE_API int32_t Cpp_Len(BSTR s);
KOVRBRIDGE_API int32_t Cpp_Asc(BSTR s);
KOVRBRIDGE_API int32_t Cpp_InStr(int32_t start, BSTR s, BSTR sought);
KOVRBRIDGE_API BSTR Cpp_Left(BSTR s, int32_t n);
KOVRBRIDGE_API BSTR Cpp_LCase(BSTR s);
KOVRBRIDGE_API BSTR Cpp_UCase(BSTR s);
KOVRBRIDGE_API BSTR Cpp_Mid(BSTR s, int32_t start, int32_t length);
KOVRBRIDGE_API BSTR Cpp_Replace(BSTR expression, BSTR find, BSTR replacement, int32_t start, int32_t count);
KOVRBRIDGE_API BSTR Cpp_Join(BSTR* buffer, int32_t n, BSTR delimiter);

/* Lists and identifiers. */
KOVRBRIDGE_API int16_t Cpp_FindStrInVect(BSTR sought, int32_t n, BSTR* buffer);
KOVRBRIDGE_API BSTR Cpp_GetNextBeforeComma(BSTR* list, BSTR separator, int16_t cut);
KOVRBRIDGE_API void Cpp_GetVectFromCommaList(BSTR list, int32_t n, BSTR separator, BSTR* out);
KOVRBRIDGE_API void Cpp_GetVectFromCommaListDbl(BSTR list, int32_t n, int16_t headerFlag, BSTR separator,
                                                BSTR* header, double* out);
KOVRBRIDGE_API void Cpp_GetVectFromCommaListLng(BSTR list, int32_t n, int16_t headerFlag, BSTR separator,
                                                BSTR* header, int32_t* out);
KOVRBRIDGE_API BSTR Cpp_ExtractFromList(int32_t k, BSTR list);
KOVRBRIDGE_API int32_t Cpp_GetUniqueID(BSTR first, BSTR second);
KOVRBRIDGE_API int32_t Cpp_GetDataType(BSTR word);
KOVRBRIDGE_API BSTR Cpp_ReplaceSpecialSymbols(BSTR text);

/* R code generation: option code, data placeholders, model formula, code assembly. */
KOVRBRIDGE_API int16_t Cpp_IsOkAfter(BSTR c);
KOVRBRIDGE_API BSTR Cpp_RReplace(BSTR text, BSTR find, BSTR replacement);
KOVRBRIDGE_API BSTR Cpp_CodeChecks(BSTR code);
KOVRBRIDGE_API void Cpp_LoadClabelsRfunc(int32_t n, BSTR separator, BSTR* names, int16_t random, BSTR* formula);
KOVRBRIDGE_API void Cpp_GetTypeValListindex(ST_aiR* dialog, int32_t option, BSTR* kind, BSTR* value,
                                            int32_t* listIndex, int32_t* inputCounter, int32_t* comboCounter);
KOVRBRIDGE_API BSTR Cpp_GetValueForCtlType(ST_aiR* dialog, int32_t option, BSTR kind, BSTR value,
                                           int32_t listIndex, int32_t inputIndex, int32_t comboIndex);
KOVRBRIDGE_API BSTR Cpp_GetRCodeForOption(ST_aiR* dialog, int32_t* option, int32_t* inputCounter,
                                          int32_t* comboCounter);
KOVRBRIDGE_API BSTR Cpp_GetVarFromSetID(ST_DataSetArray* sets, int32_t set, int32_t kind);
KOVRBRIDGE_API void Cpp_ReplaceCodeByData(BSTR* code, ST_DataSetArray* sets);
KOVRBRIDGE_API BSTR Cpp_GetModelEquation(ST_aiR* dialog, ST_DataSetArray* sets, int32_t columnIndex);
KOVRBRIDGE_API void Cpp_GetRCodeAndReplaceOptions(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSetArray* sets,
                                                  int32_t columnIndex);

/* Scripts, data files and the transfer. */
KOVRBRIDGE_API void Cpp_WriteDataSetToFile(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSet* data, int32_t columnIndex,
                                           int16_t singleQuanti, int16_t singleQuali, BSTR fileName, BSTR separator,
                                           int16_t writeHeader, int16_t withLabels);
KOVRBRIDGE_API void Cpp_WriteROneScript(ST_Main_aiR* main, ST_aiR* dialog, SystemInfo* info, ST_DataSetArray* sets,
                                        int16_t check);
KOVRBRIDGE_API void Cpp_WriteRScripts(ST_Main_aiR* main, ST_aiR* dialog, SystemInfo* info, ST_DataSetArray* sets);
KOVRBRIDGE_API void Cpp_TransferToR(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSetArray* sets, SystemInfo* info,
                                    int32_t columnIndex);

/* Template reading: the sizing pass, then the filling pass. messages is the
 * host's translation table of 6500 strings. */
KOVRBRIDGE_API void Cpp_GetMethodDescriptionSize(ST_Main_aiR* main, ST_aiRSize* sizes,
                                                 ST_AirControlInfoSize* controlSizes, BSTR* messages,
                                                 ST_ErrorInfo* error);
KOVRBRIDGE_API void Cpp_GetMethodDescription(ST_Main_aiR* main, ST_aiR* dialog, ST_AirControlInfo* controls,
                                             BSTR* messages, ST_ErrorInfo* error);

/* Template catalogue. */
KOVRBRIDGE_API int32_t Cpp_GetNbRFiles(const wchar_t* folder);
KOVRBRIDGE_API void Cpp_GetListOfRFiles(ST_Main_aiR* main);

/* Descriptive statistics of a model's data. The numeric columns of the first
 * data set of model (quanti1, quanti2) are described into r1->quanti, those of
 * the first data set of second into r2->quanti and those of third into
 * r3->quanti (the last two only when that data has rows), each by the
 * statistics its formats.statistics names. When model's first data set has
 * text columns (quali1), the text columns held in quali->textBlock are
 * tabulated into r1->quali (and r2->quali, r3->quali under the same
 * conditions); when its qualiInfoFlag is -1, those of its own qualiInfo into
 * r4->quali. The host dimensions every result array beforehand. With flag -1
 * the first model data set's quanti2 and quali1 column counts are set to 0.
 * A null record reads as an empty one and receives nothing. */
KOVRBRIDGE_API void Cpp_GetDescStatsModel(int16_t flag, ST_DataSetArray* model, ST_DataSetArray* second,
                                          ST_DataSet* third, ST_QualiInfo* quali, ST_DescStats* r1,
                                          ST_DescStats* r2, ST_DescStats* r3, ST_DescStats* r4);

#ifdef __cplusplus
}
#endif

#endif
