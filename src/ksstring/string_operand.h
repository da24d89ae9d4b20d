// One side of a string comparison or hash: the strings of an array in memory
// or of stored records, one element at a time, each as a terminated unit
// buffer that KsStrCmp and HashString read.
//
// Stored records are read within the bytes the caller gives (0: whole
// records). A record cut short is copied into a terminated scratch buffer
// (a local one, or the heap for long texts); so is 16-bit text, whose record
// ends in 00 FF rather than a zero unit, and an order key stored most
// significant byte first, whose units the collation iterator reads least
// significant byte first whatever the format.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ksstring {

class StringOperand {
 public:
  enum class Read {
    Ok,
    RanOut,     // no bytes left for the element
    Malformed,  // a cut no key builder makes, or a header cut short
  };

  // acceptLegacy: a legacy block at the start is read as its texts.
  StringOperand(const void* values, unsigned len, unsigned char format, bool acceptLegacy);
  ~StringOperand();
  StringOperand(const StringOperand&) = delete;
  StringOperand& operator=(const StringOperand&) = delete;

  // Reads the next element.
  Read Next();

  unsigned char CodeSet() const { return codeSet_; }
  unsigned char Language() const { return language_; }
  const char* Chars() const { return chars_; }
  // Characters available (whole or up to the cut).
  int Count() const { return count_; }
  // The record ends beyond the bytes available.
  bool Cut() const { return cut_; }
  // An order key cut where its text changed script (its class byte had 0x80,
  // which Language() no longer has).
  bool CutAtClassChange() const { return cutAtClassChange_; }

 private:
  Read NextInMemory();
  Read NextRecord();
  Read NextLegacyText();
  // Copies `bytes` of units into the scratch buffer with a zero unit after
  // them, swapping order-key units into least significant byte first.
  void UseScratch(const unsigned char* units, size_t bytes, unsigned width, bool swapUnits);

  const unsigned char* bytes_;
  size_t limit_;  // bytes that may be read
  size_t at_ = 0;
  unsigned index_ = 0;
  unsigned char format_;
  bool inMemory_;
  bool legacy_ = false;

  unsigned char codeSet_ = 0;
  unsigned char language_ = 0;
  const char* chars_ = nullptr;
  int count_ = 0;
  bool cut_ = false;
  bool cutAtClassChange_ = false;

  unsigned char local_[256];
  unsigned char* heap_ = nullptr;
  size_t heapSize_ = 0;
};

}  // namespace ksstring
