// The registered code sets: 1 (Windows-1252, native), 2 (ISO 8859-2),
// 253 (Unicode BMP) and 254 (raw units).
#include "code_sets.h"
#include "collation_data.h"
#include "never_destroyed.h"
#include "unicode_collation.h"

namespace ksi18n {
namespace {

struct Registry {
  UnicodeCharTable unicodeTable;
  EightBitCharTable windows1252Table{kWindows1252Map, unicodeTable};
  EightBitCharTable latin2Table{kLatin2Map, unicodeTable};
  EightBitCodeSet windows1252{KS_CODESET_WINDOWS_1252, kWindows1252Map, &windows1252Table};
  EightBitCodeSet latin2{KS_CODESET_LATIN2, kLatin2Map, &latin2Table};
  SixteenBitCodeSet unicode{KS_CODESET_UNICODE, &unicodeTable, kClassLatin};
  // Raw units have no table: the collation iterator orders them by value,
  // and character classification reads them as Unicode.
  RawCodeSet raw{KS_CODESET_RAW};
};

Registry& TheRegistry() {
  static NeverDestroyed<Registry> registry;
  return *registry;
}

}  // namespace

const I18nCodeSet* FindCodeSet(unsigned char id) {
  Registry& registry = TheRegistry();
  switch (id) {
    case KS_CODESET_BYTES:
      return FindCodeSet(KsLanguageContext::GetNativeCodeSet());
    case KS_CODESET_WINDOWS_1252:
      return &registry.windows1252;
    case KS_CODESET_LATIN2:
      return &registry.latin2;
    case KS_CODESET_UNICODE:
      return &registry.unicode;
    case KS_CODESET_RAW:
      return &registry.raw;
    default:
      return nullptr;
  }
}

void PrepareCodeSets() {
  TheRegistry().unicodeTable.Prepare();
}

}  // namespace ksi18n
