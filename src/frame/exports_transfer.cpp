// Entry points of the scripts, the data files and the transfer.
#include "csv_writer.h"
#include "frame.h"
#include "records.h"
#include "script_writer.h"
#include "transfer.h"

namespace {

// A missing system-information record reads as empty settings. Without a
// main record (no folders) nothing is written.
SystemInfo& InfoOrEmpty(SystemInfo* info, SystemInfo& empty) { return info != nullptr ? *info : empty; }

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
    frame::CallVoid([&] {
        if (main == nullptr || dialog == nullptr) return;
        SystemInfo empty{};
        cST_Main_aiR mainRecord(main);
        cST_aiR dialogRecord(dialog);
        cST_DataSetArray dataSets(sets);
        WriteROneScript(mainRecord, dialogRecord, InfoOrEmpty(info, empty), dataSets, check);
    });
}

KOV_EXPORT void Cpp_WriteRScripts(ST_Main_aiR* main, ST_aiR* dialog, SystemInfo* info, ST_DataSetArray* sets) {
    frame::CallVoid([&] {
        if (main == nullptr || dialog == nullptr) return;
        SystemInfo empty{};
        cST_Main_aiR mainRecord(main);
        cST_aiR dialogRecord(dialog);
        cST_DataSetArray dataSets(sets);
        WriteRScripts(mainRecord, dialogRecord, InfoOrEmpty(info, empty), dataSets);
    });
}

KOV_EXPORT void Cpp_TransferToR(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSetArray* sets, SystemInfo* info,
                                int32_t columnIndex) {
    frame::CallVoid([&] {
        if (main == nullptr || dialog == nullptr) return;
        SystemInfo empty{};
        cST_Main_aiR mainRecord(main);
        cST_aiR dialogRecord(dialog);
        cST_DataSetArray dataSets(sets);
        TransferToR(mainRecord, dialogRecord, dataSets, InfoOrEmpty(info, empty), columnIndex);
    });
}
