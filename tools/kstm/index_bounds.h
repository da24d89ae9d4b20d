// Index-range evaluation through KsTypeMgr::EvalAndBound: the comparison
// flags, the owned bound records, and the check that the type has its own
// evaluator.
#pragma once

#include <string>
#include <vector>

#include "ksidxbounds.h"
#include "type_values.h"

namespace kstm {

// Comparison flags of the evaluation.
constexpr unsigned short kEvalEqual = 0x0001;
constexpr unsigned short kEvalLess = 0x0002;
constexpr unsigned short kEvalGreater = 0x0004;
constexpr unsigned short kEvalInexact = 0x0008;
constexpr unsigned short kEvalNoWildcards = 0x0010;

// "eq", "ne", "lt", "le", "gt", "ge" to flags; throws a bad-input CliError.
unsigned short ParseComparison(const std::string& op);
// The comparison part of flags as "lt", "ge", ...
std::string ComparisonName(unsigned short flags);

// Output bounds that an evaluator fills; the buffers it allocates belong to
// the record's owner, which frees them.
class RecordedBounds {
 public:
  RecordedBounds() : bounds_{nullptr, nullptr, 0, 0, 0} {}
  ~RecordedBounds();
  RecordedBounds(const RecordedBounds&) = delete;
  RecordedBounds& operator=(const RecordedBounds&) = delete;
  KsIdxBounds* Get() { return &bounds_; }
  const KsIdxBounds& operator*() const { return bounds_; }

 private:
  KsIdxBounds bounds_;
};

struct Evaluation {
  float estimate;
  unsigned short flags;
};

// Evaluates key (stored form) against the current bounds (null: none) and
// fills out. Throws NotBuilt(EvalAndBound) when the type has no evaluator
// of its own: every evaluator records the key of an equality restriction
// without current bounds, or answers a non-zero share, while the illegal one
// answers 0 and records nothing.
Evaluation EvaluateBounds(const TypeHandle& type, KsIdxBounds* current, unsigned short flags,
                          std::vector<unsigned char>& key, unsigned char format, RecordedBounds& out);

}  // namespace kstm
