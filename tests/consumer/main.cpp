// Stores, compares, hashes and prints values through the default type
// manager, as the README shows.
#include <cstdio>
#include <cstring>

#include "kstypes.h"

int main() {
  ___KsTypemgrContext(1);
  KsTypeMgr& mgr = *DefaultTypeMgr();
  int values[2] = {1, 0x01020304};
  unsigned char stored[8];
  const unsigned written = mgr.Store(Ks4B_T, stored, values, 2, 2);
  const unsigned char expected[8] = {0, 0, 0, 1, 1, 2, 3, 4};
  int status = 0;
  const bool ok = written == 8 && std::memcmp(stored, expected, 8) == 0 &&
                  mgr.Cmp(Ks4B_T, &values[0], &values[1], 0, 1, 8) == -1 &&
                  mgr.Hash(Ks4B_T, 0, values, 1, 8, status) == 1103515245u;
  KsString text;
  mgr.PrintToKsString(Ks4B_T, text, values, nullptr, 2);
  const bool printed = std::strcmp(text.StrGet(), "1,16909060") == 0;
  std::printf("%s (%s)\n", ok && printed ? "consumer: ok" : "consumer: FAILED", text.StrGet());
  ___KsTypemgrContext(0);
  return ok && printed ? 0 : 1;
}
