// The Hash slot of KsString: the collation hashes of the values folded by
// exclusive or, times 1103515245. Values that compare equal under the plain
// order comparison hash equal, stored or in memory.
#include <cstdint>

#include "ksstrcmp.h"
#include "ksstring/string_operand.h"
#include "ksstring/string_slots.h"

namespace ksstring {
namespace {

constexpr uint32_t kHashMultiplier = 1103515245u;
constexpr int kStatusFailed = -2999;
constexpr int kStatusRanOut = 2101;

unsigned HashStrings(unsigned char format, unsigned len, void* values, unsigned count, int& status,
                     bool acceptLegacy) {
  status = 0;
  uint32_t h = 0;
  StringOperand operand(values, len, format, acceptLegacy);
  for (unsigned i = 0; i < count && status == 0; ++i) {
    const StringOperand::Read read = operand.Next();
    if (read == StringOperand::Read::Malformed) {
      status = kStatusFailed;
      return 0;
    }
    if (read == StringOperand::Read::RanOut) {
      status = kStatusRanOut;
      break;
    }
    // A cut record hashes over the characters it still has.
    const short limit = operand.Cut() ? static_cast<short>(operand.Count()) : short{-1};
    h ^= HashString(operand.CodeSet(), operand.Language(), operand.Chars(), limit, format & 15);
  }
  return h * kHashMultiplier;
}

}  // namespace

unsigned StringHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  return HashStrings(format, len, values, count, status, false);
}

unsigned LegacyStringHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  return HashStrings(format, len, values, count, status, true);
}

}  // namespace ksstring
