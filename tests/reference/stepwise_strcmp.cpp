#include "reference/stepwise_strcmp.h"

#include <climits>
#include <cstdint>

#include "i18nsvc.h"
#include "ksstring/collation_key.h"
#include "ksstringiterator.h"

namespace reference {
namespace {

using ksstring::CollationKey;

enum class Kind { End, Significant, Ignorable, Skipped, Star, Question };

struct Element {
  uint32_t key = 0;
  uint16_t order = 0;
  Kind kind = Kind::End;
};

int Difference(uint32_t a, uint32_t b) {
  return static_cast<int>(a - b);
}

struct Rules {
  bool wildcards, skipSpaces, skipSymbols, caseInsensitive, accentInsensitive;
  uint16_t star, question;

  uint32_t Mask() const {
    if (accentInsensitive && caseInsensitive) return 0xFFFFFF80;
    if (accentInsensitive) return 0xFFFFFFE0;
    if (caseInsensitive) return 0xFFFFFF9F;
    return 0xFFFFFFFF;
  }
};

struct Side {
  KsStringIterator it;
  int fetched = 0;
  int limit;
  unsigned short setClass = 1;
  bool isPattern;

  uint16_t NextOrder() {
    if (fetched >= limit) return 0;
    ++fetched;
    return it.GetNextOrder(setClass);
  }

  Element Fetch(const Rules& rules) {
    for (;;) {
      const uint16_t order = NextOrder();
      Kind kind;
      if (isPattern && rules.wildcards && order != 0 && order == rules.star) {
        kind = Kind::Star;
      } else if (isPattern && rules.wildcards && order != 0 && order == rules.question) {
        kind = Kind::Question;
      } else if (order == 0) {
        kind = Kind::End;
      } else if (order >= 0x3F00 || it.OrderClass() >= 20) {
        kind = Kind::Significant;
      } else if (order < 80) {
        kind = rules.skipSpaces ? Kind::Skipped : Kind::Ignorable;
      } else {
        kind = rules.skipSymbols ? Kind::Skipped : Kind::Ignorable;
      }
      if (kind != Kind::Skipped) return Element{CollationKey(order, it.OrderClass()), order, kind};
    }
  }
};

struct Levels {
  int primary = 0, accent = 0, caseDiff = 0, ignorable = 0;

  int Result(const Rules& rules) const {
    if (primary != 0) return primary;
    if (accent != 0 && !rules.accentInsensitive) return accent;
    if (caseDiff != 0 && !rules.caseInsensitive) return caseDiff;
    return ignorable;
  }
};

bool IsWildcard(const Element& e) {
  return e.kind == Kind::Star || e.kind == Kind::Question;
}

struct Levelled {
  Side& text;
  Side& pattern;
  const Rules& rules;
  bool raw;
  short length;
  int* matchOut;
  Levels levels;

  void Report(int primary) {
    if (matchOut == nullptr || length < 0) return;
    if (text.fetched <= length && pattern.fetched <= length) *matchOut = primary;
  }

  void FetchStep(Element& t, Element& p) {
    const int before = levels.ignorable;
    t = text.Fetch(rules);
    p = pattern.Fetch(rules);
    while (!IsWildcard(p) && (t.kind == Kind::Ignorable || p.kind == Kind::Ignorable)) {
      const uint16_t mine = t.kind == Kind::Ignorable ? t.order : 0;
      const uint16_t theirs = p.kind == Kind::Ignorable ? p.order : 0;
      if (mine != theirs) levels.ignorable = static_cast<int>(mine) - static_cast<int>(theirs);
      if (t.kind == Kind::Ignorable) t = text.Fetch(rules);
      if (p.kind == Kind::Ignorable) p = pattern.Fetch(rules);
    }
    if (IsWildcard(p)) levels.ignorable = before;
  }

  int AfterStar(Element t) {
    const uint32_t mask = rules.Mask();
    Side textRestart = text;
    Element tRestart = t;
    Side patternRestart = pattern;
    Element p;
    Element pStar;
    int lastDiff = -1;
    bool atStar = true;
    for (;;) {
      if (atStar) {
        do {
          p = pattern.Fetch(rules);
        } while (p.kind == Kind::Star);
        if (p.kind == Kind::End) return levels.Result(rules);
        patternRestart = pattern;
        pStar = p;
        textRestart = text;
        tRestart = t;
        atStar = false;
      }
      if (p.kind == Kind::Star) {
        atStar = true;
        continue;
      }
      bool match = false;
      if (p.kind == Kind::End) {
        match = t.kind == Kind::End;
        if (match) return levels.Result(rules);
        lastDiff = Difference(t.key & mask, 0);
      } else if (t.kind != Kind::End) {
        match = p.kind == Kind::Question || (t.key & mask) == (p.key & mask);
        if (!match) lastDiff = Difference(t.key & mask, p.key & mask);
      } else {
        lastDiff = p.kind == Kind::Question ? -1 : Difference(0, p.key & mask);
      }
      Report(match ? 0 : lastDiff);
      if (match) {
        t = text.Fetch(rules);
        p = pattern.Fetch(rules);
        continue;
      }
      if (tRestart.kind == Kind::End) return lastDiff != 0 ? lastDiff : -1;
      text = textRestart;
      t = text.Fetch(rules);
      textRestart = text;
      tRestart = t;
      pattern = patternRestart;
      p = pStar;
    }
  }

