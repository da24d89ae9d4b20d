// The kstm program as a user runs it: exact output, error messages and exit
// statuses. Types whose slots the library does not have yet must be
// reported (exit status 3), never crash; the rows below pin the ones that
// work. Adding a type is one row of kStoredExamples.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "run_kstm.h"

namespace {

using kstm_test::Outcome;
using kstm_test::ReadSourceFile;
using kstm_test::ReportsMissingSlot;
using kstm_test::RunKstm;

constexpr int kBadInput = 2;
constexpr int kNotSupported = 3;

TEST(KstmTypes, TablesMatchTheirGoldenFiles) {
  struct Golden {
    std::vector<std::string> args;
    const char* file;
  };
  const Golden goldens[] = {
      {{"types"}, "tests/cli/golden/types.txt"},
      {{"types", "--json"}, "tests/cli/golden/types.json"},
      {{"types", "--legacy"}, "tests/cli/golden/types-legacy.txt"},
  };
  for (const Golden& golden : goldens) {
    SCOPED_TRACE(golden.file);
    const Outcome outcome = RunKstm(golden.args);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, ReadSourceFile(golden.file));
  }
}

// One value per type: its text, its stored record in both byte orders, and
// the text that loading either record prints.
struct StoredExample {
  const char* type;
  const char* text;
  const char* little;
  const char* big;
  const char* printed;
};

const StoredExample kStoredExamples[] = {
    {"o_char", "A", "41", "41", "A"},
    {"o_2b", "-2", "FE FF", "FF FE", "-2"},
    {"o_4b", "16909060", "04 03 02 01", "01 02 03 04", "16909060"},
    {"o_double", "1.5", "00 00 00 00 00 00 F8 3F", "3F F8 00 00 00 00 00 00", "1.5"},
    {"o_float", "-2.5", "00 00 20 C0", "C0 20 00 00", "-2.5"},
    {"o_u2b", "258", "02 01", "01 02", "258"},
    {"o_u4b", "3000000000", "00 5E D0 B2", "B2 D0 5E 00", "3000000000"},
    {"int", "-5", "FB FF FF FF", "FF FF FF FB", "-5"},
    {"unsigned", "4000000000", "00 28 6B EE", "EE 6B 28 00", "4000000000"},
    {"enum", "7", "07 00 00 00", "00 00 00 07", "7"},
    // The UTF-8 argument becomes one 8-bit character (0xFF in code set 1).
    {"o_u1b", "ÿ", "FF", "FF", "0xff"},
    {"BlockId", "#42", "2A 00 00 00", "00 00 00 2A", "#42"},
    {"KsObjId", "(1-2#3)", "03 00 00 00 02 00 00 00 01 00", "00 00 00 03 00 00 00 02 00 01", "(1-2#3)"},
    {"KsClassId", "(7v2)", "07 00 02 00", "00 07 00 02", "(7v2)"},
    // The null class identity has both fields 0xFFFF.
    {"KsClassId", "{NULL}", "FF FF FF FF", "FF FF FF FF", "{NULL}"},
    {"KsRef", "(4:1-2#3, 5)", "03 00 00 00 02 00 00 00 01 00 04 00 05 00",
     "00 00 00 03 00 00 00 02 00 01 00 04 00 05", "(4:1-2#3, 5)"},
    {"KsBlob", "[BLOB,len=0]", "04 00 00 00 00 00 00 00", "00 00 00 04 00 00 00 00", "[BLOB,len=0]"},
    // Low word first in either order, each word in the record's order.
    {"KsInt64", "-5", "FB FF FF FF FF FF FF FF", "FF FF FF FB FF FF FF FF", "-5"},
    {"KsBoolean", "TRUE", "01", "01", "TRUE"},
    {"KsSeal", "5", "00 00 00 00 00 05", "00 00 00 00 00 05", "5"},
    {"o_8b", "-2", "FE FF FF FF FF FF FF FF", "FF FF FF FF FF FF FF FE", "-2"},
    {"o_u8b", "18446744073709551615", "FF FF FF FF FF FF FF FF", "FF FF FF FF FF FF FF FF",
     "18446744073709551615"},
    {"KsDate", "Thu 15.Apr 2021", "E5 07 04 0F", "07 E5 04 0F", "Thu 15.Apr 2021"},
    {"KsTime", "10:20:30 AM", "0A 14 1E", "0A 14 1E", "10:20:30 AM"},
    {"KsDateTime", "Thu 15.Apr 2021 10:20:30 PM", "E5 07 04 0F 16 14 1E", "07 E5 04 0F 16 14 1E",
     "Thu 15.Apr 2021 10:20:30 PM"},
    // The ODMG date's default format has no year: year 0 round-trips.
    {"d_Date", "Sat Apr 15", "00 00 04 0F", "00 00 04 0F", "Sat Apr 15"},
    {"d_Time", "10:20:30 AM", "00 00 0A 14 1E 00", "00 00 0A 14 1E 00", "10:20:30 AM"},
    {"d_Timestamp", "Sat Apr 15 10:20:30 AM", "00 00 04 0F 00 00 0A 14 1E 00",
     "00 00 04 0F 00 00 0A 14 1E 00", "Sat Apr 15 10:20:30 AM"},
    // 93,784 seconds as a float.
    {"d_Interval", "1 days, 2 hours, 3 minutes, 4 seconds", "00 2C B7 47", "47 B7 2C 00",
     "01 days, 02 hours, 03 minutes, 04 seconds"},
    {"KsDateTimeN", "2021-04-15T10:20:30.25", "E5 07 04 0F 0A 14 1E 80 B2 E6 0E",
     "07 E5 04 0F 0A 14 1E 0E E6 B2 80", "2021-04-15T10:20:30.250"},
    {"KsTimeSpan", "1.02:03:04.5", "00 00 00 01 02 03 04 00 65 CD 1D", "00 00 00 01 02 03 04 1D CD 65 00",
     "1.02:03:04.500"},
    // Nullable numbers: the flag byte first, then the base type's record.
    {"KsNull_char", "A", "00 41", "00 41", "A"},
    {"KsNull_uchar", "B", "00 42", "00 42", "B"},
    {"KsNull_short", "258", "00 02 01", "00 01 02", "258"},
    {"KsNull_ushort", "65535", "00 FF FF", "00 FF FF", "65535"},
    {"KsNull_int", "-5", "00 FB FF FF FF", "00 FF FF FF FB", "-5"},
    {"KsNull_int", "", "01 00 00 00 00", "01 00 00 00 00", "{NULL}"},
    {"KsNull_unsigned", "4000000000", "00 00 28 6B EE", "00 EE 6B 28 00", "4000000000"},
    {"KsNull_long", "16909060", "00 04 03 02 01", "00 01 02 03 04", "16909060"},
    {"KsNull_ulong", "3000000000", "00 00 5E D0 B2", "00 B2 D0 5E 00", "3000000000"},
    {"KsNull_float", "-2.5", "00 00 00 20 C0", "00 C0 20 00 00", "-2.5"},
    {"KsNull_double", "1.5", "00 00 00 00 00 00 00 F8 3F", "00 3F F8 00 00 00 00 00 00", "1.5"},
    {"KsNull_KsInt64", "-5", "00 FB FF FF FF FF FF FF FF", "00 FF FF FF FB FF FF FF FF", "-5"},
    {"KsNull_8b", "-2", "00 FE FF FF FF FF FF FF FF", "00 FF FF FF FF FF FF FF FE", "-2"},
    {"KsNull_u8b", "18446744073709551615", "00 FF FF FF FF FF FF FF FF", "00 FF FF FF FF FF FF FF FF",
     "18446744073709551615"},
};

