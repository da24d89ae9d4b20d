// Module information, the options word and the library context.
#include <cstdio>
#include <new>

#include "basesvc.h"
#include "i18nsvc.h"
#include "ksmodule.h"
#include "kstypemgr.h"
#include "kstypemgr/default_mgr.h"

#define KS_STRINGIFY2(x) #x
#define KS_STRINGIFY(x) KS_STRINGIFY2(x)

namespace {

constexpr unsigned kMajor = 12, kMinor = 0, kSub = 2, kBuild = 248, kPatch = 0;
constexpr const char kDescription[] = "Quillon Typemanager";
constexpr const char kVersionText[] = "12.0.2.248.0";
constexpr const char kInternalName[] = "QN120Qtms140";
// The build stamp is that of the release this module's data was fixed with,
// not of the compilation, so that it reads the same on every build.
constexpr const char kBuildDate[] = "Apr 15 2021";
constexpr const char kBuildDateTime[] = "Apr 15 2021 19:03:17";

#ifndef KSTYPES_COMPILER_VERSION
#define KSTYPES_COMPILER_VERSION __GNUC__.__GNUC_MINOR__.__GNUC_PATCHLEVEL__
#endif
constexpr const char kToolchain[] = "g++ " KS_STRINGIFY(KSTYPES_COMPILER_VERSION);
// The toolchain number in the style major * 100 + minor (12.2 gives 1202).
constexpr unsigned kToolchainVersion = __GNUC__ * 100 + __GNUC_MINOR__;

int gOptions = 0;

// Written once: callers on several threads read it at the same time.
const char* DescriptionText() {
  struct Text {
    char buffer[64];
    Text() { std::snprintf(buffer, sizeof buffer, "%s %s ", kDescription, kVersionText); }
  };
  static const Text text;
  return text.buffer;
}

}  // namespace

void GetKsTypeMgrInfo(const char** toolchain, unsigned* toolchainVersion, const char** description,
                      const char** buildDate, const char** internalName) {
  if (toolchain) *toolchain = kToolchain;
  if (toolchainVersion) *toolchainVersion = kToolchainVersion;
  if (description) *description = DescriptionText();
  if (buildDate) *buildDate = kBuildDate;
  if (internalName) *internalName = kInternalName;
}

const char* KsDescribeDll(unsigned* major, unsigned* minor, unsigned* sub, unsigned* build, unsigned* patch,
                          const char** internalName, const char** buildDateTime, const char** eighth,
                          unsigned* toolchainVersion, const char** toolchain, const char** eleventh) {
  *major = kMajor;
  *minor = kMinor;
  *sub = kSub;
  *build = kBuild;
  *patch = kPatch;
  *internalName = kInternalName;
  *buildDateTime = kBuildDateTime;
  *eighth = "unknown";
  *toolchainVersion = kToolchainVersion;
  *toolchain = kToolchain;
  *eleventh = "";
  return kDescription;
}

int KsCheckDll(int flags) {
  return CheckKsVersionNumber(kMajor, kMinor, kSub, kBuild, kPatch, static_cast<unsigned>(flags | 3));
}

int& ___KsTypeMgrOptions() {
  return gOptions;
}

void ___KsTypemgrContext(int on) {
  ___KsI18NContext(on);
  if (on) {
    ks::SetDefaultTypeMgr(new (std::nothrow) KsTypeMgr(5));
  } else {
    delete ks::SetDefaultTypeMgr(nullptr);
  }
}
