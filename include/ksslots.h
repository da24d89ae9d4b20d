// Signatures of the type descriptor's slot functions.
//
// Every operation of KsTypeMgr is a lookup of the type's descriptor followed
// by a call of one of these plain functions. Format bytes: 8 is the in-memory
// form, otherwise the low four bits name a stored form (1 little-endian,
// 2 big-endian); bits 0x20, 0x40 and 0x80 are string options.
#pragma once

class KsString;
class MemFile;
class KsTypeConvertData;
struct KsIdxBounds;

using KsCreateFunc = void* (*)(unsigned count);
using KsDeleteFunc = void* (*)(void* values, unsigned count);
using KsStoreFunc = unsigned (*)(void* dst, const void* src, unsigned char format, unsigned count);
using KsLoadFunc = unsigned (*)(void* dst, const void* src, unsigned char format, unsigned count);
using KsNullSizeGetFunc = unsigned (*)(unsigned count);
using KsSizeGetFunc = unsigned (*)(const void* value, unsigned char srcFormat, unsigned char format,
                                   unsigned count);
using KsSizeGetFromMemFileFunc = unsigned (*)(MemFile* file, unsigned char format, unsigned count);
// Three-way comparison of two arrays; status is 0, or 2101 when an array ran
// out before count elements were compared.
using KsTypeCmpFunc = int (*)(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                              unsigned short cmpOp, unsigned count, int& status);
using KsEvalAndBoundFunc = float (*)(KsIdxBounds* bounds, unsigned short& flags, void* value,
                                     unsigned char format, unsigned count, KsIdxBounds* outBounds);
using KsHashFunc = unsigned (*)(unsigned char format, unsigned len, void* values, unsigned count, int& status);
using KsConvertToKsStringFunc = KsTypeConvertData* (*)(void* values, unsigned count);
using KsConvertFromKsStringFunc = void* (*)(KsTypeConvertData* record, unsigned count);
using KsConstructorFunc = void (*)(void* memory, unsigned count, unsigned unused);
using KsDestructorFunc = void (*)(void* memory, unsigned count, unsigned unused);
using KsAssignmentFunc = void (*)(void* dst, void* src, unsigned count, int broadcast);
using KsCopyFunc = void (*)(void* dst, void* src, unsigned count, int broadcast);
using KsTranslateFunc = unsigned (*)(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                                     unsigned char srcFormat, unsigned srcLen, unsigned count);
using KsIsNullFunc = int (*)(void* value);
using KsSetNullFunc = int (*)(void* value);
using KsPrintToKsStringFunc = KsString& (*)(KsString& out, void* values, const char* format, unsigned count);
using KsScanFromKsStringFunc = void* (*)(void* values, KsString& in, const char* format, unsigned count);
using KsDefaultValueFunc = void* (*)(unsigned count, int asNull);
using KsGetValueFunc = int (*)(void* value, unsigned count, unsigned char format, unsigned char op);

// Status values shared by the slots.
constexpr int KS_NOT_SUPPORTED = -2999;   // operation not supported, or failed
constexpr int KS_NO_GREATER_VALUE = 2091; // GetValue: the type's range is exhausted
constexpr int KS_ARRAY_EXHAUSTED = 2101;  // compare/hash ran past an array's length
