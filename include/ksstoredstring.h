// The stored (disk) form of KsString and the string comparison function of
// the type table.
//
// Record of one string: a 16-bit length L of the bytes that follow (byte
// order of the format: 2 most significant byte first, anything else least
// significant first), the code set byte, the language byte, the characters
// (16-bit units in the format's byte order, no terminator) and the bytes
// 00 FF. An empty or null string is the 6 bytes 04 00 <code set> <language>
// 00 FF. Arrays are records back to back.
//
// Format bits: 0x08 values in memory; 0x20 stored code sets read as 0; 0x40
// stored code set 0 read as the native one; 0x80 the order-key form (code
// set 254, the class byte of the first order in the language position, then
// the collation orders as 16-bit units).
#pragma once

#include "ksexport.h"

// Writes count records for count in-memory strings; returns the bytes
// written. REQUIRES: dst holds StringSizeGet(src, 8, format, count) bytes.
KS_API unsigned StringStore(void* dst, const void* src, unsigned char format, unsigned count);
// Reads count records (or one legacy block) into in-memory strings; returns
// the bytes consumed, or 0 when a record is shorter than its 6-byte minimum
// (that string and the ones after it are left empty).
// REQUIRES: src holds the records.
KS_API unsigned StringLoad(void* dst, const void* src, unsigned char format, unsigned count);
// With srcFormat bit 0x08 the stored size of count in-memory strings,
// otherwise the size of count records at value; the code-set and order-key
// bits are those of dstFormat.
KS_API unsigned StringSizeGet(const void* value, unsigned char srcFormat, unsigned char dstFormat,
                              unsigned count);
// Three-way comparison of count strings, in memory (format 8) or stored;
// len1 and len2 are the bytes available on each side (0: whole records).
// Status: 0; 2101 when the result rests on a cut part only; 2114 or 2115
// for an order key cut at a script change on the first or only the second
// side; -2999 (result -1) for a cut record that no key builder makes.
KS_API int StringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                         unsigned short cmpOp, unsigned count, int& status);
