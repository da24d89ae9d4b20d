// The commands of kstm. Each receives the words after its name, returns the
// exit status, and throws CliError for a failure.
#pragma once

namespace kstm {

struct Command {
  const char* name;
  const char* summary;
  const char* help;  // usage and description, printed by --help
  int (*run)(int argc, char** argv);
};

int RunTypes(int argc, char** argv);
int RunStore(int argc, char** argv);
int RunLoad(int argc, char** argv);
int RunCmp(int argc, char** argv);
int RunHash(int argc, char** argv);
int RunSort(int argc, char** argv);
int RunEval(int argc, char** argv);
int RunDemo(int argc, char** argv);

extern const Command kCommands[];
extern const int kCommandCount;

}  // namespace kstm
