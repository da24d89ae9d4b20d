// Changing the code set of a KsString: converting, relabelling and copying
// converted characters.
#include <cstdlib>

#include "ksstring.h"
#include "ksstring/units.h"

namespace {

constexpr int kInvalidArgument = -2002;

}  // namespace

int KsString::MapToCodeSet(unsigned char newCodeSet) {
  if (newCodeSet == 0) return kInvalidArgument;
  if (newCodeSet == codeSet) return 0;
  const unsigned short count = Len();
  const unsigned char oldCodeSet = codeSet;
  char* old = buffer;
  const uint16_t oldSize = byteSize;
  // The splice reads the old characters while it builds the new buffer, so
  // it must not see the old size in the new width.
  buffer = nullptr;
  byteSize = 0;
  codeSet = newCodeSet;
  Splice(old, oldCodeSet, 0, 0, count, 1, SpliceMode::Place, ksstring::kMemoryFormat);
  if (buffer == nullptr && count > 0 && oldSize > 0) {
    // The allocation failed: keep the old characters and label.
    buffer = old;
    byteSize = oldSize;
    codeSet = oldCodeSet;
    return 0;
  }
  std::free(old);
  return 0;
}

int KsString::SetCodeSet(unsigned char newCodeSet) {
  if (ksstring::WidthOf(newCodeSet) != CharWidth() && buffer != nullptr) {
    MapToCodeSet(ksstring::ResolveCodeSet(newCodeSet));
  }
  codeSet = newCodeSet;
  return 0;
}

int KsString::SetCodeSetCode(unsigned char newCodeSet) {
  if (ksstring::WidthOf(newCodeSet) != CharWidth()) return kInvalidArgument;
  codeSet = newCodeSet;
  return 0;
}

int KsString::CopyMapped(const KsString& src, unsigned char newCodeSet, short length) {
  if (&src == this) return kInvalidArgument;
  FreeBuffer();
  codeSet = newCodeSet;
  language = src.language;
  const unsigned short available = src.Len();
  const unsigned short count = length < 0 || static_cast<unsigned short>(length) > available
                                   ? available
                                   : static_cast<unsigned short>(length);
  Splice(src.buffer, src.codeSet, 0, 0, count, 1, SpliceMode::Place, ksstring::kMemoryFormat);
  return 0;
}
