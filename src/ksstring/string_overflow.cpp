#include "ksstring/string_overflow.h"

#include <cstdint>

#include "basesvc.h"

namespace ksstring {

void ReportStringOverflow() {
  // The all-ones pointer asks for the process configuration.
  KsConfig* config = DefaultConfig(reinterpret_cast<KsConfig*>(~uintptr_t{0}));
  int enabled = 0;
  if (config == nullptr || config->GetBool("stringOverflow", "debug", enabled) == 0 || enabled == 0) return;
  KESO_assert("String overflow", "src/ksstring", 1110);
}

}  // namespace ksstring
