// kovdesc: error information for the add-in. LoadErrorInfo_ST fills the
// host's error-information record, which the add-in then reports to the user.
#ifndef KOV_SIBLINGS_KOVDESC_ERROR_INFO_H
#define KOV_SIBLINGS_KOVDESC_ERROR_INFO_H

#include <string>

#include "kovrbridge.h"

#ifndef KOVDESC_API
#define KOVDESC_API __attribute__((visibility("default")))
#endif

// Stores each argument in the field of info of the same position, strings as
// new host strings owned by the host (the strings the fields held before are
// the host's and are not released). A null info is left alone.
KOVDESC_API void LoadErrorInfo_ST(std::wstring title, std::wstring message, std::wstring module, int code1,
                                  int code2, int code3, int code4, int code5, std::wstring text1, int code6,
                                  int code7, int code8, std::wstring text2, ST_ErrorInfo* info);

#endif
