#include "reference/word_list.h"

#include <iterator>
#include <random>
#include <set>

namespace reference {

namespace {

// Stems as they occur in running text, lower case; nouns are capitalised
// when words are built.
const char16_t* const kGermanStems[] = {
    u"haus",   u"straße",  u"garten",  u"fuß",     u"groß",   u"weiß",  u"gruß",   u"maß",    u"spaß",
    u"bahn",   u"hof",     u"stadt",   u"müller",  u"schön",  u"grün",  u"über",   u"tür",    u"bäcker",
    u"käse",   u"öl",      u"wasser",  u"schloss", u"schiff", u"fahrt", u"arbeit", u"zeit",   u"mäßig",
    u"bürger", u"meister", u"rathaus", u"platz",   u"kirche", u"wald",  u"weg",    u"berg",   u"see",
    u"brücke", u"händler", u"strauß",  u"blumen",  u"gemüse", u"markt", u"lehrer", u"schule", u"kind",
};
const char16_t* const kFrenchStems[] = {
    u"café",  u"élève", u"crème",   u"château", u"forêt", u"hôtel",   u"garçon",  u"façade", u"cœur",
    u"œuvre", u"sœur",  u"bœuf",    u"nœud",    u"être",  u"fenêtre", u"théâtre", u"école",  u"église",
    u"mère",  u"père",  u"frère",   u"rivière", u"île",   u"maïs",    u"noël",    u"naïf",   u"déjà",
    u"voilà", u"où",    u"bientôt", u"côte",    u"pâte",  u"rôle",    u"âge",     u"cæcum",  u"ex æquo",
};
const char16_t* const kSpanishStems[] = {
    u"niño",  u"señor",  u"mañana", u"año",    u"español", u"corazón", u"canción", u"jardín",  u"árbol",
    u"lápiz", u"música", u"pájaro", u"última", u"camión",  u"avión",   u"fútbol",  u"cigüeña", u"pingüino",
    u"llave", u"calle",  u"chico",  u"noche",  u"leche",   u"mucho",   u"ciudad",  u"río",     u"día",
};
const char16_t* const kJoiners[] = {u" de ", u" la ", u" und ", u" y ", u"-", u" "};

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0x153) return 0x152;  // œ
  return c;
}

char16_t Lower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c == 0x152) return 0x153;
  return c;
}

template <size_t N>
const char16_t* Pick(std::mt19937& random, const char16_t* const (&stems)[N]) {
  return stems[random() % N];
}

const char16_t* AnyStem(std::mt19937& random) {
  switch (random() % 3) {
    case 0:
      return Pick(random, kGermanStems);
    case 1:
      return Pick(random, kFrenchStems);
    default:
      return Pick(random, kSpanishStems);
  }
}

std::u16string Word(std::mt19937& random) {
  std::u16string word = AnyStem(random);
  const unsigned shape = random() % 20;
  if (shape < 6) {
    word += Pick(random, kGermanStems);  // compound
  } else if (shape < 8) {
    word += Pick(random, kJoiners);
    word += AnyStem(random);
  } else if (shape < 9) {
    word += u"-";
    std::u16string second = AnyStem(random);
    second[0] = Upper(second[0]);
    word += second;
  }
  const unsigned casing = random() % 20;
  if (casing < 8) word[0] = Upper(word[0]);
  if (casing == 8) {
    for (char16_t& c : word) c = Upper(c);
  }
  return word;
}

// Pairs of letters that differ only in accent, both ways.
const char16_t kAccentPairs[][2] = {{u'a', 0xE4}, {u'a', 0xE0}, {u'e', 0xE9}, {u'e', 0xE8}, {u'o', 0xF6},
                                    {u'o', 0xF4}, {u'u', 0xFC}, {u'i', 0xEE}, {u'n', 0xF1}, {u'c', 0xE7}};

}  // namespace

std::vector<std::u16string> RealisticWords(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::set<std::u16string> seen;
  std::vector<std::u16string> words;
  while (words.size() < count) {
    std::u16string word = Word(random);
    if (seen.insert(word).second) words.push_back(std::move(word));
  }
  return words;
}

std::u16string OneLetterVariant(const std::u16string& word, uint32_t seed) {
  std::mt19937 random(seed);
  std::u16string variant = word;
  for (size_t attempt = 0; attempt < 2 * word.size(); ++attempt) {
    char16_t& c = variant[random() % variant.size()];
    if (random() % 2 == 0 && Upper(c) != Lower(c)) {
      c = c == Upper(c) ? Lower(c) : Upper(c);
      return variant;
    }
    for (const auto& pair : kAccentPairs) {
      if (Lower(c) == pair[0] || Lower(c) == pair[1]) {
        const char16_t other = Lower(c) == pair[0] ? pair[1] : pair[0];
        c = c == Lower(c) ? other : Upper(other);
        return variant;
      }
    }
  }
  return variant;
}

std::u16string Prose(ProseKind kind, size_t length, size_t offset) {
  static const std::u16string kAscii =
      u"The quick brown fox jumps over the lazy dog while the farmer counts his sheep in the morning light ";
  static const std::u16string kAccented =
      u"L'élève déjà célèbre préfère le café crème à l'hôtel près de la forêt où naît la rivière ";
  static const std::u16string kSharpS =
      u"Die große Straße führt über den Fluß zum Schloß, wo man gemäß dem Gruß weiße Strauße grüßt ";
  const std::u16string& source = kind == ProseKind::Ascii      ? kAscii
                                 : kind == ProseKind::Accented ? kAccented
                                                               : kSharpS;
  std::u16string text;
  text.reserve(length);
  for (size_t i = 0; i < length; ++i) text += source[(offset + i) % source.size()];
  return text;
}

std::string ToWindows1252(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c == 0x153) {
      out += '\x9C';
    } else if (c == 0x152) {
      out += '\x8C';
    } else {
      out += static_cast<char>(c < 0x100 ? c : '?');
    }
  }
  return out;
}

std::string ToUtf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace reference
