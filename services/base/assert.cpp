// Assertion reports: a failed consistency check is reported and the caller
// goes on, so the default handler only writes a line; hosts and tests swap
// in their own handler to log or record reports.

#include <cstdio>

#include "basesvc.h"

namespace {

void WriteReportToStandardError(const char* text, const char* sourcePath, int line) {
  std::fprintf(stderr, "KESO_assert: %s (%s:%d)\n", text != nullptr ? text : "",
               sourcePath != nullptr ? sourcePath : "", line);
}

KsAssertHandler currentAssertHandler = WriteReportToStandardError;

}  // namespace

void KESO_assert(const char* text, const char* sourcePath, int line) {
  currentAssertHandler(text, sourcePath, line);
}

KsAssertHandler KsSetAssertHandler(KsAssertHandler handler) {
  const KsAssertHandler previous = currentAssertHandler;
  currentAssertHandler = handler != nullptr ? handler : WriteReportToStandardError;
  return previous;
}