  int Run() {
    for (bool first = true;; first = false) {
      if (!first && raw) text.setClass = pattern.setClass = 0;
      Element t;
      Element p;
      FetchStep(t, p);
      if (p.kind == Kind::Star) return AfterStar(t);
      if (p.kind == Kind::Question) {
        levels.primary = t.kind == Kind::End ? -1 : 0;
      } else {
        levels.primary = Difference(t.key & 0xFFFFFF80, p.key & 0xFFFFFF80);
        const int caseDiff = Difference(p.key & 0xFFFFFFE0, t.key & 0xFFFFFFE0);
        const int accent = Difference(t.key & 0xFFFFFF9F, p.key & 0xFFFFFF9F);
        if (levels.caseDiff == 0) levels.caseDiff = caseDiff;
        if (accent != 0) levels.accent = accent;
      }
      Report(levels.primary);
      if (levels.primary != 0 || t.kind == Kind::End || p.kind == Kind::End) break;
    }
    return levels.Result(rules);
  }
};

int CompareBytes(const unsigned char* a, const unsigned char* b, int limit) {
  for (int i = 0; limit < 0 || i < limit; ++i, ++a, ++b) {
    if (*a != *b || *a == 0) return static_cast<int>(*a) - static_cast<int>(*b);
  }
  return 0;
}

int MatchBytes(const char* text, const char* pattern, int limit) {
  if (pattern == nullptr) return text != nullptr && *text != 0 ? 1 : 0;
  if (text == nullptr) return *pattern != 0 ? -1 : 0;
  const auto* const start = reinterpret_cast<const unsigned char*>(text);
  const auto* t = start;
  const auto* p = reinterpret_cast<const unsigned char*>(pattern);
  const unsigned char* starPattern = nullptr;
  const unsigned char* starText = nullptr;
  for (;;) {
    if (limit >= 0 && t - start >= limit) return 0;
    if (*p == '*') {
      while (*p == '*') ++p;
      if (*p == 0) return 0;
      starPattern = p;
      starText = t;
      continue;
    }
    if (*p != 0 && *t != 0 && (*p == '?' || *p == *t)) {
      ++p;
      ++t;
      continue;
    }
    if (*p == 0 && *t == 0) return 0;
    if (starPattern != nullptr && *starText != 0) {
      t = ++starText;
      p = starPattern;
      continue;
    }
    if (*p == '?') return -1;
    return static_cast<int>(*t) - static_cast<int>(*p);
  }
}

uint16_t OrderInCodeSet1(char ch) {
  const char text[2] = {ch, 0};
  KsStringIterator it(text, 1, 0, 1);
  return it.GetNextOrder(0);
}

}  // namespace

// The wildcard orders are those of code set 1 ('*' and '?'); tests that
// replace them restore them before comparing with this reference.
int StepwiseStrCmp(unsigned char codeSet1, unsigned char language1, const char* s1, unsigned char codeSet2,
                   unsigned char language2, const char* s2, unsigned short cmpOp, short length,
                   unsigned char format, int* matchOut) {
  const bool plain = (cmpOp & 0x100) != 0;
  const bool noWildcards = (cmpOp & 0x10) != 0;
  const auto isNull = [](unsigned char codeSet, unsigned char language) {
    return language == 254 || (codeSet == 254 && language == 0);
  };
  const bool null1 = isNull(codeSet1, language1);
  const bool null2 = isNull(codeSet2, language2);
  if (null1 && null2) return 0;
  if (null2) return 1;
  if (null1 && (plain || noWildcards)) return -1;
  if (length == 0) return 0;
  if (codeSet1 == 0 && codeSet2 == 0) {
    if (plain || noWildcards) {
      return CompareBytes(reinterpret_cast<const unsigned char*>(s1 != nullptr ? s1 : ""),
                          reinterpret_cast<const unsigned char*>(s2 != nullptr ? s2 : ""), length);
    }
    return MatchBytes(s1, s2, length);
  }
  if (codeSet1 == 0) codeSet1 = KsLanguageContext::GetNativeCodeSet();
  if (codeSet2 == 0) codeSet2 = KsLanguageContext::GetNativeCodeSet();
  if (format == 255) format = 1;
  const int limit = length < 0 ? INT_MAX : length;
  Side text{KsStringIterator(s1, codeSet1, language1, format), 0, limit, 1, false};
  Side pattern{KsStringIterator(s2, codeSet2, language2, format), 0, limit, 1, !plain && !noWildcards};
  if (plain) {
    const int steps = length < 0 ? 65535 : length;
    uint32_t ka = 0;
    uint32_t kb = 0;
    for (int i = 0; i < steps; ++i) {
      const uint16_t oa = text.NextOrder();
      const uint16_t ob = pattern.NextOrder();
      ka = CollationKey(oa, text.it.OrderClass());
      kb = CollationKey(ob, pattern.it.OrderClass());
      if (ka != kb || oa == 0 || ob == 0) break;
    }
    return Difference(ka, kb);
  }
  const Rules rules{!noWildcards,        (cmpOp & 0x80) != 0,  (cmpOp & 0x200) != 0, (cmpOp & 0x20) != 0,
                    (cmpOp & 0x40) != 0, OrderInCodeSet1('*'), OrderInCodeSet1('?')};
  Levelled levelled{text,   pattern,
                    rules,  codeSet1 == 254 || codeSet2 == 254,
                    length, (cmpOp & 0x80) != 0 ? matchOut : nullptr,
                    {}};
  return levelled.Run();
}

}  // namespace reference
