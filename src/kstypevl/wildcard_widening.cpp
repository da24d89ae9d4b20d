#include "kstypevl/wildcard_widening.h"

#include "base/byteorder.h"
#include "kstypevl/eval_flags.h"
#include "kstypes/raw_value.h"

namespace ks::evaluate {
namespace {

template <class Word>
void PutWord(unsigned char* at, int32_t value, unsigned char format) {
  Word word = static_cast<Word>(value);
  if (ksbase::FormatNeedsByteSwap(format)) word = ksbase::ByteSwap(word);
  WriteRaw(at, word);
}

}  // namespace

bool IsWildcard(const unsigned char* record, const WildcardField& field) {
  for (unsigned i = 0; i < field.width; ++i) {
    if (record[field.offset + i] != 0xFF) return false;
  }
  return true;
}

void PutField(unsigned char* record, const WildcardField& field, int32_t value, unsigned char format) {
  unsigned char* at = record + field.offset;
  switch (field.width) {
    case 1:
      *at = static_cast<unsigned char>(value);
      break;
    case 2:
      PutWord<uint16_t>(at, value, format);
      break;
    default:
      PutWord<uint32_t>(at, value, format);
      break;
  }
}

void WriteWidenedField(KsIdxBounds* out, const WildcardField& field, int32_t low, int32_t high,
                       unsigned char format) {
  if (out == nullptr) return;
  const unsigned end = field.offset + field.width;
  if (out->low != nullptr && out->lowLen >= end)
    PutField(static_cast<unsigned char*>(out->low), field, low, format);
  if (out->high != nullptr && out->highLen >= end) {
    PutField(static_cast<unsigned char*>(out->high), field, high, format);
  }
}

void WidenFromFirstWildcard(const WildcardField* fields, size_t fieldCount, unsigned char format,
                            unsigned char* lowKey, unsigned char* highKey, KsIdxBounds* out,
                            unsigned short& flags) {
  size_t first = 0;
  while (first < fieldCount && !IsWildcard(lowKey, fields[first])) ++first;
  for (size_t i = first; i < fieldCount; ++i) {
    const WildcardField& field = fields[i];
    PutField(lowKey, field, field.lowest, format);
    PutField(highKey, field, field.highest, format);
    WriteWidenedField(out, field, field.lowest, field.highest, format);
    flags |= kInexact;
  }
}

}  // namespace ks::evaluate
