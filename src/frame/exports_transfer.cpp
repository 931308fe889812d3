// Entry points of the scripts, the data files and the transfer.
#include "csv_writer.h"
#include "frame.h"
#include "records.h"
#include "script_writer.h"
#include "transfer.h"

namespace {

// Builds the three mirrors of a script or transfer call, in argument order,
// and runs work on them. Without a main or dialog record (no folders, no
// script names) nothing is written; a missing system-information record reads
// as empty settings.
template <typename Work>
void WithScriptRecords(ST_Main_aiR* main, ST_aiR* dialog, SystemInfo* info, ST_DataSetArray* sets, Work&& work) {
    frame::CallVoid([&] {
        if (main == nullptr || dialog == nullptr) return;
        SystemInfo empty{};
        cST_Main_aiR mainRecord(main);
        cST_aiR dialogRecord(dialog);
        cST_DataSetArray dataSets(sets);
        work(mainRecord, dialogRecord, info != nullptr ? *info : empty, dataSets);
    });
}

}  // namespace

KOV_EXPORT void Cpp_WriteDataSetToFile(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSet* data, int32_t columnIndex,
                                       int16_t singleQuanti, int16_t singleQuali, BSTR fileName, BSTR separator,
                                       int16_t writeHeader, int16_t withLabels) {
    frame::CallVoid([&] {
        if (main == nullptr || data == nullptr) return;
        cST_Main_aiR mainRecord(main);
        cST_aiR dialogRecord(dialog);
        cST_DataSet dataSet(data);
        WriteDataSetToFile(mainRecord, dialogRecord, dataSet, columnIndex, singleQuanti, singleQuali,
                           frame::In(fileName), frame::In(separator), writeHeader, withLabels);
    });
}

KOV_EXPORT void Cpp_WriteROneScript(ST_Main_aiR* main, ST_aiR* dialog, SystemInfo* info, ST_DataSetArray* sets,
                                    int16_t check) {
    WithScriptRecords(main, dialog, info, sets, [&](cST_Main_aiR& m, cST_aiR& d, SystemInfo& i, cST_DataSetArray& s) {
        WriteROneScript(m, d, i, s, check);
    });
}

KOV_EXPORT void Cpp_WriteRScripts(ST_Main_aiR* main, ST_aiR* dialog, SystemInfo* info, ST_DataSetArray* sets) {
    WithScriptRecords(main, dialog, info, sets, [](cST_Main_aiR& m, cST_aiR& d, SystemInfo& i, cST_DataSetArray& s) {
        WriteRScripts(m, d, i, s);
    });
}

KOV_EXPORT void Cpp_TransferToR(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSetArray* sets, SystemInfo* info,
                                int32_t columnIndex) {
    WithScriptRecords(main, dialog, info, sets, [&](cST_Main_aiR& m, cST_aiR& d, SystemInfo& i, cST_DataSetArray& s) {
        TransferToR(m, d, s, i, columnIndex);
    });
}
