// ksstrcmp_ab LIB_A LIB_B [ROUNDS]: two builds of the library side by side in
// one process, each in its own link namespace, timed in turn on the string
// comparison benchmark's sets. Runs of separate processes on a shared
// machine differ by several percent from one run to the next; turns of a
// few milliseconds within one process see the same machine, so the median
// of their ratios shows a change of one or two percent. Per set it prints
// each build's best time per pair and the median and quartiles of B/A.
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "comparison_sets.h"
#include "reference/word_list.h"

namespace {

using Compare = int (*)(unsigned char, unsigned char, const char*, unsigned char, unsigned char, const char*,
                        unsigned short, short, unsigned char, int*);
using DefaultOperator = unsigned short (*)();

constexpr unsigned char kGerman = 1;

struct Build {
  Compare compare;
  DefaultOperator defaultOperator;
};

Build Load(const char* path) {
  void* library = dlmopen(LM_ID_NEWLM, path, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    std::exit(1);
  }
  Build build{reinterpret_cast<Compare>(dlsym(library, "_Z8KsStrCmphhPKchhS0_tshPi")),
              reinterpret_cast<DefaultOperator>(dlsym(library, "_ZN17KsLanguageContext15GetDefaultCmpOpEv"))};
  if (build.compare == nullptr || build.defaultOperator == nullptr) {
    std::fprintf(stderr, "%s: no KsStrCmp\n", path);
    std::exit(1);
  }
  return build;
}

// One side's texts one after another, each ending in two zero bytes (the
// end of an 8-bit or a 16-bit text).
class TextBlock {
 public:
  void Add(const std::string& text) {
    starts_.push_back(bytes_.size());
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.insert(bytes_.end(), 2, '\0');
  }
  const char* operator[](size_t i) const { return bytes_.data() + starts_[i]; }
  size_t size() const { return starts_.size(); }

 private:
  std::string bytes_;
  std::vector<size_t> starts_;
};

struct PairSet {
  PairSet(std::string setName, unsigned char setCodeSet) : name(std::move(setName)), codeSet(setCodeSet) {}
  std::string name;
  unsigned char codeSet;
  TextBlock sides[2];
  int passes = 1;  // over the set per turn
  void Add(const std::string& a, const std::string& b) {
    sides[0].Add(a);
    sides[1].Add(b);
  }
};

std::string Encoded(const std::u16string& text, unsigned char codeSet) {
  if (codeSet == 1) return reference::ToWindows1252(text);
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// The sets of the comparison benchmark (ksstrcmp_bench.cpp), in code sets 1
// and 253, up to 512 characters.
std::vector<PairSet> Sets(const Build& build, unsigned short cmpOp) {
  const auto less = [&](const std::u16string& a, const std::u16string& b) {
    return build.compare(253, kGerman, reinterpret_cast<const char*>(a.c_str()), 253, kGerman,
                         reinterpret_cast<const char*>(b.c_str()), cmpOp, -1, 1, nullptr) < 0;
  };
  const std::vector<bench::ComparisonSet> sets = bench::ComparisonSets(less, {8, 64, 512});
  std::vector<PairSet> encoded;
  for (unsigned char codeSet : {1, 253}) {
    for (const bench::ComparisonSet& set : sets) {
      PairSet pairs(set.name + "/" + std::to_string(codeSet), codeSet);
      for (const bench::TextPair& pair : set.pairs)
        pairs.Add(Encoded(pair.a, codeSet), Encoded(pair.b, codeSet));
      // Turns of similar length: fewer passes over longer texts.
      const size_t length = set.pairs.front().a.size();
      pairs.passes = std::max(1, static_cast<int>(20000 / set.pairs.size() / (1 + length / 64)));
      encoded.push_back(std::move(pairs));
    }
  }
  return encoded;
}

// Nanoseconds per pair of one turn over the set.
double Turn(const Build& build, const PairSet& set, unsigned short cmpOp) {
  int below = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int pass = 0; pass < set.passes; ++pass) {
    for (size_t i = 0; i < set.sides[0].size(); ++i) {
      below += build.compare(set.codeSet, kGerman, set.sides[0][i], set.codeSet, kGerman, set.sides[1][i],
                             cmpOp, -1, 1, nullptr) < 0;
    }
  }
  const auto end = std::chrono::steady_clock::now();
  if (below < 0) std::printf("impossible\n");  // keeps the results in use
  return std::chrono::duration<double, std::nano>(end - start).count() /
         (set.passes * static_cast<double>(set.sides[0].size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s LIB_A LIB_B [ROUNDS]\n", argv[0]);
    return 2;
  }
  const Build builds[2] = {Load(argv[1]), Load(argv[2])};
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
  const unsigned short cmpOp = builds[0].defaultOperator();
  for (const PairSet& set : Sets(builds[0], cmpOp)) {
    std::vector<double> ratios;
    double best[2] = {1e18, 1e18};
    for (int round = 0; round < rounds; ++round) {
      double time[2];
      // Each round starts with the other build, so that neither always
      // runs on a warmed-up machine.
      for (int turn = 0; turn < 2; ++turn) {
        const int which = (round + turn) % 2;
        time[which] = Turn(builds[which], set, cmpOp);
        best[which] = std::min(best[which], time[which]);
      }
      ratios.push_back(time[1] / time[0]);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%-16s A %7.2f ns  B %7.2f ns  B/A median %.3f  quartiles %.3f %.3f\n", set.name.c_str(),
                best[0], best[1], ratios[ratios.size() / 2], ratios[ratios.size() / 4],
                ratios[3 * ratios.size() / 4]);
  }
}
