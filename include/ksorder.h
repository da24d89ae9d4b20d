// Readable forms of collation orders: an approximate character and an
// English description, and the digit and symbol an order stands for.
#pragma once

#include "ksexport.h"

class KsString;

// The character an order stands for: ' ' for spaces, the ASCII symbol,
// digit or letter, 127 for orders outside the alphabet (bit 15, or a class
// of 20 or more with 0x80 masked off), 7 when there is none (for symbols
// without one, '.'). With wantAccented, an accented letter becomes the first
// byte 0x80..0xFF of code set 1 with that order, and *name (when given) that
// byte's name ("\'e" for e acute, letter pairs such as "\ss") or null when
// no byte has the order. Returns 0.
KS_API int KsConvertOrderToChar(unsigned short order, unsigned char orderClass, unsigned char& ch,
                                int wantAccented, const char** name);
// An English description of an order ("upper letter A with accent acute",
// "digit 2 with expand", "symbol solidus", ...). Returns 0.
KS_API int KsConvertOrderToString(unsigned short order, unsigned char orderClass, KsString& out);
// Digit orders: the digit and whether it has an expansion; -2002 for orders
// outside 0x3F00..0x3FFF.
KS_API int KsExtractDigitFromOrder(unsigned short order, unsigned short& digit, unsigned short& hasExpansion);
// Symbol orders: the symbol index (order - 80); -2002 outside 80..0x3EFF.
KS_API int KsExtractSymbolFromOrder(unsigned short order, unsigned short& symbol);
