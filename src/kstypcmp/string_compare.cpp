// StringCompare: the Compare slot of KsString, over strings in memory or
// stored records, including index keys cut short.
//
// A key may be cut at 254 bytes, or where its text changed script (an order
// key whose class byte has 0x80). A cut side is compared only as far as it
// goes; the status tells the caller that the result rests on a cut part.
#include <algorithm>

#include "ksstrcmp.h"
#include "ksstring/stored_record.h"
#include "ksstring/string_operand.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"

namespace ksstring {
namespace {

constexpr int kStatusCutCompare = 2101;
constexpr int kStatusFirstCutAtClass = 2114;
constexpr int kStatusSecondCutAtClass = 2115;
constexpr int kStatusFailed = -2999;

constexpr unsigned short kNoWildcards = 0x10;
constexpr unsigned short kMatchOutput = 0x80;
constexpr unsigned short kPlainOrder = 0x100;

void SetIfClear(int& status, int value) {
  if (status == 0) status = value;
}

// Compares one pair; may set status.
int ComparePair(const StringOperand& a, const StringOperand& b, unsigned short cmpOp, unsigned char format,
                int& status) {
  const bool literalCuts = (cmpOp & (kPlainOrder | kNoWildcards)) != 0;
  if (a.CutAtClassChange()) status = kStatusFirstCutAtClass;
  if (b.CutAtClassChange() && status != kStatusFirstCutAtClass) status = kStatusSecondCutAtClass;
  // A key cut at a script change is a prefix of its text, whichever side
  // it is on; only the plain and literal operators take it as whole.
  const bool cut1 = a.Cut() || (a.CutAtClassChange() && !literalCuts);
  const bool cut2 = b.Cut() || (b.CutAtClassChange() && !literalCuts);
  const int cuts = (cut1 ? 1 : 0) + (cut2 ? 2 : 0);
  const unsigned char unitFormat = format & 15;
  if (cuts == 0) {
    return KsStrCmp(a.CodeSet(), a.Language(), a.Chars(), b.CodeSet(), b.Language(), b.Chars(), cmpOp, -1,
                    unitFormat, nullptr);
  }
  const int n1 = a.Count();
  const int n2 = b.Count();
  int limit = 0;
  unsigned short starOffset = 0;
  const int star =
      (cmpOp & (kPlainOrder | kNoWildcards)) == 0
          ? WildcardPosition(b.CodeSet(), b.Language(), b.Chars(), true, n2, unitFormat, starOffset)
          : -1;
  if (star >= 0) {
    limit = std::min(n1, star);
    const bool lastIsStar = cuts == 1 && (cmpOp & kMatchOutput) == 0 && star == n2 - 1 && n1 >= star;
    if (!lastIsStar) SetIfClear(status, kStatusCutCompare);
  } else {
    limit = cuts == 1 ? n1 : cuts == 2 ? n2 : std::min(n1, n2);
    const bool otherNotShorter = (cuts == 1 && n2 >= n1) || (cuts == 2 && n1 >= n2);
    if (cuts == 3 || (cmpOp & kMatchOutput) != 0 || otherNotShorter) SetIfClear(status, kStatusCutCompare);
  }
  // The match output is the comparison's own: it must not overwrite status.
  int match = 0;
  int result = KsStrCmp(a.CodeSet(), a.Language(), a.Chars(), b.CodeSet(), b.Language(), b.Chars(), cmpOp,
                        static_cast<short>(limit), unitFormat, &match);
  if ((cmpOp & kMatchOutput) != 0) return match;
  if (result == 0 && n1 != n2) {
    if (cuts == 1 && limit == n2) return 1;
    if (cuts == 2 && limit == n1) return -1;
  }
  return result;
}

// The 8-bit text of a whole current record, terminated by the 00 of its
// closing 00 FF; null when the record needs the general reader (a cut,
// 16-bit or malformed one).
const char* WholeEightBitText(const unsigned char* record, unsigned len, unsigned char format) {
  const uint16_t length = ReadLength(record, format);
  const unsigned char codeSet = record[2];
  if (length < kRecordHeader || WidthOf(codeSet) != 1 || (len != 0 && len < kLengthField + length) ||
      record[kLengthField + length - 2] != 0 || record[kLengthField + length - 1] != kRecordEndMark) {
    return nullptr;
  }
  return reinterpret_cast<const char*>(record + kRecordHeader);
}

int CompareStrings(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                   unsigned short cmpOp, unsigned count, int& status, bool acceptLegacy) {
  status = 0;
  // Index keys are mostly one whole 8-bit record a side: compared in place.
  if (count == 1 && !InMemory(format) && values1 != nullptr && values2 != nullptr &&
      (len1 == 0 || len1 >= kRecordHeader) && (len2 == 0 || len2 >= kRecordHeader)) {
    const auto* a = static_cast<const unsigned char*>(values1);
    const auto* b = static_cast<const unsigned char*>(values2);
    const char* text1 = WholeEightBitText(a, len1, format);
    const char* text2 = text1 != nullptr ? WholeEightBitText(b, len2, format) : nullptr;
    if (text2 != nullptr)
      return KsStrCmp(a[2], a[3], text1, b[2], b[3], text2, cmpOp, -1, format & 15, nullptr);
  }
  StringOperand first(values1, len1, format, acceptLegacy);
  StringOperand second(values2, len2, format, acceptLegacy);
  int result = 0;
  for (unsigned i = 0; i < count && result == 0 && status == 0; ++i) {
    const StringOperand::Read a = first.Next();
    const StringOperand::Read b = second.Next();
    if (a == StringOperand::Read::Malformed || b == StringOperand::Read::Malformed) {
      status = kStatusFailed;
      return -1;
    }
    if (a == StringOperand::Read::RanOut || b == StringOperand::Read::RanOut) {
      status = kStatusCutCompare;
      return result;
    }
    result = ComparePair(first, second, cmpOp, format, status);
  }
  return result;
}

}  // namespace

int LegacyStringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                        unsigned short cmpOp, unsigned count, int& status) {
  return CompareStrings(format, len1, values1, len2, values2, cmpOp, count, status, true);
}

}  // namespace ksstring

int StringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                  unsigned short cmpOp, unsigned count, int& status) {
  return ksstring::CompareStrings(format, len1, values1, len2, values2, cmpOp, count, status, false);
}
