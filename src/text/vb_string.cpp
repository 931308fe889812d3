#include "vb_string.h"

int Len(const std::wstring& s) { return static_cast<int>(s.size()); }
