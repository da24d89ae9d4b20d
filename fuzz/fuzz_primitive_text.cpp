// Scans and prints primitive values under arbitrary formats and texts, and
// compares and hashes arbitrary stored arrays with the lengths given.
//
// Input layout: byte 0 type id, byte 1 format byte, then a format text and a
// value text separated by the first zero byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ksstring.h"
#include "kstypemgr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static KsTypeMgr mgr;
  const char type = static_cast<char>(data[0] % 48);
  const unsigned char format = data[1];
  const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const size_t split = rest.find('\0');
  const std::string formatText = rest.substr(0, split);
  const std::string valueText = split == std::string::npos ? std::string() : rest.substr(split + 1);

  // Text: scan into a value, print it back with the same format.
  // Values that own memory (strings) must be made and released by their
  // type; the plain buffer serves the types that have no Create.
  alignas(16) unsigned char buffer[64] = {};
  void* made = mgr.Create(type, 1);
  void* value = made != nullptr ? made : buffer;
  KsString in(valueText.c_str());
  mgr.ScanFromKsString(type, value, in, formatText.c_str(), 1);
  KsString out;
  mgr.PrintToKsString(type, out, value, formatText.c_str(), 1);
  mgr.PrintToKsString(type, out, value, nullptr, 1);
  if (made != nullptr) mgr.Delete(type, made, 1);

  // Stored arrays: the raw input is the array, with its real length.
  const unsigned length = static_cast<unsigned>(size);
  int status = 0;
  const unsigned count = data[1] % 9;
  if (mgr.IsFixed(type) && type != KsSTRING_T) {
    mgr.Cmp(type, length, const_cast<uint8_t*>(data), length, const_cast<uint8_t*>(data), 0, count, format, status);
    mgr.Hash(type, length, const_cast<uint8_t*>(data), count, format, status);
  }
  return 0;
}
