// The transfer of one analysis to R: the analysis code, both scripts, then
// the CSV file of every data set to export.
#ifndef KOV_RSCRIPT_TRANSFER_H
#define KOV_RSCRIPT_TRANSFER_H

#include "kovrbridge.h"
#include "records.h"

// columnIndex 0 is an ordinary run. With columnIndex k > 0 (a run once per
// response column) data set 1 is written whatever its export flag, with the
// dialog's single-column switches selecting column k; without a data set 1
// that file is skipped. Every other data set is written when its export flag
// is -1. Files go into the data store as dataSetNames(k) + ".csv", fields
// separated by the host's list separator, with a header row; the data set
// named by dialog.addObsLabels gets the label column. Nothing is reported: a
// file that cannot be written is left out and the next one still written.
void TransferToR(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSetArray& dataSets, SystemInfo& info,
                 int columnIndex);

#endif
