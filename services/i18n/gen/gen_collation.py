#!/usr/bin/env python3
"""Writes ../collation_data.h and ../collation_data.cpp: the collation rows
of code set 253 (Unicode BMP) before any language tailoring.

Only the Python standard library is used (unicodedata). Running the script
again with the same Unicode version rewrites the same files byte for byte.

Order ranges (16-bit):
  1..79            space class; 13 marks characters of undefined ordering
                   (controls and invisible format characters)
  80 + index       symbols; the indexes below 140 are the ones that order
                   descriptions name, the others follow in code point order
  0x3F00 + 10*v    digits of value v; bit 0 set when the digit expands
  0x4000..0x7FFF   Latin letters: bits 2..6 letter (A = 3), bits 7..11
                   accent, bits 12..13 case (0 upper, 1 lower)
  0x8000..         letters of other scripts (and Latin letters without a
                   base in A..Z), numbered per script class in sort order
"""
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
# The committed output was made from this Unicode version; another version
# changes the tables, so it has to be asked for.
UNICODE_VERSION = "14.0.0"
OUT_H = os.path.join(HERE, "..", "collation_data.h")
OUT_CPP = os.path.join(HERE, "..", "collation_data.cpp")

# Script classes: the class byte orders whole scripts against each other.
CLASSES = ["Latin", "Greek", "Cyrillic", "Armenian", "Hebrew", "Arabic", "Thai", "Georgian", "Kana",
           "Hangul", "Han"]
# Classes start at 1: an order key carries its class byte where a string
# record has its language, and code set 254 with language 0 is the null value,
# so no class may be 0.
FIRST_CLASS = 1
CLASS_OF = {name: FIRST_CLASS + i for i, name in enumerate(CLASSES)}
UNDEFINED_CLASS = 20

# Blocks that get one row per assigned character, with the class their
# letters belong to. Characters of the common blocks (punctuation, symbols,
# digits) are class Latin, the class of the neutral languages.
ROW_BLOCKS = [
    (0x0000, 0x024F, "Latin"),     # Basic Latin .. Latin Extended-B
    (0x02B0, 0x02FF, "Latin"),     # spacing modifier letters
    (0x0300, 0x036F, "Latin"),     # combining diacritical marks
    (0x0370, 0x03FF, "Greek"),
    (0x0400, 0x052F, "Cyrillic"),  # Cyrillic and its supplement
    (0x0530, 0x058F, "Armenian"),
    (0x0590, 0x05FF, "Hebrew"),
    (0x0600, 0x06FF, "Arabic"),
    (0x0E00, 0x0E7F, "Thai"),
    (0x10A0, 0x10FF, "Georgian"),
    (0x1E00, 0x1EFF, "Latin"),     # Latin Extended Additional
    (0x1F00, 0x1FFF, "Greek"),     # Greek Extended
    (0x2000, 0x206F, "Latin"),     # general punctuation
    (0x2070, 0x209F, "Latin"),     # superscripts and subscripts
    (0x20A0, 0x20CF, "Latin"),     # currency symbols
    (0x2100, 0x214F, "Latin"),     # letterlike symbols
    (0x2150, 0x218F, "Latin"),     # number forms
    (0x2190, 0x21FF, "Latin"),     # arrows
    (0x2200, 0x22FF, "Latin"),     # mathematical operators
    (0x3000, 0x303F, "Kana"),      # CJK symbols and punctuation
    (0x3040, 0x30FF, "Kana"),      # Hiragana, Katakana
    (0xFB00, 0xFB06, "Latin"),     # Latin ligatures
    (0xFEFF, 0xFEFF, "Latin"),     # byte order mark
    (0xFFFD, 0xFFFD, "Latin"),     # replacement character
]
# Every unit below this has a row, so that lookups there index directly.
DIRECT_ROWS = 0x250

# Ideographic blocks whose orders follow the code points; they are built on
# demand from these ranges instead of being listed.
RANGE_BLOCKS = [
    (0x3400, 0x4DBF, "Han"),
    (0x4E00, 0x9FFF, "Han"),
    (0xAC00, 0xD7A3, "Hangul"),
]

