// Runs the built kstm program with arguments and standard input and
// captures its standard output, standard error and exit status.
#pragma once

#include <string>
#include <vector>

namespace kstm_test {

struct Outcome {
  int status;  // exit status; 128 + signal number when a signal ended it
  std::string out;
  std::string err;
};

Outcome RunKstm(const std::vector<std::string>& args, const std::string& input = "");

// Whether the command (store, load, ...) ended as kstm reports a type that
// lacks a slot in this build of the library: status 3, the one message.
bool ReportsMissingSlot(const Outcome& outcome, const std::string& command);

// The contents of a file of the source tree (path relative to its root).
std::string ReadSourceFile(const std::string& path);

}  // namespace kstm_test
