// Version check of modules built against these services. The services ship
// with the type manager, so they carry its version.

#include <cstdio>

#include "basesvc.h"

namespace {

constexpr unsigned kMajor = 12;
constexpr unsigned kMinor = 0;
constexpr unsigned kSub = 2;
constexpr unsigned kBuild = 248;
constexpr unsigned kPatch = 0;

constexpr unsigned kFlagMatchMinor = 1;
constexpr unsigned kFlagMatchSub = 2;
constexpr unsigned kFlagReportMismatch = 4;

constexpr int kVersionMismatch = -2999;

}  // namespace

int CheckKsVersionNumber(unsigned major, unsigned minor, unsigned sub, unsigned build, unsigned patch,
                         unsigned flags) {
  const bool compatible = major == kMajor && ((flags & kFlagMatchMinor) == 0 || minor == kMinor) &&
                          ((flags & kFlagMatchSub) == 0 || sub == kSub);
  if (compatible) return 0;
  if ((flags & kFlagReportMismatch) != 0) {
    char report[160];
    std::snprintf(report, sizeof report, "version mismatch: module %u.%u.%u.%u.%u, services %u.%u.%u.%u.%u",
                  major, minor, sub, build, patch, kMajor, kMinor, kSub, kBuild, kPatch);
    KESO_assert(report, "version.cpp", __LINE__);
  }
  return kVersionMismatch;
}
