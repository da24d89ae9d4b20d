// Command-line arguments of one kstm command: positional words and the
// options that the command declares. Options may stand anywhere; "--" ends
// them, so that a positional text may start with "--".
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kstm {

struct OptionSpec {
  const char* name;  // with its dashes, e.g. "--order"
  bool takesValue;
};

class Arguments {
 public:
  // Throws a bad-input CliError naming the command for an undeclared option
  // or an option without its value.
  Arguments(const char* command, int argc, char** argv, std::initializer_list<OptionSpec> options);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(const std::string& option) const { return values_.count(option) != 0; }
  std::optional<std::string> Value(const std::string& option) const;
  const char* Command() const { return command_; }

 private:
  const char* command_;
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
};

// Parses a whole number within [0, max]: decimal, or with 0x hexadecimal;
// with `hexadecimal` always hexadecimal, the 0x optional. Throws a bad-input
// CliError naming `what` otherwise.
unsigned ParseUnsigned(const std::string& text, unsigned max, const char* what, bool hexadecimal = false);

}  // namespace kstm
