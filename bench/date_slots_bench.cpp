// The date and time slots through KsTypeMgr beside their references in the
// same run: the stored-form comparison of KsDateTime arrays against memcmp
// over the same bytes, and the printing of a KsDate with the descriptor's
// default format against strftime of the same fields.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstring>
#include <string>
#include <vector>

#include "ksdate.h"
#include "ksdatetime.h"
#include "ksstring.h"
#include "kstypeids.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned kElements = 1'000'000;
constexpr unsigned kStoredSize = 7;
constexpr unsigned char kLittleEndian = 1;

// Two stored arrays of distinct date-times, equal but for the last element
// when `lastDiffers`, so that the comparison walks every element.
struct StoredArrays {
  std::vector<unsigned char> first;
  std::vector<unsigned char> second;
};

StoredArrays MakeArrays(bool lastDiffers) {
  std::vector<KsDateTime> values;
  values.reserve(kElements);
  KsDateTime value(KsDate(2000, 1, 1), KsTime(0, 0, 0));
  for (unsigned i = 0; i < kElements; ++i) {
    values.push_back(value);
    value.AddSeconds(3607);
  }
  KsTypeMgr mgr;
  StoredArrays arrays{std::vector<unsigned char>(kElements * kStoredSize),
                      std::vector<unsigned char>(kElements * kStoredSize)};
  mgr.Store(KsDATIME_T, arrays.first.data(), values.data(), kLittleEndian, kElements);
  if (lastDiffers) values.back().AddSeconds(1);
  mgr.Store(KsDATIME_T, arrays.second.data(), values.data(), kLittleEndian, kElements);
  return arrays;
}

// Compares the two stored arrays through KsTypeMgr, count 1M, wildcards on.
void RunCompare(benchmark::State& state, const StoredArrays& arrays) {
  KsTypeMgr mgr;
  for (auto _ : state) {
    int status = 0;
    benchmark::DoNotOptimize(mgr.Cmp(KsDATIME_T, 0, const_cast<unsigned char*>(arrays.first.data()), 0,
                                     const_cast<unsigned char*>(arrays.second.data()), 0, kElements,
                                     kLittleEndian, status));
  }
}

void BM_Reference_MemcmpOfStoredArrays(benchmark::State& state) {
  StoredArrays arrays = MakeArrays(state.range(0) != 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memcmp(arrays.first.data(), arrays.second.data(), arrays.first.size()));
  }
  state.SetBytesProcessed(state.iterations() * arrays.first.size());
}
BENCHMARK(BM_Reference_MemcmpOfStoredArrays)->Arg(0)->Arg(1);

void BM_KsTypeMgr_CmpOfStoredKsDateTimeArrays(benchmark::State& state) {
  StoredArrays arrays = MakeArrays(state.range(0) != 0);
  RunCompare(state, arrays);
  state.SetBytesProcessed(state.iterations() * arrays.first.size());
}
BENCHMARK(BM_KsTypeMgr_CmpOfStoredKsDateTimeArrays)->Arg(0)->Arg(1);

// Arrays that differ in every element's last byte: the comparison stops at
// once, memcmp too; this measures the per-element order itself.
void BM_KsTypeMgr_CmpOfStoredKsDateTimeFirstElementDiffers(benchmark::State& state) {
  StoredArrays arrays = MakeArrays(false);
  arrays.second[kStoredSize - 1] ^= 1;
  RunCompare(state, arrays);
}
BENCHMARK(BM_KsTypeMgr_CmpOfStoredKsDateTimeFirstElementDiffers);

// The second array's years are all wildcards (0xFFFF): no element is the
// same byte for byte, so every element goes through the field order.
void BM_KsTypeMgr_CmpOfStoredKsDateTimeWildcardYears(benchmark::State& state) {
  StoredArrays arrays = MakeArrays(false);
  for (unsigned i = 0; i < kElements; ++i)
    arrays.second[i * kStoredSize] = arrays.second[i * kStoredSize + 1] = 0xFF;
  RunCompare(state, arrays);
  state.SetBytesProcessed(state.iterations() * arrays.first.size());
}
BENCHMARK(BM_KsTypeMgr_CmpOfStoredKsDateTimeWildcardYears);

constexpr const char* kDateFormat = "%a %e.%b %Y";

void BM_Reference_StrftimeOfDate(benchmark::State& state) {
  tm t{};
  t.tm_year = 2021 - 1900;
  t.tm_mon = 3;
  t.tm_mday = 15;
  t.tm_wday = 4;
  for (auto _ : state) {
    char buffer[64];
    const size_t length = strftime(buffer, sizeof buffer, kDateFormat, &t);
    std::string text(buffer, length);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Reference_StrftimeOfDate);

void BM_KsTypeMgr_PrintToKsStringOfKsDate(benchmark::State& state) {
  KsDate value(2021, 4, 15);
  KsTypeMgr mgr;
  for (auto _ : state) {
    KsString out;
    mgr.PrintToKsString(KsDATE_T, out, &value);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_KsTypeMgr_PrintToKsStringOfKsDate);

}  // namespace

namespace {

// The part of the KsDate print that is the KsString itself: a fresh string
// given the same 15 characters, to tell the engine's share from the string's.
void BM_KsString_AssignOfThePrintedText(benchmark::State& state) {
  for (auto _ : state) {
    KsString out;
    out = "Thu 15.Apr 2021";
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_KsString_AssignOfThePrintedText);

}  // namespace
