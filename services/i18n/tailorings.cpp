// Language tailorings: entries that replace a row's entry while a language's
// variant switch is on. Letters that a language sorts after z take the letter
// numbers after Z; letters that follow one of A..Z (ñ, ch, ll) take that
// letter with extension 1, which sorts after every accented form of it.
#include "tailorings.h"

#include <iterator>

#include "collation_data.h"
#include "collation_order.h"
#include "languages.h"
#include "never_destroyed.h"
#include "unicode_collation.h"

namespace ksi18n {
namespace {

constexpr LetterCase kUp = LetterCase::kUpper;
constexpr LetterCase kLow = LetterCase::kLower;

struct Tailoring {
  unsigned char language;
  uint16_t unit;
  uint16_t order;
  // Units that complete a contraction with this one (ASCII, so that they read
  // the same in every code set), 0 when unused; and the order of the pair.
  uint16_t followers[2];
  uint16_t pairOrder;
};

constexpr Tailoring Variant(unsigned char language, uint16_t unit, uint16_t order) {
  return {language, unit, order, {0, 0}, 0};
}

constexpr Tailoring Contraction(unsigned char language, char first, LetterCase firstCase, char follower,
                                uint16_t pairOrder) {
  const unsigned char lowerFollower = static_cast<unsigned char>(follower) | 0x20;
  return {language,
          static_cast<uint16_t>(static_cast<unsigned char>(first)),
          LatinOrder(LetterNumber(static_cast<char>(first & ~0x20)), kAccentNone, firstCase),
          {lowerFollower, static_cast<uint16_t>(lowerFollower & ~0x20)},
          pairOrder};
}

constexpr unsigned char kSv = KS_LANGUAGE_SWEDISH;
constexpr unsigned char kEs = KS_LANGUAGE_SPANISH;
constexpr unsigned char kEsT = KS_LANGUAGE_SPANISH_TRADITIONAL;
constexpr unsigned char kDa = KS_LANGUAGE_DANISH;

constexpr uint16_t kAaUpper = LatinOrder(kLetterAfterZ3, kAccentLigature, kUp);
constexpr uint16_t kAaLower = LatinOrder(kLetterAfterZ3, kAccentLigature, kLow);

// Sorted by unit: the variants of one unit are consecutive.
constexpr Tailoring kTailorings[] = {
    Contraction(kDa, 'A', kUp, 'a', kAaUpper),
    Contraction(kEsT, 'C', kUp, 'h', LatinOrder(LetterNumber('C'), kAccentNone, kUp, 1)),
    Contraction(kEsT, 'L', kUp, 'l', LatinOrder(LetterNumber('L'), kAccentNone, kUp, 1)),
    Contraction(kDa, 'a', kLow, 'a', kAaLower),
    Contraction(kEsT, 'c', kLow, 'h', LatinOrder(LetterNumber('C'), kAccentNone, kLow, 1)),
    Contraction(kEsT, 'l', kLow, 'l', LatinOrder(LetterNumber('L'), kAccentNone, kLow, 1)),
    Variant(kSv, 0xC4, LatinOrder(kLetterAfterZ2, kAccentNone, kUp)),  // Ä
    Variant(kDa, 0xC4, LatinOrder(kLetterAfterZ1, kAccentDiaeresis, kUp)),
    Variant(kSv, 0xC5, LatinOrder(kLetterAfterZ1, kAccentNone, kUp)),  // Å
    Variant(kDa, 0xC5, LatinOrder(kLetterAfterZ3, kAccentNone, kUp)),
    Variant(kSv, 0xC6, LatinOrder(kLetterAfterZ2, kAccentLigature, kUp)),  // Æ
    Variant(kDa, 0xC6, LatinOrder(kLetterAfterZ1, kAccentNone, kUp)),
    Variant(kEs, 0xD1, LatinOrder(LetterNumber('N'), kAccentNone, kUp, 1)),  // Ñ
    Variant(kEsT, 0xD1, LatinOrder(LetterNumber('N'), kAccentNone, kUp, 1)),
    Variant(kSv, 0xD6, LatinOrder(kLetterAfterZ3, kAccentNone, kUp)),  // Ö
    Variant(kDa, 0xD6, LatinOrder(kLetterAfterZ2, kAccentDiaeresis, kUp)),
    Variant(kSv, 0xD8, LatinOrder(kLetterAfterZ3, kAccentStroke, kUp)),  // Ø
    Variant(kDa, 0xD8, LatinOrder(kLetterAfterZ2, kAccentNone, kUp)),
    Variant(kSv, 0xDC, LatinOrder(LetterNumber('Y'), kAccentDiaeresis, kUp)),  // Ü
    Variant(kSv, 0xE4, LatinOrder(kLetterAfterZ2, kAccentNone, kLow)),         // ä
    Variant(kDa, 0xE4, LatinOrder(kLetterAfterZ1, kAccentDiaeresis, kLow)),
    Variant(kSv, 0xE5, LatinOrder(kLetterAfterZ1, kAccentNone, kLow)),  // å
    Variant(kDa, 0xE5, LatinOrder(kLetterAfterZ3, kAccentNone, kLow)),
    Variant(kSv, 0xE6, LatinOrder(kLetterAfterZ2, kAccentLigature, kLow)),  // æ
    Variant(kDa, 0xE6, LatinOrder(kLetterAfterZ1, kAccentNone, kLow)),
    Variant(kEs, 0xF1, LatinOrder(LetterNumber('N'), kAccentNone, kLow, 1)),  // ñ
    Variant(kEsT, 0xF1, LatinOrder(LetterNumber('N'), kAccentNone, kLow, 1)),
    Variant(kSv, 0xF6, LatinOrder(kLetterAfterZ3, kAccentNone, kLow)),  // ö
    Variant(kDa, 0xF6, LatinOrder(kLetterAfterZ2, kAccentDiaeresis, kLow)),
    Variant(kSv, 0xF8, LatinOrder(kLetterAfterZ3, kAccentStroke, kLow)),  // ø
    Variant(kDa, 0xF8, LatinOrder(kLetterAfterZ2, kAccentNone, kLow)),
    Variant(kSv, 0xFC, LatinOrder(LetterNumber('Y'), kAccentDiaeresis, kLow)),  // ü
};
constexpr size_t kTailoringCount = std::size(kTailorings);

constexpr bool SortedWithinDirectRows() {
  for (size_t i = 0; i < kTailoringCount; ++i) {
    if (kTailorings[i].unit >= kDirectRowCount) return false;
    if (i > 0 && kTailorings[i - 1].unit > kTailorings[i].unit) return false;
  }
  return true;
}
static_assert(SortedWithinDirectRows(), "tailorings must be sorted by unit and below kDirectRowCount");

struct TailoringEntries {
  KsCollationEntry variants[kTailoringCount];
  KsCollationEntry pairs[kTailoringCount];
  KsWCharList followers[kTailoringCount];
  const KsCollationEntry* pairTargets[kTailoringCount][2];
  const KsLanguage* variantLanguages[kTailoringCount];
  const KsCollationEntry* variantEntries[kTailoringCount];

