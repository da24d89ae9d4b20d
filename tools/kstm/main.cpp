// kstm: the type manager from a shell.
//
//   kstm types            the type table: ids, names, formats, sizes, null support
//   kstm version          module information
#include <cstdio>
#include <cstring>

#include "ksmodule.h"
#include "kstypemgr.h"

namespace {

int PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: kstm <command>\n"
      "  types     print the type table\n"
      "  version   print module information\n",
      out);
  return out == stdout ? 0 : 2;
}

int PrintTypes() {
  ___KsTypemgrContext(1);
  const KsTypeMgr& mgr = *DefaultTypeMgr();
  std::printf("%-3s %-16s %-18s %-6s %-8s %-4s %s\n", "id", "name", "type-id name", "size", "length", "null",
              "default format");
  for (int id = 0; id < KS_TYPE_COUNT; ++id) {
    const char type = static_cast<char>(id);
    std::printf("%-3d %-16s %-18s %-6u %-8s %-4s \"%s\"\n", id, mgr.NameGet(type), mgr.TypeIdNameGet(type),
                mgr.MemLenGet(type), mgr.IsFixed(type) ? "fixed" : "variable",
                mgr.SupportsNullValue(type) ? "yes" : "no",
                const_cast<KsTypeMgr&>(mgr).ExchangeFormat(type, nullptr));
  }
  ___KsTypemgrContext(0);
  return 0;
}

int PrintVersion() {
  const char* toolchain = nullptr;
  unsigned toolchainVersion = 0;
  const char* description = nullptr;
  const char* buildDate = nullptr;
  const char* internalName = nullptr;
  GetKsTypeMgrInfo(&toolchain, &toolchainVersion, &description, &buildDate, &internalName);
  std::printf("%s(%s, built %s with %s)\n", description, internalName, buildDate, toolchain);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return PrintUsage(stderr);
  const char* command = argv[1];
  if (std::strcmp(command, "types") == 0) return PrintTypes();
  if (std::strcmp(command, "version") == 0) return PrintVersion();
  if (std::strcmp(command, "help") == 0 || std::strcmp(command, "--help") == 0) return PrintUsage(stdout);
  std::fprintf(stderr, "kstm: unknown command '%s'\n", command);
  return PrintUsage(stderr);
}
