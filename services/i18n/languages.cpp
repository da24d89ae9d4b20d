// The language objects and their initial variant switches.
#include "languages.h"

#include <iterator>

namespace ksi18n {
namespace {

struct LanguageInfo {
  unsigned char id;
  const char* name;
  bool variantSwitch;
};

// Indexed by id. Languages without tailorings start with the switch off;
// the tailored ones start with it on, since their order is why one picks
// them.
constexpr LanguageInfo kLanguageInfo[] = {
    {KS_LANGUAGE_ENGLISH, "English", false},
    {KS_LANGUAGE_GERMAN, "German", false},
    {KS_LANGUAGE_SWEDISH, "Swedish", true},
    {KS_LANGUAGE_SPANISH, "Spanish", true},
    {KS_LANGUAGE_SPANISH_TRADITIONAL, "Traditional Spanish", true},
    {KS_LANGUAGE_DANISH, "Danish", true},
};

constexpr bool IndexedById() {
  for (size_t i = 0; i < std::size(kLanguageInfo); ++i) {
    if (kLanguageInfo[i].id != i) return false;
  }
  return true;
}
static_assert(IndexedById());

KsLanguage MakeLanguage(size_t index) {
  const LanguageInfo& info = kLanguageInfo[index];
  return KsLanguage(info.id, info.name, info.variantSwitch);
}

KsLanguage* Languages() {
  // KsLanguage is trivially destructible, so this array is never torn down.
  static KsLanguage languages[] = {MakeLanguage(0), MakeLanguage(1), MakeLanguage(2),
                                   MakeLanguage(3), MakeLanguage(4), MakeLanguage(5)};
  static_assert(std::size(languages) == std::size(kLanguageInfo));
  return languages;
}

}  // namespace

KsLanguage* FindLanguage(unsigned char id) {
  if (id >= std::size(kLanguageInfo)) return nullptr;
  return &Languages()[id];
}

void ResetLanguageSwitches() {
  for (const LanguageInfo& info : kLanguageInfo) {
    Languages()[info.id].SetVariantSwitch(info.variantSwitch);
  }
}

}  // namespace ksi18n
