// KsStringIterator::GetNextOrder: the collation order of the next character,
// with contractions, language variants, expansions, unknown units and the raw
// code set. Comparisons call this for every character, so it allocates
// nothing and looks tables up directly.
#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring/code_set_cache.h"
#include "ksstring/iterator_steps.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_orders.h"
#include "ksstringiterator.h"

namespace {

// Units from here on are never marked undefined (specials and noncharacters).
constexpr unsigned short kFirstSpecialUnit = 0xFFF0;

// The entry a contraction of `entry` with `next` forms, or null.
const KsCollationEntry* ContractionWith(const KsCollationEntry* entry, unsigned short next) {
  if (entry->contractionChars == nullptr || entry->contractionTargets == nullptr) return nullptr;
  const unsigned short count = entry->contractionChars->Count();
  for (unsigned short i = 0; i < count; ++i) {
    unsigned short candidate = 0;
    if (entry->contractionChars->Get(i, candidate) && candidate == next &&
        entry->contractionTargets[i] != nullptr) {
      return entry->contractionTargets[i];
    }
  }
  return nullptr;
}

}  // namespace

unsigned short KsStringIterator::GetNextOrder(unsigned short setClass) {
  return NextOrder(setClass);
}

unsigned short KsStringIterator::NextOrderFromTables(unsigned short setClass) {
  const bool fromOverflow = OverflowPending();
  // Raw units are their own orders, read low byte first whatever the format.
  if (codeSet == ksstring::kRawCodeSet && !fromOverflow) {
    if (position == nullptr) return 0;
    const unsigned short order = static_cast<unsigned short>(position[0] | (position[1] << 8));
    if (order != 0) Advance();
    return order;
  }

  const KsCodeSet* object = codeSetObject;
  unsigned char unitCodeSet = codeSet;
  unsigned short unit = 0;
  if (fromOverflow) {
    overflow->Get(static_cast<unsigned short>(overflowIndex++), unit);
    if (overflowCodeSet == ksstring::kRawCodeSet) {
      Advance();
      return unit;
    }
    unitCodeSet = overflowCodeSet;
    object = KsLanguageContext::QueryCodeSet(overflowCodeSet);
  } else {
    unit = UnitAt(position);
  }

  // Code sets without a table are collated as Unicode.
  if (unit == 0) return 0;
  const KsCharTable* table = object != nullptr ? object->CharTable() : nullptr;
  const bool mapToUnicode = table == nullptr;
  if (mapToUnicode) {
    object = KsLanguageContext::QueryCodeSet(ksstring::kUnicodeCodeSet);
    table = object != nullptr ? object->CharTable() : nullptr;
    unit = ksstring::ConvertUnit(unit, unitCodeSet, ksstring::kUnicodeCodeSet);
  }
  if (unit == 0) return 0;

  // Tables know every unit below 0x200; above, an unknown unit is its own
  // order, of undefined class.
  const KsCollationEntry* entry = nullptr;
  if (unit < ksstring::kCachedUnits && object == codeSetObject && byteEntries != nullptr) {
    entry = byteEntries[unit];
  } else if (table != nullptr) {
    entry = table->GetEntry(unit);
  }
  if (entry == nullptr) {
    Advance();
    if (setClass != 0 && unit < kFirstSpecialUnit) {
      const ksstring::WildcardOrders& wildcards = ksstring::CurrentWildcardOrders();
      if (unit != wildcards.star && unit != wildcards.question) orderClass = KS_CLASS_UNDEFINED;
    }
    return unit;
  }

  if ((entry->flags & KsCollationEntry::HasLanguageVariants) != 0) {
    if (!languageLooked) {
      languageObject = KsLanguageContext::QueryLanguage(language);
      languageLooked = true;
    }
    if (languageObject != nullptr && languageObject->VariantSwitch()) {
      entry = ksstring::VariantEntry(entry, languageObject);
    }
  }

  // Contractions read ahead in the buffer; a character delivered from an
  // overflow list has no neighbour there.
  if (!fromOverflow && position != nullptr) {
    while ((entry->flags & KsCollationEntry::HasContractions) != 0) {
      const unsigned char* next = position + Width();
      unsigned short nextUnit = UnitAt(next);
      if (nextUnit == 0) break;
      if (mapToUnicode) nextUnit = ksstring::ConvertUnit(nextUnit, codeSet, ksstring::kUnicodeCodeSet);
      if (nextUnit == 0) break;
      const KsCollationEntry* target = ContractionWith(entry, nextUnit);
      if (target == nullptr) break;
      entry = target;
      position += Width();
    }
  }

  const unsigned short order = entry->order;
  if (setClass != 0) {
    if (entry->classByte != nullptr) {
      orderClass = *entry->classByte;
    } else {
      orderClass = object == codeSetObject ? languageClass : object->GetClass(language);
    }
  }
  if ((entry->flags & KsCollationEntry::HasExpansion) != 0 && entry->expansion != nullptr) {
    overflowCodeSet = ksstring::kRawCodeSet;
    overflow = entry->expansion;
    overflowIndex = 0;
  }
  Advance();
  return order;
}
