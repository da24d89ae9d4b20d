// Evaluators of the nullable types: one member of the numeric frame written
// over the member of the base type.

#include "kstypevl/nullable_evaluators.h"

#include "kstypcmp/nullable_layout.h"
#include "kstypes/nullable_bases.h"
#include "kstypes/nullable_stored_element.h"
#include "kstypevl/null_aware_overlap.h"
#include "kstypevl/numeric_members.h"

namespace ks {
namespace nullable_evaluation {

// How the base type's evaluator reads a number: the base's comparison
// layout, except where the base evaluator has a member of its own. Only
// declared (with external linkage, so that nothing asks for a
// definition): the member is the type of a call.
template <class Base>
evaluate::LayoutMember<typename Base::Layout> BaseMemberOf(const Base*);
evaluate::FloatMember BaseMemberOf(const NullFloatBase*);
evaluate::DoubleMember BaseMemberOf(const NullDoubleBase*);
evaluate::Int64Member BaseMemberOf(const NullInt64Base*);
evaluate::O_8BMember BaseMemberOf(const NullO_8BBase*);
evaluate::O_U8BMember BaseMemberOf(const NullO_U8BBase*);

}  // namespace nullable_evaluation

namespace {

using evaluate::CurrentBounds;
using evaluate::FrameRule;
using evaluate::NullableNumber;

// One stored element as a number and its null flag. The base's rule stays:
// the floating members keep their floor, and the 64-bit members check a
// count of 0 again in exact arithmetic where no null takes part (a null has
// no exact value to compare).
template <class BaseMember>
struct NullableMember {
  struct Exact {
    typename BaseMember::Exact value{};
    bool isNull = false;
  };
  static constexpr FrameRule kRule = BaseMember::kRule;
  static constexpr bool kCountsWithoutBounds = false;

  static unsigned StoredSize(unsigned char format) { return BaseMember::StoredSize(format & 15) + 1; }
  // A flag byte of exactly 1 is null, any other flag byte a number, as the
  // family's Load reads it.
  static Exact Read(const unsigned char* bytes, unsigned char format) {
    const StoredElement element(StoredSize(format), format);
    if (bytes[element.flagOffset] == layout::kNullFlag) return Exact{{}, true};
    return Exact{BaseMember::Read(bytes + element.valueOffset, element.valueFormat), false};
  }
  // A null counts as its value 0 where the estimate divides by the range.
  static double Number(const Exact& element) { return BaseMember::Number(element.value); }

  static double Count(unsigned short flags, const Exact& x, const CurrentBounds<NullableMember>& current) {
    const double selected =
        evaluate::NullAwareOverlap(flags, Numbered(x), Numbered(current.low), Numbered(current.high));
    if constexpr (kRule == FrameRule::kZeroCount) {
      if (!x.isNull && !current.low.isNull && !current.high.isNull) {
        return evaluate::ZeroCountRule(selected, flags, x.value, current.low.value, current.high.value);
      }
    }
    return selected;
  }

 private:
  static NullableNumber Numbered(const Exact& element) { return {Number(element), element.isNull}; }
};

}  // namespace

template <class Base>
float NullableEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                           unsigned count, KsIdxBounds* outBounds) {
  using Member =
      NullableMember<decltype(nullable_evaluation::BaseMemberOf(static_cast<const Base*>(nullptr)))>;
  return evaluate::EvaluateNumber<Member>(bounds, flags, key, format, count, outBounds);
}

#define KS_INSTANTIATE_NULLABLE_EVALUATOR(Base)                                                            \
  template float NullableEvalAndBound<Base>(KsIdxBounds*, unsigned short&, void*, unsigned char, unsigned, \
                                            KsIdxBounds*);
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullCharBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullByteBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullShortBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullWordBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullIntBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullUnsignedBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullLongBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullDwordBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullFloatBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullDoubleBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullInt64Base)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullO_8BBase)
KS_INSTANTIATE_NULLABLE_EVALUATOR(NullO_U8BBase)
#undef KS_INSTANTIATE_NULLABLE_EVALUATOR

}  // namespace ks
