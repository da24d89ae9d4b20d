// kstm cmp and kstm hash: the index comparison and hash of values.
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "session.h"
#include "type_values.h"

namespace kstm {
namespace {

// Compare and Hash slots set their status; the illegal ones leave it alone.
constexpr int kStatusUnwritten = INT_MIN;

const char* OrderWord(int result) {
  return result < 0 ? "less" : result > 0 ? "greater" : "equal";
}

}  // namespace

int RunCmp(int argc, char** argv) {
  const Arguments args(
      "cmp", argc, argv,
      {{"--cmpop", true}, {"--lang", true}, {"--order", true}, {"--format", true}, {"--legacy", false}});
  if (args.Positional().size() != 3) throw BadInput("needs a type and two texts (see kstm cmp --help)");
  Session session(args);
  ApplyLanguageOption(args);
  const TypeHandle type = TypeHandle::Resolve(session.Mgr(), args.Positional()[0]);
  const unsigned short cmpOp = CmpOpOption(args);
  const bool stored = args.Has("--order");
  const unsigned char order = ParseOrder(args.Value("--order"));
  std::optional<std::string> formatText;
  const char* format = FormatOption(args, formatText);
  type.Require({Slot::Create, Slot::ScanFromString, Slot::Compare});
  if (stored) type.Require({Slot::Store});

  ValueArray values(type, 2);
  for (unsigned i = 0; i < 2; ++i) {
    const std::string& text = args.Positional()[i + 1];
    ScanUtf8(type, values.At(i), text.data(), text.size(), format, i == 0 ? "A" : "B");
  }
  int status = kStatusUnwritten;
  int result;
  if (stored) {
    std::vector<unsigned char> a = StoreValue(type, values.At(0), order);
    std::vector<unsigned char> b = StoreValue(type, values.At(1), order);
    result = type.Mgr().Cmp(type.Id(), static_cast<unsigned>(a.size()), a.data(),
                            static_cast<unsigned>(b.size()), b.data(), cmpOp, 1, order, status);
  } else {
    result = type.Mgr().Cmp(type.Id(), 0, values.At(0), 0, values.At(1), cmpOp, 1, 8, status);
  }
  if (status == kStatusUnwritten) throw type.NotBuilt(Slot::Compare);
  std::printf("%s (%d), status %d\n", OrderWord(result), result, status);
  return kExitOk;
}

int RunHash(int argc, char** argv) {
  const Arguments args("hash", argc, argv, {{"--order", true}, {"--format", true}, {"--legacy", false}});
  if (args.Positional().size() < 2)
    throw BadInput("needs a type and at least one text (see kstm hash --help)");
  Session session(args);
  const TypeHandle type = TypeHandle::Resolve(session.Mgr(), args.Positional()[0]);
  const bool stored = args.Has("--order");
  const unsigned char order = ParseOrder(args.Value("--order"));
  std::optional<std::string> formatText;
  const char* format = FormatOption(args, formatText);
  type.Require({Slot::Create, Slot::ScanFromString});
  if (stored) type.Require({Slot::Store});

  for (size_t i = 1; i < args.Positional().size(); ++i) {
    const std::string& text = args.Positional()[i];
    ValueArray value(type, 1);
    ScanUtf8(type, value.At(0), text.data(), text.size(), format, "text " + std::to_string(i));
    int status = kStatusUnwritten;
    unsigned hash;
    if (stored) {
      std::vector<unsigned char> bytes = StoreValue(type, value.At(0), order);
      hash = type.Mgr().Hash(type.Id(), static_cast<unsigned>(bytes.size()), bytes.data(), 1, order, status);
    } else {
      hash = type.Mgr().Hash(type.Id(), 0, value.At(0), 1, 8, status);
    }
    if (status == kStatusUnwritten) throw type.NotBuilt(Slot::Hash);
    std::printf("%u (0x%08X), status %d\n", hash, hash, status);
  }
  return kExitOk;
}

}  // namespace kstm
