// kstm demo: a string attribute from the application's text through its
// stored record, the index order and a query with scan bounds, back to text.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "commands.h"
#include "hex.h"
#include "index_bounds.h"
#include "ksstring.h"
#include "session.h"
#include "stable_sort.h"
#include "type_values.h"
#include "utf8_text.h"

namespace kstm {
namespace {

constexpr unsigned char kStoredForm = 1;  // little-endian
constexpr unsigned char kOrderKeyForm = 0x80 | kStoredForm;
constexpr unsigned short kWildcardsOff = 0x0010;

// Names with accents and mixed case, so that the order shows collation
// rather than byte values.
const char* const kNames[] = {"Zoë",    "émile",   "Émile", "Ångström", "andré",  "André", "Müller",
                              "muller", "Mueller", "Mull",  "Zürich",   "Eclair", "éclair"};

using Record = std::vector<unsigned char>;

struct Query {
  const char* title;
  const char* literal;
  unsigned short flags;
};

class Demo {
 public:
  explicit Demo(KsTypeMgr& mgr) : type_(mgr, KsSTRING_T), cmpOp_(KsString::GetDefaultCmpOp()) {}

  int Run() {
    std::printf("One KsString attribute through storage, index and query (type %s).\n\n",
                type_.Label().c_str());
    Step("1. Build the strings from the application's text", [&] { Build(); });
    Step("2. Store: DiskLenGet, then Store (little-endian)", [&] { Store(); });
    Step("3. Order the keys as the index does (Cmp, default operator, wildcards off)", [&] { Order(); });
    const Query comparison{"4. Restrict by a comparison: name >= \"M\"", "M", kEvalGreater | kEvalEqual};
    const Query wildcard{"5. Restrict by a wildcard literal: name = \"m*ller\"", "m*ller", kEvalEqual};
    for (const Query& query : {comparison, wildcard}) Step(query.title, [&] { Restrict(query); });
    if (unsound_ != 0) {
      std::printf("%d of 2 scans missed matching keys.\n", unsound_);
      return kExitUnsound;
    }
    if (skipped_ == 0) {
      std::printf("All steps ran.\n");
      return kExitOk;
    }
    std::printf("%d of 5 steps skipped: this build of the library lacks slots they need.\n", skipped_);
    return kExitNotSupported;
  }

 private:
  void Step(const char* title, const std::function<void()>& body) {
    std::printf("%s\n", title);
    try {
      body();
    } catch (const CliError& error) {
      if (error.status != kExitNotSupported) throw;
      std::printf("   skipped: %s\n", error.message.c_str());
      ++skipped_;
    }
    std::printf("\n");
  }

  void Build() {
    std::printf("   default code set %u, language %u\n", KsString::GetDefault8CodeSet(),
                KsString::GetDefaultLanguage());
    for (const char* name : kNames) {
      KsString text;
      size_t bad = 0;
      Utf8ToKsString(name, std::char_traits<char>::length(name), text, bad);
      std::printf("   %s code set %u, %u characters\n", PadToWidth(name, 10).c_str(), text.CodeSet(),
                  text.Len());
      names_.push_back(text);
    }
  }

  void Store() {
    type_.Require({Slot::Create, Slot::ScanFromString, Slot::Store});
    for (size_t i = 0; i < names_.size(); ++i) {
      ValueArray value(type_, 1);
      ScanText(type_, value.At(0), names_[i], nullptr);
      records_.push_back(StoreValue(type_, value.At(0), kStoredForm));
      std::printf("   %s %s\n", PadToWidth(kNames[i], 10).c_str(),
                  FormatHex(records_.back().data(), records_.back().size()).c_str());
    }
  }

  int Compare(const Record& a, const Record& b, unsigned short cmpOp) const {
    int status = 0;
    return type_.Mgr().Cmp(type_.Id(), static_cast<unsigned>(a.size()), const_cast<unsigned char*>(a.data()),
                           static_cast<unsigned>(b.size()), const_cast<unsigned char*>(b.data()), cmpOp, 1,
                           kStoredForm, status);
  }

  // The index holds order keys, and the built bounds are order keys: an
  // entry is placed against them in that form, not as its text record.
  Record OrderKey(const Record& record) const {
    Record key(4 * record.size() + 16);
    const unsigned length = type_.Mgr().Translate(
        type_.Id(), key.data(), kOrderKeyForm, static_cast<unsigned>(key.size()),
        const_cast<unsigned char*>(record.data()), kStoredForm, static_cast<unsigned>(record.size()), 1);
    key.resize(length);
    return key;
  }

