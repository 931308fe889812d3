// Numbers of the data files: a double as printf("%.15g") writes it (at most
// 15 significant digits, trailing zeros dropped, exponent form below 1e-4 and
// from 1e15 on), produced without printf on the common paths.
#ifndef KOV_RSCRIPT_CSV_NUMBER_H
#define KOV_RSCRIPT_CSV_NUMBER_H

// Room that FormatNumber needs at out: the longest text ("-1.23456789012345e-308")
// plus the slack of its fixed-size copies.
constexpr int kMaxNumberChars = 40;

// Writes value at out, byte-identical to printf("%.15g", value) in the C
// locale, and returns the end of the text. out must hold kMaxNumberChars bytes.
char* FormatNumber(double value, char* out);

#endif
