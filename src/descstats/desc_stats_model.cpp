#include "desc_stats_model.h"

#include "desc_stats.h"

namespace {

constexpr short kTrue = -1;

// kovdesc's switches for the numeric statistics: skip missing values, one
// result row per statistic.
constexpr short kSkipMissing = -1;
constexpr short kRowPerStatistic = 0;

void DescribeNumbers(cST_DataSet& data, cST_DescStats& results) {
    ComputeQuantiStats_ST(&data, results.quanti->formats->statistics.get(), kSkipMissing, kRowPerStatistic,
                          results.quanti->values.get());
}

void DescribeTexts(cST_QualiInfo& texts, cST_DescStats& results) {
    ComputeQualiStats_ST(&texts, results.quali->formats.get(), results.quali->dataSet.get());
}

}  // namespace

void GetDescStatsModel(short flag, cST_DataSetArray& model, cST_DataSetArray& second, cST_DataSet& third,
                       cST_QualiInfo& quali, cST_DescStats& results1, cST_DescStats& results2,
                       cST_DescStats& results3, cST_DescStats& results4) {
    cST_DataSet* m = model.dataSet(1);
    if (m == nullptr) return;
    cST_DataSet* secondData = second.dataSet(1);
    const bool secondHasRows = secondData != nullptr && secondData->rowCount > 0;
    const bool thirdHasRows = third.rowCount > 0;

    if (static_cast<long long>(m->quanti1->columnCount) + m->quanti2->columnCount != 0) {
        DescribeNumbers(*m, results1);
        if (secondHasRows) DescribeNumbers(*secondData, results2);
        if (thirdHasRows) DescribeNumbers(third, results3);
    }
    if (m->quali1->columnCount > 0) {
        DescribeTexts(quali, results1);
        if (secondHasRows) DescribeTexts(quali, results2);
        if (thirdHasRows) DescribeTexts(quali, results3);
    }
    if (m->qualiInfoFlag == kTrue) DescribeTexts(*m->qualiInfo, results4);
    if (flag == kTrue) {
        m->quanti2->columnCount = 0;
        m->quali1->columnCount = 0;
    }
}