  void Order() {
    if (records_.empty()) throw CliError(kExitNotSupported, "needs the stored records of step 2");
    type_.Require({Slot::Compare, Slot::Load, Slot::PrintToString});
    index_ = records_;
    StableSortBounded(
        index_, [&](const Record& a, const Record& b) { return Compare(a, b, cmpOp_ | kWildcardsOff) < 0; });
    for (const Record& key : index_) std::printf("   %s\n", Text(key).c_str());
  }

  std::string Text(const Record& record) const {
    std::string text;
    LoadRecords(type_, record, kStoredForm,
                [&](size_t, void* value) { text = PrintValue(type_, value, "%s"); });
    return text;
  }

  static bool Satisfies(unsigned short flags, int result) {
    return ((flags & kEvalLess) && result < 0) || ((flags & kEvalEqual) && result == 0) ||
           ((flags & kEvalGreater) && result > 0);
  }

  void Restrict(const Query& query) {
    if (index_.empty()) throw CliError(kExitNotSupported, "needs the index of step 3");
    ValueArray literal(type_, 1);
    ScanUtf8(type_, literal.At(0), query.literal, std::char_traits<char>::length(query.literal), nullptr,
             "literal");
    Record key = StoreValue(type_, literal.At(0), kStoredForm);
    std::printf("   key record: %s\n", FormatHex(key.data(), key.size()).c_str());

    // The index's current range, as order keys like every entry.
    const Record first = OrderKey(index_.front()), last = OrderKey(index_.back());
    KsIdxBounds current{const_cast<unsigned char*>(first.data()), const_cast<unsigned char*>(last.data()),
                        static_cast<uint8_t>(first.size()), static_cast<uint8_t>(last.size()), 0};
    RecordedBounds bounds;
    const Evaluation evaluation = EvaluateBounds(type_, &current, query.flags, key, kStoredForm, bounds);
    std::printf("   EvalAndBound: estimate %.6g, flags 0x%04X%s\n", evaluation.estimate, evaluation.flags,
                evaluation.flags & kEvalInexact ? " (inexact: every entry is tested)" : "");
    const KsIdxBounds& b = *bounds;
    const Record low(static_cast<const unsigned char*>(b.low),
                     static_cast<const unsigned char*>(b.low) + (b.low ? b.lowLen : 0));
    const Record high(static_cast<const unsigned char*>(b.high),
                      static_cast<const unsigned char*>(b.high) + (b.high ? b.highLen : 0));
    std::printf("   low bound:  %s\n", b.low ? FormatHex(low.data(), low.size()).c_str() : "open");
    std::printf("   high bound: %s\n", b.high ? FormatHex(high.data(), high.size()).c_str() : "open");

    std::printf("   scan between the bounds, testing each key with Cmp:\n");
    int missed = 0;
    for (const Record& entry : index_) {
      const Record entryKey = OrderKey(entry);
      const bool inside = (b.low == nullptr || Compare(entryKey, low, cmpOp_ | kWildcardsOff) >= 0) &&
                          (b.high == nullptr || Compare(entryKey, high, cmpOp_ | kWildcardsOff) <= 0);
      const bool hit = Satisfies(query.flags, Compare(entry, key, cmpOp_));
      if (inside) std::printf("     %-4s %s\n", hit ? "hit" : "miss", Text(entry).c_str());
      if (hit && !inside) ++missed;
    }
    // The scan is only sound when no matching key lies outside the bounds.
    if (missed == 0) {
      std::printf("   every matching key lies between the bounds\n");
    } else {
      std::printf("   %d matching keys lie outside the bounds\n", missed);
      ++unsound_;
    }
  }

  TypeHandle type_;
  unsigned short cmpOp_;
  std::vector<KsString> names_;
  std::vector<Record> records_;
  std::vector<Record> index_;
  int skipped_ = 0;
  int unsound_ = 0;
};

}  // namespace

int RunDemo(int argc, char** argv) {
  const Arguments args("demo", argc, argv, {});
  if (!args.Positional().empty()) throw BadInput("takes no arguments");
  Session session(args);
  return Demo(session.Mgr()).Run();
}

}  // namespace kstm
