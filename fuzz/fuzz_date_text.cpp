// Scans arbitrary text with arbitrary formats into every date and time class
// and prints the result back with the same format.
//
// Input layout: byte 0 selects the class, then a format text and a value
// text separated by the first zero byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ksdate.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"
#include "ksstring.h"

namespace {

template <class T>
void RoundTrip(const char* format, const std::string& text) {
  T value;
  KsString in(text.c_str());
  value.ScanFromKsString(in, format);
  KsString out;
  value.PrintToKsString(out, format);
  value.PrintToKsString(out, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = rest.find('\0');
  const std::string format = rest.substr(0, split);
  const std::string text = split == std::string::npos ? std::string() : rest.substr(split + 1);
  switch (data[0] % 5) {
    case 0: RoundTrip<KsDate>(format.c_str(), text); break;
    case 1: RoundTrip<KsTime>(format.c_str(), text); break;
    case 2: RoundTrip<KsDateTime>(format.c_str(), text); break;
    case 3: RoundTrip<KsDateTimeN>(format.c_str(), text); break;
    default: RoundTrip<KsTimeSpan>(format.c_str(), text); break;
  }
  return 0;
}
