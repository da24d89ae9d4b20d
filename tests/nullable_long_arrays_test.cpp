// Long nullable arrays in memory form, where the walks take whole blocks at
// once: the hash folds them in a vectorised kernel for the values whose
// image is their low word, and the comparison skips runs of same bytes with
// memcmp. Results are the element walk's, across run and block boundaries,
// with nulls holding stray values, flag bytes other than 0 and 1, and
// padding bytes that are not zero.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "ksnullable.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned char kValueFirst = 8;

// Element i: a null every fifth (its value bytes left in place), a flag of
// 2 every seventh (a number), value bits that fill the whole value.
template <class T>
std::vector<KsNullable<T>> Elements(unsigned count) {
  std::vector<KsNullable<T>> elements(count);
  std::memset(static_cast<void*>(elements.data()), 0xA5, count * sizeof(KsNullable<T>));
  for (unsigned i = 0; i < count; ++i) {
    const uint64_t bits = (i + 1) * 0x9E3779B97F4A7C15u;
    std::memcpy(&elements[i].value, &bits, sizeof(T));
    elements[i].isNull = i % 5 == 0 ? 1 : (i % 7 == 0 ? 2 : 0);
  }
  return elements;
}

// The hash as each element defines it: the null constant, or the value's
// low 32 bits times 1103515245, folded by XOR.
template <class T>
unsigned ElementHash(const std::vector<KsNullable<T>>& elements, size_t count) {
  unsigned folded = 0;
  for (size_t i = 0; i < count; ++i) {
    uint32_t low;
    std::memcpy(&low, &elements[i].value, sizeof low);
    folded ^= elements[i].isNull == 1 ? 0xFEFE7575u : low * 1103515245u;
  }
  return folded;
}

template <class T>
void ExpectElementHashes(char type) {
  KsTypeMgr mgr;
  for (const unsigned count : {255u, 256u, 257u, 1000u, 4096u, 4099u}) {
    SCOPED_TRACE(count);
    auto elements = Elements<T>(count);
    int status = -1;
    EXPECT_EQ(mgr.Hash(type, 0, elements.data(), count, kValueFirst, status), ElementHash(elements, count));
    EXPECT_EQ(status, 0);
    // A length that cuts the array short ends the fold at the element
    // that starts within it.
    const unsigned len = (count - 1) * sizeof(KsNullable<T>) - 1;
    EXPECT_EQ(mgr.Hash(type, len, elements.data(), count, kValueFirst, status),
              ElementHash(elements, count - 1));
    EXPECT_EQ(status, 2101);
  }
}

TEST(NullableLongArrays, LowWordImagesFoldAsTheElementWalkDoes) {
  ExpectElementHashes<int>(KsNULL_INT_T);
  ExpectElementHashes<unsigned>(KsNULL_UNSIGNED_T);
  ExpectElementHashes<int32_t>(KsNULL_4B_T);
  ExpectElementHashes<uint32_t>(KsNULL_U4B_T);
  ExpectElementHashes<float>(KsNULL_FLOAT_T);
  ExpectElementHashes<int64_t>(KsNULL_8B_T);
  ExpectElementHashes<uint64_t>(KsNULL_U8B_T);
}

struct CompareCase {
  const char* what;
  unsigned at;        // the element changed in the second array
  bool secondIsNull;  // it becomes null, else its value grows by one
  bool paddingOnly;   // only a padding byte of that element changes
  int result;
};

TEST(NullableLongArrays, ComparisonDecidesAtTheFirstElementThatDiffers) {
  KsTypeMgr mgr;
  constexpr unsigned kCount = 10000;  // more than two runs of blocks that memcmp tests at once
  const CompareCase cases[] = {
      {"equal copies", kCount, false, false, 0},
      {"last element of the first run", 4095, false, false, -1},
      {"first element of the second run", 4096, false, false, -1},
      {"in the tail after the last block", 9999, false, false, -1},
      {"padding alone differs", 100, false, true, 0},
      {"a number against a null, which sorts first", 8192, true, false, 1},
      {"a null against a null with other value bytes", 5, true, false, 0},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto first = Elements<int>(kCount);
    auto second = first;
    if (c.at < kCount) {
      if (c.paddingOnly) {
        reinterpret_cast<unsigned char*>(&second[c.at])[7] ^= 0xFF;
      } else if (c.secondIsNull) {
        second[c.at].isNull = 1;
        second[c.at].value ^= 0x5A5A;
      } else {
        second[c.at].value += 1;
        second[c.at].isNull = 0;
        first[c.at].isNull = 0;
      }
    }
    int status = -1;
    EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 0, first.data(), 0, second.data(), 0, kCount, kValueFirst, status),
              c.result);
    EXPECT_EQ(status, 0);
    // A length that ends the first array before the element stops the walk
    // there, equal so far.
    if (c.at > 0 && c.at < kCount) {
      EXPECT_EQ(
          mgr.Cmp(KsNULL_INT_T, c.at * 8, first.data(), 0, second.data(), 0, kCount, kValueFirst, status), 0);
      EXPECT_EQ(status, 2101);
    }
  }
}

}  // namespace
