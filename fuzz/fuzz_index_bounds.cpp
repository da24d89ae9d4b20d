// Runs the index range evaluator of every fixed-size type and of the string
// types (KsString in both descriptors, KsIString, KsCaseIString) on
// arbitrary keys, current bounds of any length and output bounds that may
// already hold buffers of any length.
//
// Input layout: byte 0 type id, byte 1 format, bytes 2-3 flags, byte 4 count
// (1 to 4), byte 5 the lengths of the current bounds' buffers, byte 6 which
// buffers exist (bits 0-1 current low and high, bits 2-3 recorded low and
// high), byte 7 the lengths of recorded buffers; then the bytes of the key,
// the current low and high bounds and the recorded buffers, as far as the
// input reaches. A string key is 6 + 2 * byte 4 bytes long, with its length
// field made to agree with that size (a stored key carries its own length,
// which the caller vouches for); the minimum bound buffer length is byte 7.
// For type 11 an odd byte 0 / 47 picks the legacy descriptor. String keys
// are always stored: an in-memory key would be an object, not bytes.
//
// Beyond memory safety it checks what holds for any input: a bound already
// recorded is never replaced by another buffer, the date and time
// evaluators return no flag outside 0x800F, and a bound that a nullable
// type records is count whole stored elements, flag bytes included.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "ksidxbounds.h"
#include "kstypeids.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

namespace {

// A buffer of exactly `length` bytes taken from the input (zero-filled where
// it runs out), so that the sanitizer sees any access beyond the length.
std::vector<uint8_t> Take(const uint8_t*& data, size_t& size, size_t length) {
  std::vector<uint8_t> bytes(length, 0);
  const size_t n = length < size ? length : size;
  if (n != 0) std::memcpy(bytes.data(), data, n);
  data += n;
  size -= n;
  return bytes;
}

bool IsNullable(char type) {
  return (type >= KsNULL_1B_T && type <= KsNULL_KSINT64_T) || type == KsNULL_8B_T || type == KsNULL_U8B_T;
}

bool IsDateOrTime(char type) {
  for (int id :
       {KsDATE_T, KsTIME_T, KsDATIME_T, D_DATE_T, D_TIME_T, D_TIMESTAMP_T, KsDATIME_N_T, KsTIMESPAN_T}) {
    if (type == id) return true;
  }
  return false;
}

bool IsStringType(char type) {
  return type == KsSTRING_T || type == KsISTRING_T || type == KsCASEISTRING_T;
}

// Makes the length field of a stored string key agree with its size.
void SetStringLength(std::vector<uint8_t>& key, char type, unsigned char format) {
  const bool iString = type != KsSTRING_T;
  const size_t field = iString ? 1 : 0;  // the I-strings start with a flag byte
  const size_t length = key.size() - field - 2;
  const bool bigEndian = (format & 0x0F) == 2;
  key[field] = static_cast<uint8_t>(bigEndian ? length >> 8 : length);
  key[field + 1] = static_cast<uint8_t>(bigEndian ? length : length >> 8);
}

void* HeapCopy(const std::vector<uint8_t>& bytes) {
  void* p = std::malloc(bytes.empty() ? 1 : bytes.size());
  if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
  return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  static KsTypeMgr mgr;
  const char type = static_cast<char>(data[0] % 47);
  const bool string = IsStringType(type);
  if (!mgr.IsFixed(type) && !string) return 0;
  const bool legacy = type == KsSTRING_T && (data[0] / 47) % 2 == 1;
  const unsigned char format = string ? static_cast<unsigned char>(data[1] & ~0x08) : data[1];
  const size_t stringKeyLength = 6 + 2 * size_t{data[4]};
  unsigned short flags = static_cast<unsigned short>(data[2] | data[3] << 8);
  const unsigned count = 1 + data[4] % 4;
  const unsigned currentLength = data[5], present = data[6], recordedLength = data[7];
  data += 8;
  size -= 8;

  // The key holds count stored values: the caller guarantees that much.
  const unsigned need = string ? 0 : mgr.DiskLenGet(type, nullptr, format, count);
  std::vector<uint8_t> key = Take(data, size, string ? stringKeyLength : need != 0 ? need : 16);
  if (string) SetStringLength(key, type, format);
  std::vector<uint8_t> low = Take(data, size, currentLength & 15),
                       high = Take(data, size, currentLength >> 4);
  KsIdxBounds current{(present & 1) ? low.data() : nullptr, (present & 2) ? high.data() : nullptr,
                      static_cast<uint8_t>(low.size()), static_cast<uint8_t>(high.size()), 0};
  const std::vector<uint8_t> recordedLow = Take(data, size, recordedLength & 15),
                             recordedHigh = Take(data, size, recordedLength >> 4);
  KsIdxBounds out{(present & 4) ? HeapCopy(recordedLow) : nullptr,
                  (present & 8) ? HeapCopy(recordedHigh) : nullptr, static_cast<uint8_t>(recordedLow.size()),
                  static_cast<uint8_t>(recordedHigh.size()), static_cast<uint8_t>(recordedLength)};

  void* const recordedLowBuffer = out.low;
  void* const recordedHighBuffer = out.high;
  KsIdxBounds* bounds = (present & 16) ? nullptr : &current;
  const float estimate =
      legacy ? KsLegacyTypeTable()[KsSTRING_T]->evalAndBound(bounds, flags, key.data(), format, count, &out)
             : mgr.EvalAndBound(type, bounds, flags, key.data(), format, count, &out, nullptr);
  (void)estimate;
  if (!string && recordedLowBuffer != nullptr && out.low != recordedLowBuffer) std::abort();
  if (!string && recordedHighBuffer != nullptr && out.high != recordedHighBuffer) std::abort();
  if (IsDateOrTime(type) && (flags & ~0x800F) != 0) std::abort();
  if (IsNullable(type)) {
    if (!(present & 4) && out.low != nullptr && out.lowLen != need) std::abort();
    if (!(present & 8) && out.high != nullptr && out.highLen != need) std::abort();
  }
  std::free(out.low);
  std::free(out.high);
  return 0;
}
