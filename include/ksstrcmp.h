// String comparison and hashing.
//
// KsStrCmp is the one comparison behind every string, character and index
// comparison: it compares two unit buffers, each with its own code set and
// language, by collation orders on several levels (primary, accent, case,
// ignorable characters), and with wildcards on matches the second operand as
// a pattern of '*' and '?'. Buffers of code set 0 compare as plain bytes.
#pragma once

#include "ksexport.h"

class KsString;

// Comparison operator flags.
enum KsCmpOpFlags : unsigned short {
  KS_CMP_NO_WILDCARDS = 0x0010,  // '*' and '?' are ordinary characters
  KS_CMP_CASE_INSENSITIVE = 0x0020,
  KS_CMP_ACCENT_INSENSITIVE = 0x0040,
  KS_CMP_SKIP_SPACES = 0x0080,  // also writes the match position output
  KS_CMP_PLAIN_ORDER = 0x0100,  // orders only: no levels, no wildcards
  KS_CMP_SKIP_SYMBOLS = 0x0200,
};

// Compares s1 with s2 (null reads as empty): negative, 0 or positive as s1
// sorts before, equal to or after s2 — or, with wildcards, 0 when s1 matches
// the pattern s2. `length` counts elements on each side (-1: all); `format`
// is the storage format of 16-bit units (1 memory order, 2 stored byte
// order, 255 as 1). With 0x80 in cmpOp, *matchOut (when given) receives the
// primary difference of the last step within `length`.
KS_API int KsStrCmp(unsigned char codeSet1, unsigned char language1, const char* s1, unsigned char codeSet2,
                    unsigned char language2, const char* s2, unsigned short cmpOp, short length,
                    unsigned char format, int* matchOut);

// Quick hashes over the raw units: 16-bit units for code set 253, else
// sign-extended bytes; h = 9h + u (HashKsString7: u & 0x7F).
KS_API unsigned HashKsString(const KsString& s);
KS_API unsigned HashKsString7(const KsString& s);
// Collation-aware hash: equal for strings equal under the plain order
// comparison. 0xFEFE7575 for a null value; 0 for length 0.
KS_API unsigned HashString(unsigned char codeSet, unsigned char language, const char* chars, short length,
                           unsigned char format);
