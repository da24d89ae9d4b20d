#include "type_values.h"

#include <cstring>

#include "basesvc.h"
#include "ksstring.h"
#include "utf8_text.h"

namespace kstm {
namespace {

// Every slot of the illegal descriptor is the "not built" entry.
constexpr char kIllegal = KsRES_T;

}  // namespace

const char* SlotName(Slot slot) {
  switch (slot) {
    case Slot::Create:
      return "Create";
    case Slot::Store:
      return "Store";
    case Slot::Load:
      return "Load";
    case Slot::Compare:
      return "Compare";
    case Slot::Hash:
      return "Hash";
    case Slot::PrintToString:
      return "PrintToString";
    case Slot::ScanFromString:
      return "ScanFromString";
    case Slot::EvalAndBound:
      return "EvalAndBound";
    case Slot::SizeGet:
      return "SizeGet";
  }
  return "?";
}

namespace {

bool IsNumber(const std::string& text) {
  if (text.empty() || text.size() > 4) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

int TableSize(const KsTypeMgr& mgr) {
  // Factory numbers 0 to 3 select the legacy table.
  return mgr.GetFactory() <= 3 ? KS_LEGACY_TYPE_COUNT : KS_TYPE_COUNT;
}

TypeHandle TypeHandle::Resolve(KsTypeMgr& mgr, const std::string& text) {
  const int tableSize = TableSize(mgr);
  char id = 0;
  if (IsNumber(text)) {
    // Reserved ids (100 to 127) are accepted: they are the illegal type.
    const int number = std::stoi(text);
    if (number < tableSize || (number >= 100 && number <= 127))
      return TypeHandle(mgr, static_cast<char>(number));
  } else if (mgr.Name2KsTypeId(text.c_str(), id) == 0) {
    return TypeHandle(mgr, id);
  } else {
    for (int candidate = 0; candidate < tableSize; ++candidate) {
      if (text == mgr.TypeIdNameGet(static_cast<char>(candidate)))
        return TypeHandle(mgr, static_cast<char>(candidate));
    }
  }
  throw BadInput("unknown type '" + text + "' (kstm types lists the names and ids)");
}

std::string TypeHandle::Label() const {
  return std::string(mgr_->NameGet(id_)) + " (" + std::to_string(static_cast<int>(id_)) + ")";
}

bool TypeHandle::Built(Slot slot) const {
  switch (slot) {
    case Slot::Create: {
      void* probe = mgr_->Create(id_, 1);
      if (probe == nullptr) return false;
      mgr_->Delete(id_, probe, 1);
      return true;
    }
    case Slot::Store:
      return mgr_->StorePtrGet(id_) != mgr_->StorePtrGet(kIllegal);
    case Slot::Load:
      return mgr_->LoadPtrGet(id_) != mgr_->LoadPtrGet(kIllegal);
    case Slot::Compare:
      return mgr_->CmpFuncPtrGet(id_) != mgr_->CmpFuncPtrGet(kIllegal);
    case Slot::PrintToString:
      return mgr_->ExchangePrintToKsStringFunc(id_, nullptr) !=
             mgr_->ExchangePrintToKsStringFunc(kIllegal, nullptr);
    case Slot::ScanFromString:
      return mgr_->ExchangeScanFromKsStringFunc(id_, nullptr) !=
             mgr_->ExchangeScanFromKsStringFunc(kIllegal, nullptr);
    case Slot::Hash:
    case Slot::EvalAndBound:
    case Slot::SizeGet:
      return true;
  }
  return false;
}

CliError TypeHandle::NotBuilt(Slot slot) const {
  if (std::strcmp(mgr_->NameGet(id_), mgr_->NameGet(kIllegal)) == 0) {
    return CliError(kExitNotSupported, "type " + Label() + " is the illegal type: it supports no operation");
  }
  return CliError(kExitNotSupported,
                  "type " + Label() + " has no " + SlotName(slot) + " slot in this build of the library");
}

void TypeHandle::Require(std::initializer_list<Slot> slots) const {
  for (Slot slot : slots) {
    if (!Built(slot)) throw NotBuilt(slot);
  }
}

ValueArray::ValueArray(const TypeHandle& type, unsigned count)
    : type_(type), values_(type.Mgr().Create(type.Id(), count)), count_(count) {
  if (values_ == nullptr) throw type.NotBuilt(Slot::Create);
}

ValueArray::~ValueArray() {
  type_.Mgr().Delete(type_.Id(), values_, count_);
}

void* ValueArray::At(unsigned index) const {
  return type_.Mgr().GetArrayElement(type_.Id(), values_, index, count_);
}

unsigned char ParseOrder(const std::optional<std::string>& order) {
  if (!order || *order == "le") return 1;
  if (*order == "be") return 2;
  throw BadInput("--order must be le or be, not '" + *order + "'");
}

void ScanText(const TypeHandle& type, void* value, const KsString& text, const char* format) {
  KsString in(text);
  type.Mgr().ScanFromKsString(type.Id(), value, in, format, 1);
}

void ScanUtf8(const TypeHandle& type, void* value, const char* text, size_t size, const char* format,
              const std::string& what) {
  KsString in;
  size_t bad = 0;
  if (!Utf8ToKsString(text, size, in, bad)) {
    throw BadInput(what + " is not valid UTF-8 (or holds a zero byte or a character beyond U+FFFF) at byte " +
                   std::to_string(bad));
  }
  type.Mgr().ScanFromKsString(type.Id(), value, in, format, 1);
}

std::string PrintValue(const TypeHandle& type, void* value, const char* format) {
  KsString out;
  type.Mgr().PrintToKsString(type.Id(), out, value, format, 1);
  return KsStringToUtf8(out);
}

void AppendStored(const TypeHandle& type, void* value, unsigned char format,
                  std::vector<unsigned char>& out) {
  const unsigned size = type.Mgr().DiskLenGet(type.Id(), value, format, 1, 8);
  if (size == 0) throw type.NotBuilt(Slot::SizeGet);
  const size_t at = out.size();
  out.resize(at + size);
  const unsigned written = type.Mgr().Store(type.Id(), out.data() + at, value, format, 1);
  if (written != size) {
    throw CliError(kExitNotSupported, "type " + type.Label() + ": Store wrote " + std::to_string(written) +
                                          " bytes where SizeGet announced " + std::to_string(size));
  }
}

std::vector<unsigned char> StoreValue(const TypeHandle& type, void* value, unsigned char format) {
  std::vector<unsigned char> bytes;
  AppendStored(type, value, format, bytes);
  return bytes;
}

std::vector<unsigned char> StoreText(const TypeHandle& type, const std::string& text, const char* format,
                                     unsigned char order, const std::string& what) {
  ValueArray value(type, 1);
  ScanUtf8(type, value.At(0), text.data(), text.size(), format, what);
  return StoreValue(type, value.At(0), order);
}

void LoadRecords(const TypeHandle& type, const std::vector<unsigned char>& bytes, unsigned char format,
                 const std::function<void(size_t offset, void* value)>& onValue) {
  if (bytes.empty()) throw BadInput("no stored bytes given");
  MemFile file(bytes.data(), static_cast<unsigned>(bytes.size()));
  size_t offset = 0;
  while (offset < bytes.size()) {
    const size_t remaining = bytes.size() - offset;
    unsigned available = 0;
    file.Seek(static_cast<int>(offset), 0, &available, 0);
    const unsigned size = type.Mgr().DiskLenGetFromMemFile(type.Id(), &file, format, 1);
    const std::string at = "byte offset " + std::to_string(offset);
    if (size == 0) throw BadInput("malformed record at " + at + ": no record length can be read there");
    if (size > remaining) {
      throw BadInput("truncated record at " + at + ": the record needs " + std::to_string(size) + " bytes, " +
                     std::to_string(remaining) + " remain");
    }
    // A buffer of exactly the record, so that no loader can read past it.
    std::vector<unsigned char> record(bytes.begin() + offset, bytes.begin() + offset + size);
    ValueArray value(type, 1);
    const unsigned consumed = type.Mgr().Load(type.Id(), value.At(0), record.data(), format, 1);
    if (consumed != size) {
      throw BadInput("malformed record at " + at + ": Load read " + std::to_string(consumed) + " of its " +
                     std::to_string(size) + " bytes");
    }
    onValue(offset, value.At(0));
    offset += size;
  }
}

}  // namespace kstm
