// The two R scripts of an analysis, written into the R folder as
// functionName + "0.script" (the check script) and functionName + ".script"
// (the analysis script). The check script ends R with exit status 10 when a
// package the template needs is missing from the package folder; the
// analysis script installs missing packages, loads them, reads the data
// files, runs the analysis code, exports every shown result table as CSV and
// logs everything into the R folder.
#ifndef KOV_RSCRIPT_SCRIPT_WRITER_H
#define KOV_RSCRIPT_SCRIPT_WRITER_H

#include "kovrbridge.h"
#include "records.h"

// The check script, then the analysis script. columnIndex is the one of a
// transfer run once per response column (0 otherwise): data set 1's file
// then holds the columns the dialog's single-column switches select, and its
// import line declares those.
void WriteRScripts(cST_Main_aiR& main, cST_aiR& dialog, SystemInfo& info, cST_DataSetArray& dataSets,
                   int columnIndex = 0);

// check -1: the check script; any other value: the analysis script. Creates
// the data store, its subfolder named by main.group and the R folder; a
// script that cannot be opened is silently not written. The records are
// only read.
void WriteROneScript(cST_Main_aiR& main, cST_aiR& dialog, SystemInfo& info, cST_DataSetArray& dataSets,
                     short check, int columnIndex = 0);

#endif
