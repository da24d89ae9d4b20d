// The scanning half of the date format engine.
//
// Every read is bounded by the end of the input, and every step of the loop
// advances the format (expansions are fixed texts that cannot nest), so the
// scan ends for any input and any format. Each number read is skipped over
// afterwards, so the input is read a bounded number of times.
#include <strings.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "ksdate/day_names.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/directives.h"
#include "ksdate/saturating.h"

namespace ks::datefmt {
namespace {

// isspace of the "C" locale, without a library call per character.
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A text of an 8-bit code set: 16-bit strings are converted into the default
// 8-bit code set first.
class NarrowText {
 public:
  explicit NarrowText(const KsString& text) {
    const KsString* source = &text;
    if (text.CharWidth() == 2) {
      narrowed_.emplace(KsString::GetDefault8CodeSet(), KsString::GetDefaultLanguage());
      *narrowed_ += text;
      source = &*narrowed_;
    }
    begin_ = source->StrGet();
    end_ = begin_ + source->Len();
  }
  const char* begin() const { return begin_; }
  const char* end() const { return end_; }

 private:
  std::optional<KsString> narrowed_;  // only for 16-bit text
  const char* begin_;
  const char* end_;
};

using ks::calendar::Clamp;
using ks::calendar::TruncateToInt64;

// scanf's "%d" with an optional width: a sign and digits. A value beyond int
// is held at its ends. False when no digit is read.
bool ReadInt(const char* p, const char* end, int width, int& value) {
  const char* limit = width > 0 && end - p > width ? p + width : end;
  bool negative = false;
  if (p < limit && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p >= limit || !IsDigit(*p)) return false;
  long long magnitude = 0;
  for (; p < limit && IsDigit(*p); ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > INT_MAX + 1LL) magnitude = INT_MAX + 1LL;
  }
  value = static_cast<int>(Clamp(negative ? -magnitude : magnitude, INT_MIN, INT_MAX));
  return true;
}

// scanf's "%lf": a decimal number with optional fraction and exponent, or
// "inf", "infinity" or "nan" in any case. False when none is there.
bool ReadDouble(const char* p, const char* end, double& value) {
  const char* q = p;
  if (q < end && (*q == '+' || *q == '-')) ++q;
  const char* body = q;
  bool digits = false;
  while (q < end && IsDigit(*q)) ++q, digits = true;
  if (q < end && *q == '.') {
    ++q;
    while (q < end && IsDigit(*q)) ++q, digits = true;
  }
  if (digits) {
    if (q < end && (*q == 'e' || *q == 'E')) {
      const char* e = q + 1;
      if (e < end && (*e == '+' || *e == '-')) ++e;
      if (e < end && IsDigit(*e)) {
        while (e < end && IsDigit(*e)) ++e;
        q = e;
      }
    }
  } else {
    static const char* const kWords[] = {"infinity", "inf", "nan"};
    bool found = false;
    for (const char* word : kWords) {
      const size_t length = std::strlen(word);
      if (static_cast<size_t>(end - body) >= length && strncasecmp(body, word, length) == 0) {
        q = body + length;
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  const std::string token(p, q);
  value = std::strtod(token.c_str(), nullptr);
  return true;
}

void SkipSignAndDigits(const char*& p, const char* end) {
  if (p < end && (*p == '+' || *p == '-')) ++p;
  while (p < end && IsDigit(*p)) ++p;
}

void SkipNumberCharacters(const char*& p, const char* end) {
  while (p < end && (IsDigit(*p) || *p == '.' || *p == '-' || *p == '+')) ++p;
}

void SkipAtMost(const char*& p, const char* end, long long count) {
  p += Clamp(end - p, 0, count);
}

// Index of the name among `count` names whose first three letters begin the
// input, or -1; on a match the input moves over the letters that agree with
// the whole name.
int MatchName(const char*& p, const char* end, const char* const* names, int count) {
  if (end - p < 3) return -1;
  for (int i = 0; i < count; ++i) {
    if (std::strncmp(p, names[i], 3) != 0) continue;
    const char* name = names[i];
    while (p < end && *name != 0 && *p == *name) ++p, ++name;
    return i;
  }
  return -1;
}

class Scanner {
 public:
  Scanner(const char* begin, const char* end) : pos_(begin), end_(end) {}

  // False when a directive meets the end of the input.
  bool Run(const char* format) {
    const char* f = format;
    const char* resume = nullptr;
    for (;;) {
      while (IsSpace(*f)) ++f;
      while (pos_ < end_ && IsSpace(*pos_)) ++pos_;
      if (*f == 0) {
        if (resume == nullptr) return true;
        f = resume;
        resume = nullptr;
        GiveBackStar();
        continue;
      }
      if (*f == ')' && groupOpen_) {
        groupOpen_ = false;
        ++f;
        starPending_ = false;
        continue;
      }
      if (*f != '%') {
        MatchLiteral(*f++);
        starPending_ = false;
        continue;
      }
      const DirectiveHead head = ParseDirectiveHead(f);
      if (head.opensGroup) groupOpen_ = true;
      f = head.next;
      if (head.letter == 0) continue;  // a format cut inside a directive just ends
      if (pos_ >= end_) return false;
      const DirectiveInfo& info = LookupDirective(head.letter);
      if (info.action == Action::Expansion) {
        if (resume == nullptr) {
          resume = f;
          f = info.expansion;
        }
        GiveBackStar();
        continue;
      }
      starPending_ = false;
      if (*pos_ == '*' && head.letter != '%') {
        starPos_ = pos_++;
        starPending_ = true;
        SetWildcards(info);
        continue;
      }
      Read(info);
    }
  }

  // The fields as the scan leaves them, with the am/pm marker applied.
  DateTimeFields Result() const {
    int hour = fields_[kHour];
    if (pm_ && hour < 12) {
      hour += 12;
    } else if (am_ && hour == 12) {
      hour = 0;
    }
    return {static_cast<int16_t>(fields_[kYear]),  static_cast<int8_t>(fields_[kMonth]),
            static_cast<int8_t>(fields_[kDay]),    static_cast<int8_t>(hour),
            static_cast<int8_t>(fields_[kMinute]), static_cast<int8_t>(fields_[kSecond]),
            static_cast<int32_t>(fields_[kNanos])};
  }

 private:
  // A digit in the input is taken only by the same digit; any other
  // character is taken by whatever the format holds there.
  void MatchLiteral(char c) {
    if (pos_ >= end_) return;
    if (!IsDigit(*pos_) || *pos_ == c) ++pos_;
  }

  // A '*' read just before the format enters or leaves an expansion belongs
  // to the next directive as well.
  void GiveBackStar() {
    if (starPending_) pos_ = starPos_;
    starPending_ = false;
  }

  void SetWildcards(const DirectiveInfo& info) {
    switch (info.action) {
      case Action::Number:
      case Action::YearOfCentury:
      case Action::Hour12:
      case Action::MonthName:
        fields_[info.field] = -1;
        break;
      case Action::Fraction:
        fields_[kSecond] = -1;
        fields_[kNanos] = -1;
        break;
      case Action::DayCount:
        fields_[kYear] = fields_[kMonth] = fields_[kDay] = -1;
        break;
      default:
        break;
    }
  }

  void ReadNumberInto(int field) {
    int value = 0;
    if (ReadInt(pos_, end_, 0, value)) fields_[field] = value;
    SkipSignAndDigits(pos_, end_);
  }

  void Read(const DirectiveInfo& info) {
    int value = 0;
    switch (info.action) {
      case Action::Number:
      case Action::Hour12:
        if (info.field == kNanos) {
          // Read as atol does: no number reads as 0.
          fields_[kNanos] = ReadInt(pos_, end_, 0, value) ? value : 0;
          SkipSignAndDigits(pos_, end_);
        } else {
          ReadNumberInto(info.field);
        }
        break;
      case Action::YearOfCentury:
        if (ReadInt(pos_, end_, 0, value)) {
          fields_[kYear] = static_cast<int>(static_cast<long long>(value) + (value > 30 ? 1900 : 2000));
        }
        SkipSignAndDigits(pos_, end_);
        break;
      case Action::MonthName: {
        const int month = MatchName(pos_, end_, ks::calendar::kMonthAndDayNames, 12);
        if (month >= 0) {
          fields_[kMonth] = month + 1;
        } else {
          if (ReadInt(pos_, end_, 3, value)) fields_[kMonth] = value;
          SkipAtMost(pos_, end_, 3);
        }
        break;
      }
      case Action::WeekdayName:
        MatchName(pos_, end_, ks::calendar::kMonthAndDayNames + 12, 7);
        break;
      case Action::Fraction: {
        double number = 0;
        if (ReadDouble(pos_, end_, number)) {
          fields_[kSecond] = static_cast<int>(TruncateToInt64(number));
          fields_[kNanos] = static_cast<int>(TruncateToInt64(number * 1e9) % 1'000'000'000);
        }
        SkipNumberCharacters(pos_, end_);
        break;
      }
      case Action::DayCount:
        if (ReadInt(pos_, end_, 0, value)) {
          const int year = value / 360;
          const int month = (value - 360 * year) / 30;
          fields_[kYear] = year;
          fields_[kMonth] = month;
          fields_[kDay] = value - 360 * year - 30 * month;
        }
        SkipSignAndDigits(pos_, end_);
        break;
      case Action::Marker:
        if (*pos_ == 'p' || *pos_ == 'P') pm_ = true;
        if (*pos_ == 'a' || *pos_ == 'A') am_ = true;
        SkipAtMost(pos_, end_, 2);
        break;
      case Action::Percent:
      case Action::Literal:
      case Action::Expansion:
        ++pos_;  // one character, whatever it is
        break;
    }
  }

  const char* pos_;
  const char* const end_;
  const char* starPos_ = nullptr;
  bool starPending_ = false;
  bool groupOpen_ = false;
  bool am_ = false;
  bool pm_ = false;
  int fields_[kFieldCount] = {};
};

bool StartsWithNullPrintString(const char* begin, const char* end) {
  const NarrowText null(KsTypeMgr::GetNullPrintString());
  const size_t length = static_cast<size_t>(null.end() - null.begin());
  return static_cast<size_t>(end - begin) >= length && std::memcmp(begin, null.begin(), length) == 0;
}

}  // namespace

bool ScanFields(DateTimeFields& value, KsString& in, const char* format) {
  const NarrowText text(in);
  if (StartsWithNullPrintString(text.begin(), text.end())) {
    value = kNullFields;
    return true;
  }
  Scanner scanner(text.begin(), text.end());
  if (format == nullptr) format = "";
  const bool scanned = scanner.Run(format);
  value = scanner.Result();
  return scanned;
}

}  // namespace ks::datefmt
