// kstm sort: the lines of standard input in the order an index of the type
// keeps them.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "session.h"
#include "stable_sort.h"
#include "type_values.h"

namespace kstm {
namespace {

constexpr unsigned short kWildcardsOff = 0x0010;
constexpr size_t kReadChunk = 1 << 20;
constexpr size_t kProgressLines = 100000;

struct Lines {
  std::string text;
  std::vector<size_t> starts;  // one past the last line: text.size() + 1
  size_t Count() const { return starts.size() - 1; }
  const char* Data(size_t i) const { return text.data() + starts[i]; }
  size_t Size(size_t i) const { return starts[i + 1] - starts[i] - 1; }
};

// Reads standard input in chunks; a last line without its newline counts.
Lines ReadLines(std::FILE* in) {
  Lines lines;
  std::vector<char> chunk(kReadChunk);
  size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) lines.text.append(chunk.data(), got);
  if (!lines.text.empty() && lines.text.back() != '\n') lines.text += '\n';
  lines.starts.push_back(0);
  for (size_t i = 0; i < lines.text.size(); ++i) {
    if (lines.text[i] == '\n') lines.starts.push_back(i + 1);
  }
  return lines;
}

class Progress {
 public:
  explicit Progress(size_t lines) : shown_(lines >= kProgressLines && isatty(STDERR_FILENO)) {}
  void Step(const char* what, size_t lines) const {
    if (shown_) std::fprintf(stderr, "kstm sort: %s %zu lines\n", what, lines);
  }

 private:
  bool shown_;
};

}  // namespace

int RunSort(int argc, char** argv) {
  const Arguments args("sort", argc, argv,
                       {{"--cmpop", true},
                        {"--lang", true},
                        {"--reverse", false},
                        {"--unique", false},
                        {"--format", true},
                        {"--legacy", false}});
  if (args.Positional().size() != 1) throw BadInput("needs exactly one type (see kstm sort --help)");
  Session session(args);
  ApplyLanguageOption(args);
  const TypeHandle type = TypeHandle::Resolve(session.Mgr(), args.Positional()[0]);
  const unsigned short cmpOp = args.Has("--cmpop") ? CmpOpOption(args) : CmpOpOption(args) | kWildcardsOff;
  std::optional<std::string> formatText;
  const char* format = FormatOption(args, formatText);
  type.Require({Slot::Create, Slot::ScanFromString, Slot::Compare});

  const Lines lines = ReadLines(stdin);
  const size_t count = lines.Count();
  if (count == 0) throw BadInput("empty input: there are no lines to sort");
  if (count > UINT32_MAX) throw BadInput("more than 4294967295 lines");
  const Progress progress(count);
  progress.Step("read", count);

  ValueArray values(type, static_cast<unsigned>(count));
  std::vector<void*> at(count);
  for (size_t i = 0; i < count; ++i) {
    at[i] = values.At(static_cast<unsigned>(i));
    ScanUtf8(type, at[i], lines.Data(i), lines.Size(i), format, "line " + std::to_string(i + 1));
  }
  progress.Step("scanned", count);

  // The slot itself, called for every pair without the dispatch. The values
  // are sorted by address, which gives back the line: the array is contiguous.
  const KsTypeCmpFunc compare = type.Mgr().CmpFuncPtrGet(type.Id());
  auto order = [&](void* a, void* b) {
    int status = 0;
    return compare(8, 0, a, 0, b, cmpOp, 1, status);
  };
  const bool reverse = args.Has("--reverse");
  std::vector<void*> sorted(at);
  StableSortBounded(sorted, [&](void* a, void* b) { return reverse ? order(b, a) < 0 : order(a, b) < 0; });
  progress.Step("sorted", count);
  const auto* base = static_cast<const unsigned char*>(at[0]);
  const size_t size = type.Mgr().MemLenGet(type.Id(), 1);
  auto lineOf = [&](void* value) {
    return static_cast<size_t>(static_cast<const unsigned char*>(value) - base) / size;
  };

  const bool unique = args.Has("--unique");
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  for (size_t i = 0; i < count; ++i) {
    if (unique && i > 0 && order(sorted[i - 1], sorted[i]) == 0) continue;
    const size_t line = lineOf(sorted[i]);
    std::fwrite(lines.Data(line), 1, lines.Size(line) + 1, stdout);
  }
  std::fflush(stdout);
  return kExitOk;
}

}  // namespace kstm
