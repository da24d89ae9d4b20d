// The string comparison as it was before wildcard matching became linear:
// every mismatch after a star moves the star's restart point one element on
// and walks the pattern again from there, so the time grows with text length
// times pattern length. The library must give the same results (and the same
// match position output) faster; tests and benchmarks compare against this.
#pragma once

namespace reference {

int StepwiseStrCmp(unsigned char codeSet1, unsigned char language1, const char* s1, unsigned char codeSet2,
                   unsigned char language2, const char* s2, unsigned short cmpOp, short length,
                   unsigned char format, int* matchOut);

}  // namespace reference
