// Failures of a kstm command: a message for standard error and the exit
// status. Commands throw them; main() prints and exits.
#pragma once

#include <string>
#include <utility>

namespace kstm {

// Exit statuses of the tool.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;      // bad arguments, malformed text, hex or records, empty input
constexpr int kExitNotSupported = 3;  // the type has no such operation in this build of the library
constexpr int kExitUnsound = 4;       // demo: a scan between the recorded bounds missed a match

struct CliError {
  CliError(int exitStatus, std::string text) : status(exitStatus), message(std::move(text)) {}
  int status;
  std::string message;
};

inline CliError BadInput(std::string text) {
  return CliError(kExitBadInput, std::move(text));
}

}  // namespace kstm