TEST(KstmStoreLoad, RoundTripsEveryExampleInBothOrders) {
  for (const StoredExample& e : kStoredExamples) {
    SCOPED_TRACE(e.type);
    for (const bool big : {false, true}) {
      const std::vector<std::string> order = {"--order", big ? "be" : "le"};
      const std::string record = big ? e.big : e.little;
      std::vector<std::string> store = {"store", e.type, e.text};
      store.insert(store.end(), order.begin(), order.end());
      const Outcome stored = RunKstm(store);
      EXPECT_EQ(stored.status, 0) << stored.err;
      EXPECT_EQ(stored.out, record + "\n");

      std::vector<std::string> load = {"load", e.type, record};
      load.insert(load.end(), order.begin(), order.end());
      const Outcome loaded = RunKstm(load);
      EXPECT_EQ(loaded.status, 0) << loaded.err;
      EXPECT_EQ(loaded.out, std::string(e.printed) + "\n");
    }
  }
}

TEST(KstmStoreLoad, LoadsConsecutiveRecordsFromStandardInput) {
  const Outcome stored = RunKstm({"store", "KsRef", "(4:1-2#3, 5)", "(0:0-9#1, 2)"});
  ASSERT_EQ(stored.status, 0);
  // Records without blanks, split across lines as they come.
  std::string packed;
  for (char c : stored.out) {
    if (c != ' ') packed += c;
  }
  const Outcome loaded = RunKstm({"load", "KsRef"}, packed);
  EXPECT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_EQ(loaded.out, "(4:1-2#3, 5)\n(0:0-9#1, 2)\n");
}

