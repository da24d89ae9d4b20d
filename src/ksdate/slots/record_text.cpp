#include "ksdate/slots/record_text.h"

#include <cstring>

#include "format/number_text.h"
#include "kstypes/class_text_records.h"

namespace ks::dateslots {

ColonText ReadColonText(const KsString& text) {
  KsString holder;
  const char* p = EightBitText(text, holder).StrGet();
  ColonText result{p[0] == ':', ksformat::ReadInt32(p, 10), false, 0, false, 0};
  const char* colon = std::strchr(p, ':');
  if (colon == nullptr) return result;
  result.hasColon = true;
  result.afterColon = ksformat::ReadInt32(colon + 1, 10);
  const char* dot = std::strchr(colon + 1, '.');
  if (dot == nullptr) return result;
  result.hasDot = true;
  result.afterDot = ksformat::ReadInt32(dot + 1, 10);
  return result;
}

}  // namespace ks::dateslots
