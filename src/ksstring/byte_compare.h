// Comparison of code set 0 buffers: plain bytes, without collation.
#pragma once

namespace ksstring {

// Unsigned byte order over at most `limit` bytes (negative: unlimited).
int CompareBytes(const char* text, const char* other, int limit);
// Matches text against pattern with '*' (any run of bytes) and '?' (any one
// byte); 0 on a match, else the difference of the first bytes that decided.
// After `limit` text bytes (negative: unlimited) the match succeeds.
int MatchBytes(const char* text, const char* pattern, int limit);

}  // namespace ksstring
