// The flags word of an index range evaluation: the comparison the query
// makes with the key, and what the evaluator reports back.
#pragma once

namespace ks::evaluate {

constexpr unsigned short kEqual = 0x0001;
constexpr unsigned short kLessThan = 0x0002;
constexpr unsigned short kGreaterThan = 0x0004;
// Set by an evaluator whose key holds a wildcard: a scan over the recorded
// bounds is not exact, and every entry must still be tested.
constexpr unsigned short kInexact = 0x0008;
// Set by the caller: pattern characters and unspecified fields of the key
// are literal.
constexpr unsigned short kWildcardsOff = 0x0010;

// What the string, date and reference evaluators keep of the incoming flags:
// the comparison, the inexact bit and the caller's bit 0x8000.
constexpr unsigned short kKeepComparisonAndInexact = 0x800F;
// What the time-of-day evaluators keep: the inexact bit goes too, so that it
// reports only this key's wildcards.
constexpr unsigned short kKeepComparison = 0x8007;

}  // namespace ks::evaluate
