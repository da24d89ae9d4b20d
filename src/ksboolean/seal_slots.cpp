#include "ksboolean/seal_slots.h"

#include <cstring>

#include "basesvc.h"
#include "ksobjid/element_walk.h"
#include "ksstring.h"

namespace ks {
namespace {

constexpr unsigned char kBigEndian = 2;

KsSeal DecodeStored(const unsigned char* p) {
  KsSeal seal;
  ShortStoreOne(&seal.high, p, kBigEndian);
  ShortStoreOne(&seal.middle, p + 2, kBigEndian);
  ShortStoreOne(&seal.low, p + 4, kBigEndian);
  return seal;
}

KsSeal InMemoryOrder(const unsigned char* p) {
  KsSeal seal;
  std::memcpy(&seal, p, sizeof seal);
  return seal;
}

}  // namespace

unsigned SealStore(void* dst, const void* src, unsigned char, unsigned count) {
  // Three independent big-endian words per stamp, in memory order.
  ShortStore(dst, src, kBigEndian, 3 * count);
  return count * kSealStoredSize;
}

int SealCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                unsigned short, unsigned count, int& status) {
  if ((format & 15) == 8) {
    return CompareFixedElements(
        sizeof(KsSeal), len1, values1, len2, values2, count, status,
        [](const unsigned char* a, const unsigned char* b) { return InMemoryOrder(a) != InMemoryOrder(b); });
  }
  return CompareFixedElements(kSealStoredSize, len1, values1, len2, values2, count, status,
                              [](const unsigned char* a, const unsigned char* b) {
                                for (unsigned i = 0; i < kSealStoredSize; ++i) {
                                  if (a[i] != b[i]) return int{a[i]} - int{b[i]};
                                }
                                return 0;
                              });
}

unsigned SealHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  const bool asInMemory = (format & 15) == 8 || (format & 15) == 1;
  return HashFixedElements(kSealStoredSize, len, values, count, status, [asInMemory](const unsigned char* p) {
    const KsSeal seal = asInMemory ? InMemoryOrder(p) : DecodeStored(p);
    return unsigned{seal.high} ^ unsigned { seal.middle } ^ unsigned { seal.low };
  });
}

KsString& SealPrintToString(KsString& out, void* values, const char*, unsigned) {
  return static_cast<const KsSeal*>(values)->PrintToKsString(out);
}

void* SealScanFromString(void* values, KsString& in, const char*, unsigned) {
  if (values == nullptr) return nullptr;
  static_cast<KsSeal*>(values)->ScanFromKsString(in);
  return values;
}

void SealText(const KsSeal& seal, KsString& text) {
  seal.PrintToKsString(text);
}

void SealFromText(KsSeal& seal, const KsString* text) {
  seal.ScanFromKsString(text != nullptr ? *text : KsString());
}

}  // namespace ks
