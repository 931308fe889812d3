// Entry point of the descriptive statistics bridge.
#include "desc_records.h"
#include "desc_stats_model.h"
#include "frame.h"
#include "records.h"

KOV_EXPORT void Cpp_GetDescStatsModel(int16_t flag, ST_DataSetArray* model, ST_DataSetArray* second,
                                      ST_DataSet* third, ST_QualiInfo* quali, ST_DescStats* r1, ST_DescStats* r2,
                                      ST_DescStats* r3, ST_DescStats* r4) {
    frame::CallVoid([&] {
        cST_DataSetArray modelData(model);
        cST_DataSetArray secondData(second);
        cST_DataSet thirdData(third);
        cST_QualiInfo qualiInfo(quali);
        cST_DescStats results1(r1);
        cST_DescStats results2(r2);
        cST_DescStats results3(r3);
        cST_DescStats results4(r4);
        GetDescStatsModel(flag, modelData, secondData, thirdData, qualiInfo, results1, results2, results3,
                          results4);
    });
}
