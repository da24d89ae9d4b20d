// Realistic text for comparison tests and benchmarks, generated with a fixed
// seed: words built from German, French and Spanish stems with capitals,
// accents, compounds, hyphens and spaces; one-letter case and accent
// variants of them; and long texts of ASCII, accented and sharp-s prose.
// Everything is made in UTF-16 and converted to Windows-1252 (code set 1)
// and UTF-8 here, so that no converter library is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace reference {

// `count` distinct words in generation order (not sorted).
std::vector<std::u16string> RealisticWords(size_t count, uint32_t seed);

// The word with one letter changed in case or accent (é for e, E for e...);
// the word itself when it has no letter that can change.
std::u16string OneLetterVariant(const std::u16string& word, uint32_t seed);

enum class ProseKind { Ascii, Accented, SharpS };

// `length` characters of running text of the kind, starting `offset`
// characters into it.
std::u16string Prose(ProseKind kind, size_t length, size_t offset);

// Windows-1252 bytes of a text whose characters all have one there.
std::string ToWindows1252(const std::u16string& text);
std::string ToUtf8(const std::u16string& text);

}  // namespace reference
