#include "index_bounds.h"

#include <cstdlib>

#include "cli_error.h"

namespace kstm {
namespace {

struct ComparisonWord {
  const char* word;
  unsigned short flags;
};

const ComparisonWord kComparisons[] = {
    {"eq", kEvalEqual},   {"ne", kEvalLess | kEvalGreater},
    {"lt", kEvalLess},    {"le", kEvalLess | kEvalEqual},
    {"gt", kEvalGreater}, {"ge", kEvalGreater | kEvalEqual},
};

}  // namespace

unsigned short ParseComparison(const std::string& op) {
  for (const ComparisonWord& c : kComparisons) {
    if (op == c.word) return c.flags;
  }
  throw BadInput("--op must be eq, ne, lt, le, gt or ge, not '" + op + "'");
}

std::string ComparisonName(unsigned short flags) {
  const unsigned short comparison = flags & (kEvalEqual | kEvalLess | kEvalGreater);
  for (const ComparisonWord& c : kComparisons) {
    if (comparison == c.flags) return c.word;
  }
  return comparison == 0 ? "none" : "all";
}

RecordedBounds::~RecordedBounds() {
  // Evaluators allocate bound copies from the process heap.
  std::free(bounds_.low);
  if (bounds_.high != bounds_.low) std::free(bounds_.high);
}

Evaluation EvaluateBounds(const TypeHandle& type, KsIdxBounds* current, unsigned short flags,
                          std::vector<unsigned char>& key, unsigned char format, RecordedBounds& out) {
  {
    RecordedBounds probe;
    unsigned short probeFlags = kEvalEqual;
    const float share =
        type.Mgr().EvalAndBound(type.Id(), nullptr, probeFlags, key.data(), format, 1, probe.Get(), nullptr);
    if (share == 0.0f && (*probe).low == nullptr && (*probe).high == nullptr)
      throw type.NotBuilt(Slot::EvalAndBound);
  }
  Evaluation result{0.0f, flags};
  result.estimate =
      type.Mgr().EvalAndBound(type.Id(), current, result.flags, key.data(), format, 1, out.Get(), nullptr);
  return result;
}

}  // namespace kstm
