// UTF-8 text and KsString both ways. Byte 0 chooses the direction:
// - even: the rest is UTF-8. Whatever it is, decoding stays within the
//   bytes given; text of 1- to 3-byte sequences without a zero decodes
//   whole and encodes back to the same bytes, and every length function
//   agrees with the encoder.
// - odd: the rest is 16-bit units (code set 253); without a zero unit they
//   encode and decode back to the same units.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ksmultibyte.h"
#include "ksstring.h"

namespace {

// Whether every lead byte starts a sequence of at most three bytes (longer
// ones decode to values that do not fit in a unit) and no byte is zero.
bool RoundTrips(const uint8_t* text, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (text[i] == 0 || text[i] >= 0xF0) return false;
  }
  return true;
}

std::vector<char> Encode(const KsString& s) {
  const int length = KsMBSLength(s, s.Len());
  std::vector<char> out(static_cast<size_t>(length) + 1);
  const int written = KsString2KsMBS(s, out.data(), static_cast<int>(out.size()));
  if (written != length) std::abort();
  out.resize(static_cast<size_t>(written));
  return out;
}

void FromUtf8(const uint8_t* data, size_t size) {
  std::vector<char> text(data, data + size);  // exactly the input: no terminator to lean on
  KsString decoded;
  const int consumed = KsMBS2KsString(text.data(), decoded, static_cast<int>(text.size()));
  if (consumed > static_cast<int>(text.size())) std::abort();

  std::vector<unsigned short> units(8);
  const int counted = KsMultiByteStr2WCharStr(units.data(), static_cast<int>(units.size()), text.data(),
                                              static_cast<int>(text.size()));
  // KsMBS2KsString stops after a decoded zero (a long sequence may decode
  // to one), so it may accept what the whole-text reader refuses, never the
  // other way round.
  if (consumed < 0 && counted >= 0) std::abort();
  if (consumed < 0 || !RoundTrips(data, size)) return;

  if (consumed != static_cast<int>(size) || decoded.Len() != counted) std::abort();
  const std::vector<char> again = Encode(decoded);
  if (again.size() != size || std::memcmp(again.data(), data, size) != 0) std::abort();
}

void FromUnits(const uint8_t* data, size_t size) {
  std::vector<unsigned short> units;
  for (size_t i = 0; i + 1 < size && units.size() < 4000; i += 2) {
    const auto unit = static_cast<unsigned short>(data[i] | data[i + 1] << 8);
    if (unit == 0) break;
    units.push_back(unit);
  }
  units.push_back(0);
  KsString wide(units.data());
  const std::vector<char> text = Encode(wide);
  KsString back;
  if (KsMBS2KsString(text.data(), back, static_cast<int>(text.size())) != static_cast<int>(text.size())) {
    std::abort();
  }
  if (back.Len() != wide.Len() || std::memcmp(back.StrGet(), wide.StrGet(), 2u * wide.Len()) != 0)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    FromUtf8(data + 1, size - 1);
  } else {
    FromUnits(data + 1, size - 1);
  }
  return 0;
}
