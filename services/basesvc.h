// Base services: primitive stored forms, clock and zone, assertion reports,
// the memory handler, memory files, configuration and the version check.
//
// The type manager calls these functions exactly as declared here. Format
// bytes follow one rule everywhere: 8 is the in-memory form of this process,
// otherwise the low four bits name a stored form (1 little-endian,
// 2 big-endian; any other value reads as little-endian).
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksexport.h"

// ---------------------------------------------------------------------------
// Primitive stored forms
//
// Each store function converts `count` values between the in-memory form and
// the stored form named by `format`, and returns the bytes of the stored form.
// The conversion is its own inverse, so the same call loads, except for int
// and unsigned, which have explicit load functions.
// REQUIRES: dst and src hold count values of their forms; they may be equal.

KS_API unsigned CharStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned ShortStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned LongStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned IntStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned IntLoad(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned UnsignedStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned UnsignedLoad(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned FloatStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned DoubleStore(void* dst, const void* src, unsigned char format, unsigned count);
KS_API unsigned O_8BStore(void* dst, const void* src, unsigned char format, unsigned count);

// One-value variants of the above.
KS_API unsigned ShortStoreOne(void* dst, const void* src, unsigned char format);
KS_API unsigned LongStoreOne(void* dst, const void* src, unsigned char format);
KS_API unsigned O_8BStoreOne(void* dst, const void* src, unsigned char format);

// Size of `count` values in the stored form named by `format`; `value` and
// `srcFormat` describe where the values stand (the type manager passes null
// and 8, since these sizes do not depend on the values).
KS_API unsigned CharSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
KS_API unsigned ShortSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
KS_API unsigned LongSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
KS_API unsigned IntSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
KS_API unsigned FloatSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
KS_API unsigned DoubleSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
KS_API unsigned O_8BSizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);

// Stored size of `count` null values.
KS_API unsigned CharNullSizeGet(unsigned count);
KS_API unsigned ShortNullSizeGet(unsigned count);
KS_API unsigned LongNullSizeGet(unsigned count);
KS_API unsigned IntNullSizeGet(unsigned count);
KS_API unsigned FloatNullSizeGet(unsigned count);
KS_API unsigned DoubleNullSizeGet(unsigned count);
KS_API unsigned O_8BNullSizeGet(unsigned count);

// ---------------------------------------------------------------------------
// Clock and time zone

struct bdate {
  int16_t year;
  uint8_t month;
  uint8_t day;
};
static_assert(sizeof(bdate) == 4);

// Callers zero the whole record before a call. bksgettime also fills
// zoneSeconds with the local offset from UTC in seconds (local = UTC +
// offset; 0 when unknown); the other clock functions leave it 0.
struct btime {
  uint8_t hour;
  uint8_t minute;
  uint8_t second;
  uint8_t reserved0;
  int32_t zoneSeconds;
  uint8_t reserved[4];
};
static_assert(offsetof(btime, zoneSeconds) == 4);
static_assert(sizeof(btime) == 12);

// Result of bksgettimezone when no zone can be determined; callers pass it on
// as their own result.
constexpr int KS_NO_TIME_ZONE = -2171;

KS_API void bksgetdate(bdate* date);                    // local date
KS_API void bksgettime(btime* time);                    // local time of day
KS_API void bksgetsystemtime(btime* time, bdate* date); // UTC
// Date and time with the sub-second part in nanoseconds.
KS_API void bksGetHiresTime(bdate& date, btime& time, int& fraction);
KS_API void bksGetHiresTimeUTC(bdate& date, btime& time, int& fraction);
// Local offset from UTC in minutes (local = UTC + offset), or -2171.
KS_API int bksgettimezone();
// UTC milliseconds since 1970-01-01, from the same clock.
KS_API long long bksGetUTCMilliseconds();

// Test hook: a fixed clock. While set, every clock function above reads this
// instant instead of the system clock, and bksgettimezone answers
// zoneMinutes, or -2171 when zoneKnown is false. A null argument restores the
// system clock and the zone of the C library (which honours TZ).
struct KsFixedClock {
  long long utcSeconds; // seconds since 1970-01-01 00:00:00 UTC
  int nanoseconds;      // 0 .. 999,999,999
  int zoneMinutes;      // local = UTC + zoneMinutes
  bool zoneKnown;
};
KS_API void KsSetFixedClock(const KsFixedClock* clock);

// ---------------------------------------------------------------------------
// Assertion reports

// Reports a failed consistency check; the caller goes on.
KS_API void KESO_assert(const char* text, const char* sourcePath, int line);

// The handler receives every report. The default one writes one line to
// standard error. Returns the previous handler; null restores the default.
using KsAssertHandler = void (*)(const char* text, const char* sourcePath, int line);
KS_API KsAssertHandler KsSetAssertHandler(KsAssertHandler handler);

// ---------------------------------------------------------------------------
// Memory handler

// Called after an allocation of `size` bytes failed. The default handler does
// nothing and returns 0; hosts may install their own (to free caches, log, or
// abort). Returns the previous handler; null restores the default.
KS_API int KsCallMemoryHandler(unsigned size);
using KsMemoryHandler = int (*)(unsigned size);
KS_API KsMemoryHandler KsSetMemoryHandler(KsMemoryHandler handler);

// ---------------------------------------------------------------------------
// Memory files: a read cursor over bytes that the caller owns.

class KS_API MemFile {
 public:
  MemFile(const void* data, unsigned size);

  // Moves the cursor by `offset` from the start (whence 0), the current
  // position (1) or the end (2), clamped to the data. Returns a pointer to
  // the bytes at the new position and sets *length to the number of bytes
  // available there; null (and *length 0) when no data is left. Any other
  // whence moves nothing and answers null with *length 0. The requested
  // length on entry and the last argument are not used.
  unsigned char* Seek(int offset, unsigned short whence, unsigned* length, unsigned short mode);

  unsigned Position() const { return position_; }
  unsigned Size() const { return size_; }

 private:
  const unsigned char* data_;
  unsigned size_;
  unsigned position_;
};

// ---------------------------------------------------------------------------
// Configuration

// A set of named entries, each optionally qualified (for instance the entry
// "stringOverflow" with the qualifier "debug"). Entries are set by the host
// through Set, or taken at start from the environment (see DefaultConfig).
class KS_API KsConfig {
 public:
  KsConfig();
  ~KsConfig();
  KsConfig(const KsConfig&) = delete;
  KsConfig& operator=(const KsConfig&) = delete;

  // Sets (value non-null) or removes (value null) an entry. A null qualifier
  // names the unqualified entry.
  void Set(const char* name, const char* qualifier, const char* value);
  // The entry's text, or null when absent. A qualified lookup falls back to
  // the unqualified entry of the same name.
  const char* Get(const char* name, const char* qualifier) const;
  // Boolean reading of an entry: returns 1 and sets value when the entry
  // exists ("1", "true", "yes", "on" in any case are 1; anything else 0),
  // else returns 0 and leaves value.
  int GetBool(const char* name, const char* qualifier, int& value) const;
  void Clear();
  // Sets the entries named by the environment variables KSTYPES_<name> and
  // KSTYPES_<qualifier>_<name> (the qualifier ends at the first underscore
  // after the prefix; variables that leave the name empty are ignored).
  void SetFromEnvironment();

 private:
  struct Entries;
  Entries* entries_;
};

// With the all-ones pointer, returns the process configuration (created on
// first use, filled from the environment: a variable KSTYPES_<name> sets the
// unqualified entry <name>, and KSTYPES_<qualifier>_<name> the qualified one;
// names are case-sensitive). With any other pointer, that object becomes the
// process configuration (null: none) and the previous one is returned, so a
// host can restore it. The configuration made from the environment belongs to
// these services and must not be deleted.
KS_API KsConfig* DefaultConfig(KsConfig* config);

// ---------------------------------------------------------------------------
// Version check

// Checks the version a module was built with against these services.
// Returns 0 when compatible: the major numbers must be equal; with flag bit 0
// the minor numbers too; with flag bit 1 the sub numbers too. Returns -2999
// otherwise. Flag bit 2 writes a one-line report of a mismatch through
// KESO_assert.
KS_API int CheckKsVersionNumber(unsigned major, unsigned minor, unsigned sub, unsigned build, unsigned patch,
                                unsigned flags);
