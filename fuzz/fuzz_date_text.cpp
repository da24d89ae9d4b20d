// Scans arbitrary text with arbitrary formats into every date and time class
// and prints the result back with the same format; for the nine date and
// time type ids also through KsTypeMgr, and reads the text as a conversion
// record.
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
#include "kstypeconvert.h"
#include "kstypeids.h"
#include "kstypemgr.h"

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

void ThroughManager(char type, const char* format, const std::string& text) {
  static KsTypeMgr mgr;
  void* values = mgr.Create(type, 1);
  if (values == nullptr) return;
  KsString in(text.c_str());
  mgr.ScanFromKsString(type, values, in, format);
  KsString out;
  mgr.PrintToKsString(type, out, values, format);
  mgr.PrintToKsString(type, out, values, nullptr);
  mgr.Delete(type, values, 1);

  auto* strings = static_cast<KsString*>(mgr.Create(KsSTRING_T, 1));
  if (strings == nullptr) return;
  strings[0] = text.c_str();
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, 1, strings, &mgr);
  void* converted = mgr.ConvertFrom(type, record, 1);
  if (converted != nullptr) {
    KsTypeConvertData* back = mgr.ConvertTo(type, converted, 1);
    delete back;
    mgr.Delete(type, converted, 1);
  }
  delete record;
}

constexpr KsTypeId kDateTypes[] = {KsDATE_T, KsTIME_T, KsDATIME_T,    KsDATIME_N_T, KsTIMESPAN_T,
                                   D_DATE_T, D_TIME_T, D_TIMESTAMP_T, D_INTERVAL_T};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = rest.find('\0');
  const std::string format = rest.substr(0, split);
  const std::string text = split == std::string::npos ? std::string() : rest.substr(split + 1);
  if (data[0] & 0x80) {
    ThroughManager(static_cast<char>(kDateTypes[(data[0] & 0x7F) % 9]), format.c_str(), text);
    return 0;
  }
  switch (data[0] % 5) {
    case 0:
      RoundTrip<KsDate>(format.c_str(), text);
      break;
    case 1:
      RoundTrip<KsTime>(format.c_str(), text);
      break;
    case 2:
      RoundTrip<KsDateTime>(format.c_str(), text);
      break;
    case 3:
      RoundTrip<KsDateTimeN>(format.c_str(), text);
      break;
    default:
      RoundTrip<KsTimeSpan>(format.c_str(), text);
      break;
  }
  return 0;
}
