#include "session.h"

#include "ksmodule.h"
#include "ksstring.h"

namespace kstm {

Session::Session(const Arguments& args) : legacy_(0), mgr_(nullptr) {
  ___KsTypemgrContext(1);
  mgr_ = args.Has("--legacy") ? &legacy_ : DefaultTypeMgr();
}

Session::~Session() {
  ___KsTypemgrContext(0);
}

const char* FormatOption(const Arguments& args, std::optional<std::string>& storage) {
  storage = args.Value("--format");
  return storage ? storage->c_str() : nullptr;
}

unsigned short CmpOpOption(const Arguments& args) {
  const std::optional<std::string> text = args.Value("--cmpop");
  if (!text) return KsString::GetDefaultCmpOp();
  return static_cast<unsigned short>(ParseUnsigned(*text, 0xFFFF, "--cmpop", true));
}

void ApplyLanguageOption(const Arguments& args) {
  const std::optional<std::string> text = args.Value("--lang");
  if (text) KsString::SetDefaultLanguage(static_cast<unsigned char>(ParseUnsigned(*text, 253, "--lang")));
}

}  // namespace kstm