SPACE_ORDERS = {0x09: 9, 0x0A: 10, 0x0B: 11, 0x0C: 12, 0x0D: 14, 0x85: 15, 0x20: 32, 0xA0: 33,
                0x2028: 45, 0x2029: 46, 0x202F: 47, 0x205F: 48, 0x3000: 49}
SPACE_ORDERS.update({0x2000 + i: 34 + i for i in range(11)})
UNDEFINED_ORDERING = 13

# Symbol indexes with a name in order descriptions, and a few quotation marks
# placed beside their ASCII relatives.
NAMED_SYMBOLS = {
    0x5F: 32, 0xAF: 34, 0xAD: 35, 0x2D: 36, 0x2C: 37, 0x3B: 38, 0x3A: 39, 0x21: 40, 0xA1: 41,
    0x3F: 42, 0x2F: 44, 0x2E: 46, 0xB7: 49, 0xB8: 50, 0x27: 52, 0x22: 55, 0xAB: 58, 0xBB: 59,
    0x28: 60, 0x29: 62, 0x5B: 64, 0x5D: 65, 0x7B: 66, 0x7D: 67, 0xA7: 68, 0xB6: 69, 0xA9: 70,
    0xAE: 71, 0x40: 73, 0xA4: 74, 0xA2: 75, 0x24: 76, 0xA3: 77, 0xA5: 78, 0x2A: 79, 0x5C: 80,
    0x26: 81, 0x23: 82, 0x25: 83, 0x2B: 85, 0xB1: 87, 0xB4: 88, 0x60: 89, 0x5E: 91, 0xA8: 94,
    0x7E: 96, 0xF7: 98, 0xD7: 99, 0x3C: 101, 0x3D: 103, 0x3E: 105, 0xAC: 106, 0x7C: 107,
    0xA6: 108, 0xB0: 109, 0xB5: 110, 0xBF: 139,
    0x201A: 51, 0x2018: 53, 0x2019: 54, 0x201C: 56, 0x201D: 57,
}
FIRST_UNNAMED_SYMBOL = 140

# Accent numbers 1..14 are the ones order descriptions name.
NAMED_ACCENTS = {"CEDILLA": 1, "ACUTE": 2, "GRAVE": 3, "CIRCUMFLEX": 4, "TILDE": 5, "DIAERESIS": 6,
                 "RING ABOVE": 7, "STROKE": 8, "CARON": 9, "MACRON": 10, "BREVE": 11, "DOT ABOVE": 12,
                 "OGONEK": 13, "DOUBLE ACUTE": 14}
STROKE_LIKE = {"BAR", "DIAGONAL STROKE", "HIGH STROKE", "MIDDLE TILDE"}
ACCENT_LIGATURE = 15      # first letter of a ligature or letter pair
ACCENT_ALTERED_FORM = 16  # dotless i, long s, ordinal indicators, modifier letters
ACCENT_HOOK = 17          # hooks, tails, curls and other shape changes
UNNAMED_SINGLE = {"DOT BELOW": 18, "COMMA BELOW": 19, "HORN": 20, "MIDDLE DOT": 21, "LINE BELOW": 22,
                  "HOOK ABOVE": 23}
HOOK_WORDS = ("HOOK", "TAIL", "CURL", "LOOP", "BELT", "TOPBAR", "LEG", "HALF RING")
ACCENT_OTHER_SINGLE = 24
# Letters with two marks, told apart by their last mark.
COMBINED_BY_LAST = {"ACUTE": 25, "GRAVE": 26, "HOOK ABOVE": 27, "TILDE": 28, "DOT BELOW": 29, "MACRON": 30}
ACCENT_OTHER_COMBINED = 31

# Latin letters named by more than one base letter (ligatures and pairs),
# and single letters that are an altered form of an A..Z letter.
LETTER_PAIRS = {"AE": "AE", "OE": "OE", "IJ": "IJ", "DZ": "DZ", "LJ": "LJ", "NJ": "NJ", "OI": "OI",
                "OU": "OU", "HV": "HV", "SHARP S": "SS", "THORN": "TH", "DB DIGRAPH": "DB",
                "QP DIGRAPH": "QP", "MIDDLE-WELSH LL": "LL", "FF": "FF", "FI": "FI", "FL": "FL",
                "FFI": "FFI", "FFL": "FFL", "LONG S T": "ST", "ST": "ST"}
