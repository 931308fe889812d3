/* Compile-time check of the host record layouts in kovrbridge.h. Compiled
 * (syntax only) as C and as C++, for 32-bit and 64-bit targets: on 32-bit every
 * record has the byte size and every field the byte offset that the add-in
 * uses; on both, the records keep 4-byte packing with pointer-wide fields. */
#include <assert.h>
#include <stddef.h>
#include <stdint.h>

#include "kovrbridge.h"
#include "kovrbridge_fields.h"

#ifdef __cplusplus
#define ALIGN_OF(type) alignof(type)
#else
#define ALIGN_OF(type) _Alignof(type)
#endif

#define AT(record, field, offset) \
    static_assert(offsetof(record, field) == (offset), #record "." #field " is not at offset " #offset);
#define SIZE(record, size) static_assert(sizeof(record) == (size), "sizeof(" #record ") is not " #size);
#define PACKED(record) static_assert(ALIGN_OF(record) <= 4, #record " is not packed to 4 bytes");

/* Pointer width: 4 on the add-in's 32-bit target, 8 on 64-bit. */
#define P ((size_t)sizeof(void*))

/* 4-byte packing on every target. */
PACKED(ST_Vect) PACKED(ST_MVect) PACKED(ST_Data) PACKED(ST_QualiInfo) PACKED(ST_DataSet) PACKED(ST_DataSetArray)
PACKED(ST_Main_aiR) PACKED(ST_aiR) PACKED(ST_AirControlInfo) PACKED(ST_aiRSize) PACKED(ST_AirControlInfoSize)
PACKED(SystemInfo) PACKED(ST_ErrorInfo) PACKED(ST_TableFormats) PACKED(ST_DescStats)

/* The host array descriptor keeps its natural alignment. */
AT(SAFEARRAY, fFeatures, 2) AT(SAFEARRAY, cbElements, 4) AT(SAFEARRAY, pvData, P == 8 ? 16 : 12)
AT(SAFEARRAY, rgsabound, P == 8 ? 24 : 16)
AT(SAFEARRAYBOUND, lLbound, 4) SIZE(SAFEARRAYBOUND, 8)

/* Layouts that follow from the packing rule for any pointer width. */
AT(ST_Vect, count, 0) AT(ST_Vect, spareInt, 4) AT(ST_Vect, values, 8) SIZE(ST_Vect, 8 + P)
AT(ST_MVect, extraShort, 8) AT(ST_MVect, extraInt2, 12) AT(ST_MVect, columnLengths, 16) AT(ST_MVect, columns, 16 + P)
AT(ST_MVect, columnNames, 16 + 2 * P) SIZE(ST_MVect, 16 + 3 * P)
SIZE(ST_Data, 4 + P)
SIZE(ST_DataSetArray, 4 + 3 * P)
/* The vectors lie in the order of the field lists, the record's counts, back
 * to back: those of ST_aiR in two runs, pageText to comboItemRNames and
 * refName to scriptCode; those of ST_AirControlInfo make up the record. */
#define VECTOR_INDEX(field, element) INDEX_##field,
enum { KOV_DIALOG_VECTORS(VECTOR_INDEX) DIALOG_VECTORS };
enum { KOV_CONTROL_VECTORS(VECTOR_INDEX) CONTROL_VECTORS };
#define DIALOG_VECTOR_AT(field, element)                                                             \
    AT(ST_aiR, field,                                                                                \
       INDEX_##field < INDEX_refName ? offsetof(ST_aiR, pageText) + INDEX_##field * sizeof(ST_Vect) \
                                     : offsetof(ST_aiR, refName) + (INDEX_##field - INDEX_refName) * sizeof(ST_Vect))
#define CONTROL_VECTOR_AT(field, element) AT(ST_AirControlInfo, field, INDEX_##field * sizeof(ST_Vect))
KOV_DIALOG_VECTORS(DIALOG_VECTOR_AT)
KOV_CONTROL_VECTORS(CONTROL_VECTOR_AT)
SIZE(ST_aiR, offsetof(ST_aiR, scriptCode) + sizeof(ST_Vect))
SIZE(ST_AirControlInfo, CONTROL_VECTORS * sizeof(ST_Vect))
SIZE(ST_aiRSize, 20 + DIALOG_VECTORS * 4)
SIZE(ST_AirControlInfoSize, CONTROL_VECTORS * 4)
AT(ST_aiRSize, vectorSize, 20)
AT(SystemInfo, decimalSymbol, 4) AT(SystemInfo, listSeparator, 4 + 11 * P)

#if UINTPTR_MAX == 0xFFFFFFFFu

SIZE(ST_Main_aiR, 68) AT(ST_Main_aiR, workFolder, 0) AT(ST_Main_aiR, spareText, 4) AT(ST_Main_aiR, catalogFolder, 8)
AT(ST_Main_aiR, templateFolder, 12) AT(ST_Main_aiR, catalogTable, 16) AT(ST_Main_aiR, catalogCount, 20)
AT(ST_Main_aiR, templateFile, 24) AT(ST_Main_aiR, spareFlag1, 28) AT(ST_Main_aiR, spareList, 32)
AT(ST_Main_aiR, rFolder, 44) AT(ST_Main_aiR, spareFlag2, 48) AT(ST_Main_aiR, group, 52) AT(ST_Main_aiR, title, 56)
AT(ST_Main_aiR, keywords, 60) AT(ST_Main_aiR, rCode, 64)

SIZE(ST_VectDbl, 12)
SIZE(ST_VectBool, 12)
SIZE(ST_VectStr, 12)

SIZE(ST_MVectDbl, 28)
SIZE(ST_MVectBool, 28)
SIZE(ST_MVectStr, 28)
AT(ST_MVect, columnCount, 0) AT(ST_MVect, extraInt1, 4) AT(ST_MVect, columnLengths, 16) AT(ST_MVect, columns, 20)
AT(ST_MVect, columnNames, 24)

SIZE(ST_DataDbl, 8)
SIZE(ST_DataStr, 8)
AT(ST_Data, blockCount, 0) AT(ST_Data, blocks, 4)

SIZE(ST_QualiInfo, 120) AT(ST_QualiInfo, extraInt1, 0) AT(ST_QualiInfo, extraDouble1, 4)
AT(ST_QualiInfo, extraInt2, 12) AT(ST_QualiInfo, extraIntTable, 16) AT(ST_QualiInfo, extraInt3, 20)
AT(ST_QualiInfo, textBlock, 24) AT(ST_QualiInfo, numBlock1, 52) AT(ST_QualiInfo, numBlock2, 80)
AT(ST_QualiInfo, extraDouble2, 108) AT(ST_QualiInfo, textTable, 116)

SIZE(ST_DataSet, 520)
/* Its four data blocks: count, flag, data, flag and flags of the columns. */
#define BLOCK(name, at)                                                                 \
    AT(ST_DataSet, name##Int, at) AT(ST_DataSet, name##Bool, at + 4) AT(ST_DataSet, name, at + 8) \
    AT(ST_DataSet, name##FlagsBool, at + 36) AT(ST_DataSet, name##Flags, at + 40)
BLOCK(quanti1, 0) BLOCK(quanti2, 68) BLOCK(quali1, 136) BLOCK(quali2, 204)
AT(ST_DataSet, rowCount, 272) AT(ST_DataSet, extraInt1, 276) AT(ST_DataSet, extraIntTable, 280)
AT(ST_DataSet, extraBool1, 284) AT(ST_DataSet, obsLabels, 288) AT(ST_DataSet, extraInt2, 292)
AT(ST_DataSet, extraBool2, 296) AT(ST_DataSet, extraDblTable1, 300) AT(ST_DataSet, extraBool3, 304)
AT(ST_DataSet, extraDblTable2, 308) AT(ST_DataSet, textBlock, 312) AT(ST_DataSet, extraInt3, 340)
AT(ST_DataSet, qualiInfoFlag, 344) AT(ST_DataSet, extraBool4, 346) AT(ST_DataSet, extraBool5, 348)
AT(ST_DataSet, qualiInfo, 352) AT(ST_DataSet, extraBool6, 472) AT(ST_DataSet, extraBool7, 474)
AT(ST_DataSet, extraShortTable, 476) AT(ST_DataSet, extraInt4, 480) AT(ST_DataSet, extraBool8, 484)
AT(ST_DataSet, dataQuanti, 488) AT(ST_DataSet, dataQuali, 496) AT(ST_DataSet, extraBool9, 504)
AT(ST_DataSet, extraDblTable3, 508) AT(ST_DataSet, extraInt5, 512) AT(ST_DataSet, extraInt6, 516)

SIZE(ST_DataSetArray, 16) AT(ST_DataSetArray, count, 0) AT(ST_DataSetArray, dataSets, 4)
AT(ST_DataSetArray, exportFlags, 8) AT(ST_DataSetArray, dataSetNames, 12)

AT(ST_aiR, addObsLabels, 0) AT(ST_aiR, dataStructure, 4) AT(ST_aiR, functionName, 8) AT(ST_aiR, packages, 12)
AT(ST_aiR, replaceByValue, 16) AT(ST_aiR, seedValue, 20) AT(ST_aiR, uniqueId, 24) AT(ST_aiR, usesSeed, 28)
AT(ST_aiR, hasInteractions, 30) AT(ST_aiR, dialogCode, 32) AT(ST_aiR, authorXml, 36) AT(ST_aiR, authorRFunction, 40)
AT(ST_aiR, compatibilityKovian, 44) AT(ST_aiR, compatibilityR, 48) AT(ST_aiR, dateCreated, 52)
AT(ST_aiR, dateModified, 56) AT(ST_aiR, packageVersion, 60) AT(ST_aiR, rDescription, 64) AT(ST_aiR, spareString, 68)
AT(ST_aiR, singleColumnQuanti, 72) AT(ST_aiR, singleColumnQuali, 74) AT(ST_aiR, pageText, 76)
AT(ST_aiR, autoPredict, 328) AT(ST_aiR, spareInt1, 332) AT(ST_aiR, autoPredictRName, 336) AT(ST_aiR, spareInt2, 340)
AT(ST_aiR, missingOptions, 344) AT(ST_aiR, missingDefault, 348) AT(ST_aiR, autoOutputs, 352)
AT(ST_aiR, autoOutputsStats, 354) AT(ST_aiR, autoOutputsPage, 356) AT(ST_aiR, autoCharts, 360)
AT(ST_aiR, autoChartsPage, 364) AT(ST_aiR, refName, 368) SIZE(ST_aiR, 860)

SIZE(ST_AirControlInfo, 312)

AT(ST_aiRSize, autoOutputs, 0) AT(ST_aiRSize, autoOutputsStats, 2) AT(ST_aiRSize, autoOutputsPage, 4)
AT(ST_aiRSize, autoCharts, 8) AT(ST_aiRSize, autoChartsPage, 12) AT(ST_aiRSize, vectorSize[0], 20)
AT(ST_aiRSize, vectorSize[61], 20 + 4 * 61) SIZE(ST_aiRSize, 268)
AT(ST_AirControlInfoSize, vectorSize[25], 4 * 25) SIZE(ST_AirControlInfoSize, 104)

AT(SystemInfo, reserved0, 0) AT(SystemInfo, decimalSymbol, 0x04) AT(SystemInfo, listSeparator, 0x30)
SIZE(SystemInfo, 0x34)

AT(ST_ErrorInfo, title, 0) AT(ST_ErrorInfo, message, 4) AT(ST_ErrorInfo, module, 8) AT(ST_ErrorInfo, code1, 12)
AT(ST_ErrorInfo, code5, 28) AT(ST_ErrorInfo, text1, 32) AT(ST_ErrorInfo, code6, 36) AT(ST_ErrorInfo, code8, 44)
AT(ST_ErrorInfo, text2, 48) SIZE(ST_ErrorInfo, 52)

SIZE(ST_TableFormats, 188) AT(ST_TableFormats, extraShortTable, 0x08) AT(ST_TableFormats, extraTextTable1, 0x18)
AT(ST_TableFormats, extraIntTable1, 0x24) AT(ST_TableFormats, extraIntVect1, 0x2c)
AT(ST_TableFormats, extraIntVect2, 0x38) AT(ST_TableFormats, extraTextVect1, 0x44)
AT(ST_TableFormats, extraInt4, 0x5c) AT(ST_TableFormats, extraInt8, 0x78) AT(ST_TableFormats, statistics, 0x80)
AT(ST_TableFormats, extraIntTable2, 0x88) AT(ST_TableFormats, extraTextVect2, 0x94)
AT(ST_TableFormats, extraIntVect3, 0xa0) AT(ST_TableFormats, extraInt11, 0xb8)
SIZE(ST_DescQuantiStats, 192) AT(ST_DescQuantiStats, formats, 4)
SIZE(ST_DescQualiStats, 708) AT(ST_DescQualiStats, formats, 520)
SIZE(ST_DescStats, 900) AT(ST_DescStats, quali, 192)

/* Descriptive statistics records: every remaining field of the settings, and
 * the parts the bridge reaches through the result records. */
AT(ST_TableFormats, extraDouble1, 0x00) AT(ST_TableFormats, extraShort1, 0x0c) AT(ST_TableFormats, extraInt1, 0x10)
AT(ST_TableFormats, extraShort2, 0x14) AT(ST_TableFormats, extraInt2, 0x1c) AT(ST_TableFormats, extraShort3, 0x20)
AT(ST_TableFormats, extraInt3, 0x28) AT(ST_TableFormats, extraShort4, 0x50) AT(ST_TableFormats, extraShort5, 0x52)
AT(ST_TableFormats, extraShort6, 0x54) AT(ST_TableFormats, extraShort7, 0x56) AT(ST_TableFormats, extraShort8, 0x58)
AT(ST_TableFormats, extraShort9, 0x60) AT(ST_TableFormats, extraShort10, 0x62) AT(ST_TableFormats, extraInt5, 0x64)
AT(ST_TableFormats, extraShort11, 0x68) AT(ST_TableFormats, extraInt6, 0x6c) AT(ST_TableFormats, extraShort12, 0x70)
AT(ST_TableFormats, extraInt7, 0x74) AT(ST_TableFormats, extraShort13, 0x7c) AT(ST_TableFormats, extraShort14, 0x84)
AT(ST_TableFormats, extraInt9, 0x8c) AT(ST_TableFormats, extraShort15, 0x90) AT(ST_TableFormats, extraShort16, 0x92)
AT(ST_TableFormats, extraShort17, 0xac) AT(ST_TableFormats, extraShort18, 0xae) AT(ST_TableFormats, extraInt10, 0xb0)
AT(ST_TableFormats, extraShort19, 0xb4)
AT(ST_DescQuantiStats, values, 0)
AT(ST_DescQualiStats, dataSet, 0)
AT(ST_DescStats, quanti, 0) AT(ST_DescStats, quanti.formats.statistics, 4 + 0x80)
AT(ST_DescStats, quali.formats.statistics, 192 + 520 + 0x80) AT(ST_DescStats, quali.dataSet.quali1, 192 + 144)

#endif
