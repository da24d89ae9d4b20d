// Module information, the version check and the options word.
#include <gtest/gtest.h>

#include <string>

#include "basesvc.h"
#include "ksmodule.h"

namespace {

TEST(ModuleInfo, TextsAndNumbers) {
  const char* toolchain = nullptr;
  unsigned toolchainVersion = 0;
  const char* description = nullptr;
  const char* buildDate = nullptr;
  const char* internalName = nullptr;
  GetKsTypeMgrInfo(&toolchain, &toolchainVersion, &description, &buildDate, &internalName);
  EXPECT_STREQ(description, "Quillon Typemanager 12.0.2.248.0 ");
  EXPECT_STREQ(buildDate, "Apr 15 2021");
  EXPECT_STREQ(internalName, "QN120Qtms140");
  EXPECT_EQ(std::string(toolchain).rfind("g++ ", 0), 0u);
  EXPECT_EQ(toolchainVersion, unsigned(__GNUC__ * 100 + __GNUC_MINOR__));

  // The description buffer is rebuilt, not appended to.
  const char* again = nullptr;
  GetKsTypeMgrInfo(nullptr, nullptr, &again, nullptr, nullptr);
  EXPECT_STREQ(again, "Quillon Typemanager 12.0.2.248.0 ");
  GetKsTypeMgrInfo(nullptr, nullptr, nullptr, nullptr, nullptr);

  unsigned major = 0, minor = 9, sub = 0, build = 0, patch = 9, version = 0;
  const char *name = nullptr, *dateTime = nullptr, *eighth = nullptr, *tool = nullptr, *eleventh = nullptr;
  EXPECT_STREQ(KsDescribeDll(&major, &minor, &sub, &build, &patch, &name, &dateTime, &eighth, &version, &tool,
                             &eleventh),
               "Quillon Typemanager");
  EXPECT_EQ(major, 12u);
  EXPECT_EQ(minor, 0u);
  EXPECT_EQ(sub, 2u);
  EXPECT_EQ(build, 248u);
  EXPECT_EQ(patch, 0u);
  EXPECT_STREQ(name, "QN120Qtms140");
  EXPECT_STREQ(dateTime, "Apr 15 2021 19:03:17");
  EXPECT_STREQ(eighth, "unknown");
  EXPECT_STREQ(eleventh, "");
  EXPECT_EQ(version, toolchainVersion);
  EXPECT_STREQ(tool, toolchain);
}

struct ReportLog {
  static inline std::string last;
  static void Record(const char* text, const char*, int) { last = text; }
};

TEST(ModuleInfo, VersionCheckPassesTheFlagsOn) {
  EXPECT_EQ(KsCheckDll(0), 0) << "our own version always matches";
  // Bit 2 asks the services to report; a match reports nothing.
  ReportLog::last.clear();
  const KsAssertHandler previous = KsSetAssertHandler(ReportLog::Record);
  EXPECT_EQ(KsCheckDll(4), 0);
  KsSetAssertHandler(previous);
  EXPECT_EQ(ReportLog::last, "");
}

TEST(ModuleInfo, OptionsWordIsProcessWide) {
  int& options = ___KsTypeMgrOptions();
  EXPECT_EQ(&options, &___KsTypeMgrOptions());
  const int saved = options;
  options = 1;
  EXPECT_EQ(___KsTypeMgrOptions(), 1);
  options = saved;
}

}  // namespace