ALTERED_FORMS = {"DOTLESS I": "I", "DOTLESS J": "J", "LONG S": "S", "KRA": "K", "SMALL Q": "Q",
                 "N PRECEDED BY APOSTROPHE": "N", "MIDDLE-WELSH V": "V"}

COMPAT_TAGS = {"<compat>", "<super>", "<sub>", "<fraction>", "<font>", "<wide>", "<narrow>",
               "<square>", "<circle>", "<noBreak>"}


def letter_order(letter, accent, lower, extension=0):
    assert "A" <= letter <= "Z" and 0 <= accent < 32
    return 0x4000 | ((1 if lower else 0) << 12) | (accent << 7) | ((ord(letter) - 0x3E) << 2) | extension


def with_accent(order, accent):
    return (order & ~(31 << 7)) | (accent << 7)


def is_letter_order(order):
    return isinstance(order, int) and 0x4000 <= order < 0x8000


def is_digit_order(order):
    return isinstance(order, int) and 0x3F00 <= order < 0x4000


def accent_of(marks):
    if not marks:
        return 0
    if len(marks) == 1:
        mark = marks[0]
        if mark in NAMED_ACCENTS:
            return NAMED_ACCENTS[mark]
        if mark in STROKE_LIKE:
            return NAMED_ACCENTS["STROKE"]
        if mark in UNNAMED_SINGLE:
            return UNNAMED_SINGLE[mark]
        if any(word in mark for word in HOOK_WORDS):
            return ACCENT_HOOK
        return ACCENT_OTHER_SINGLE
    return COMBINED_BY_LAST.get(marks[-1], ACCENT_OTHER_COMBINED)


LATIN_NAME = re.compile(r"LATIN (CAPITAL|SMALL) (LETTER|LIGATURE) (.+)$")
TITLE_PAIR = re.compile(r"([A-Z]) WITH SMALL LETTER ([A-Z])(?: WITH (.+))?$")


def latin_orders(cp):
    """Orders of a Latin letter with a base in A..Z, or None."""
    m = LATIN_NAME.match(unicodedata.name(chr(cp), ""))
    if not m:
        return None
    lower = m.group(1) == "SMALL"
    rest = m.group(3)
    pair = TITLE_PAIR.match(rest)
    if pair:  # title-case digraphs such as Dz with caron
        marks = pair.group(3).split(" AND ") if pair.group(3) else []
        return [letter_order(pair.group(1), ACCENT_LIGATURE, False),
                letter_order(pair.group(2), accent_of(marks), True)]
    base, _, mark_text = rest.partition(" WITH ")
    marks = mark_text.split(" AND ") if mark_text else []
    if len(base) == 1 and "A" <= base <= "Z":
        return [letter_order(base, accent_of(marks), lower)]
    if base in LETTER_PAIRS:
        letters = LETTER_PAIRS[base]
        orders = [letter_order(letters[0], ACCENT_LIGATURE, lower)]
        orders += [letter_order(c, 0, lower) for c in letters[1:]]
        if marks:
            orders[-1] = with_accent(orders[-1], accent_of(marks))
        return orders
    if base in ALTERED_FORMS:
        accent = accent_of(marks) if marks else ACCENT_ALTERED_FORM
        return [letter_order(ALTERED_FORMS[base], accent, lower)]
    if base == "ETH":  # eth sorts as d with stroke
        return [letter_order("D", NAMED_ACCENTS["STROKE"], lower)]
    return None


