// KsTypeMgr::LoadChecked over arbitrary bytes for every type, with the
// buffer exactly as long as srcLen, so that the sanitizer reports any read
// beyond it. What loads never claims more bytes than it was given, returns
// what the trusting Load returns over the same bytes, and is stored, hashed,
// compared and printed again; a fixed-length type stores exactly as many
// bytes as it loaded. The string ids (11 in both tables, 20 and 21) are
// measured by their own stored layouts.
//
// Input: byte 0 type id (128 and above: the legacy table), byte 1 format,
// byte 2 count, then the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ksstring.h"
#include "kstypemgr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static KsTypeMgr mgr;
  static KsTypeMgr legacy(0);
  const char type = static_cast<char>(data[0] % 47);
  const KsTypeMgr& manager = data[0] >= 128 ? legacy : mgr;
  const unsigned char format = data[1];
  const unsigned count = 1 + data[2] % 8;
  const std::vector<uint8_t> stored(data + 3, data + size);
  void* values = manager.Create(type, count);
  if (values == nullptr) return 0;
  const unsigned used =
      manager.LoadChecked(type, values, stored.data(), static_cast<unsigned>(stored.size()), format, count);
  if (used > stored.size()) std::abort();
  if (used != 0) {
    std::vector<uint8_t> copy(stored);
    void* trusted = manager.Create(type, count);
    if (manager.Load(type, trusted, copy.data(), format, count) != used) std::abort();
    // Fixed-length values may hold a NaN, which equals nothing.
    if (manager.IsFixed(type) == 0 && manager.Cmp(type, values, trusted, 0x100, count, 8) != 0) std::abort();
    manager.Delete(type, trusted, count);
    const unsigned char storedFormat = format & 15;
    std::vector<uint8_t> again(manager.DiskLenGet(type, values, storedFormat, count, 8) + 16);
    const unsigned written = manager.Store(type, again.data(), values, storedFormat, count);
    if (written + 16 > again.size()) std::abort();
    if (manager.IsFixed(type) != 0 && written != used) std::abort();
    int status = 0;
    manager.Hash(type, 0, values, count, 8, status);
    manager.Cmp(type, values, values, 0xFFFF, count, 8);
    KsString out;
    manager.PrintToKsString(type, out, values, nullptr, count);
  }
  manager.Delete(type, values, count);
  return 0;
}
