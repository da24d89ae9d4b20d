// kstm eval: what EvalAndBound answers for one restriction of an index.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "hex.h"
#include "index_bounds.h"
#include "session.h"
#include "type_values.h"

namespace kstm {
namespace {

// A recorded bound as hexadecimal and, when it loads as a value of the
// type, as text.
void PrintBound(const TypeHandle& type, const char* name, const void* bytes, unsigned length,
                unsigned char format) {
  if (bytes == nullptr) {
    std::printf("%s bound: open\n", name);
    return;
  }
  const auto* begin = static_cast<const unsigned char*>(bytes);
  std::printf("%s bound: %s", name, FormatHex(begin, length).c_str());
  try {
    std::vector<std::string> texts;
    LoadRecords(type, std::vector<unsigned char>(begin, begin + length), format,
                [&](size_t, void* value) { texts.push_back(PrintValue(type, value, nullptr)); });
    if (texts.size() == 1) std::printf(" = %s", texts[0].c_str());
  } catch (const CliError&) {
    // A bound need not be a whole record of the type (string bounds are
    // collation keys); its bytes are shown all the same.
  }
  std::printf("\n");
}

}  // namespace

int RunEval(int argc, char** argv) {
  const Arguments args("eval", argc, argv,
                       {{"--op", true},
                        {"--low", true},
                        {"--high", true},
                        {"--no-wildcards", false},
                        {"--order", true},
                        {"--legacy", false}});
  if (args.Positional().size() != 2) throw BadInput("needs a type and a key (see kstm eval --help)");
  if (!args.Has("--op")) throw BadInput("needs --op (eq, ne, lt, le, gt or ge)");
  if (args.Has("--low") != args.Has("--high")) throw BadInput("--low and --high go together");
  Session session(args);
  const TypeHandle type = TypeHandle::Resolve(session.Mgr(), args.Positional()[0]);
  unsigned short flags = ParseComparison(*args.Value("--op"));
  if (args.Has("--no-wildcards")) flags |= kEvalNoWildcards;
  const unsigned char order = ParseOrder(args.Value("--order"));
  type.Require({Slot::Create, Slot::ScanFromString, Slot::Store});

  std::vector<unsigned char> key = StoreText(type, args.Positional()[1], nullptr, order, "the key");
  std::vector<unsigned char> low, high;
  KsIdxBounds current{nullptr, nullptr, 0, 0, 0};
  if (args.Has("--low")) {
    low = StoreText(type, *args.Value("--low"), nullptr, order, "--low");
    high = StoreText(type, *args.Value("--high"), nullptr, order, "--high");
    // The record describes bound lengths in one byte.
    if (low.size() > UINT8_MAX || high.size() > UINT8_MAX)
      throw BadInput("a bound's stored form exceeds 255 bytes");
    current = {low.data(), high.data(), static_cast<uint8_t>(low.size()), static_cast<uint8_t>(high.size()),
               0};
  }
  RecordedBounds out;
  const Evaluation result =
      EvaluateBounds(type, args.Has("--low") ? &current : nullptr, flags, key, order, out);
  std::printf("estimate: %.9g\n", result.estimate);
  std::printf("flags: 0x%04X (%s%s)\n", result.flags, ComparisonName(result.flags).c_str(),
              result.flags & kEvalInexact ? ", inexact: test every entry" : "");
  PrintBound(type, "low", (*out).low, (*out).lowLen, order);
  PrintBound(type, "high", (*out).high, (*out).highLen, order);
  return kExitOk;
}

}  // namespace kstm
