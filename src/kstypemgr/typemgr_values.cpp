// KsTypeMgr: null values, generated values and time stamps.
#include <cstring>

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

int KsTypeMgr::GetValue(char type, void* value, unsigned count, unsigned char format, unsigned char op) const {
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

namespace {

// The time stamp record: a KsDateTimeN.
struct TimeStamp {
  int16_t year;
  uint8_t month, day, hour, minute, second;
  uint8_t pad;
  int32_t nanoseconds;
};
static_assert(sizeof(TimeStamp) == 12);

}  // namespace

int KsTypeMgr::StoreTimeStamp(char type, void* dst, unsigned char format, void* timeRecord) const {
  if (timeRecord == nullptr) return KS_NOT_SUPPORTED;
  TimeStamp stamp;
  std::memcpy(&stamp, timeRecord, sizeof stamp);
  const KsTypeDescriptor& d = Descriptor(type);
  switch (static_cast<int>(type)) {
    case KsDATE_T:
    case KsDATIME_T:
    case KsDATIME_N_T:
      // The record begins with the date, then the time of day: each of these
      // types reads its own leading part of it.
      return static_cast<int>(d.store(dst, timeRecord, format, 1));
    case KsTIME_T: {
      uint8_t time[3] = {stamp.hour, stamp.minute, stamp.second};
      return static_cast<int>(d.store(dst, time, format, 1));
    }
    default:
      // d_Date, d_Time and d_Timestamp come with the ODMG classes.
      return KS_NOT_SUPPORTED;
  }
}
