// Type slots of KsBlob (type id 18). What it shares with the other classes
// comes from the class row skeleton (class_rows.h); the comparison is the
// exported BlobCompare.
//
// Stored form of count blobs: a 32-bit total (the bytes that follow), then
// per blob a 32-bit length and that many bytes; a null blob has the length
// -1 and no bytes. The 32-bit fields are in the byte order of format & 15.
#pragma once

#include "ksblob.h"
#include "ksslots.h"
#include "kstypes/class_rows.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/typedesc.h"

namespace ks {

// Returns 4 + the total, or 0 without writing anything when the total would
// exceed INT32_MAX (the largest total Load accepts).
unsigned BlobStore(void* dst, const void* src, unsigned char format, unsigned count);
// Returns 4 + the total, or 0 for a malformed form (a negative total, a
// length below -1, a blob reaching beyond the total). Blobs before the
// malformed one keep what they loaded; the others are left as they were.
// REQUIRES: src holds 4 + total bytes.
unsigned BlobLoad(void* dst, const void* src, unsigned char format, unsigned count);
// The bytes of count stored blobs at src when their total and every length
// field lie within srcLen and are consistent; false otherwise. Reads only
// within srcLen.
bool BlobStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count, size_t& extent);
unsigned BlobNullSizeGet(unsigned count);
// In memory form (srcFormat 8): the stored size the blobs would take, or 0
// when BlobStore would refuse them; otherwise 4 + the stored total found at value.
unsigned BlobSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
unsigned BlobSizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
// The exclusive or of the blobs' lengths, times 1103515245.
unsigned BlobHash(unsigned char format, unsigned len, void* values, unsigned count, int& status);

KsString& BlobPrintToString(KsString& out, void* values, const char* format, unsigned count);
void* BlobScanFromString(void* values, KsString& in, const char* format, unsigned count);
// One value read from a text record (which carries the printed placeholder
// or the null string): a text reads as an empty blob, no text as null.
void BlobFromText(KsBlob& blob, const KsString* text);

// The type-table row: the slots of the type set on the table's row.
constexpr KsTypeDescriptor BlobRow(KsTypeDescriptor d) {
  SetClassStorage<KsBlob, BlobStore, BlobLoad>(d);
  SetClassNullSlots<KsBlob>(d);
  SetClassTextRecords<KsBlob, PrintedOrNullText<KsBlob, BlobPrintToString>, BlobFromText, true>(d);
  d.nullSizeGet = BlobNullSizeGet;
  d.sizeGet = BlobSizeGet;
  d.sizeGetFromMemFile = BlobSizeGetFromMemFile;
  d.compare = BlobCompare;
  d.hash = BlobHash;
  d.printToString = BlobPrintToString;
  d.scanFromString = BlobScanFromString;
  d.getValue = NoGetValue;
  return d;
}

}  // namespace ks
