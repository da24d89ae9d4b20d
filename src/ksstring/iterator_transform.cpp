// KsStringIterator::Transform: maps every character of one text into another
// buffer, delivering the extra characters a mapping installs as overflow.
#include "kschar.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"

void KsStringIterator::Transform(KsStringIterator& out, KsCharOperation& operation) {
  TransformWithin(out, operation, nullptr);
}

void KsStringIterator::TransformWithin(KsStringIterator& out, KsCharOperation& operation,
                                       const unsigned char* outEnd) {
  // Room for one more character and the terminator after it.
  auto roomForTwo = [&] { return outEnd == nullptr || out.position + 2 * out.Width() <= outEnd; };
  while (!IsEOS() && roomForTwo()) {
    KsChar source = **this;
    KsChar target = *out;
    target = operation.Apply(source, this);
    ++out;
    ++*this;
  }
  KsChar terminator = *out;
  terminator = static_cast<unsigned short>(0);
  ++out;
  ++*this;
}
