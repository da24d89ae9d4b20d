#include "run_kstm.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace kstm_test {
namespace {

class TempFile {
 public:
  TempFile() {
    char name[] = "/tmp/kstm-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    close(fd);
    path_ = name;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }
  std::string Read() const { return ReadFile(path_); }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string path_;
};

}  // namespace

Outcome RunKstm(const std::vector<std::string>& args, const std::string& input) {
  TempFile in, out, err;
  {
    std::ofstream write(in.Path(), std::ios::binary);
    write << input;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.Path().c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.Path().c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.Path().c_str(), O_WRONLY | O_TRUNC, 0);
  std::vector<char*> argv;
  std::string program = KSTM_PROGRAM;
  argv.push_back(program.data());
  std::vector<std::string> copies(args);
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot run " + program);
  int wait = 0;
  waitpid(pid, &wait, 0);
  const int status = WIFEXITED(wait) ? WEXITSTATUS(wait) : 128 + WTERMSIG(wait);
  return {status, out.Read(), err.Read()};
}

bool ReportsMissingSlot(const Outcome& outcome, const std::string& command) {
  static const std::regex missing(
      "kstm [a-z]+: type [A-Za-z_0-9]+ \\([0-9]+\\) (has no [A-Za-z]+ slot in this build of the library|is "
      "the "
      "illegal type: it supports no operation)\n");
  return outcome.status == 3 && outcome.out.empty() && std::regex_match(outcome.err, missing) &&
         outcome.err.rfind("kstm " + command + ":", 0) == 0;
}

std::string ReadSourceFile(const std::string& path) {
  return TempFile::ReadFile(std::string(KSTYPES_SOURCE_ROOT) + "/" + path);
}

}  // namespace kstm_test
