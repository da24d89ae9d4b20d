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
constexpr unsigned char kStoredForm = 1;  // little-endian
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
  type.Require({Slot::Create, Slot::ScanFromString, Slot::Store, Slot::Compare});

  const Lines lines = ReadLines(stdin);
  const size_t count = lines.Count();
  if (count == 0) throw BadInput("empty input: there are no lines to sort");
  if (count > UINT32_MAX) throw BadInput("more than 4294967295 lines");
  const Progress progress(count);
  progress.Step("read", count);

  // Each line becomes its stored record, back to back in one buffer, as an
  // index keeps its keys: a comparison then reads each side in one place.
  struct Entry {
    size_t offset;
    unsigned size;
    unsigned line;
  };
  std::vector<unsigned char> records;
  records.reserve(lines.text.size() + 8 * count);
  std::vector<Entry> entries(count);
  {
    ValueArray value(type, 1);
    for (size_t i = 0; i < count; ++i) {
      ScanUtf8(type, value.At(0), lines.Data(i), lines.Size(i), format, "line " + std::to_string(i + 1));
      const size_t offset = records.size();
      AppendStored(type, value.At(0), kStoredForm, records);
      entries[i] = {offset, static_cast<unsigned>(records.size() - offset), static_cast<unsigned>(i)};
    }
  }
  progress.Step("scanned", count);

  // The slot itself, called for every pair without the dispatch.
  const KsTypeCmpFunc compare = type.Mgr().CmpFuncPtrGet(type.Id());
  auto order = [&](const Entry& a, const Entry& b) {
    int status = 0;
    return compare(kStoredForm, a.size, records.data() + a.offset, b.size, records.data() + b.offset, cmpOp,
                   1, status);
  };
  const bool reverse = args.Has("--reverse");
  StableSortBounded(
      entries, [&](const Entry& a, const Entry& b) { return reverse ? order(b, a) < 0 : order(a, b) < 0; });
  progress.Step("sorted", count);

  const bool unique = args.Has("--unique");
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  for (size_t i = 0; i < count; ++i) {
    if (unique && i > 0 && order(entries[i - 1], entries[i]) == 0) continue;
    const size_t line = entries[i].line;
    std::fwrite(lines.Data(line), 1, lines.Size(line) + 1, stdout);
  }
  std::fflush(stdout);
  return kExitOk;
}

}  // namespace kstm
