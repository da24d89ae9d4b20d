// Day numbers, printing and scanning of dates, each beside the reference it
// is measured against: the public-domain days-from-civil / civil-from-days
// algorithms, strftime and strptime.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstring>
#include <string>

#include "ksdate.h"
#include "ksdatetime.h"
#include "ksstring.h"

namespace {

constexpr int kDays = 1'000'000;
constexpr int kFirstJdn = 2'000'000;  // 0763-09-18, so the run crosses many centuries
constexpr long long kJdnOfUnixEpoch = 2440588;
constexpr const char* kFormat = "%Y-%m-%d %H:%M:%S";

struct Civil {
  int year;
  unsigned month;
  unsigned day;
};

// Days since 1970-01-01 from a proleptic Gregorian date, by 400-year eras.
inline long long DaysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097LL + static_cast<long long>(doe) - 719468;
}

inline Civil CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(yoe + era * 400) + (m <= 2), m, d};
}

void BM_Reference_DaysFromCivilRoundTrip(benchmark::State& state) {
  for (auto _ : state) {
    long long sum = 0;
    for (int j = kFirstJdn; j < kFirstJdn + kDays; ++j) {
      const Civil c = CivilFromDays(j - kJdnOfUnixEpoch);
      benchmark::DoNotOptimize(c);
      sum += DaysFromCivil(c.year, c.month, c.day) + kJdnOfUnixEpoch;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kDays);
}
BENCHMARK(BM_Reference_DaysFromCivilRoundTrip);

void BM_KsDate_DateabsDayabsRoundTrip(benchmark::State& state) {
  KsDate date(0, 0, 0);
  for (auto _ : state) {
    long long sum = 0;
    for (int j = kFirstJdn; j < kFirstJdn + kDays; ++j) {
      date.dateabs(j);
      benchmark::DoNotOptimize(date);
      sum += date.dayabs();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kDays);
}
BENCHMARK(BM_KsDate_DateabsDayabsRoundTrip);

tm SampleTm() {
  tm t{};
  t.tm_year = 2021 - 1900;
  t.tm_mon = 3;
  t.tm_mday = 15;
  t.tm_hour = 10;
  t.tm_min = 20;
  t.tm_sec = 30;
  return t;
}

void BM_Reference_StrftimeToString(benchmark::State& state) {
  const tm t = SampleTm();
  for (auto _ : state) {
    char buffer[64];
    const size_t length = strftime(buffer, sizeof buffer, kFormat, &t);
    std::string text(buffer, length);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Reference_StrftimeToString);

void BM_KsDateTime_PrintToKsString(benchmark::State& state) {
  const KsDateTime value(KsDate(2021, 4, 15), KsTime(10, 20, 30));
  for (auto _ : state) {
    KsString out;
    value.PrintToKsString(out, kFormat);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_KsDateTime_PrintToKsString);

void BM_Reference_Strptime(benchmark::State& state) {
  const std::string text = "2021-04-15 10:20:30";
  for (auto _ : state) {
    tm t{};
    benchmark::DoNotOptimize(strptime(text.c_str(), kFormat, &t));
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_Reference_Strptime);

void BM_KsDateTime_ScanFromKsString(benchmark::State& state) {
  KsString text("2021-04-15 10:20:30");
  KsDateTime value(KsDate(0, 0, 0), KsTime(0, 0, 0));
  for (auto _ : state) {
    value.ScanFromKsString(text, kFormat);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_KsDateTime_ScanFromKsString);

}  // namespace
