// Stored string records and blocks from arbitrary bytes, with the lengths
// the caller gives: comparison of cut keys, the hash, translation into memory
// and into order keys, the I-string slots, and UTF-8 in both directions.
// Nothing may read or write outside the given bytes.
//
// Input layout: byte 0 selects the operation, byte 1 the format, byte 2 the
// comparison operator's low byte and byte 3 where the two operands split.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ksistring.h"
#include "ksmultibyte.h"
#include "ksstoredstring.h"
#include "ksstring.h"
#include "kstypemgr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const unsigned char format = static_cast<unsigned char>(data[1] & ~0x08);
  const unsigned short cmpOp = static_cast<unsigned short>(data[2] | (data[2] & 1) << 8);
  std::vector<unsigned char> body(data + 4, data + size);
  const size_t split = body.empty() ? 0 : data[3] % (body.size() + 1);
  std::vector<unsigned char> first(body.begin(), body.begin() + static_cast<long>(split));
  std::vector<unsigned char> second(body.begin() + static_cast<long>(split), body.end());
  // Empty operands still need a byte to point at; their length says 0 bytes
  // are there only when non-zero, so give them one zero byte and length 1.
  if (first.empty()) first.push_back(0);
  if (second.empty()) second.push_back(0);
  const auto len1 = static_cast<unsigned>(first.size());
  const auto len2 = static_cast<unsigned>(second.size());
  KsTypeMgr current;
  KsTypeMgr legacy(0);
  int status = 0;
  switch (data[0] % 6) {
    case 0:
      current.Cmp(KsSTRING_T, len1, first.data(), len2, second.data(), cmpOp, 2, format, status);
      legacy.Cmp(KsSTRING_T, len1, first.data(), len2, second.data(), cmpOp, 2, format, status);
      break;
    case 1:
      current.Hash(KsSTRING_T, len1, first.data(), 2, format, status);
      legacy.Hash(KsSTRING_T, len2, second.data(), 2, format, status);
      break;
    case 2: {
      KsString values[2];
      current.Translate(KsSTRING_T, values, 8, 0, first.data(), format, len1, 2);
      std::vector<unsigned char> key(len2);
      current.Translate(KsSTRING_T, key.data(), static_cast<unsigned char>(format | 0x80), len2, values, 8, 0,
                        2);
      current.Translate(KsSTRING_T, key.data(), format, len2, first.data(), format, len1, 1);
      KsString printed;
      current.PrintToKsString(KsSTRING_T, printed, values, "%3M", 2);
      break;
    }
    case 3:
      current.Cmp(KsISTRING_T, len1, first.data(), len2, second.data(), cmpOp & 0xFF, 1, format, status);
      current.Cmp(KsCASEISTRING_T, len1, first.data(), len2, second.data(), cmpOp & 0xFF, 1, format, status);
      {
        KsCaseIString values[2];
        current.Translate(KsCASEISTRING_T, values, 8, 0, first.data(), format, len1, 2);
      }
      break;
    case 4: {
      KsString out;
      KsMBS2KsString(reinterpret_cast<const char*>(body.data()), out, static_cast<int>(body.size()));
      std::vector<char> back(split);
      KsString2KsMBS(out, back.data(), static_cast<int>(back.size()));
      break;
    }
    default: {
      // Text patterns against text, both zero-terminated copies.
      first.push_back(0);
      second.push_back(0);
      KsIString text(reinterpret_cast<const char*>(first.data()));
      KsIString pattern(reinterpret_cast<const char*>(second.data()));
      KsIStringCompare(8, 0, &text, 0, &pattern, 0, 1, status);
      break;
    }
  }
  return 0;
}
