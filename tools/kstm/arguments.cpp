#include "arguments.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cli_error.h"

namespace kstm {

Arguments::Arguments(const char* command, int argc, char** argv, std::initializer_list<OptionSpec> options)
    : command_(command) {
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (optionsEnded || word.size() < 3 || word.compare(0, 2, "--") != 0) {
      if (!optionsEnded && word == "--") {
        optionsEnded = true;
        continue;
      }
      positional_.push_back(word);
      continue;
    }
    const OptionSpec* option = nullptr;
    for (const OptionSpec& candidate : options) {
      if (word == candidate.name) option = &candidate;
    }
    if (option == nullptr) {
      throw BadInput("unknown option '" + word + "' (see kstm " + command + " --help)");
    }
    if (!option->takesValue) {
      values_[word] = "";
      continue;
    }
    if (i + 1 >= argc) throw BadInput("option " + word + " needs a value");
    values_[word] = argv[++i];
  }
}

std::optional<std::string> Arguments::Value(const std::string& option) const {
  const auto found = values_.find(option);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

unsigned ParseUnsigned(const std::string& text, unsigned max, const char* what, bool hexadecimal) {
  const bool prefixed = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const bool hex = hexadecimal || prefixed;
  const std::string digits = prefixed ? text.substr(2) : text;
  bool valid = !digits.empty();
  for (char c : digits) {
    const bool digit = c >= '0' && c <= '9';
    const bool hexDigit = digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!(hex ? hexDigit : digit)) valid = false;
  }
  if (valid) {
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
    if (errno == 0 && value <= max) return static_cast<unsigned>(value);
  }
  char maxText[16];
  std::snprintf(maxText, sizeof maxText, hexadecimal ? "%X" : "%u", max);
  throw BadInput(std::string(what) + " must be a " + (hexadecimal ? "hexadecimal " : "") +
                 "number from 0 to " + maxText + ", not '" + text + "'");
}

}  // namespace kstm
