// Values of any type, handled only through KsTypeMgr and its type id, so
// that every command works for every id whose slots the library has built.
//
// A slot that a type does not have yet points at the illegal descriptor's
// functions, which do nothing and answer zero. The public interface shows
// this in three ways, used here: the slot getters and exchange queries
// return the illegal descriptor's entry; Create answers null; Compare and
// Hash leave their status unwritten (every real one sets it).
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "cli_error.h"
#include "kstypemgr.h"

class KsString;

namespace kstm {

enum class Slot { Create, Store, Load, Compare, Hash, PrintToString, ScanFromString, EvalAndBound, SizeGet };

const char* SlotName(Slot slot);

// Entries of the manager's table: 47, or 28 for a legacy-table manager.
int TableSize(const KsTypeMgr& mgr);

class TypeHandle {
 public:
  // A type given by name ("o_4b"), type-id name ("Ks4B_T") or number ("2").
  // Throws a bad-input CliError for a type that the manager's table lacks.
  static TypeHandle Resolve(KsTypeMgr& mgr, const std::string& text);
  TypeHandle(KsTypeMgr& mgr, char id) : mgr_(&mgr), id_(id) {}

  KsTypeMgr& Mgr() const { return *mgr_; }
  char Id() const { return id_; }
  std::string Label() const;  // "o_4b (2)"

  // Whether the slot is the type's own, as far as the public interface
  // shows it before a call (Hash, EvalAndBound and SizeGet show it only in
  // their results and count as built here).
  bool Built(Slot slot) const;
  // Throws NotBuilt for the first slot that is not built.
  void Require(std::initializer_list<Slot> slots) const;
  CliError NotBuilt(Slot slot) const;

 private:
  KsTypeMgr* mgr_;
  char id_;
};

// An array made by the type's Create slot and released by its Delete slot.
class ValueArray {
 public:
  ValueArray(const TypeHandle& type, unsigned count);
  ~ValueArray();
  ValueArray(const ValueArray&) = delete;
  ValueArray& operator=(const ValueArray&) = delete;

  void* At(unsigned index) const;
  unsigned Count() const { return count_; }

 private:
  TypeHandle type_;
  void* values_;
  unsigned count_;
};

// Format bytes of the stored forms: "le" 1, "be" 2; absent means "le".
unsigned char ParseOrder(const std::optional<std::string>& order);

// Scans UTF-8 text into a value (format null: the type's default). Throws a
// bad-input CliError naming `what` when the text is not valid UTF-8.
void ScanUtf8(const TypeHandle& type, void* value, const char* text, size_t size, const char* format,
              const std::string& what);
void ScanText(const TypeHandle& type, void* value, const KsString& text, const char* format);
std::string PrintValue(const TypeHandle& type, void* value, const char* format);

// The stored form of one in-memory value, alone or appended to `out`.
std::vector<unsigned char> StoreValue(const TypeHandle& type, void* value, unsigned char format);
void AppendStored(const TypeHandle& type, void* value, unsigned char format, std::vector<unsigned char>& out);

// The stored form of the value that UTF-8 text scans to (see ScanUtf8).
std::vector<unsigned char> StoreText(const TypeHandle& type, const std::string& text, const char* format,
                                     unsigned char order, const std::string& what);

// Walks the stored records in bytes one after another. Each record's length
// is read through the type's SizeGetFromMemFile slot, which sees only the
// bytes given, and checked against what remains before the record is loaded
// from a buffer of exactly its length. Calls onValue with each record's
// offset and loaded value. A record that is empty, truncated or rejected by
// Load throws a bad-input CliError naming its byte offset.
void LoadRecords(const TypeHandle& type, const std::vector<unsigned char>& bytes, unsigned char format,
                 const std::function<void(size_t offset, void* value)>& onValue);

}  // namespace kstm
