// Evaluators of the identities: KsObjId, KsClassId and KsRef.

#include <cstdint>

#include "kstypevl/evaluators.h"
#include "kstypevl/numeric_frame.h"
#include "ksobjid/identity_fields.h"
#include "ksobjid/identity_slots.h"

namespace ks {
namespace {

using evaluate::FrameRule;

// Where the object number lies in the stored identities (KsObjId and the
// leading fields of KsRef): L at byte 4, H at byte 8, D (KsRef) at byte 10.
constexpr unsigned kLowOffset = 4;
constexpr unsigned kHighOffset = 8;
constexpr unsigned kDatabaseOffset = 10;

// The object number of a KsObjId as its evaluator has always weighed it:
// H × 65535 + L, which lets neighbouring H values overlap a little.
struct ObjIdMember {
  using Exact = uint64_t;
  static constexpr FrameRule kRule = FrameRule::kPlain;
  static constexpr bool kCountsWithoutBounds = true;
  static Exact Read(const unsigned char* bytes, unsigned char format) {
    const unsigned char order = IdentityByteOrder(format);
    return uint64_t{Field16(bytes + kHighOffset, order)} * 65535 + Field32(bytes + kLowOffset, order);
  }
  static double Number(Exact value) { return static_cast<double>(value); }
  static unsigned StoredSize(unsigned char) { return kObjIdStoredSize; }
};

// The whole space that a reference key is measured against: (2^32 - 1)^2.
constexpr uint64_t kReferenceSpace = 18446744065119617025u;

}  // namespace

KS_DEFINE_NUMERIC_EVALUATOR(ObjIdEvalAndBound, ObjIdMember)

// Class ids are not measured: any key may select the whole index, and the
// scan stays open (nothing is recorded).
float ClassIdEvalAndBound(KsIdxBounds*, unsigned short&, void*, unsigned char, unsigned, KsIdxBounds*) {
  return 1.0f;
}

// A reference is placed in the space of all references, not in the index's
// current range, which is not read.
float RefEvalAndBound(KsIdxBounds*, unsigned short& flags, void* key, unsigned char format, unsigned count,
                      KsIdxBounds* outBounds) {
  flags &= evaluate::kKeepComparisonAndInexact;
  const auto* bytes = static_cast<const unsigned char*>(key);
  const unsigned char order = IdentityByteOrder(format);
  // At most (2^32 - 65535) × (2^32 - 1): below the space, so the greater-than
  // part below never wraps.
  const uint64_t x =
      (uint64_t{Field16(bytes + kDatabaseOffset, order)} * 65535 + Field16(bytes + kHighOffset, order)) *
          4294967295u +
      Field32(bytes + kLowOffset, order);
  double selected = 0;
  if (flags & evaluate::kLessThan) selected += static_cast<double>(x);
  if (flags & evaluate::kGreaterThan) selected += static_cast<double>(kReferenceSpace - (x + 1));
  if (flags & evaluate::kEqual) selected += 1;
  evaluate::RecordBounds(outBounds, key, flags, size_t{count} * kRefStoredSize);
  return static_cast<float>(selected / static_cast<double>(kReferenceSpace));
}

}  // namespace ks
