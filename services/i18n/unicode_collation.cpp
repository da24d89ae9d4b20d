// Collation entries of code set 253.
//
// Entries are built from the compact generated rows on first use (the
// generated data holds no pointers, so it needs no relocation and the table
// is ready before any static initialiser asks). The ideographic ranges are
// built per range, so text that never meets Hangul never pays for it.
#include "unicode_collation.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "collation_data.h"
#include "never_destroyed.h"
#include "tailorings.h"

namespace ksi18n {
namespace {

const unsigned char kClassBytes[KS_CLASS_UNDEFINED + 1] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                                           11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

KsCollationEntry PlainEntry(uint8_t scriptClass, uint16_t order) {
  KsCollationEntry entry{};
  entry.classByte = ClassBytePointer(scriptClass);
  entry.order = order;
  return entry;
}

struct RowEntries {
  KsCollationEntry entries[kCollationRowCount];
  KsWCharList expansions[kCollationRowCount];

  RowEntries() {
    for (size_t i = 0; i < kCollationRowCount; ++i) {
      const CollationRow& row = kCollationRows[i];
      entries[i] = PlainEntry(row.scriptClass, row.order);
      if (row.expansionCount != 0) {
        expansions[i] = KsWCharList(kCollationExpansions + row.expansionStart, row.expansionCount);
        entries[i].flags |= KsCollationEntry::HasExpansion;
        entries[i].expansion = &expansions[i];
      }
    }
    AttachTailorings(entries);
  }
};

const RowEntries& Rows() {
  static NeverDestroyed<RowEntries> rows;
  return *rows;
}

template <size_t RangeIndex>
const KsCollationEntry& RangeEntry(unsigned short unit) {
  static constexpr CollationRange kRange = kCollationRanges[RangeIndex];
  struct Block {
    KsCollationEntry entries[kRange.last - kRange.first + 1];
    Block() {
      for (unsigned i = 0; i < std::size(entries); ++i) {
        entries[i] = PlainEntry(kRange.scriptClass, static_cast<uint16_t>(kRange.firstOrder + i));
      }
    }
  };
  static NeverDestroyed<Block> block;
  return block->entries[unit - kRange.first];
}

template <size_t... RangeIndexes>
const KsCollationEntry* FindInRanges(unsigned short unit, std::index_sequence<RangeIndexes...>) {
  const KsCollationEntry* found = nullptr;
  static_cast<void>(((unit >= kCollationRanges[RangeIndexes].first && unit <= kCollationRanges[RangeIndexes].last
                          ? (found = &RangeEntry<RangeIndexes>(unit), true)
                          : false) ||
                      ...));
  return found;
}

}  // namespace

const unsigned char* ClassBytePointer(unsigned char classByte) {
  return &kClassBytes[std::min<unsigned char>(classByte, KS_CLASS_UNDEFINED)];
}

const KsCollationEntry* UnicodeCharTable::GetEntry(unsigned short unit) const {
  const RowEntries& rows = Rows();
  if (unit < kDirectRowCount) return &rows.entries[unit];
  if (const KsCollationEntry* entry =
          FindInRanges(unit, std::make_index_sequence<std::size(kCollationRanges)>())) {
    return entry;
  }
  const CollationRow* begin = kCollationRows + kDirectRowCount;
  const CollationRow* end = kCollationRows + kCollationRowCount;
  const CollationRow* row =
      std::lower_bound(begin, end, unit, [](const CollationRow& r, unsigned short u) { return r.unit < u; });
  if (row == end || row->unit != unit) return nullptr;
  return &rows.entries[row - kCollationRows];
}

void UnicodeCharTable::Prepare() const {
  Rows();
}

}  // namespace ksi18n
