// Round trips through the record mirrors: a host record built as the add-in
// builds it, mirrored, changed as a worker changes it, destroyed, and checked.
#include "records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "host_records.h"

namespace {

using host::Arena;
using host::Entries;
using host::Entry;
using host::Text;

// Host records are packed to 4 bytes: on 64-bit their pointer and double
// fields may be misaligned, so checks take them by value (unary +) instead of
// binding references to them.
constexpr unsigned char kPadding = 0xA5;

unsigned char* Bytes(void* record) { return static_cast<unsigned char*>(record); }

// Marks the two padding bytes after a 16-bit field.
void MarkPadding(void* record, size_t fieldOffset) { std::memset(Bytes(record) + fieldOffset + 2, kPadding, 2); }

bool PaddingUntouched(void* record, size_t fieldOffset) {
    return Bytes(record)[fieldOffset + 2] == kPadding && Bytes(record)[fieldOffset + 3] == kPadding;
}

TEST(MainRecordMirror, CopiesEveryFieldInAndWritesStringsBackAsNewHostStrings) {
    Arena arena;
    auto main = host::Main(arena, {.workFolder = "/work",
                                   .spareText = "spare",
                                   .catalogFolder = "/catalog",
                                   .templateFolder = "/templates",
                                   .templateFile = "lm.xml",
                                   .rFolder = "/r",
                                   .group = "Models",
                                   .title = "Linear model",
                                   .keywords = "regression",
                                   .rCode = "old code",
                                   .catalogEntries = 2,
                                   .spareList = {"s1", "s2"}});
    main->spareFlag1 = -1;
    main->spareFlag2 = 7;
    MarkPadding(main.get(), offsetof(ST_Main_aiR, spareFlag1));
    MarkPadding(main.get(), offsetof(ST_Main_aiR, spareFlag2));
    const BSTR oldWorkFolder = main->workFolder;
    const BSTR oldRCode = main->rCode;

    {
        cST_Main_aiR mirror(main);
        EXPECT_EQ(mirror.host, main.get());
        EXPECT_EQ(mirror.workFolder, L"/work");
        EXPECT_EQ(mirror.spareText, L"spare");
        EXPECT_EQ(mirror.catalogFolder, L"/catalog");
        EXPECT_EQ(mirror.templateFolder, L"/templates");
        EXPECT_EQ(mirror.templateFile, L"lm.xml");
        EXPECT_EQ(mirror.rFolder, L"/r");
        EXPECT_EQ(mirror.group, L"Models");
        EXPECT_EQ(mirror.title, L"Linear model");
        EXPECT_EQ(mirror.keywords, L"regression");
        EXPECT_EQ(mirror.rCode, L"old code");
        EXPECT_EQ(mirror.catalogCount, 2);
        EXPECT_EQ(mirror.spareFlag1, -1);
        EXPECT_EQ(mirror.spareFlag2, 7);
        EXPECT_EQ(mirror.catalogTable->rows(), 7);
        EXPECT_EQ(mirror.catalogTable->cols(), 2);
        ASSERT_EQ(mirror.spareList->count, 2);
        EXPECT_EQ((*mirror.spareList)(2), L"s2");
        EXPECT_EQ(mirror.spareList->kind, 3);

        mirror.rCode = L"lm(y ~ x)";
        mirror.title = L"Linear model (stats)";
        (*mirror.catalogTable)(7, 2) = L"kw";
        (*mirror.catalogTable)(1, 1) = L"first";
        EXPECT_EQ(Text(main->rCode), "old code") << "strings reach the host only on destruction";
    }

    EXPECT_EQ(Text(main->rCode), "lm(y ~ x)");
    EXPECT_EQ(Text(main->title), "Linear model (stats)");
    EXPECT_EQ(Text(main->workFolder), "/work");
    EXPECT_NE(+main->workFolder, oldWorkFolder) << "an unchanged string still comes back as a new host string";
    EXPECT_NE(+main->rCode, oldRCode);
    EXPECT_EQ(Text(oldRCode), "old code") << "the old host string is left to the host";
    EXPECT_EQ(host::Element<std::string>(main->catalogTable, 7, 2), "kw");
    EXPECT_EQ(host::Element<std::string>(main->catalogTable, 1, 1), "first");
    EXPECT_EQ(host::Element<std::string>(main->catalogTable, 2, 1), "");
    EXPECT_EQ(main->catalogCount, 2);
    EXPECT_EQ(main->spareFlag1, -1);
    EXPECT_EQ(main->spareFlag2, 7);
    EXPECT_TRUE(PaddingUntouched(main.get(), offsetof(ST_Main_aiR, spareFlag1)));
    EXPECT_TRUE(PaddingUntouched(main.get(), offsetof(ST_Main_aiR, spareFlag2)));
    EXPECT_EQ(Entries<std::string>(main->spareList), (std::vector<std::string>{"s1", "s2"}));

    // A second call over the same record: the arena frees both generations.
    { cST_Main_aiR again(main); }
    EXPECT_EQ(Text(main->rCode), "lm(y ~ x)");
}

host::DataSetBuilder FullDataSet() {
    return host::DataSetBuilder()
        .Quanti1({{"x", {1, 2, 3}}, {"y", {4, 5, 6}}})
        .Quanti2({{"w", {0.5, 1.5, 2.5}}})
        .Quali1({{"g", {"a", "b", "a"}}})
        .Quali2({{"h", {"u", "v", "w"}}, {"k", {"p", "q", "r"}}})
        .Quanti1Flags({{"fx", {-1, 0, -1}}})
        .Quali2Flags({{"fh", {0, -1, 0}}})
        .Labels({"o1", "o2", "o3"})
        .TextBlock({{"t", {"t1"}}})
        .DataQuanti({{{"d1", {10, 20}}}, {{"d2", {30}}, {"d3", {40, 50, 60}}}})
        .DataQuali({{{"q1", {"x", "y"}}}})
        .QualiInfo({.textBlock = {{"qt", {"c1", "c2"}}},
                    .numBlock1 = {{"n1", {1}}},
                    .numBlock2 = {{"n2", {2, 3}}},
                    .intTable = {7, 8},
                    .textTable = {"tt1", "tt2"}});
}

TEST(DataSetMirror, BuildsAllBlocksAndWritesThemBack) {
    Arena arena;
    auto data = FullDataSet().Build(arena);
    data->extraIntTable = arena.Ints({11, 12});
    data->extraDblTable1 = arena.Dbls({1.25});
    data->extraDblTable2 = arena.Dbls({2.5, 3.5});
    data->extraDblTable3 = arena.Dbls({4.75});
    data->extraShortTable = arena.Shorts({-1, 3});
    data->quanti1Int = 101;
    data->quali2Bool = -1;
    data->extraBool9 = 9;
    data->extraInt6 = 66;
    data->quanti1.extraShort = 5;
    MarkPadding(data.get(), offsetof(ST_DataSet, quanti1) + offsetof(ST_MVect, extraShort));
    MarkPadding(data.get(), offsetof(ST_DataSet, extraBool5));

    {
        cST_DataSet mirror(data);
        EXPECT_EQ(mirror.host, data.get());
        EXPECT_EQ(mirror.rowCount, 3);
        EXPECT_EQ(mirror.quanti1Int, 101);
        EXPECT_EQ(mirror.quali2Bool, -1);
        EXPECT_EQ(mirror.extraBool9, 9);
        EXPECT_EQ(mirror.extraInt6, 66);
        EXPECT_EQ(mirror.qualiInfoFlag, -1);

        ASSERT_EQ(mirror.quanti1->columnCount, 2);
        ASSERT_EQ(mirror.quanti1->columns.size(), 2u);
        EXPECT_EQ(mirror.quanti1->kind, 1);
        EXPECT_EQ(mirror.quanti1->extraShort, 5);
        EXPECT_EQ((*mirror.quanti1->column(2))(3), 6.0);
        EXPECT_EQ((*mirror.quanti1->columnNames)(2), L"y");
        EXPECT_EQ((*mirror.quanti1->columnLengths)(1), 3);
        EXPECT_EQ((*mirror.quanti2->column(1))(1), 0.5);
        EXPECT_EQ((*mirror.quali1->column(1))(2), L"b");
        EXPECT_EQ(mirror.quali1->kind, 3);
        EXPECT_EQ((*mirror.quali2->columnNames)(2), L"k");
        EXPECT_EQ(mirror.quanti1Flags->kind, 4);
        EXPECT_EQ((*mirror.quanti1Flags->column(1))(1), -1);
        EXPECT_EQ((*mirror.quali2Flags->column(1))(2), -1);
        EXPECT_EQ(mirror.quanti2Flags->columns.size(), 0u);
        EXPECT_EQ((*mirror.obsLabels)(3), L"o3");
        EXPECT_EQ((*mirror.textBlock->column(1))(1), L"t1");
        EXPECT_EQ((*mirror.extraIntTable)(2), 12);
        EXPECT_EQ((*mirror.extraDblTable2)(2), 3.5);
        EXPECT_EQ((*mirror.extraShortTable)(1), -1);
        EXPECT_EQ((*mirror.extraDblTable3)(1), 4.75);

        ASSERT_EQ(mirror.dataQuanti->blocks.size(), 2u);
        EXPECT_EQ(mirror.dataQuanti->blockCount, 2);
        EXPECT_EQ((*mirror.dataQuanti->block(2)->column(2))(3), 60.0);
        EXPECT_EQ((*mirror.dataQuali->block(1)->column(1))(2), L"y");
        EXPECT_EQ(mirror.dataQuali->block(2), nullptr);

        EXPECT_EQ((*mirror.qualiInfo->textBlock->column(1))(2), L"c2");
        EXPECT_EQ((*mirror.qualiInfo->numBlock2->column(1))(2), 3.0);
        EXPECT_EQ((*mirror.qualiInfo->extraIntTable)(1), 7);
        EXPECT_EQ((*mirror.qualiInfo->textTable)(2), L"tt2");

        // Numbers land in host memory at once; text waits for destruction.
        (*mirror.quanti1->column(1))(2) = 42.0;
        EXPECT_EQ(Entry<double>(host::Column(data->quanti1, 1), 2), 42.0);
        (*mirror.quali1->column(1))(3) = L"z";
        (*mirror.quali2->columnNames)(1) = L"renamed";
        (*mirror.qualiInfo->textTable)(1) = L"changed";
        EXPECT_EQ(Entry<std::string>(host::Column(data->quali1, 1), 3), "a");
        mirror.quanti1->extraShort = -1;
        mirror.quanti2->columnCount = 0;
        mirror.dataQuanti->blockCount = 1;
        mirror.rowCount = 2;
        mirror.extraBool5 = -1;
        mirror.qualiInfo->extraDouble2 = 0.125;
    }

    EXPECT_EQ(Entry<std::string>(host::Column(data->quali1, 1), 3), "z");
    EXPECT_EQ(host::ColumnNames(data->quali2), (std::vector<std::string>{"renamed", "k"}));
    EXPECT_EQ(host::Elements<std::string>(data->qualiInfo.textTable), (std::vector<std::string>{"changed", "tt2"}));
    EXPECT_EQ(data->quanti1.extraShort, -1);
    EXPECT_TRUE(PaddingUntouched(data.get(), offsetof(ST_DataSet, quanti1) + offsetof(ST_MVect, extraShort)));
    EXPECT_EQ(data->extraBool5, -1);
    EXPECT_TRUE(PaddingUntouched(data.get(), offsetof(ST_DataSet, extraBool5)));
    EXPECT_EQ(data->quanti2.columnCount, 0);
    EXPECT_EQ(data->dataQuanti.blockCount, 1);
    EXPECT_EQ(data->rowCount, 2);
    EXPECT_EQ(+data->qualiInfo.extraDouble2, 0.125);
    EXPECT_EQ(data->quanti1Int, 101);
    EXPECT_EQ(data->extraInt6, 66);
    EXPECT_EQ(host::Column(data->quali1, 1).count, 3);
    EXPECT_EQ(host::Elements<std::string>(data->obsLabels), (std::vector<std::string>{"o1", "o2", "o3"}));
    EXPECT_EQ(Entries<double>(host::Column(data->quanti1, 1)), (std::vector<double>{1, 42, 3}));
}

TEST(DataSetMirror, BlocksWithoutColumnsOrArraysGiveEmptyMirrorsAndKeepTheirScalars) {
    Arena arena;
    auto data = host::DataSetBuilder().Build(arena);
    data->quanti1.extraInt1 = 3;
    data->quali2.extraInt2 = -4;
    data->quali1FlagsBool = -1;
    {
        cST_DataSet mirror(data);
        for (const auto* block : {mirror.quanti1, mirror.quanti2}) {
            EXPECT_EQ(block->columnCount, 0);
            EXPECT_TRUE(block->columns.empty());
            EXPECT_EQ(block->columnNames->count(), 0);
            EXPECT_EQ(block->column(1), nullptr);
        }
        for (const auto* block : {mirror.quali1, mirror.quali2}) EXPECT_TRUE(block->columns.empty());
        EXPECT_EQ(mirror.obsLabels->count(), 0);
        EXPECT_EQ((*mirror.obsLabels)(1), L"");
        EXPECT_TRUE(mirror.dataQuanti->blocks.empty());
        EXPECT_EQ(mirror.rowCount, 0);
    }
    EXPECT_EQ(data->quanti1.extraInt1, 3);
    EXPECT_EQ(data->quali2.extraInt2, -4);
    EXPECT_EQ(data->quali1FlagsBool, -1);
    EXPECT_EQ(+data->obsLabels, nullptr);
}

TEST(DataSetArrayMirror, BuildsOneObjectPerRecordWhateverTheCountSays) {
    Arena arena;
    auto sets = host::DataSetArrayBuilder()
                    .Add("Data1", host::DataSetBuilder().Quanti1({{"x", {1, 2}}}))
                    .Add("Data2", host::DataSetBuilder().Quali1({{"g", {"a"}}}), false)
                    .Count(3)
                    .Build(arena);
    const BSTR oldName = static_cast<BSTR*>(sets->dataSetNames->pvData)[0];
    {
        cST_DataSetArray mirror(sets);
        EXPECT_EQ(mirror.count, 3);
        ASSERT_EQ(mirror.dataSets.size(), 2u);
        EXPECT_EQ(mirror.dataSet(3), nullptr);
        EXPECT_EQ((*mirror.dataSet(1)->quanti1->column(1))(2), 2.0);
        EXPECT_EQ((*mirror.dataSet(2)->quali1->column(1))(1), L"a");
        EXPECT_EQ((*mirror.exportFlags)(1), -1);
        EXPECT_EQ((*mirror.exportFlags)(2), 0);
        EXPECT_EQ((*mirror.dataSetNames)(2), L"Data2");

        (*mirror.exportFlags)(2) = -1;
        (*mirror.dataSetNames)(2) = L"Renamed";
        mirror.dataSet(1)->rowCount = 9;
    }
    EXPECT_EQ(sets->count, 3);
    EXPECT_EQ(host::Elements<short>(sets->exportFlags), (std::vector<short>{-1, -1}));
    EXPECT_EQ(host::Elements<std::string>(sets->dataSetNames), (std::vector<std::string>{"Data1", "Renamed"}));
    EXPECT_NE(static_cast<BSTR*>(sets->dataSetNames->pvData)[0], oldName);
    EXPECT_EQ(host::RecordAt<ST_DataSet>(sets->dataSets, 1).rowCount, 9);
    EXPECT_EQ(host::RecordAt<ST_DataSet>(sets->dataSets, 2).rowCount, 1);
}

TEST(DataSetArrayMirror, NullRecordGivesAnEmptyObject) {
    cST_DataSetArray mirror(nullptr);
    EXPECT_EQ(mirror.host, nullptr);
    EXPECT_EQ(mirror.count, 0);
    EXPECT_TRUE(mirror.dataSets.empty());
    EXPECT_EQ(mirror.exportFlags->count(), 0);
    EXPECT_EQ(mirror.dataSetNames->count(), 0);
    EXPECT_EQ(mirror.dataSet(1), nullptr);
    mirror.count = 4;  // nothing to write back to
}

TEST(DialogMirror, CopiesStringsAndScalarsThroughTheirOwnFields) {
    Arena arena;
    host::Dialog dialog(arena, 3);
    ST_aiR* air = dialog.air;
    air->addObsLabels = 1;
    air->dataStructure = arena.Str("ds");
    air->functionName = arena.Str("lm");
    air->packages = arena.Str("stats");
    air->replaceByValue = -1;
    air->seedValue = 1234;
    air->uniqueId = 99;
    air->usesSeed = -1;
    air->hasInteractions = 0;
    air->dialogCode = arena.Str("Sub A()");
    air->authorXml = arena.Str("ax");
    air->authorRFunction = arena.Str("arf");
    air->compatibilityKovian = arena.Str("ck");
    air->compatibilityR = arena.Str("cr");
    air->dateCreated = arena.Str("dc");
    air->dateModified = arena.Str("dm");
    air->packageVersion = arena.Str("pv");
    air->rDescription = arena.Str("describes");
    air->spareString = arena.Str("ss");
    air->singleColumnQuanti = -1;
    air->singleColumnQuali = 2;
    air->autoPredict = -1;
    air->spareInt1 = 11;
    air->autoPredictRName = arena.Str("data2");
    air->spareInt2 = 22;
    air->missingOptions = arena.Str("omit");
    air->missingDefault = arena.Str("1");
    air->autoOutputs = -1;
    air->autoOutputsStats = 0;
    air->autoOutputsPage = 4;
    air->autoCharts = -1;
    air->autoChartsPage = 5;
    MarkPadding(air, offsetof(ST_aiR, replaceByValue));
    MarkPadding(air, offsetof(ST_aiR, autoPredict));
    MarkPadding(air, offsetof(ST_aiR, autoCharts));
    arena.Append(air->optionKind, "CheckBox");
    arena.Append(dialog.controls->ctlExtra, 5);
    arena.Append(dialog.controls->ctlExtra, -1);
    dialog.controls->ctlExtra.spareInt = 77;

    {
        cST_aiR mirror(dialog.air);
        cST_AirControlInfo controls(dialog.controls);
        EXPECT_EQ(mirror.addObsLabels, 1);
        EXPECT_EQ(mirror.dataStructure, L"ds");
        EXPECT_EQ(mirror.functionName, L"lm");
        EXPECT_EQ(mirror.packages, L"stats");
        EXPECT_EQ(mirror.replaceByValue, -1);
        EXPECT_EQ(mirror.seedValue, 1234);
        EXPECT_EQ(mirror.uniqueId, 99);
        EXPECT_EQ(mirror.usesSeed, -1);
        EXPECT_EQ(mirror.dialogCode, L"Sub A()");
        EXPECT_EQ(mirror.authorXml, L"ax");
        EXPECT_EQ(mirror.authorRFunction, L"arf");
        EXPECT_EQ(mirror.compatibilityKovian, L"ck");
        EXPECT_EQ(mirror.compatibilityR, L"cr");
        EXPECT_EQ(mirror.dateCreated, L"dc");
        EXPECT_EQ(mirror.dateModified, L"dm");
        EXPECT_EQ(mirror.packageVersion, L"pv");
        EXPECT_EQ(mirror.rDescription, L"describes");
        EXPECT_EQ(mirror.spareString, L"ss");
        EXPECT_EQ(mirror.singleColumnQuanti, -1);
        EXPECT_EQ(mirror.singleColumnQuali, 2);
        EXPECT_EQ(mirror.autoPredict, -1);
        EXPECT_EQ(mirror.spareInt1, 11);
        EXPECT_EQ(mirror.autoPredictRName, L"data2");
        EXPECT_EQ(mirror.spareInt2, 22);
        EXPECT_EQ(mirror.missingOptions, L"omit");
        EXPECT_EQ(mirror.missingDefault, L"1");
        EXPECT_EQ(mirror.autoOutputs, -1);
        EXPECT_EQ(mirror.autoOutputsStats, 0);
        EXPECT_EQ(mirror.autoOutputsPage, 4);
        EXPECT_EQ(mirror.autoCharts, -1);
        EXPECT_EQ(mirror.autoChartsPage, 5);
        EXPECT_EQ(mirror.optionKind.count, 1);
        EXPECT_EQ(mirror.optionKind(1), L"CheckBox");
        EXPECT_EQ(mirror.pageText.kind, 3);
        EXPECT_EQ(mirror.pageCtlCount.kind, 2);
        EXPECT_EQ(mirror.pageEnabled.kind, 4);

        // A worker appends a page, a combo box, a control; changes texts.
        mirror.pageText.Append(L"Options");
        mirror.pageCtlCount.Append(4);
        mirror.pageEnabled.Append(-1);
        mirror.comboDefault.Append(2);
        mirror.scriptCode.Append(L"fit <- lm(y ~ x)");
        mirror.scriptReplace.Append(-1);
        controls.ctlName.Append(L"chk1");
        controls.ctlPage.Append(0);
        controls.ctlVisible.Append(-1);
        mirror.dialogCode += L"\nSub B()";
        mirror.rDescription = L"new description";
        mirror.hasInteractions = -1;
        mirror.autoOutputsPage = 6;
    }

    EXPECT_EQ(Text(air->dialogCode), "Sub A()\nSub B()");
    EXPECT_EQ(Text(air->rDescription), "new description");
    EXPECT_EQ(Text(air->spareString), "ss");
    EXPECT_EQ(Text(air->packageVersion), "pv");
    EXPECT_EQ(Text(air->autoPredictRName), "data2");
    EXPECT_EQ(air->hasInteractions, -1);
    EXPECT_EQ(air->usesSeed, -1);
    EXPECT_EQ(air->autoOutputsPage, 6);
    EXPECT_EQ(air->autoChartsPage, 5);
    EXPECT_TRUE(PaddingUntouched(air, offsetof(ST_aiR, replaceByValue)));
    EXPECT_TRUE(PaddingUntouched(air, offsetof(ST_aiR, autoPredict)));
    EXPECT_TRUE(PaddingUntouched(air, offsetof(ST_aiR, autoCharts)));
    EXPECT_EQ(Entries<std::string>(air->pageText), (std::vector<std::string>{"Options"}));
    EXPECT_EQ(Entries<int>(air->pageCtlCount), (std::vector<int>{4}));
    EXPECT_EQ(Entries<short>(air->pageEnabled), (std::vector<short>{-1}));
    EXPECT_EQ(Entries<int>(air->comboDefault), (std::vector<int>{2}));
    EXPECT_EQ(Entries<std::string>(air->scriptCode), (std::vector<std::string>{"fit <- lm(y ~ x)"}));
    EXPECT_EQ(Entries<short>(air->scriptReplace), (std::vector<short>{-1}));
    EXPECT_EQ(Entries<std::string>(air->optionKind), (std::vector<std::string>{"CheckBox"}));
    EXPECT_EQ(Entries<std::string>(dialog.controls->ctlName), (std::vector<std::string>{"chk1"}));
    EXPECT_EQ(Entries<int>(dialog.controls->ctlPage), (std::vector<int>{0}));
    EXPECT_EQ(Entries<short>(dialog.controls->ctlVisible), (std::vector<short>{-1}));
    EXPECT_EQ(Entries<short>(dialog.controls->ctlExtra), (std::vector<short>{5, -1}));
    EXPECT_EQ(dialog.controls->ctlExtra.spareInt, 77);
    const std::set<std::string> appended = {"pageText",   "pageCtlCount",  "pageEnabled", "comboDefault",
                                            "scriptCode", "scriptReplace", "optionKind"};
    for (int k = 0; k < host::kAirVectorCount; ++k) {
        const char* name = host::AirVectorName(k);
        EXPECT_EQ(host::AirVector(*dialog.air, k).count, appended.count(name)) << name;
    }
}

TEST(DialogMirror, AppendsBeyondTheHostArrayReachTheSpareElementWhileCountAdvances) {
    Arena arena;
    host::Dialog dialog(arena, 2);
    {
        cST_aiR mirror(dialog.air);
        for (const wchar_t* text : {L"p1", L"p2", L"p3"}) mirror.pageText.Append(text);
        for (int width : {10, 20, 30}) mirror.pageLeftWidth.Append(width);
        EXPECT_EQ(mirror.pageText(3), L"p3") << "the third entry lives in the spare element";
        EXPECT_EQ(mirror.pageText(9), L"p3");
    }
    EXPECT_EQ(dialog.air->pageText.count, 3);
    EXPECT_EQ(host::Elements<std::string>(dialog.air->pageText.values), (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(host::Elements<int>(dialog.air->pageLeftWidth.values), (std::vector<int>{10, 20}));
    EXPECT_EQ(dialog.air->pageLeftWidth.count, 3);
}

TEST(RecordMirrors, NullArraysAndArraysWithoutDataGiveEmptyParts) {
    Arena arena;
    ST_Vect noArray{};
    noArray.count = 2;
    noArray.spareInt = 8;
    {
        cST_Vect<std::wstring> vect(&noArray);
        EXPECT_EQ(vect.count, 2);
        EXPECT_EQ(vect.values->count(), 0);
        vect.Append(L"lost");
    }
    EXPECT_EQ(noArray.count, 3);
    EXPECT_EQ(noArray.spareInt, 8);
    EXPECT_EQ(+noArray.values, nullptr);

    auto data = host::DataSetBuilder().Build(arena);
    data->quanti1.columnCount = 3;
    data->quanti1.columns = arena.CountOnly(3);
    data->quanti1.columnNames = arena.CountOnly(3);
    data->dataQuali.blockCount = 2;
    data->dataQuali.blocks = arena.CountOnly(2);
    data->obsLabels = arena.CountOnly(4);
    {
        cST_DataSet mirror(data);
        EXPECT_EQ(mirror.quanti1->columns.size(), 3u);
        EXPECT_EQ(mirror.quanti1->column(1), nullptr);
        EXPECT_EQ(mirror.quanti1->columnNames->count(), 0);
        EXPECT_EQ(mirror.dataQuali->blocks.size(), 2u);
        EXPECT_EQ(mirror.dataQuali->block(2), nullptr);
        EXPECT_EQ(mirror.obsLabels->count(), 0);
    }
    EXPECT_EQ(data->quanti1.columnCount, 3);
    EXPECT_EQ(data->dataQuali.blockCount, 2);

    auto sets = arena.New<ST_DataSetArray>();
    sets->count = 2;
    sets->dataSets = arena.CountOnly(2);
    {
        cST_DataSetArray mirror(sets);
        EXPECT_EQ(mirror.dataSets.size(), 2u);
        EXPECT_EQ(mirror.dataSet(1), nullptr);
    }
    EXPECT_EQ(sets->count, 2);

    sets->dataSets = arena.Records<ST_DataSet>(0);
    {
        cST_DataSetArray mirror(sets);
        EXPECT_TRUE(mirror.dataSets.empty());
    }
}

TEST(RecordMirrors, NullHostRecordsGiveEmptyObjects) {
    {
        cST_aiR air(nullptr);
        cST_AirControlInfo controls(nullptr);
        air.pageText.Append(L"nowhere");
        controls.ctlName.Append(L"nowhere");
        EXPECT_EQ(air.functionName, L"");
        EXPECT_EQ(air.seedValue, 0);
        EXPECT_EQ(air.pageText.count, 1);
        EXPECT_EQ(controls.ctlName.host, nullptr);
    }
    {
        cST_Main_aiR main(nullptr);
        main.rCode = L"nowhere";
        EXPECT_EQ(main.catalogTable->count(), 0);
        EXPECT_EQ(main.spareList->count, 0);
    }
    {
        cST_DataSet data(nullptr);
        EXPECT_EQ(data.rowCount, 0);
        EXPECT_TRUE(data.quanti1->columns.empty());
        EXPECT_EQ(data.qualiInfo->textTable->count(), 0);
    }
    cST_QualiInfo quali(nullptr);
    EXPECT_TRUE(quali.numBlock1->columns.empty());
}

TEST(LoadArrayUserDefined, BuildsOneMirrorPerRecordOfAHostArray) {
    Arena arena;
    ST_MVect block{};
    host::FillTextBlock(arena, block, {{"a", {"1"}}, {"b", {"2", "3"}}});
    std::vector<cST_Vect<std::wstring>*> columns;
    LoadArrayUserDefined<ST_VectStr, cST_Vect<std::wstring>>(block.columns, columns);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1]->count, 2);
    EXPECT_EQ((*columns[1])(2), L"3");
    for (auto* column : columns) delete column;

    std::vector<cST_MVect<double>*> none;
    LoadArrayUserDefined<ST_MVectDbl, cST_MVect<double>>(nullptr, none);
    EXPECT_TRUE(none.empty());
}

}  // namespace
