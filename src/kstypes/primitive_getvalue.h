// GetValue slots (value generators) of the primitive types, and the one that
// always fails.
//
// Operation codes: 2 sets the type's starting value; 'O' leaves a number
// unchanged (floating point: not supported); 'M' and 'N' replace the value by
// its successor, or answer 2091 when the successor would not be greater.
// Every function works on the memory form only (format 8).
#pragma once

namespace ks {

int CharGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int ByteGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int ShortGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int WordGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int LongGetValue(void* value, unsigned count, unsigned char format, unsigned char op);    // o_4b, int
int DwordGetValue(void* value, unsigned count, unsigned char format, unsigned char op);   // o_u4b, unsigned, BlockId
int O_8BGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int O_U8BGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int FloatGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
int DoubleGetValue(void* value, unsigned count, unsigned char format, unsigned char op);
// For types without a generator: -2999 for every operation.
int NoGetValue(void* value, unsigned count, unsigned char format, unsigned char op);

// The next greater representable number: denormals and zero step to the
// smallest normal number, negative numbers down to minus the smallest normal
// step to zero, NaN and the infinities give the most negative finite number.
// Exposed for tests.
float FloatSuccessor(float x);
double DoubleSuccessor(double x);

}  // namespace ks
