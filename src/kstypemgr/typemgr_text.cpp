// KsTypeMgr: printing and scanning, and the null print string.
#include "ksstring.h"
#include "kstypemgr.h"
#include "kstypes/primitive_text.h"
#include "kstypes/typedesc.h"

namespace {

// Printed in place of a null value and recognised when scanning. Built on
// first use (the library's start-up reaches it before any host call) and
// destroyed when the library is unloaded.
KsString& NullPrintString() {
  static KsString text("{NULL}");
  return text;
}

// Touch it while the library loads, so that it exists before any caller.
[[maybe_unused]] const KsString& gNullPrintStringAtStartUp = NullPrintString();

}  // namespace

const KsString& KsTypeMgr::GetNullPrintString() { return NullPrintString(); }

void KsTypeMgr::SetNullPrintString(const KsString& text) { NullPrintString() = text; }

KsString& KsTypeMgr::PrintToKsString(char type, KsString& out, void* values, const char* format,
                                     unsigned count) const {
  const KsTypeDescriptor& d = Descriptor(type);
  KsPrintToKsStringFunc print = d.printToString;
  if (print == nullptr) return out;
  if (format == nullptr) format = d.format;
  // The character printer writes a whole array itself, without separators.
  if (count < 2 || print == ks::CharPrintToString) return print(out, values, format, count);
  for (unsigned i = 0; i < count; ++i) {
    KsString element;
    print(element, GetArrayElement(type, values, i, count), format, 1);
    out += element;
    if (i + 1 < count) out << ",";
  }
  return out;
}

void* KsTypeMgr::ScanFromKsString(char type, void* values, KsString& in, const char* format,
                                  unsigned count) const {
  const KsTypeDescriptor& d = Descriptor(type);
  if (d.scanFromString == nullptr) return values;
  return d.scanFromString(values, in, format != nullptr ? format : d.format, count);
}
