#include "ksboolean/boolean_slots.h"

#include <cstring>

#include "ksobjid/identity_text.h"
#include "ksstring.h"
#include "kstypemgr.h"
#include "kstypes/class_text_records.h"

namespace ks {
namespace {

bool IsTrueText(const KsString& text) {
  for (const char* word : {"T", "t", "TRUE", "true", "1"}) {
    if (text.Len() == std::strlen(word) && std::strcmp(text.StrGet(), word) == 0) return true;
  }
  return false;
}

}  // namespace

KsString& BooleanPrintToString(KsString& out, void* values, const char*, unsigned) {
  const KsBoolean& value = *static_cast<const KsBoolean*>(values);
  unsigned char byte;
  std::memcpy(&byte, &value, 1);
  if (value.IsNullValue()) {
    out = KsTypeMgr::GetNullPrintString();
  } else {
    out = byte == 1 ? "TRUE" : "FALSE";
  }
  return out;
}

void* BooleanScanFromString(void* values, KsString& in, const char*, unsigned) {
  if (values == nullptr) return nullptr;
  KsBoolean& value = *static_cast<KsBoolean*>(values);
  KsString holder;
  const KsString& text = EightBitText(in, holder);
  if (BeginsWithNullPrintString(text)) {
    value.SetNullValue();
  } else {
    value = IsTrueText(text) ? 1 : 0;
  }
  return values;
}

void BooleanFromText(KsBoolean& value, const KsString* text) {
  if (text == nullptr) {
    value.SetNullValue();
  } else {
    BooleanScanFromString(&value, const_cast<KsString&>(*text), nullptr, 1);
  }
}

bool BooleanNext(KsBoolean& value) {
  if (value == 1) return false;
  value = 1;
  return true;
}

}  // namespace ks