TEST(KstmStoreLoad, EveryTypeIdStoresAndLoadsOrReportsItsMissingSlot) {
  std::vector<int> ids;
  for (int id = 0; id <= 46; ++id) ids.push_back(id);
  ids.push_back(100);
  ids.push_back(127);
  for (int id : ids) {
    SCOPED_TRACE(id);
    const Outcome stored = RunKstm({"store", std::to_string(id), ""});
    if (ReportsMissingSlot(stored, "store")) continue;
    ASSERT_EQ(stored.status, 0) << stored.err;
    ASSERT_TRUE(std::regex_match(stored.out, std::regex("[0-9A-F]{2}( [0-9A-F]{2})*\n"))) << stored.out;
    const Outcome loaded = RunKstm({"load", std::to_string(id), stored.out});
    if (ReportsMissingSlot(loaded, "load")) continue;
    EXPECT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(std::count(loaded.out.begin(), loaded.out.end(), '\n'), 1) << loaded.out;
  }
}

TEST(KstmCmpHash, ComparesAndHashesAsTheIndexDoes) {
  struct Case {
    std::vector<std::string> args;
    const char* out;
  };
  const Case cases[] = {
      {{"cmp", "o_4b", "3", "10"}, "less (-1), status 0\n"},
      {{"cmp", "o_2b", "-1", "1"}, "less (-1), status 0\n"},
      {{"cmp", "o_u2b", "65535", "1"}, "greater (1), status 0\n"},
      // NaN sorts before minus infinity; the two zeros are equal.
      {{"cmp", "o_double", "nan", "-inf"}, "less (-1), status 0\n"},
      {{"cmp", "o_double", "-0", "0"}, "equal (0), status 0\n"},
      {{"cmp", "Ks2B_T", "256", "1", "--order", "be"}, "greater (1), status 0\n"},
      {{"cmp", "26", "-1", "1", "--order", "be"}, "less (-1), status 0\n"},
      {{"hash", "o_4b", "1", "0"}, "1103515245 (0x41C64E6D), status 0\n0 (0x00000000), status 0\n"},
      {{"hash", "o_4b", "1", "--order", "be"}, "1103515245 (0x41C64E6D), status 0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args[2]);
    const Outcome outcome = RunKstm(c.args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
  }
}

TEST(KstmSort, OrdersValuesOfEachTypeStablyAndWritesTheLinesUnchanged) {
  struct Case {
    std::vector<std::string> args;
    const char* input;
    const char* out;
  };
  const Case cases[] = {
      {{"sort", "o_4b"}, "10\n-3\n9\n+2\n", "-3\n+2\n9\n10\n"},
      // 7 and 07 are equal: they keep their input order, also reversed.
      {{"sort", "int"}, "7\n07\n3", "3\n7\n07\n"},
      {{"sort", "int", "--reverse"}, "7\n07\n3\n", "7\n07\n3\n"},
      {{"sort", "int", "--unique"}, "07\n3\n7\n3\n", "3\n07\n"},
      {{"sort", "o_double"}, "1e3\n-inf\nnan\n2.5\n", "nan\n-inf\n2.5\n1e3\n"},
      {{"sort", "o_u1b"}, "b\nÿ\na\n", "a\nb\nÿ\n"},
      // Dates as dates, whatever their text's byte order.
      {{"sort", "KsDate", "--format", "%e.%m.%Y"},
       "15.4.2021\n31.12.1999\n2.1.2021\n",
       "31.12.1999\n2.1.2021\n15.4.2021\n"},
      // Null (the empty line) before every number.
      {{"sort", "KsNull_int"}, "5\n\n-3\n", "\n-3\n5\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const Outcome outcome = RunKstm(c.args, c.input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
  }
}

// Collation: the letters decide first, then the last differing accent,
// then the first difference of case (lower case first).
TEST(KstmSort, OrdersStringsByCollation) {
  const Outcome outcome =
      RunKstm({"sort", "KsString"}, "zoë\nÉclair\nMuller\nAndre\nmuller\nZoe\nandré\neclair\n");
  if (ReportsMissingSlot(outcome, "sort")) GTEST_SKIP() << outcome.err;
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Andre\nandré\neclair\nÉclair\nmuller\nMuller\nZoe\nzoë\n");
}

TEST(KstmEval, EstimatesAnIntegerRangeAndRecordsItsBounds) {
  struct Case {
    const char* op;
    const char* key;
    const char* out;
  };
  const Case cases[] = {
      {"eq", "50",
       "estimate: 0.00999999978\nflags: 0x0001 (eq)\nlow bound: 32 00 00 00 = 50\nhigh bound: 32 00 00 00 = "
       "50\n"},
      {"lt", "50",
       "estimate: 0.49000001\nflags: 0x0002 (lt)\nlow bound: open\nhigh bound: 32 00 00 00 = 50\n"},
      {"gt", "50", "estimate: 0.5\nflags: 0x0004 (gt)\nlow bound: 32 00 00 00 = 50\nhigh bound: open\n"},
      {"ge", "50",
       "estimate: 0.50999999\nflags: 0x0005 (ge)\nlow bound: 32 00 00 00 = 50\nhigh bound: open\n"},
      {"lt", "0", "estimate: 0\nflags: 0x0002 (lt)\nlow bound: open\nhigh bound: 00 00 00 00 = 0\n"},
      {"ne", "500", "estimate: 1\nflags: 0x0006 (ne)\nlow bound: open\nhigh bound: open\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + c.key);
    const Outcome outcome = RunKstm({"eval", "int", "--low", "1", "--high", "100", "--op", c.op, c.key});
    if (ReportsMissingSlot(outcome, "eval")) GTEST_SKIP() << outcome.err;
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
  }
}

TEST(KstmDemo, OrdersByCollationAndScansBetweenBoundsThatHoldEveryMatch) {
  const Outcome outcome = RunKstm({"demo"});
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.out.find("   Ångström   code set 1, 8 characters\n"), std::string::npos);
  // By letter first; then an accent after the plain letter, lower case
  // before upper case.
  EXPECT_NE(outcome.out.find("   andré\n   André\n   Ångström\n   Eclair\n   éclair\n   émile\n   Émile\n"
                             "   Mueller\n   Mull\n   muller\n   Müller\n   Zoë\n   Zürich\n"),
            std::string::npos);
  EXPECT_NE(
      outcome.out.find("     hit  Mueller\n     hit  Mull\n     hit  muller\n     hit  Müller\n"
                       "     hit  Zoë\n     hit  Zürich\n   every matching key lies between the bounds\n"),
      std::string::npos);
  EXPECT_NE(outcome.out.find("     miss Mueller\n     miss Mull\n     hit  muller\n     miss Müller\n"
                             "   every matching key lies between the bounds\n"),
            std::string::npos);
  EXPECT_NE(outcome.out.find("All steps ran.\n"), std::string::npos);
}

TEST(KstmErrors, BadArgumentsAndInputGiveAMessageAndStatus) {
  const std::string kNotUtf8 =
      " is not valid UTF-8 (or holds a zero byte or a character beyond U+FFFF) at byte ";
  const std::string kStoreNotUtf8 = "kstm store: text 2" + kNotUtf8,
                    kSortNotUtf8 = "kstm sort: line 2" + kNotUtf8;
  struct Case {
    std::vector<std::string> args;
    std::string err;
    std::string input = "";
    const char* out = "";
    int status = kBadInput;
  };
  const Case cases[] = {
      {{"frobnicate"}, "kstm: unknown command 'frobnicate' (see kstm --help)\n"},
      {{"store", "nosuch", "1"}, "kstm store: unknown type 'nosuch' (kstm types lists the names and ids)\n"},
      {{"store", "47", "1"}, "kstm store: unknown type '47' (kstm types lists the names and ids)\n"},
      {{"store", "O_4B", "1"}, "kstm store: unknown type 'O_4B' (kstm types lists the names and ids)\n"},
      {{"store", "--legacy", "KsSeal", "5"},
       "kstm store: unknown type 'KsSeal' (kstm types lists the names and ids)\n"},
      {{"store", "o_4b"}, "kstm store: needs a type and at least one text (see kstm store --help)\n"},
      {{"store", "o_4b", "1", "--order", "middle"}, "kstm store: --order must be le or be, not 'middle'\n"},
      {{"store", "o_4b", "1", "--order"}, "kstm store: option --order needs a value\n"},
      {{"store", "o_4b", "1", "--bogus"}, "kstm store: unknown option '--bogus' (see kstm store --help)\n"},
      {{"store", "o_4b", "1", "a\xC3"}, kStoreNotUtf8 + "1\n", "", "01 00 00 00\n"},
      {{"store", "illegal", "1"},
       "kstm store: type illegal (46) is the illegal type: it supports no operation\n",
       "",
       "",
       kNotSupported},
      {{"load", "o_4b", "0G"},
       "kstm load: malformed hexadecimal at character 1: 'G' is not a hexadecimal digit\n"},
      {{"load", "o_4b", "0 1"},
       "kstm load: malformed hexadecimal at character 0: a byte needs two adjacent digits\n"},
      {{"load", "o_4b", "01 02 03"},
       "kstm load: truncated record at byte offset 0: the record needs 4 bytes, 3 remain\n"},
      {{"load", "o_4b"},
       "kstm load: truncated record at byte offset 4: the record needs 4 bytes, 2 remain\n",
       "01000000\n0203\n",
       "1\n"},
      {{"load", "o_4b"}, "kstm load: no stored bytes given\n"},
      {{"load", "o_4b"}, "kstm load: no stored bytes given\n", " \n"},
      {{"load", "KsBlob", "10 00 00 00 01 00"},
       "kstm load: truncated record at byte offset 0: the record needs 20 bytes, 6 remain\n"},
      {{"load", "KsBlob", "01"},
       "kstm load: malformed record at byte offset 0: no record length can be read there\n"},
      {{"load", "KsBlob", "00 00 00 00"},
       "kstm load: malformed record at byte offset 0: Load read 0 of its 4 bytes\n"},
      {{"cmp", "o_4b", "1"}, "kstm cmp: needs a type and two texts (see kstm cmp --help)\n"},
      {{"cmp", "o_4b", "1", "2", "--cmpop", "xyz"},
       "kstm cmp: --cmpop must be a hexadecimal number from 0 to FFFF, not 'xyz'\n"},
      {{"cmp", "o_4b", "1", "2", "--cmpop", "10000"},
       "kstm cmp: --cmpop must be a hexadecimal number from 0 to FFFF, not '10000'\n"},
      {{"cmp", "o_4b", "1", "2", "--lang", "254"},
       "kstm cmp: --lang must be a number from 0 to 253, not '254'\n"},
      {{"hash", "o_4b"}, "kstm hash: needs a type and at least one text (see kstm hash --help)\n"},
      {{"sort"}, "kstm sort: needs exactly one type (see kstm sort --help)\n"},
      {{"sort", "o_4b"}, "kstm sort: empty input: there are no lines to sort\n"},
      {{"sort", "o_4b"}, kSortNotUtf8 + "1\n", "1\n2\xE2\x82\n3\n"},
      {{"sort", "o_4b"}, kSortNotUtf8 + "0\n", "1\n\xF0\x9F\x98\x80\n"},
      {{"sort", "o_4b"}, kSortNotUtf8 + "1\n", std::string("1\n2\0003\n", 6)},
      {{"eval", "int", "5"}, "kstm eval: needs --op (eq, ne, lt, le, gt or ge)\n"},
      {{"eval", "int", "5", "--op", "eq", "--low", "1"}, "kstm eval: --low and --high go together\n"},
      {{"eval", "int", "5", "--op", "between"},
       "kstm eval: --op must be eq, ne, lt, le, gt or ge, not 'between'\n"},
      {{"types", "extra"}, "kstm types: unexpected argument 'extra'\n"},
      {{"demo", "now"}, "kstm demo: takes no arguments\n"},
  };
  for (const Case& c : cases) {
    std::string trace;
    for (const std::string& arg : c.args) trace += arg + " ";
    SCOPED_TRACE(trace);
    const Outcome outcome = RunKstm(c.args, c.input);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, c.err);
  }
}

TEST(KstmHelp, EveryCommandExplainsItselfAndTheToolNamesItsModule) {
  const Outcome usage = RunKstm({"--help"});
  EXPECT_EQ(usage.status, 0);
  EXPECT_EQ(usage.out.rfind("usage: kstm COMMAND [ARGUMENTS]\n", 0), 0u);
  for (const char* command : {"types", "store", "load", "cmp", "hash", "sort", "eval", "demo"}) {
    SCOPED_TRACE(command);
    const Outcome help = RunKstm({command, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(std::string("usage: kstm ") + command, 0), 0u);
    EXPECT_EQ(RunKstm({"help", command}).out, help.out);
    EXPECT_NE(usage.out.find(std::string("  ") + command + " "), std::string::npos);
  }
  const Outcome bare = RunKstm({});
  EXPECT_EQ(bare.status, kBadInput);
  EXPECT_EQ(bare.err, usage.out);
  const Outcome version = RunKstm({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "kstm: Quillon Typemanager 12.0.2.248.0 (QN120Qtms140, Apr 15 2021)\n");
}

}  // namespace
