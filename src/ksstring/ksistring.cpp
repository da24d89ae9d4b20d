// KsIString and KsCaseIString: one class template, the two foldings being
// the only difference.
#include "ksistring.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "basesvc.h"
#include "format/number_text.h"

namespace {

constexpr size_t kMaxLength = 65535;
constexpr unsigned short kToEnd = 65535;

size_t Bounded(size_t length) {
  return length > kMaxLength ? kMaxLength : length;
}

std::string Decimal(long long number) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld", number);
  return text;
}

}  // namespace

template <KsFolding F>
void KsFoldedString<F>::SetText(const char* text, size_t length) {
  length = Bounded(length);
  char* fresh = nullptr;
  if (text != nullptr && length > 0) {
    fresh = static_cast<char*>(std::malloc(length + 1));
    if (fresh == nullptr) {
      KsCallMemoryHandler(static_cast<unsigned>(length + 1));
      return;
    }
    std::memcpy(fresh, text, length);
    fresh[length] = 0;
  }
  std::free(text_);
  text_ = fresh;
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString() : text_(nullptr), flags_(0) {}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(const KsFoldedString& other) : text_(nullptr), flags_(0) {
  SetText(other.text_, other.Len());
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(KsFoldedString&& other) noexcept : text_(other.text_), flags_(0) {
  other.text_ = nullptr;
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(char ch) : text_(nullptr), flags_(0) {
  SetText(&ch, ch != 0 ? 1 : 0);
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(short number) : KsFoldedString(static_cast<long long>(number)) {}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(int number) : KsFoldedString(static_cast<long long>(number)) {}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(unsigned number)
    : KsFoldedString(static_cast<unsigned long long>(number)) {}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(double number) : text_(nullptr), flags_(0) {
  const int length = std::snprintf(nullptr, 0, "%f", number);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%f", number);
  SetText(text.c_str(), std::strlen(text.c_str()));
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(long long number) : text_(nullptr), flags_(0) {
  const std::string text = Decimal(number);
  SetText(text.data(), text.size());
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(unsigned long long number) : text_(nullptr), flags_(0) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu", number);
  SetText(text, std::strlen(text));
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(const char* text) : text_(nullptr), flags_(0) {
  SetText(text, text != nullptr ? std::strlen(text) : 0);
}

template <KsFolding F>
KsFoldedString<F>::KsFoldedString(const char* text, unsigned short count) : text_(nullptr), flags_(0) {
  SetText(text, count);
}

template <KsFolding F>
KsFoldedString<F>::~KsFoldedString() {
  std::free(text_);
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::operator=(const KsFoldedString& other) {
  if (this == &other) return *this;
  SetText(other.text_, other.Len());
  flags_ = other.flags_;
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::operator=(KsFoldedString&& other) noexcept {
  if (this == &other) return *this;
  std::free(text_);
  text_ = other.text_;
  flags_ = other.flags_;
  other.text_ = nullptr;
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::operator=(const char* text) {
  if (text != text_) SetText(text, text != nullptr ? std::strlen(text) : 0);
  flags_ = 0;
  return *this;
}

template <KsFolding F>
unsigned short KsFoldedString<F>::Len() const {
  return static_cast<unsigned short>(text_ != nullptr ? Bounded(std::strlen(text_)) : 0);
}

template <KsFolding F>
KsFoldedString<F>::operator short() const {
  return static_cast<short>(static_cast<int>(*this));
}

template <KsFolding F>
KsFoldedString<F>::operator int() const {
  return text_ != nullptr ? ksformat::ReadInt32(text_, 10) : 0;
}

template <KsFolding F>
KsFoldedString<F>::operator double() const {
  return text_ != nullptr ? std::atof(text_) : 0.0;
}

template <KsFolding F>
KsFoldedString<F>::operator long long() const {
  return text_ != nullptr ? ksformat::ReadInt64(text_, 10) : 0;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::operator+=(const KsFoldedString& other) {
  std::string text(StrGet(), Len());
  text.append(other.StrGet(), other.Len());
  SetText(text.data(), text.size());
  return *this;
}

template <KsFolding F>
KsFoldedString<F> KsFoldedString<F>::Copy(unsigned short pos, unsigned short count) const {
  const size_t length = Len();
  if (pos >= length) return KsFoldedString();
  const size_t take = count == kToEnd || pos + size_t{count} > length ? length - pos : count;
  return KsFoldedString(text_ + pos, static_cast<unsigned short>(take));
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::Cut(unsigned short pos, unsigned short count) {
  std::string text(StrGet(), Len());
  if (pos >= text.size()) return *this;
  text.erase(pos, count == kToEnd ? std::string::npos : count);
  SetText(text.data(), text.size());
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::Expand(unsigned short length, char ch) {
  std::string text(StrGet(), Len());
  if (text.size() < length) text.append(length - text.size(), ch);
  SetText(text.data(), text.size());
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::Fill(unsigned short count, char ch) {
  const std::string text(ch != 0 ? count : 0, ch);
  SetText(text.data(), text.size());
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::Insert(const KsFoldedString& other, unsigned short pos) {
  std::string text(StrGet(), Len());
  if (pos > text.size()) return *this;
  text.insert(pos, other.StrGet(), other.Len());
  SetText(text.data(), text.size());
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::Replace(const KsFoldedString& other, unsigned short pos) {
  const size_t length = Len();
  if (pos >= length) return *this;
  const size_t count = std::min<size_t>(other.Len(), length - pos);
  std::memcpy(text_ + pos, other.StrGet(), count);
  return *this;
}

template <KsFolding F>
int KsFoldedString<F>::SubStringPos(const KsFoldedString& p) const {
  const std::string text(StrGet(), Len());
  const size_t at = text.find(p.StrGet(), 0, p.Len());
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::ToUpper() {
  for (size_t i = 0; i < Len(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text_[i]);
    if ((b >= 0x61 && b <= 0x7A) || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
      text_[i] = static_cast<char>(b - 0x20);
    if (b == 0x9C) text_[i] = static_cast<char>(0x8C);
    if (b == 0xFF) text_[i] = static_cast<char>(0x9F);
  }
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::ToLower() {
  for (size_t i = 0; i < Len(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text_[i]);
    if ((b >= 0x41 && b <= 0x5A) || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
      text_[i] = static_cast<char>(b + 0x20);
    if (b == 0x8C) text_[i] = static_cast<char>(0x9C);
    if (b == 0x9F) text_[i] = static_cast<char>(0xFF);
  }
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::SpaceToZero() {
  for (size_t i = 0; i < Len(); ++i) {
    if (text_[i] == ' ') text_[i] = '0';
  }
  return *this;
}

template <KsFolding F>
KsFoldedString<F>& KsFoldedString<F>::ZeroToSpace() {
  for (size_t i = 0; i < Len(); ++i) {
    if (text_[i] == '0') text_[i] = ' ';
  }
  return *this;
}

template class KsFoldedString<KsFolding::Accents>;
template class KsFoldedString<KsFolding::CaseAndAccents>;