class Builder:
    def __init__(self):
        self.rows = {}  # cp -> (orders, class)
        self.next_symbol = FIRST_UNNAMED_SYMBOL
        self.script_letters = {}  # class -> [(sort key, cp)]

    def block_class(self, cp):
        for first, last, name in ROW_BLOCKS:
            if first <= cp <= last:
                return CLASS_OF[name]
        return None

    def orders_of(self, cp):
        """Orders and class of a character, computing them on first use."""
        if cp not in self.rows:
            self.rows[cp] = self.compute(cp)
        return self.rows[cp]

    def compute(self, cp):
        ch = chr(cp)
        cat = unicodedata.category(ch)
        block = self.block_class(cp)
        # Spaces, symbols and digits are shared by all scripts: they take the
        # class of the neutral languages wherever they stand, so that the
        # digit three of any script equals the ASCII one.
        common = CLASS_OF["Latin"]
        if cp == 0:
            return [0], common
        if cp in SPACE_ORDERS:
            return [SPACE_ORDERS[cp]], common
        if cp in NAMED_SYMBOLS:
            return [80 + NAMED_SYMBOLS[cp]], common
        if cat in ("Cc", "Cf") and cp != 0xAD:
            return [UNDEFINED_ORDERING], common
        if cat == "Nd":
            return [0x3F00 + 10 * unicodedata.digit(ch)], common
        latin = latin_orders(cp)
        if latin is not None:
            return latin, CLASS_OF["Latin"]
        decomposition = unicodedata.decomposition(ch).split()
        if decomposition and not decomposition[0].startswith("<") and len(decomposition) == 1:
            # Canonical singletons (Kelvin sign, Greek question mark ...) sort
            # as the character they stand for.
            target = int(decomposition[0], 16)
            if self.block_class(target) is not None:
                return self.orders_of(target)
        if decomposition and decomposition[0] in COMPAT_TAGS:
            parts = [int(x, 16) for x in decomposition[1:]]
            if all(self.block_class(p) is not None for p in parts):
                orders = []
                for p in parts:
                    orders += self.orders_of(p)[0]
                first_cls = self.orders_of(parts[0])[1]
                if any(isinstance(o, tuple) for o in orders):
                    pass  # other scripts' letters: their own forms sort as letters
                elif is_letter_order(orders[0]):
                    orders[0] = with_accent(orders[0], ACCENT_LIGATURE if len(orders) > 1 else ACCENT_ALTERED_FORM)
                    return orders, first_cls
                elif is_digit_order(orders[0]):
                    if len(orders) > 1:
                        orders[0] |= 1
                    return orders, first_cls
        if cat[0] == "L" and cat != "Lm":
            cls = CLASS_OF["Latin"] if block is None else block
            return self.script_letter(cp, cls), cls
        # Marks, punctuation, symbols, modifier letters and other numbers.
        index = self.next_symbol
        self.next_symbol += 1
        assert index < 0x3F00 - 80
        return [80 + index], common

    def script_letter(self, cp, cls):
        # Numbered later, once all letters of the class are known; until then
        # the row holds a placeholder naming the letter.
        nfd = unicodedata.normalize("NFD", chr(cp))
        base = nfd[0].lower()
        upper = 1 if chr(cp) != chr(cp).lower() else 0
        key = (ord(base), tuple(ord(c) for c in nfd[1:]), upper, cp)
        self.script_letters.setdefault(cls, []).append((key, cp))
        return [("letter", cp)]

    def build(self):
        for first, last, _ in ROW_BLOCKS:
            for cp in range(first, last + 1):
                if unicodedata.category(chr(cp)) == "Cn":
                    assert cp >= DIRECT_ROWS, "unassigned unit U+%04X in the direct rows" % cp
                    continue
                self.orders_of(cp)
        numbered = {}
        for cls, letters in sorted(self.script_letters.items()):
            letters.sort()
            assert len(letters) < 0x8000
            for i, (_, cp) in enumerate(letters):
                numbered[("letter", cp)] = 0x8000 + i
        # Rows that copied a script letter (canonical singletons) hold its
        # placeholder too.
        for cp, (orders, cls) in list(self.rows.items()):
            self.rows[cp] = ([numbered.get(o, o) if isinstance(o, tuple) else o for o in orders], cls)
        covered = sorted(self.rows)
        assert covered[:DIRECT_ROWS] == list(range(DIRECT_ROWS))
        return covered


