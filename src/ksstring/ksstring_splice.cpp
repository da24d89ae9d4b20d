// The one routine that changes the characters of a KsString. Keeping the size
// arithmetic, the 65,532-byte limit and the code-set conversion here means
// no editing operation can get them wrong on its own.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "base/byteorder.h"
#include "basesvc.h"
#include "ksstring.h"
#include "ksstring/string_overflow.h"
#include "ksstring/units.h"

namespace {

using ksstring::ReadUnit;
using ksstring::WidthOf;
using ksstring::WriteUnit;

// Source units converted into the destination code set, in memory order.
class ConvertedSource {
 public:
  ConvertedSource(const unsigned char* source, unsigned char sourceCodeSet, unsigned count,
                  unsigned char targetCodeSet, unsigned char format) {
    const unsigned sourceWidth = WidthOf(sourceCodeSet);
    const unsigned targetWidth = WidthOf(targetCodeSet);
    // The temporary holds the characters and a terminator, within the limit.
    const unsigned maxCount = KsString::kMaxByteSize / targetWidth - 1;
    if (count > maxCount) {
      count = maxCount;
      ksstring::ReportStringOverflow();
    }
    const size_t size = (static_cast<size_t>(count) + 1) * targetWidth;
    units_ = static_cast<unsigned char*>(std::calloc(size, 1));
    if (units_ == nullptr) {
      KsCallMemoryHandler(static_cast<unsigned>(size));
      return;
    }
    for (unsigned i = 0; i < count; ++i) {
      uint16_t unit = ReadUnit(source + i * sourceWidth, sourceWidth, format);
      unit = ksstring::ConvertUnit(unit, sourceCodeSet, targetCodeSet);
      WriteUnit(units_ + i * targetWidth, targetWidth, unit, ksstring::kMemoryFormat);
    }
    count_ = count;
  }
  ~ConvertedSource() { std::free(units_); }
  ConvertedSource(const ConvertedSource&) = delete;
  ConvertedSource& operator=(const ConvertedSource&) = delete;

  const unsigned char* Units() const { return units_; }
  unsigned Count() const { return count_; }

 private:
  unsigned char* units_ = nullptr;
  unsigned count_ = 0;
};

// Appends bytes to a new buffer without ever passing its content capacity.
class BoundedWriter {
 public:
  BoundedWriter(unsigned char* out, size_t capacity) : out_(out), capacity_(capacity) {}
  size_t Room() const { return capacity_ - written_; }
  void Copy(const unsigned char* from, size_t bytes) {
    if (bytes > Room()) bytes = Room();
    if (bytes > 0) std::memcpy(out_ + written_, from, bytes);
    written_ += bytes;
  }
  // Units of a source in `format`, written in memory order.
  void CopyUnits(const unsigned char* from, size_t count, unsigned width, unsigned char format) {
    if (width == 1 || !ksbase::FormatNeedsByteSwap(format)) {
      Copy(from, count * width);
      return;
    }
    for (size_t i = 0; i < count && Room() >= width; ++i) {
      WriteUnit(out_ + written_, width, ReadUnit(from + i * width, width, format), ksstring::kMemoryFormat);
      written_ += width;
    }
  }
  void Repeat(uint16_t unit, size_t times, unsigned width) {
    for (size_t i = 0; i < times && Room() >= width; ++i) {
      WriteUnit(out_ + written_, width, unit, ksstring::kMemoryFormat);
      written_ += width;
    }
  }

 private:
  unsigned char* out_;
  size_t capacity_;
  size_t written_ = 0;
};

}  // namespace

void KsString::Splice(const char* source, unsigned char sourceCodeSet, unsigned short dest,
                      unsigned short start, unsigned short count, unsigned short repeat, SpliceMode mode,
                      unsigned char format) {
  const unsigned width = CharWidth();
  const unsigned sourceWidth = WidthOf(sourceCodeSet);
  auto* sourceUnits = reinterpret_cast<const unsigned char*>(source);
  if (sourceUnits != nullptr) sourceUnits += static_cast<size_t>(start) * sourceWidth;
  if (sourceUnits == nullptr) count = 0;

  const bool emptySource = count == 0 || ReadUnit(sourceUnits, sourceWidth, format) == 0;
  if (mode != SpliceMode::Place && emptySource) return;

  std::optional<ConvertedSource> converted;
  if (count > 0 && ((sourceCodeSet != 0 && sourceCodeSet != codeSet) || sourceWidth != width)) {
    converted.emplace(sourceUnits, sourceCodeSet, count, codeSet, format);
    sourceUnits = converted->Units();
    count = static_cast<unsigned short>(converted->Count());
    format = ksstring::kMemoryFormat;
    if (sourceUnits == nullptr) return;
  }

  const size_t oldSize = byteSize;
  const size_t oldContent = oldSize == 0 ? 0 : oldSize - width;
  size_t dst = static_cast<size_t>(dest) * width;
  if (dst > oldContent) dst = oldContent;
  const size_t block = static_cast<size_t>(count) * width * repeat;

  size_t newSize = 0;
  size_t suffixFrom = oldContent;  // old bytes kept after the source block
  switch (mode) {
    case SpliceMode::Place:
      newSize = dst + block + width;
      break;
    case SpliceMode::Insert:
      newSize = block + (oldSize == 0 ? width : oldSize);
      suffixFrom = dst;
      break;
    case SpliceMode::Overwrite: {
      const size_t replaced = static_cast<size_t>(count) * width;
      suffixFrom = dst + replaced < oldContent ? dst + replaced : oldContent;
      newSize = dst + block + (oldContent - suffixFrom) + width;
      break;
    }
  }
  if (newSize > kMaxByteSize) {
    newSize = kMaxByteSize;
    ksstring::ReportStringOverflow();
  }

  // Nothing but a terminator: the string keeps no buffer.
  if (newSize <= width) {
    FreeBuffer();
    return;
  }
  auto* fresh = static_cast<unsigned char*>(std::calloc(newSize, 1));
  if (fresh == nullptr) {
    KsCallMemoryHandler(static_cast<unsigned>(newSize));
    return;
  }
  const auto* old = reinterpret_cast<const unsigned char*>(buffer);
  BoundedWriter writer(fresh, newSize - width);
  writer.Copy(old, dst);
  if (repeat == 1) {
    writer.CopyUnits(sourceUnits, count, width, format);
  } else if (count > 0) {
    writer.Repeat(ReadUnit(sourceUnits, width, format), static_cast<size_t>(repeat) * count, width);
  }
  if (mode != SpliceMode::Place) writer.Copy(old + suffixFrom, oldContent - suffixFrom);

  std::free(buffer);
  buffer = reinterpret_cast<char*>(fresh);
  byteSize = static_cast<uint16_t>(newSize);
}
