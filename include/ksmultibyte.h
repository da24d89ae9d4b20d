// Multibyte (UTF-8) text and KsString, and the 16-bit counterparts of the
// C library's text functions.
//
// UTF-8 sequences of 1 to 6 bytes are read; every decoded value is kept in
// 16 bits (values above 0xFFFF lose their upper bits: there are no surrogate
// pairs). Overlong, truncated and malformed sequences are invalid (-1).
#pragma once

#include <cstddef>

#include "ksexport.h"

class KsString;

// Decodes one sequence from at most n bytes into *out; returns its byte
// count, 0 for a null mbs, -1 for n = 0 or an invalid sequence.
KS_API int KsMultiByte2WChar(unsigned short* out, char* mbs, unsigned n);
// Encodes one unit (1 to 3 bytes); returns the byte count, 0 for a null out.
KS_API int KsWChar2MultiByte(char* out, wchar_t unit);
// Decodes n bytes into out (units beyond outCount are counted, not stored);
// returns the number of units, 0 for n = 0, -1 on an invalid sequence.
KS_API int KsMultiByteStr2WCharStr(unsigned short* out, int outCount, char* mbs, int n);
// out becomes code set 253 text (its language stays) decoded from at most n
// bytes; stops after a decoded zero unit (counted, not kept). Returns the
// bytes consumed; 0 for n <= 0 (out is emptied); -1 on an invalid sequence
// and -2 once 32,768 bytes are consumed, out keeping what was decoded.
KS_API int KsMBS2KsString(const char* mbs, KsString& out, int n);
KS_API int KsMultiByteString2KsString(const char* mbs, KsString& out, int n);
KS_API int KsMultiByteString2KsString(const KsString& mbs, KsString& out);
// UTF-8 byte length of the first n characters of s; 0 for n = 0. ASCII-only
// text of code sets 0..5 answers its whole length.
KS_API int KsMBSLength(const KsString& s, unsigned short n);
// Writes s as UTF-8 into buf (never past size bytes; a terminator when
// there is room); returns the bytes written, or minus the bytes that fitted
// when the text does not.
KS_API int KsString2KsMBS(const KsString& s, char* buf, int size);
// As KsString2KsMBS into the caller's buffer, or into a new malloc'd buffer
// (buf null or size <= 0; the caller frees it) that is then sized to the
// text and its terminator. When the caller's buffer is too small, size
// receives the bytes needed and the result is -1.
KS_API int KsString2MultiByteString(const KsString& s, char*& buf, int& size);

// Zero-terminated 16-bit text.
KS_API size_t KsWStrLen(const unsigned short* text);
// Like strcmp and strncmp on units; a null first text sorts first (0 when
// both are null), a null second text last.
KS_API int KsWStrCmp(const unsigned short* a, const unsigned short* b);
KS_API int KsWStrNCmp(const unsigned short* a, const unsigned short* b, size_t n);
// Like strcpy and strncpy. REQUIRES: dst holds the units written.
KS_API unsigned short* KsWStrCpy(unsigned short* dst, const unsigned short* src);
KS_API unsigned short* KsWStrNCpy(unsigned short* dst, const unsigned short* src, size_t n);
// The next unit's position.
KS_API const unsigned short* KsWStrInc(const unsigned short* text);
// Writes unit n times. REQUIRES: dst holds n units.
KS_API unsigned short* KsWStrSet(unsigned short* dst, unsigned short unit, size_t n);
// The first 32 units read as 8-bit text by strtol or the 64-bit reader
// (base 0: 0x hexadecimal, leading 0 octal).
KS_API int KsWStrToL(const unsigned short* text);
KS_API long long KsWStrToI64(const unsigned short* text);
