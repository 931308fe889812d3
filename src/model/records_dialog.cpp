// The dialog description (header texts, pages, option rows, combo boxes, data
// selections, inputs, results, script lines) and the per-control record.
#include <string>

#include "records.h"
#include "records_copy.h"

namespace {

const ST_aiR kNoDialog{};

}  // namespace

// The strings and scalars of the dialog description, in host order.
#define KOV_DIALOG_FIELDS(OP, m, h) \
    OP(m, h, addObsLabels)          \
    OP(m, h, dataStructure)         \
    OP(m, h, functionName)          \
    OP(m, h, packages)              \
    OP(m, h, replaceByValue)        \
    OP(m, h, seedValue)             \
    OP(m, h, uniqueId)              \
    OP(m, h, usesSeed)              \
    OP(m, h, hasInteractions)       \
    OP(m, h, dialogCode)            \
    OP(m, h, authorXml)             \
    OP(m, h, authorRFunction)       \
    OP(m, h, compatibilityKovian)   \
    OP(m, h, compatibilityR)        \
    OP(m, h, dateCreated)           \
    OP(m, h, dateModified)          \
    OP(m, h, packageVersion)        \
    OP(m, h, rDescription)          \
    OP(m, h, spareString)           \
    OP(m, h, singleColumnQuanti)    \
    OP(m, h, singleColumnQuali)     \
    OP(m, h, autoPredict)           \
    OP(m, h, spareInt1)             \
    OP(m, h, autoPredictRName)      \
    OP(m, h, spareInt2)             \
    OP(m, h, missingOptions)        \
    OP(m, h, missingDefault)        \
    OP(m, h, autoOutputs)           \
    OP(m, h, autoOutputsStats)      \
    OP(m, h, autoOutputsPage)       \
    OP(m, h, autoCharts)            \
    OP(m, h, autoChartsPage)

#define KOV_VECT(field, element) , field(records::Nested(hostRecord, &ST_aiR::field))

cST_aiR::cST_aiR(ST_aiR* hostRecord) : host(hostRecord) KOV_DIALOG_VECTORS(KOV_VECT) {
    const ST_aiR& source = host != nullptr ? *host : kNoDialog;
    KOV_DIALOG_FIELDS(KOV_LOAD_FIELD, *this, source)
}

#undef KOV_VECT

// The vectors are members: they write themselves back after this body has
// stored the strings and scalars.
cST_aiR::~cST_aiR() {
    if (host != nullptr) {
        KOV_DIALOG_FIELDS(KOV_STORE_FIELD, *this, *host)
    }
}

#define KOV_VECT(field, element) , field(records::Nested(hostRecord, &ST_AirControlInfo::field))

cST_AirControlInfo::cST_AirControlInfo(ST_AirControlInfo* hostRecord)
    : host(hostRecord) KOV_CONTROL_VECTORS(KOV_VECT) {}

#undef KOV_VECT
