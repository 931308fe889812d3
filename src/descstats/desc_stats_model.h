// The descriptive statistics of a model's data: decides which of the model,
// second and third data are described into which result record, and hands
// them to the statistics library.
#ifndef KOV_DESCSTATS_DESC_STATS_MODEL_H
#define KOV_DESCSTATS_DESC_STATS_MODEL_H

#include "desc_records.h"
#include "records.h"

// Numeric columns of the first model data set into results1, of the first
// second data set into results2 and of third into results3 (those two only
// when they have rows); text columns of quali into results 1 to 3 under the
// same conditions when the first model data set has text columns; those of
// its own qualiInfo into results4 when its qualiInfoFlag is -1. With flag -1
// its quanti2 and quali1 column counts become 0. Without a model data set
// nothing happens.
void GetDescStatsModel(short flag, cST_DataSetArray& model, cST_DataSetArray& second, cST_DataSet& third,
                       cST_QualiInfo& quali, cST_DescStats& results1, cST_DescStats& results2,
                       cST_DescStats& results3, cST_DescStats& results4);

#endif
