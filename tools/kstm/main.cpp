// kstm: the type manager from a shell. See `kstm --help`.
#include <cstdio>
#include <cstring>
#include <exception>

#include "cli_error.h"
#include "commands.h"
#include "ksmodule.h"

namespace {

using kstm::kCommandCount;
using kstm::kCommands;

bool IsHelp(const char* word) {
  return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0;
}

int PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: kstm COMMAND [ARGUMENTS]\n       kstm --help | --version | COMMAND --help\n\ncommands:\n", out);
  for (int i = 0; i < kCommandCount; ++i)
    std::fprintf(out, "  %-6s %s\n", kCommands[i].name, kCommands[i].summary);
  std::fputs(
      "\nTYPE is a type name (o_4b), type-id name (Ks4B_T) or id (2).\n"
      "Exit status: 0 success, 2 bad arguments or input, 3 the type lacks the\n"
      "operation in this build of the library, 4 a demo scan missed a match.\n",
      out);
  return out == stdout ? kstm::kExitOk : kstm::kExitBadInput;
}

int PrintVersion() {
  const char* description = nullptr;
  const char* internalName = nullptr;
  const char* buildDate = nullptr;
  GetKsTypeMgrInfo(nullptr, nullptr, &description, &buildDate, &internalName);
  // The description ends in a blank.
  size_t length = std::strlen(description);
  while (length > 0 && description[length - 1] == ' ') --length;
  std::printf("kstm: %.*s (%s, %s)\n", static_cast<int>(length), description, internalName, buildDate);
  return kstm::kExitOk;
}

const kstm::Command* FindCommand(const char* name) {
  for (int i = 0; i < kCommandCount; ++i) {
    if (std::strcmp(kCommands[i].name, name) == 0) return &kCommands[i];
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return PrintUsage(stderr);
  const char* word = argv[1];
  if (IsHelp(word) || std::strcmp(word, "help") == 0) {
    if (argc > 2 && FindCommand(argv[2]) != nullptr) {
      std::fputs(FindCommand(argv[2])->help, stdout);
      return kstm::kExitOk;
    }
    return PrintUsage(stdout);
  }
  if (std::strcmp(word, "--version") == 0 || std::strcmp(word, "version") == 0) return PrintVersion();
  const kstm::Command* command = FindCommand(word);
  if (command == nullptr) {
    std::fprintf(stderr, "kstm: unknown command '%s' (see kstm --help)\n", word);
    return kstm::kExitBadInput;
  }
  for (int i = 2; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (IsHelp(argv[i])) {
      std::fputs(command->help, stdout);
      return kstm::kExitOk;
    }
  }
  try {
    return command->run(argc - 2, argv + 2);
  } catch (const kstm::CliError& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "kstm %s: %s\n", command->name, error.message.c_str());
    return error.status;
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "kstm %s: %s\n", command->name, error.what());
    return 1;
  }
}
