// The numeric frame of index range evaluation: the key and the index's
// current bounds become numbers, the counting rule measures the selected
// part of [low, high], the key is recorded as scan bounds, and the estimate
// is that part over the whole.
//
// A member of the frame tells how one stored value becomes a number:
//   Exact                      the value as the type orders it
//   Read(bytes, format)        one value of the stored form named by format
//   Number(exact)              the value as a double
//   StoredSize(format)         bytes of one stored value
//   kRule                      what the member adds to the frame (below)
//   kCountsWithoutBounds       whether a count is taken against 0..0 when
//                              the index has no current bounds
//   Count(flags, key, current) optional: a counting rule instead of Overlap
// The nullable types run the same frame with their own counting rule.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>

#include "ksidxbounds.h"
#include "kstypevl/bound_recording.h"
#include "kstypevl/eval_flags.h"
#include "kstypevl/overlap.h"

namespace ks::evaluate {

enum class FrameRule {
  kPlain,
  // Floating types: a non-empty selection never estimates below 2^-23, and
  // a range whose width overflows still has a width.
  kDoubleFloor,
  // 64-bit integers: doubles merge neighbouring values, so a count of 0 from
  // merged doubles is checked again in exact arithmetic.
  kZeroCount,
};

// The smallest estimate of a non-empty selection of a floating type: the
// precision of a float.
constexpr double kSmallestFloatingEstimate = 1.1920928955078125e-7;

template <class Member>
struct CurrentBounds {
  typename Member::Exact low{};
  typename Member::Exact high{};
  bool present = false;
};

template <class Member>
inline CurrentBounds<Member> ReadBounds(const KsIdxBounds* bounds, unsigned char format) {
  CurrentBounds<Member> current;
  if (!HasBothBounds(bounds, Member::StoredSize(format))) return current;
  current.low = Member::Read(static_cast<const unsigned char*>(bounds->low), format);
  current.high = Member::Read(static_cast<const unsigned char*>(bounds->high), format);
  current.present = true;
  return current;
}

// A count of exactly 0 may come from doubles that merged the key with a
// bound. It becomes 1 unless the exact values show that the selection is
// really empty: the key lies below the range and only less-than or equal
// could reach it, or above the range and only greater-than or equal could.
template <class Exact>
inline double ZeroCountRule(double count, unsigned short flags, Exact key, Exact low, Exact high) {
  if (count != 0) return count;
  const bool emptyBelow = (flags & kGreaterThan) == 0 && low > key;
  const bool emptyAbove = (flags & kLessThan) == 0 && key > high;
  return emptyBelow || emptyAbove ? 0 : 1;
}

// The selected part over the whole range [low, high] of unit steps.
template <FrameRule kRule>
inline float Estimate(double count, double low, double high) {
  if constexpr (kRule == FrameRule::kDoubleFloor) {
    const double share = count / (FiniteDifference(high - low) + 1);
    if (count != 0 && share < kSmallestFloatingEstimate) return static_cast<float>(kSmallestFloatingEstimate);
    return static_cast<float>(share);
  } else {
    return static_cast<float>(count / (high - low + 1));
  }
}

// What the comparison selects of the current bounds: the shared counting
// rule, checked again in exact arithmetic where the member merges values.
// A member with a counting rule of its own (the nullable types) provides
//   Count(flags, key, current)
template <class Member>
double CountSelected(unsigned short flags, const typename Member::Exact& x,
                     const CurrentBounds<Member>& current) {
  if constexpr (requires { Member::Count(flags, x, current); }) {
    return Member::Count(flags, x, current);
  } else {
    const double number = Member::Number(x);
    const double selected =
        Overlap(flags, number, number, Member::Number(current.low), Member::Number(current.high), 1);
    if constexpr (Member::kRule == FrameRule::kZeroCount) {
      if (current.present) return ZeroCountRule(selected, flags, x, current.low, current.high);
    }
    return selected;
  }
}

// The evaluator slot of a member. Without current bounds the count is 0
// (members that count without bounds measure against 0..0), so the
// estimate is 0 and only the key is recorded.
// REQUIRES: key holds max(count, 1) values of the stored form named by format.
template <class Member>
float EvaluateNumber(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                     unsigned count, KsIdxBounds* outBounds) {
  const auto x = Member::Read(static_cast<const unsigned char*>(key), format);
  const CurrentBounds<Member> current = ReadBounds<Member>(bounds, format);
  const double selected =
      current.present || Member::kCountsWithoutBounds ? CountSelected(flags, x, current) : 0;
  RecordBounds(outBounds, key, flags, size_t{count} * Member::StoredSize(format));
  return Estimate<Member::kRule>(selected, Member::Number(current.low), Member::Number(current.high));
}

// The numbers of an index's current bounds, 0..0 when it has none; for
// evaluators that number their values themselves (dates and times).
struct NumberRange {
  double low = 0;
  double high = 0;
  bool present = false;
};

// The numbers of the current bounds under `kNumber`, when both hold a value
// of `size` stored bytes.
template <double (*kNumber)(const unsigned char*, unsigned char)>
inline NumberRange NumberRangeOf(const KsIdxBounds* bounds, size_t size, unsigned char format) {
  if (!HasBothBounds(bounds, size)) return {};
  return {kNumber(static_cast<const unsigned char*>(bounds->low), format),
          kNumber(static_cast<const unsigned char*>(bounds->high), format), true};
}

// The frame for a key that covers [keyLow, keyHigh], as a key with wildcard
// fields does: 0 without current bounds.
inline float EstimateKeyRange(unsigned short flags, double keyLow, double keyHigh, const NumberRange& range) {
  const double selected = range.present ? Overlap(flags, keyLow, keyHigh, range.low, range.high, 1) : 0;
  return Estimate<FrameRule::kPlain>(selected, range.low, range.high);
}

// A member whose values are those of a fixed-size comparison layout.
template <class Layout, FrameRule kMemberRule = FrameRule::kPlain>
struct LayoutMember {
  using Exact = typename Layout::Value;
  static constexpr FrameRule kRule = kMemberRule;
  static constexpr bool kCountsWithoutBounds = false;
  static Exact Read(const unsigned char* bytes, unsigned char format) {
    return Layout::FromStored(bytes, format);
  }
  static double Number(Exact value) { return static_cast<double>(value); }
  static unsigned StoredSize(unsigned char format) { return Layout::StoredSize(format); }
};

}  // namespace ks::evaluate

// Defines the evaluator slot `Name` as the frame over `Member`.
#define KS_DEFINE_NUMERIC_EVALUATOR(Name, Member)                                                         \
  float Name(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format, unsigned count, \
             KsIdxBounds* outBounds) {                                                                    \
    return ::ks::evaluate::EvaluateNumber<Member>(bounds, flags, key, format, count, outBounds);          \
  }
