// Read-only work from several threads at once, starting from a cold process:
// ctest runs every test case in a process of its own, so the lazy state of
// the library (configuration, code set caches, wildcard orders, collation
// rows) is first built here by eight threads racing for it. Each thread
// records what it computed; the records must equal those of one thread
// working alone afterwards. Under the tsan preset the same run must also be
// free of race reports.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "ksdate.h"
#include "ksdatetime.h"
#include "ksmodule.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 3;

// Texts scanned into every type: numbers, dates, times, words, an empty text.
const char* const kScanTexts[] = {"12", "-7", "Tue 5.Mar 2024", "11:30:15 PM", "(3-4#5)", "abc", ""};

void AppendBytes(std::string& record, const void* bytes, size_t count) {
  static constexpr char kHex[] = "0123456789abcdef";
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (size_t i = 0; i < count; ++i) {
    record += kHex[p[i] >> 4];
    record += kHex[p[i] & 15];
  }
  record += ' ';
}

void AppendNumber(std::string& record, long long number) {
  record += std::to_string(number);
  record += ' ';
}

// Every type through the manager: scan, print, stored size, store in both
// byte orders, load, compare, hash and translate. Slots that do nothing yet
// take part all the same, so types join this test as they are built.
void TypeManagerFamilies(std::string& record) {
  KsTypeMgr mgr;
  for (int type = 0; type < KS_TYPE_COUNT; ++type) {
    const char id = static_cast<char>(type);
    for (const char* text : kScanTexts) {
      void* value = mgr.Create(id, 1);
      void* loaded = mgr.Create(id, 1);
      if (value == nullptr || loaded == nullptr) {
        mgr.Delete(id, value, 1);
        mgr.Delete(id, loaded, 1);
        record += "- ";
        continue;
      }
      KsString in(text);
      mgr.ScanFromKsString(id, value, in, nullptr, 1);
      KsString printed;
      mgr.PrintToKsString(id, printed, value, nullptr, 1);
      record += printed.StrGet();
      record += '|';
      for (unsigned char format : {1, 2}) {
        const unsigned size = mgr.DiskLenGet(id, value, format, 1, 8);
        std::vector<unsigned char> stored(size + 16u);
        const unsigned written = mgr.Store(id, stored.data(), value, format, 1);
        AppendNumber(record, written);
        AppendBytes(record, stored.data(), written <= size ? written : size);
        AppendNumber(record, mgr.LoadChecked(id, loaded, stored.data(), written, format, 1));
        AppendNumber(record, mgr.Load(id, loaded, stored.data(), format, 1));
        int status = 0;
        AppendNumber(record,
                     mgr.Cmp(id, size, stored.data(), size, stored.data(), 0xFFFF, 1, format, status));
        AppendNumber(record, mgr.Hash(id, size, stored.data(), 1, format, status));
        std::vector<unsigned char> translated(size + 16u);
        const unsigned char other = format == 1 ? 2 : 1;
        const unsigned moved =
            mgr.Translate(id, translated.data(), other, size + 16u, stored.data(), format, size, 1);
        AppendBytes(record, translated.data(), moved <= size ? moved : size);
      }
      AppendNumber(record, mgr.Cmp(id, value, loaded, 0xFFFF, 1, 8));
      int status = 0;
      AppendNumber(record, mgr.Hash(id, 0, value, 1, 8, status));
      AppendNumber(record, mgr.IsNullValue(id, value));
      mgr.Delete(id, value, 1);
      mgr.Delete(id, loaded, 1);
    }
  }
}

// Comparisons and hashes of strings in every code set, with and without
// wildcards, levels and language variants.
void StringComparisons(std::string& record) {
  const char* const texts[] = {"Strasse", "STRASSE", "straße", "a*b?c", "chico", "llama", "Zebra", "  x - y"};
  const unsigned short cmpOps[] = {0, 0x10, 0x20, 0x40, 0x60, 0x80, 0x100, 0x200, 0xFFFF};
  for (unsigned char codeSet : {0, 1, 2, 253, 254}) {
    for (unsigned char language : {0, 1, 2, 3, 4, 5}) {
      for (const char* a : texts) {
        KsString left(a);
        KsString right(texts[(a[0] + language) % std::size(texts)]);
        left.SetCodeSet(codeSet);
        right.SetCodeSet(codeSet);
        left.SetLanguage(language);
        right.SetLanguage(language);
        for (unsigned short cmpOp : cmpOps) AppendNumber(record, left.Compare(right, -1, cmpOp));
        AppendNumber(record, HashKsString(left));
        AppendNumber(record, HashKsString7(right));
      }
    }
  }
  // A long near miss, which the comparison finishes segment by segment.
  std::string text(3000, 'a');
  std::string pattern = "*";
  pattern.append(2000, 'a');
  pattern += "?b";
  for (unsigned char codeSet : {0, 1}) {
    AppendNumber(record, KsStrCmp(codeSet, 0, text.c_str(), codeSet, 0, pattern.c_str(), 0, -1, 1, nullptr));
  }
}

// Editing of strings that belong to one thread: the splice routine, code
// set conversion, case mapping and a string cut at its size limit (which
// asks the configuration whether to report the overflow).
void StringEditing(std::string& record) {
  KsString s("Grüße aus der Straße");
  s.Insert(KsString("liebe "), 6);
  s.ReplaceAll(KsString("ß"), KsString("ss"));
  s.ToUpper();
  AppendNumber(record, s.Find(KsString("STR*")));
  s.SetCodeSet(253);
  s.Cut(0, 3);
  s.ToLower();
  s.SetCodeSet(1);
  s.Trim();
  record += s.StrGet();
  record += ' ';
  KsString big;
  big.Fill(40000, 'x');
  big += big;
  AppendNumber(record, big.Len());
  KsString number(12345.5);
  AppendNumber(record, static_cast<int>(KsString("0x1F")));
  record += number.StrGet();
  record += ' ';
}

void DateArithmetic(std::string& record) {
  KsDate date(2460000);
  date += 400;
  --date;
  AppendNumber(record, static_cast<int>(date));
  KsTime time(3600 * 23 + 59);
  time += 3601;
  AppendBytes(record, &time, sizeof time);
  KsDateTime when(date, time);
  when.AddSeconds(90061);
  AppendBytes(record, &when, sizeof when);
  // Reads the zone (the value itself depends on the clock).
  KsDateTime now;
  AppendNumber(record, now.ToUTCTime() == 0 ? 0 : 1);
}

void ModuleInformation(std::string& record) {
  const char* description = nullptr;
  GetKsTypeMgrInfo(nullptr, nullptr, &description, nullptr, nullptr);
  record += description;
}

std::string AllFamilies() {
  std::string record;
  for (int round = 0; round < kRounds; ++round) {
    TypeManagerFamilies(record);
    StringComparisons(record);
    StringEditing(record);
    DateArithmetic(record);
    ModuleInformation(record);
    record += '\n';
  }
  return record;
}

TEST(ThreadSafety, ReadOnlyFamiliesFromEightThreadsMatchOneThread) {
  std::vector<std::string> records(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&records, &start, i] {
      start.arrive_and_wait();
      records[i] = AllFamilies();
    });
  }
  for (std::thread& thread : threads) thread.join();
  const std::string alone = AllFamilies();
  ASSERT_GT(alone.size(), 10000u);
  for (int i = 0; i < kThreads; ++i) EXPECT_EQ(records[i], alone) << "thread " << i;
}

}  // namespace
