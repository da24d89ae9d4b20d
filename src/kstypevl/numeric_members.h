// Members of the numeric frame (numeric_frame.h) that more than one family
// of evaluators runs: the floating and 64-bit primitives and KsInt64, whose
// nullable types measure their values the same way.
#pragma once

#include <cstdint>

#include "basesvc.h"
#include "kstypcmp/layouts.h"
#include "kstypevl/numeric_frame.h"

namespace ks::evaluate {

// Floating values take the stored size that the base services report.
template <class Layout, unsigned (*kSizeGet)(const void*, unsigned char, unsigned char, unsigned)>
struct FloatingMember : LayoutMember<Layout, FrameRule::kDoubleFloor> {
  static unsigned StoredSize(unsigned char format) { return kSizeGet(nullptr, 8, format, 1); }
};

using DoubleMember = FloatingMember<layout::Double, DoubleSizeGet>;
using FloatMember = FloatingMember<layout::Float, FloatSizeGet>;
using O_8BMember = LayoutMember<layout::O_8B, FrameRule::kZeroCount>;
using O_U8BMember = LayoutMember<layout::O_U8B, FrameRule::kZeroCount>;

// A KsInt64 is its two stored words joined; the exact value decides the
// zero-count rule, its double the counting.
struct Int64Member {
  using Exact = int64_t;
  static constexpr FrameRule kRule = FrameRule::kZeroCount;
  static constexpr bool kCountsWithoutBounds = false;
  static Exact Read(const unsigned char* bytes, unsigned char format) {
    const layout::Int64::Value words = layout::Int64::FromStored(bytes, format);
    return static_cast<int64_t>(static_cast<uint64_t>(static_cast<uint32_t>(words.high)) << 32 | words.low);
  }
  static double Number(Exact value) { return static_cast<double>(value); }
  static unsigned StoredSize(unsigned char format) { return layout::Int64::StoredSize(format); }
};

}  // namespace ks::evaluate
