// Wildcard matching on adversarial patterns, KsStrCmp beside the step-by-step
// walk it replaced for long matches (tests/reference), in the same run, at
// 1,000, 8,000 and 32,000 characters:
//   LongLiteral   "*" + n-2 "a" + "b"        against n "a"  (the classic worst case)
//   ShortSegments "*" + "aab*" repeated      against n "a"  (many segments, each a near miss)
//   NearMisses    "*" + "ab" x n/4 + "c"     against "ab" x n/2 (a near miss at every other position)
//   AnyInside     "*" + ("a" x 15 + "?") x n/32 + "b" against n "a"  ('?' inside a long segment)
// in code set 1 (Windows-1252), 253 (Unicode) and 0 (plain bytes). The
// reference takes seconds per call at 32,000 characters, so every case runs
// a fixed number of iterations.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ksstrcmp.h"
#include "reference/stepwise_strcmp.h"

namespace {

enum class Shape { LongLiteral, ShortSegments, NearMisses, AnyInside };

struct Case {
  std::string text;
  std::string pattern;
};

Case Make(Shape shape, size_t n) {
  Case c;
  switch (shape) {
    case Shape::LongLiteral:
      c.text.assign(n, 'a');
      c.pattern.push_back('*');
      c.pattern.append(n - 2, 'a');
      c.pattern += 'b';
      break;
    case Shape::ShortSegments:
      c.text.assign(n, 'a');
      c.pattern.push_back('*');
      while (c.pattern.size() + 4 <= n) c.pattern += "aab*";
      break;
    case Shape::NearMisses:
      for (size_t i = 0; i < n / 2; ++i) c.text += "ab";
      c.pattern.push_back('*');
      for (size_t i = 0; i < n / 4; ++i) c.pattern += "ab";
      c.pattern += "c";
      break;
    case Shape::AnyInside:
      c.text.assign(n, 'a');
      c.pattern.push_back('*');
      for (size_t i = 0; i < n / 32; ++i) {
        c.pattern.append(15, 'a');
        c.pattern += '?';
      }
      c.pattern += "b";
      break;
  }
  return c;
}

// Code set 253 takes 16-bit units in memory order.
std::string Widen(const std::string& text) {
  std::string wide;
  for (char ch : text) {
    wide += ch;
    wide += '\0';
  }
  wide.append(2, '\0');
  return wide;
}

template <bool kReference>
void Match(benchmark::State& state, Shape shape, unsigned char codeSet) {
  const Case c = Make(shape, static_cast<size_t>(state.range(0)));
  const std::string text = codeSet == 253 ? Widen(c.text) : c.text;
  const std::string pattern = codeSet == 253 ? Widen(c.pattern) : c.pattern;
  int result = 0;
  for (auto _ : state) {
    result = kReference ? reference::StepwiseStrCmp(codeSet, 0, text.c_str(), codeSet, 0, pattern.c_str(), 0,
                                                    -1, 8, nullptr)
                        : KsStrCmp(codeSet, 0, text.c_str(), codeSet, 0, pattern.c_str(), 0, -1, 8, nullptr);
    benchmark::DoNotOptimize(result);
  }
  state.counters["result"] = result;
}

void Register() {
  const struct {
    const char* name;
    Shape shape;
  } shapes[] = {{"LongLiteral", Shape::LongLiteral},
                {"ShortSegments", Shape::ShortSegments},
                {"NearMisses", Shape::NearMisses},
                {"AnyInside", Shape::AnyInside}};
  for (const auto& s : shapes) {
    for (unsigned char codeSet : {1, 253, 0}) {
      for (bool reference : {false, true}) {
        const std::string name = std::string(s.name) + "/cs" + std::to_string(codeSet) +
                                 (reference ? "/StepwiseReference" : "/KsStrCmp");
        const Shape shape = s.shape;
        auto* bench =
            benchmark::RegisterBenchmark(name.c_str(), [shape, codeSet, reference](benchmark::State& st) {
              reference ? Match<true>(st, shape, codeSet) : Match<false>(st, shape, codeSet);
            });
        bench->Arg(1000)
            ->Arg(8000)
            ->Arg(32000)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(reference ? 1 : 20);
      }
    }
  }
}

const bool kRegistered = (Register(), true);

}  // namespace
