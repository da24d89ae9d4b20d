// Loads arbitrary bytes as stored values of every fixed and variable type
// (blobs, identities, KsInt64, booleans, seals, primitives), stores them
// back, and scans the bytes as text with each type's default format.
//
// Input layout: byte 0 type id, byte 1 format byte, byte 2 count, then the
// stored bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ksstring.h"
#include "kstypemgr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static KsTypeMgr mgr;
  const char type = static_cast<char>(data[0] % 47);
  // Strings and the date types come with their own stored-form work.
  if (type == KsSTRING_T || type == KsISTRING_T || type == KsCASEISTRING_T) return 0;
  const unsigned char format = 1 + (data[1] & 1);  // a stored form: 1 or 2
  const unsigned count = 1 + data[2] % 4;
  std::vector<uint8_t> stored(data + 3, data + size);

  // Load has no length: its caller guarantees a whole stored form, whose
  // size the size slot tells (for a variable type, from the total at the
  // front). The buffer is exactly the input, so the sanitizer sees any read
  // beyond what the form claims.
  void* values = mgr.Create(type, count);
  if (values == nullptr) return 0;
  unsigned need = 0;
  if (mgr.IsFixed(type)) {
    need = mgr.DiskLenGet(type, nullptr, format, count);
  } else if (stored.size() >= 4) {
    need = mgr.DiskLenGet(type, stored.data(), format, count, format);
  }
  if (need != 0 && stored.size() >= need) {
    if (mgr.Load(type, values, stored.data(), format, count) != 0) {
      std::vector<uint8_t> again(mgr.DiskLenGet(type, values, format, count, 8) + 16);
      mgr.Store(type, again.data(), values, format, count);
      int status = 0;
      mgr.Hash(type, 0, values, count, 8, status);
    }
  }
  KsString text(std::string(stored.begin(), stored.end()).c_str());
  mgr.ScanFromKsString(type, values, text, nullptr, 1);
  KsString out;
  mgr.PrintToKsString(type, out, values, nullptr, count);
  mgr.Delete(type, values, count);
  return 0;
}
