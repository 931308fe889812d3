#include "error_info.h"

#include "kovcore.h"

void LoadErrorInfo_ST(std::wstring title, std::wstring message, std::wstring module, int code1, int code2,
                      int code3, int code4, int code5, std::wstring text1, int code6, int code7, int code8,
                      std::wstring text2, ST_ErrorInfo* info) {
    if (info == nullptr) return;
    info->title = convertWstringToBSTR(&title);
    info->message = convertWstringToBSTR(&message);
    info->module = convertWstringToBSTR(&module);
    info->code1 = code1;
    info->code2 = code2;
    info->code3 = code3;
    info->code4 = code4;
    info->code5 = code5;
    info->text1 = convertWstringToBSTR(&text1);
    info->code6 = code6;
    info->code7 = code7;
    info->code8 = code8;
    info->text2 = convertWstringToBSTR(&text2);
}
