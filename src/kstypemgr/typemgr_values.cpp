// KsTypeMgr: null values, generated values and time stamps.
#include <cstring>

#include "ksdatetimen.h"
#include "ksodmg.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

int KsTypeMgr::SetNullValue(char type, void* value) const {
  const KsTypeDescriptor& d = Descriptor(type);
  // 1. The type's own null value.
  if (d.setNull != nullptr) {
    const int result = d.setNull(value);
    if (result != KS_NOT_SUPPORTED) return result;
  }
  // 2. Types without one take the value of an empty text.
  if (d.assignment != nullptr) {
    void* text = Descriptor(KsSTRING_T).create(1);
    KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, 1, text, const_cast<KsTypeMgr*>(this));
    void* converted = d.convertFromKsString != nullptr ? d.convertFromKsString(record, 1) : nullptr;
    if (record != nullptr) {
      delete record;  // deletes the text
    } else {
      Descriptor(KsSTRING_T).destroy(text, 1);
    }
    if (converted != nullptr) {
      d.assignment(value, converted, 1, 1);
      d.destroy(converted, 1);
    }
    return 0;
  }
  // 3. Otherwise scan a zero.
  if (d.scanFromString != nullptr) {
    static KsString zero("0");
    d.scanFromString(value, zero, d.format, 1);
  }
  return 0;
}

int KsTypeMgr::GetValue(char type, void* value, unsigned count, unsigned char format,
                        unsigned char op) const {
  if (op != 'M' && op != 'N' && op != 'O') return KS_NOT_SUPPORTED;
  const KsTypeDescriptor& d = Descriptor(type);
  if (format == 8 || type == KsSTRING_T) return d.getValue(value, count, format, op);

  // A stored value: load it into a temporary, generate, and store it back.
  void* temporary = d.create(1);
  if (temporary == nullptr) return KS_NOT_SUPPORTED;
  const unsigned char storedForm = format & 0x81;
  int result = KS_NOT_SUPPORTED;
  if (d.load(temporary, value, storedForm, 1) != 0) {
    result = d.getValue(temporary, 0, 8, op);
    if (result == 0 && d.store(value, temporary, storedForm, 1) == 0) result = KS_NOT_SUPPORTED;
  }
  d.destroy(temporary, 1);
  return result;
}

int KsTypeMgr::StoreTimeStamp(char type, void* dst, unsigned char format, void* timeRecord) const {
  if (timeRecord == nullptr) return KS_NOT_SUPPORTED;
  KsDateTimeN stamp;
  std::memcpy(static_cast<void*>(&stamp), timeRecord, sizeof stamp);
  const KsDate& date = stamp.dateTime.date;
  const KsTime& time = stamp.dateTime.time;
  const KsTypeDescriptor& d = Descriptor(type);
  // The ODMG times take the seconds as one float, so their hundredths are
  // those of the float (10:20:30 and 70,000,000 ns store 6 hundredths).
  const float seconds = static_cast<float>(time.second + stamp.nanoseconds / 1e9);
  switch (static_cast<int>(type)) {
    case KsDATE_T:
    case KsDATIME_T:
    case KsDATIME_N_T:
      // The record begins with the date, then the time of day: each of these
      // types reads its own leading part of it.
      return static_cast<int>(d.store(dst, &stamp, format, 1));
    case KsTIME_T: {
      KsTime value = time;
      return static_cast<int>(d.store(dst, &value, format, 1));
    }
    case D_DATE_T: {
      d_Date value(date.year, static_cast<unsigned short>(date.month), static_cast<unsigned short>(date.day));
      return static_cast<int>(d.store(dst, &value, format, 1));
    }
    case D_TIME_T: {
      d_Time value(static_cast<unsigned short>(time.hour), static_cast<unsigned short>(time.minute), seconds);
      return static_cast<int>(d.store(dst, &value, format, 1));
    }
    case D_TIMESTAMP_T: {
      d_Timestamp value(date.year, static_cast<unsigned short>(date.month),
                        static_cast<unsigned short>(date.day), static_cast<unsigned short>(time.hour),
                        static_cast<unsigned short>(time.minute), seconds);
      return static_cast<int>(d.store(dst, &value, format, 1));
    }
    default:
      return KS_NOT_SUPPORTED;
  }
}