def write(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    if unicodedata.unidata_version != UNICODE_VERSION and "--any-unicode-version" not in sys.argv[1:]:
        sys.exit("this Python has Unicode %s, the tables are made from %s; pass --any-unicode-version "
                 "to regenerate them anyway" % (unicodedata.unidata_version, UNICODE_VERSION))
    builder = Builder()
    units = builder.build()
    expansions = []
    rows = []
    for cp in units:
        orders, cls = builder.rows[cp]
        start = len(expansions) if len(orders) > 1 else 0
        expansions.extend(orders[1:])
        rows.append((cp, orders[0], cls, len(orders) - 1, start))
    version = unicodedata.unidata_version

    h = []
    h.append("// Collation rows of code set 253 before language tailoring.")
    h.append("// Generated by gen/gen_collation.py from Unicode %s; do not edit." % version)
    h.append("// clang-format off")
    h.append("#pragma once")
    h.append("")
    h.append("#include <cstddef>")
    h.append("#include <cstdint>")
    h.append("")
    h.append("namespace ksi18n {")
    h.append("")
    h.append("// Class bytes of the ordered scripts; KS_CLASS_UNDEFINED (20) for the rest.")
    h.append("enum ScriptClass : uint8_t {")
    for name in CLASSES:
        h.append("  kClass%s = %d," % (name, CLASS_OF[name]))
    h.append("};")
    h.append("inline constexpr unsigned kScriptClassCount = %d;" % len(CLASSES))
    h.append("")
    h.append("struct CollationRow {")
    h.append("  uint16_t unit;")
    h.append("  uint16_t order;")
    h.append("  uint8_t scriptClass;")
    h.append("  uint8_t expansionCount;   // further orders in kCollationExpansions")
    h.append("  uint16_t expansionStart;")
    h.append("};")
    h.append("")
    h.append("// Ideographic blocks: order = firstOrder + (unit - first).")
    h.append("struct CollationRange {")
    h.append("  uint16_t first;")
    h.append("  uint16_t last;")
    h.append("  uint16_t firstOrder;")
    h.append("  uint8_t scriptClass;")
    h.append("};")
    h.append("")
    h.append("// Rows sorted by unit; the first kDirectRowCount rows are units 0, 1, 2 ...")
    h.append("inline constexpr uint16_t kDirectRowCount = 0x%X;" % DIRECT_ROWS)
    h.append("inline constexpr size_t kCollationRowCount = %d;" % len(rows))
    h.append("extern const CollationRow kCollationRows[kCollationRowCount];")
    h.append("extern const uint16_t kCollationExpansions[];")
    h.append("")
    h.append("inline constexpr CollationRange kCollationRanges[] = {")
    next_order = {}
    for first, last, name in RANGE_BLOCKS:
        cls = CLASS_OF[name]
        start = next_order.get(cls, 0x8000)
        next_order[cls] = start + (last - first + 1)
        assert next_order[cls] <= 0x10000
        h.append("    {0x%04X, 0x%04X, 0x%04X, kClass%s}," % (first, last, start, name))
    h.append("};")
    h.append("")
    h.append("}  // namespace ksi18n")
    write(OUT_H, h)

    c = []
    c.append("// Collation rows of code set 253 before language tailoring.")
    c.append("// Generated by gen/gen_collation.py from Unicode %s; do not edit." % version)
    c.append("// clang-format off")
    c.append('#include "collation_data.h"')
    c.append("")
    c.append("namespace ksi18n {")
    c.append("")
    c.append("const uint16_t kCollationExpansions[] = {")
    for i in range(0, len(expansions), 10):
        c.append("    " + " ".join("0x%04X," % o for o in expansions[i:i + 10]))
    c.append("};")
    c.append("")
    c.append("// {unit, order, class, expansion count, expansion start}")
    c.append("const CollationRow kCollationRows[kCollationRowCount] = {")
    for cp, order, cls, count, start in rows:
        c.append("    {0x%04X, 0x%04X, %d, %d, %d}," % (cp, order, cls, count, start))
    c.append("};")
    c.append("")
    c.append("}  // namespace ksi18n")
    write(OUT_CPP, c)
    print("wrote collation_data.h/.cpp: %d rows, %d expansion orders, %d unnamed symbols" % (
        len(rows), len(expansions), builder.next_symbol - FIRST_UNNAMED_SYMBOL), file=sys.stderr)


if __name__ == "__main__":
    main()