  TailoringEntries() {
    for (size_t i = 0; i < kTailoringCount; ++i) {
      const Tailoring& t = kTailorings[i];
      variants[i] = KsCollationEntry{};
      variants[i].classByte = ClassBytePointer(kClassLatin);
      variants[i].order = t.order;
      pairs[i] = variants[i];
      pairs[i].order = t.pairOrder;
      if (t.followers[0] != 0) {
        followers[i] = KsWCharList(t.followers, std::size(t.followers));
        pairTargets[i][0] = pairTargets[i][1] = &pairs[i];
        variants[i].flags = KsCollationEntry::HasContractions;
        variants[i].contractionChars = &followers[i];
        variants[i].contractionTargets = pairTargets[i];
      }
      variantLanguages[i] = FindLanguage(t.language);
      variantEntries[i] = &variants[i];
    }
  }
};

}  // namespace

void AttachTailorings(KsCollationEntry* directEntries) {
  static NeverDestroyed<TailoringEntries> tailored;
  size_t first = 0;
  while (first < kTailoringCount) {
    size_t end = first + 1;
    while (end < kTailoringCount && kTailorings[end].unit == kTailorings[first].unit) ++end;
    KsCollationEntry& entry = directEntries[kTailorings[first].unit];
    entry.flags |= KsCollationEntry::HasLanguageVariants;
    entry.variantCount = static_cast<uint8_t>(end - first);
    entry.variantLanguages = &tailored->variantLanguages[first];
    entry.variantEntries = &tailored->variantEntries[first];
    first = end;
  }
}

}  // namespace ksi18n
