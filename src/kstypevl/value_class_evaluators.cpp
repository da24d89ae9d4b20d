// Evaluators of KsInt64, KsSeal, KsBoolean and KsBlob.

#include <cstdint>

#include "ksboolean/seal_slots.h"
#include "kstypcmp/layouts.h"
#include "kstypevl/evaluators.h"
#include "kstypevl/numeric_members.h"

namespace ks {
namespace {

using evaluate::FrameRule;
using evaluate::Int64Member;

// A seal is its 48-bit stamp, which a double holds exactly; the stored form
// is big-endian whatever the format says.
struct SealMember {
  using Exact = uint64_t;
  static constexpr FrameRule kRule = FrameRule::kZeroCount;
  static constexpr bool kCountsWithoutBounds = false;
  static Exact Read(const unsigned char* bytes, unsigned char format) {
    KsSeal seal;
    SealStore(&seal, bytes, format, 1);
    return uint64_t{seal.high} << 32 | uint64_t{seal.middle} << 16 | seal.low;
  }
  static double Number(Exact value) { return static_cast<double>(value); }
  static unsigned StoredSize(unsigned char) { return kSealStoredSize; }
};

}  // namespace

KS_DEFINE_NUMERIC_EVALUATOR(Int64EvalAndBound, Int64Member)
KS_DEFINE_NUMERIC_EVALUATOR(SealEvalAndBound, SealMember)

// Three values (null, false, true) give no range to measure: an index that
// has values holds a third of its entries under any key.
float BooleanEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char,
                          unsigned count, KsIdxBounds* outBounds) {
  evaluate::RecordBounds(outBounds, key, flags, count);
  return static_cast<float>((bounds != nullptr ? 1.0 : 0.0) / 3);
}

// Blobs are not measured: any key may select the whole index, and the scan
// stays open (nothing is recorded).
float BlobEvalAndBound(KsIdxBounds*, unsigned short&, void*, unsigned char, unsigned, KsIdxBounds*) {
  return 1.0f;
}

}  // namespace ks
