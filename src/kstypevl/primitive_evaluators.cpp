// Evaluators of the primitive numbers: the numeric frame over the layouts
// that their comparisons read, so that a key converts exactly as it
// compares.

#include "kstypevl/evaluators.h"
#include "kstypevl/numeric_members.h"

namespace ks {

using evaluate::DoubleMember;
using evaluate::FloatMember;
using evaluate::LayoutMember;
using evaluate::O_8BMember;
using evaluate::O_U8BMember;

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
