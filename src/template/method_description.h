// Reading the template the main record names (templateFolder + "/" +
// templateFile) into the dialog description, in the two passes of the add-in:
// first the sizes, then, once the add-in has dimensioned its arrays, the
// entries. A template that does not parse is reported through the add-in's
// error-information record instead, and no record is touched.
#ifndef KOV_TEMPLATE_METHOD_DESCRIPTION_H
#define KOV_TEMPLATE_METHOD_DESCRIPTION_H

#include <string>

#include "kovrbridge.h"
#include "matrix.h"
#include "records.h"

// Rows of the add-in's table of translated texts.
constexpr int kTranslationRows = 6500;

void GetMethodDescriptionSize(cST_Main_aiR& main, ST_aiRSize& sizes, ST_AirControlInfoSize& controlSizes,
                              matrix<std::wstring>& translations, ST_ErrorInfo* error);

void GetMethodDescription(cST_Main_aiR& main, cST_aiR& dialog, cST_AirControlInfo& controls,
                          matrix<std::wstring>& translations, ST_ErrorInfo* error);

#endif
