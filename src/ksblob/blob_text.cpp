// KsBlob text: a placeholder with the length, since the content has no text
// form; scanning recognises only the null text.
#include <string>

#include "ksblob/blob_slots.h"
#include "ksobjid/identity_text.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace ks {
namespace {

constexpr char kBlobFormat[] = "[BLOB,len=%L]";

}  // namespace

void BlobFromText(KsBlob& blob, const KsString* text) {
  if (text == nullptr) blob.SetNullValue();
}

KsString& BlobPrintToString(KsString& out, void* values, const char* format, unsigned) {
  const KsBlob& blob = *static_cast<const KsBlob*>(values);
  if (blob.IsNullValue()) {
    out = KsTypeMgr::GetNullPrintString();
    return out;
  }
  if (format == nullptr) format = kBlobFormat;
  std::string text;
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') {
      text += *f;
      continue;
    }
    const char directive = *++f;
    if (directive == '\0') break;
    if (directive == 'L') {
      text += std::to_string(blob.Length());
    } else {
      text += directive;
    }
  }
  out << text.c_str();
  return out;
}

void* BlobScanFromString(void* values, KsString& in, const char*, unsigned) {
  if (values == nullptr) return nullptr;
  if (BeginsWithNullPrintString(in)) static_cast<KsBlob*>(values)->SetNullValue();
  return values;
}

}  // namespace ks
