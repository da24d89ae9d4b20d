// Type slots of KsSeal (type id 39). What it shares with the other classes
// comes from the class row skeleton (class_rows.h). The stored form is the 48-bit stamp big-endian: the
// high, middle and low words, each most significant byte first, whatever
// the format byte says.
#pragma once

#include "ksboolean.h"
#include "ksslots.h"
#include "kstypes/class_rows.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ks {

constexpr unsigned kSealStoredSize = 6;

// Its own inverse, so it serves as Load too. Returns count * 6.
unsigned SealStore(void* dst, const void* src, unsigned char format, unsigned count);
// In memory (format & 15 of 8): the difference of the first differing word;
// stored: of the first differing byte.
int SealCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                unsigned short cmpOp, unsigned count, int& status);
// Folds high ^ middle ^ low of every element; formats 8 and 1 read the
// words as they lie in memory, others decode the stored form.
unsigned SealHash(unsigned char format, unsigned len, void* values, unsigned count, int& status);

// Appends the decimal stamp (the format is not read); scans like
// KsSeal::ScanFromKsString.
KsString& SealPrintToString(KsString& out, void* values, const char* format, unsigned count);
void* SealScanFromString(void* values, KsString& in, const char* format, unsigned count);
// One value's text record: the decimal stamp; no text reads as the empty one.
void SealText(const KsSeal& seal, KsString& text);
void SealFromText(KsSeal& seal, const KsString* text);

// The type-table row: the slots of the type set on the table's row.
constexpr KsTypeDescriptor SealRow(KsTypeDescriptor d) {
  SetFixedClassStorage<KsSeal, kSealStoredSize, SealStore, SealStore>(d);
  SetClassTextRecords<KsSeal, SealText, SealFromText, false>(d);
  d.compare = SealCompare;
  d.hash = SealHash;
  d.isNull = NeverNull;
  d.printToString = SealPrintToString;
  d.scanFromString = SealScanFromString;
  d.getValue = NoGetValue;
  return d;
}

}  // namespace ks
