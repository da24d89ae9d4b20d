// Where the value and the flag byte of one stored nullable element lie.
//
// Bit 8 of the format puts the value first and the flag byte after it;
// otherwise the flag byte comes first. The value is in the stored form of
// format & 15. The slots and the index evaluators read elements alike.
#pragma once

namespace ks {

struct StoredElement {
  unsigned size;
  unsigned valueOffset;
  unsigned flagOffset;
  unsigned char valueFormat;

  StoredElement(unsigned elementSize, unsigned char format)
      : size(elementSize),
        valueOffset((format & 8) != 0 ? 0 : 1),
        flagOffset((format & 8) != 0 ? elementSize - 1 : 0),
        valueFormat(format & 15) {}
};

}  // namespace ks
