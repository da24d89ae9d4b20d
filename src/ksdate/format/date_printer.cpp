// The printing half of the date format engine.
#include <cstdio>
#include <cstring>

#include "ksdate.h"
#include "ksdate/day_names.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/directives.h"
#include "ksdate/format/text_builder.h"

namespace ks::datefmt {
namespace {

constexpr unsigned char kMemoryForm = 8;

// Decimal text of value with at least minDigits digits after the sign, as
// printf's "%0N.Nd" gives it.
void AppendDecimal(TextBuilder& out, int value, int minDigits) {
  if (minDigits == 2 && value >= 0 && value < 100) {  // months, days and times
    char* text = out.Extend(2);
    if (text == nullptr) return;
    text[0] = static_cast<char>('0' + value / 10);
    text[1] = static_cast<char>('0' + value % 10);
    return;
  }
  if (minDigits == 4 && value >= 0 && value < 10000) {  // years
    char* text = out.Extend(4);
    if (text == nullptr) return;
    text[0] = static_cast<char>('0' + value / 1000);
    text[1] = static_cast<char>('0' + value / 100 % 10);
    text[2] = static_cast<char>('0' + value / 10 % 10);
    text[3] = static_cast<char>('0' + value % 10);
    return;
  }
  unsigned magnitude = value < 0 ? 0U - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  int digits = 1;
  for (unsigned rest = magnitude / 10; rest != 0; rest /= 10) ++digits;
  const int width = (digits > minDigits ? digits : minDigits) + (value < 0 ? 1 : 0);
  char* text = out.Extend(static_cast<size_t>(width));
  if (text == nullptr) return;
  char* p = text + width;
  for (int i = 0; i < digits; ++i, magnitude /= 10) *--p = static_cast<char>('0' + magnitude % 10);
  while (p > text) *--p = '0';
  if (value < 0) text[0] = '-';
}

// Seconds with as many fraction digits as the nanoseconds need: none, 3, 6
// or 9, the width leaving two digits for the whole seconds.
void AppendFraction(TextBuilder& out, int second, int nanoseconds) {
  int precision = 0;
  int width = 2;
  if (nanoseconds != 0) {
    precision = nanoseconds % 1'000'000 == 0 ? 3 : (nanoseconds % 1'000 == 0 ? 6 : 9);
    width = precision + 3;
  }
  const double value = second + nanoseconds / 1e9;
  // |second| <= 128 and |nanoseconds| < 2.2e9 bound the text to a few digits.
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%0*.*f", width, precision, value);
  if (length > 0) out.Append(text, static_cast<size_t>(length) < sizeof text ? length : sizeof text - 1);
}

void AppendName(TextBuilder& out, const char* name, bool abbreviated) {
  if (abbreviated) {
    out.Append(name, 3);  // every name has at least three letters
  } else {
    out.Append(name);
  }
}

bool FormatHasMarker(const char* format) {
  for (const char* p = format; *p != 0; ++p) {
    if (p[0] == '%' && (p[1] == 'p' || p[1] == 'P')) return true;
  }
  return false;
}

struct Clock12 {
  int hour;
  bool pm;
};

// With a marker in the format the hour is shown on the 12-hour clock;
// without one, %I only folds the hours after noon and the marker reads AM.
Clock12 TwelveHourClock(int hour, bool markerMode) {
  if (!markerMode) return {hour <= 12 ? hour : hour - 12, false};
  if (hour == 0) return {12, false};
  if (hour < 12) return {hour, false};  // negative hours included
  if (hour == 12) return {12, true};
  return {hour - 12, true};
}

class Printer {
 public:
  Printer(const DateTimeFields& value, const char* format)
      : fields_{value.year,   value.month,  value.day,        value.hour,
                value.minute, value.second, value.nanoseconds},
        format_(format) {}

  const char* Run(const char* format) {
    const char* p = format;
    const char* resume = nullptr;
    for (;;) {
      if (*p == 0) {
        if (resume == nullptr) break;
        p = resume;
        resume = nullptr;
        continue;
      }
      if (*p == ')' && groupOpen_) {
        if (!printed_) out_.Truncate(groupStart_);
        groupOpen_ = false;
        ++p;
        continue;
      }
      if (*p != '%') {
        out_.Append(*p++);
        continue;
      }
      const DirectiveHead head = ParseDirectiveHead(p);
      p = head.next;
      if (head.opensGroup) {
        groupOpen_ = true;
        groupStart_ = out_.Size();
      }
      if (head.letter == 0) continue;
      const DirectiveInfo& info = LookupDirective(head.letter);
      if (info.action == Action::Expansion) {
        if (resume == nullptr) {
          resume = p;
          p = info.expansion;
        }
        continue;
      }
      Print(info, head.letter, head.optional && !printed_);
    }
    return out_.CStr();
  }
  size_t Size() const { return out_.Size(); }

 private:
  void Print(const DirectiveInfo& info, char letter, bool optional) {
    if (!SetWildcard(info)) {
      out_.Append('*');
      return;
    }
    const size_t start = out_.Size();
    const bool zero = AppendText(info, letter);
    if (out_.Size() == start) return;
    if (optional && zero) {
      out_.Truncate(start);
    } else {
      printed_ = true;
    }
  }

  // Sets the wildcard flag for a value directive; false when the directive
  // is to print a lone '*' instead of its text.
  bool SetWildcard(const DirectiveInfo& info) {
    switch (info.action) {
      case Action::Literal:
      case Action::Percent:
      case Action::Marker:
        return true;  // they show the flag left by the directive before
      case Action::DayCount:
        wildcard_ = fields_[kYear] == -1 && fields_[kMonth] == -1 && fields_[kDay] == -1;
        return !wildcard_;
      default:
        wildcard_ = fields_[info.field] == -1;
        return !wildcard_;
    }
  }

  // Appends the directive's text; returns its zero test.
  bool AppendText(const DirectiveInfo& info, char letter) {
    const int value = info.field < kFieldCount ? fields_[info.field] : 0;
    switch (info.action) {
      case Action::Number:
        AppendDecimal(out_, value, info.minDigits);
        return value == 0;
      case Action::YearOfCentury:
        AppendDecimal(out_, value - 100 * (value / 100), info.minDigits);
        return value == 0;
      case Action::Hour12:
        AppendDecimal(out_, Clock().hour, info.minDigits);
        return value == 0;
      case Action::MonthName: {
        const char* name = ks::calendar::MonthName(value);
        if (name != nullptr) {
          AppendName(out_, name, info.abbreviated);
        } else {
          AppendDecimal(out_, value, info.minDigits);
        }
        return value == 0;
      }
      case Action::WeekdayName: {
        const KsDate date(static_cast<short>(fields_[kYear]), static_cast<char>(fields_[kMonth]),
                          static_cast<char>(value));
        AppendName(out_, ks::calendar::WeekdayName(date.GetDayOfTheDate()), info.abbreviated);
        return value == 0;
      }
      case Action::Fraction:
        AppendFraction(out_, fields_[kSecond], fields_[kNanos]);
        return fields_[kSecond] == 0 && fields_[kNanos] == 0;
      case Action::DayCount: {
        // At most 32767 years of 360 days: far inside int.
        const int count = fields_[kDay] + 30 * (fields_[kMonth] + 12 * fields_[kYear]);
        AppendDecimal(out_, count, info.minDigits);
        return count == 0;
      }
      case Action::Marker:
        if (wildcard_) {
          out_.Append('*');
        } else {
          out_.Append(Clock().pm ? "PM" : "AM");
        }
        return fields_[kHour] == 0;
      case Action::Percent:
      case Action::Literal:
      case Action::Expansion:
        break;
    }
    out_.Append(letter);
    if (wildcard_) out_.Append('*');
    return false;
  }

  const int fields_[kFieldCount];
  // The 12-hour clock, worked out when a directive first needs it: most
  // formats have no %I or marker and so never scan the format for one.
  Clock12 Clock() {
    if (!clockKnown_) {
      clock_ = TwelveHourClock(fields_[kHour], FormatHasMarker(format_));
      clockKnown_ = true;
    }
    return clock_;
  }

  const char* const format_;
  Clock12 clock_{};
  bool clockKnown_ = false;
  TextBuilder out_;
  bool printed_ = false;
  bool wildcard_ = false;
  bool groupOpen_ = false;
  size_t groupStart_ = 0;
};

// What assigning the printed text as a char text gives (the default 8-bit
// code set and language), without counting the text again. A text beyond
// the size limit takes the assignment, which cuts it and reports the
// overflow.
void AssignPrinted(KsString& out, const char* text, size_t length) {
  if (length >= KsString::kMaxByteSize) {
    out = text;
    return;
  }
  out.AssignUnits(text, static_cast<unsigned short>(length), KsString::GetDefault8CodeSet(),
                  KsString::GetDefaultLanguage(), kMemoryForm);
}

}  // namespace

KsString& PrintFields(KsString& out, const DateTimeFields& value, const char* format) {
  if (format == nullptr) format = "";
  Printer printer(value, format);
  const char* text = printer.Run(format);
  AssignPrinted(out, text, printer.Size());
  return out;
}

}  // namespace ks::datefmt
