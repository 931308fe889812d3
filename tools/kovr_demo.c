/* A small host: calls a few entry points through the public C header. */
#include <stdio.h>

#include "kovrbridge.h"

int main(void) {
    const char16_t text[] = u"Linear regression";
    BSTR s = SysAllocString(text);
    printf("Cpp_Len(\"Linear regression\") = %d\n", (int)Cpp_Len(s));
    SysFreeString(s);
    return 0;
}
