// Folded comparison and pattern matching of KsIString and KsCaseIString.
#include "ksstring/folded_compare.h"

#include <vector>

#include "ksstring/folding_tables.h"

namespace ksstring {

constexpr unsigned kDefaultSteps = 65535;

// Delivers the collation bytes of one side: raw bytes when the text is
// already folded, else folded bytes with expansions; 0 at the terminator.
template <KsFolding F>
class FoldedReader {
 public:
  FoldedReader(const char* text, bool raw, bool accentsCount)
      : p_(reinterpret_cast<const unsigned char*>(text)), raw_(raw), accentsCount_(accentsCount) {}

  uint8_t Next() {
    if (raw_) return *p_ != 0 ? *p_++ : 0;
    if (pending_ != 0) {
      const uint8_t byte = pending_;
      pending_ = 0;
      return byte;
    }
    if (*p_ == 0) return 0;
    const FoldedByte folded = FoldByte<F>(*p_++);
    if (F == KsFolding::CaseAndAccents && accentsCount_ && folded.second != 0) {
      // An accent raises the letter within the room its table leaves; an
      // expansion letter sorts just before its first letter.
      return static_cast<uint8_t>(folded.second <= kLastAccent ? folded.primary + folded.second
                                                               : folded.primary - 1);
    }
    if (folded.second > kLastAccent) pending_ = folded.second;
    return folded.primary;
  }

 private:
  const unsigned char* p_;
  bool raw_;
  bool accentsCount_;
  uint8_t pending_ = 0;
};

namespace {

// A pattern element: a collation byte, '?' or '*'.
struct PatternElement {
  enum Kind : uint8_t { Byte, AnyOne, AnyRun } kind;
  uint8_t byte;
};

char Escaped(char ch) {
  switch (ch) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      return ch;
  }
}

}  // namespace

template <KsFolding F>
bool FoldedMatch(const char* text, const char* pattern, uint32_t textFlags, uint32_t patternFlags) {
  using Value = KsFoldedString<F>;
  const bool accentsCount = (textFlags & Value::kAccentsCount) != 0;
  std::vector<uint8_t> folded;
  FoldedReader<F> reader(text, (textFlags & Value::kFolded) != 0, accentsCount);
  for (uint8_t byte = reader.Next(); byte != 0; byte = reader.Next()) folded.push_back(byte);

  std::vector<PatternElement> elements;
  for (const char* p = pattern; *p != 0; ++p) {
    if (*p == '*') {
      elements.push_back({PatternElement::AnyRun, 0});
      continue;
    }
    if (*p == '?') {
      elements.push_back({PatternElement::AnyOne, 0});
      continue;
    }
    if ((patternFlags & Value::kFolded) != 0) {
      elements.push_back({PatternElement::Byte, static_cast<uint8_t>(*p)});
      continue;
    }
    char literal = *p;
    if (literal == '\\' && p[1] != 0) literal = Escaped(*++p);
    const char one[2] = {literal, 0};
    FoldedReader<F> bytes(one, false, accentsCount);
    for (uint8_t byte = bytes.Next(); byte != 0; byte = bytes.Next()) {
      elements.push_back({PatternElement::Byte, byte});
    }
  }

  // Greedy matching with one resume point: the last star.
  size_t t = 0, e = 0;
  size_t starElement = SIZE_MAX, starText = 0;
  while (t < folded.size()) {
    if (e < elements.size() && elements[e].kind == PatternElement::AnyRun) {
      starElement = e++;
      starText = t;
    } else if (e < elements.size() &&
               (elements[e].kind == PatternElement::AnyOne || elements[e].byte == folded[t])) {
      ++e;
      ++t;
    } else if (starElement != SIZE_MAX) {
      e = starElement + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (e < elements.size() && elements[e].kind == PatternElement::AnyRun) ++e;
  return e == elements.size();
}

template bool FoldedMatch<KsFolding::Accents>(const char*, const char*, uint32_t, uint32_t);
template bool FoldedMatch<KsFolding::CaseAndAccents>(const char*, const char*, uint32_t, uint32_t);

}  // namespace ksstring

template <KsFolding F>
int KsFoldedString<F>::Compare(const char* s1, const char* s2, unsigned len, uint32_t flags1,
                               uint32_t flags2) {
  if (s1 == nullptr) return s2 == nullptr ? 0 : -1;
  if (s2 == nullptr) return 1;
  if (s1[0] == 0 || s2[0] == 0) return static_cast<unsigned char>(s1[0]) - static_cast<unsigned char>(s2[0]);
  if (len == 0) len = ksstring::kDefaultSteps;
  const bool accentsCount = (flags1 & kAccentsCount) != 0;
  ksstring::FoldedReader<F> first(s1, (flags1 & kFolded) != 0, accentsCount);
  ksstring::FoldedReader<F> second(s2, (flags2 & kFolded) != 0, accentsCount);
  for (unsigned step = 0; step < len; ++step) {
    const uint8_t a = first.Next();
    const uint8_t b = second.Next();
    if (a != b) return a - b;
    // A side that delivered its terminator ends the comparison: a pending
    // expansion byte still counts as text.
    if (a == 0) return 0;
  }
  return 0;
}

template <KsFolding F>
size_t KsFoldedString<F>::FoldText(const char* text, unsigned char* out, size_t limit) {
  size_t written = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p != nullptr && *p != 0; ++p) {
    const ksstring::FoldedByte folded = ksstring::FoldByte<F>(*p);
    if (written < limit) out[written++] = folded.primary;
    if (folded.second > ksstring::kLastAccent && written < limit) out[written++] = folded.second;
  }
  if (written < limit) out[written] = 0;
  return written;
}

template int KsFoldedString<KsFolding::Accents>::Compare(const char*, const char*, unsigned, uint32_t,
                                                         uint32_t);
template int KsFoldedString<KsFolding::CaseAndAccents>::Compare(const char*, const char*, unsigned, uint32_t,
                                                                uint32_t);
template size_t KsFoldedString<KsFolding::Accents>::FoldText(const char*, unsigned char*, size_t);
template size_t KsFoldedString<KsFolding::CaseAndAccents>::FoldText(const char*, unsigned char*, size_t);
