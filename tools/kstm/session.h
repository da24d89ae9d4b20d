// What every command of the tool shares: the open library context, the type
// manager of the current or the legacy table, and the options that several
// commands accept (--legacy, --order, --format, --cmpop, --lang).
#pragma once

#include <optional>
#include <string>

#include "arguments.h"
#include "kstypemgr.h"

namespace kstm {

class Session {
 public:
  // Opens the library context; with --legacy the commands use a manager of
  // the legacy table (factory 0), otherwise the default manager.
  explicit Session(const Arguments& args);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  KsTypeMgr& Mgr() { return *mgr_; }

 private:
  KsTypeMgr legacy_;
  KsTypeMgr* mgr_;
};

// --format FMT, or null for the type's default format.
const char* FormatOption(const Arguments& args, std::optional<std::string>& storage);
// --cmpop HEX (with or without 0x), else the library's default operator.
unsigned short CmpOpOption(const Arguments& args);
// --lang ID (0 to 253) becomes the default language of the strings that the
// command builds from text.
void ApplyLanguageOption(const Arguments& args);

}  // namespace kstm
