// Evaluators of the primitive numbers: the numeric frame over the layouts
// that their comparisons read, so that a key converts exactly as it
// compares.

#include "basesvc.h"
#include "kstypevl/evaluators.h"
#include "kstypevl/numeric_frame.h"
#include "kstypcmp/layouts.h"

namespace ks {
namespace {

using evaluate::FrameRule;
using evaluate::LayoutMember;

// Floating values take the stored size that the base services report.
template <class Layout, unsigned (*kSizeGet)(const void*, unsigned char, unsigned char, unsigned)>
struct FloatingMember : LayoutMember<Layout, FrameRule::kDoubleFloor> {
  static unsigned StoredSize(unsigned char format) { return kSizeGet(nullptr, 8, format, 1); }
};

using DoubleMember = FloatingMember<layout::Double, DoubleSizeGet>;
using FloatMember = FloatingMember<layout::Float, FloatSizeGet>;
using O_8BMember = LayoutMember<layout::O_8B, FrameRule::kZeroCount>;
using O_U8BMember = LayoutMember<layout::O_U8B, FrameRule::kZeroCount>;

}  // namespace

KS_DEFINE_NUMERIC_EVALUATOR(CharEvalAndBound, LayoutMember<layout::Char>)
KS_DEFINE_NUMERIC_EVALUATOR(ByteEvalAndBound, LayoutMember<layout::Byte>)
KS_DEFINE_NUMERIC_EVALUATOR(ShortEvalAndBound, LayoutMember<layout::Short>)
KS_DEFINE_NUMERIC_EVALUATOR(WordEvalAndBound, LayoutMember<layout::Word>)
KS_DEFINE_NUMERIC_EVALUATOR(LongEvalAndBound, LayoutMember<layout::Long>)
KS_DEFINE_NUMERIC_EVALUATOR(DwordEvalAndBound, LayoutMember<layout::Dword>)
KS_DEFINE_NUMERIC_EVALUATOR(IntEvalAndBound, LayoutMember<layout::Int>)
KS_DEFINE_NUMERIC_EVALUATOR(UnsignedEvalAndBound, LayoutMember<layout::Unsigned>)
KS_DEFINE_NUMERIC_EVALUATOR(DoubleEvalAndBound, DoubleMember)
KS_DEFINE_NUMERIC_EVALUATOR(FloatEvalAndBound, FloatMember)
KS_DEFINE_NUMERIC_EVALUATOR(O_8BEvalAndBound, O_8BMember)
KS_DEFINE_NUMERIC_EVALUATOR(O_U8BEvalAndBound, O_U8BMember)

}  // namespace ks
