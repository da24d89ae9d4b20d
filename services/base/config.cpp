// Configuration entries, set by the host or taken from the environment.
//
// Nothing here throws: a failed allocation is handed to the memory handler
// and the configuration stays as it was.

#include <strings.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <utility>

#include "basesvc.h"

extern char** environ;

namespace {

// Unqualified entries have the empty qualifier.
using EntryKey = std::pair<std::string, std::string>;  // qualifier, name

std::string QualifierText(const char* qualifier) {
  return qualifier != nullptr ? qualifier : "";
}

bool IsTrueText(const char* text) {
  static constexpr const char* kTrueTexts[] = {"1", "true", "yes", "on"};
  for (const char* trueText : kTrueTexts) {
    if (strcasecmp(text, trueText) == 0) return true;
  }
  return false;
}

constexpr char kEnvironmentPrefix[] = "KSTYPES_";

// Applies one environment variable "KSTYPES_<name>=value" or
// "KSTYPES_<qualifier>_<name>=value"; the qualifier ends at the first
// underscore after the prefix. Variables without a name are ignored.
void TakeEnvironmentEntry(KsConfig& config, const char* variable) {
  const size_t prefixLength = sizeof kEnvironmentPrefix - 1;
  if (std::strncmp(variable, kEnvironmentPrefix, prefixLength) != 0) return;
  const char* const key = variable + prefixLength;
  const char* const equals = std::strchr(key, '=');
  if (equals == nullptr) return;
  const std::string keyText(key, equals);
  const size_t underscore = keyText.find('_');
  const std::string qualifier = underscore == std::string::npos ? "" : keyText.substr(0, underscore);
  const std::string name = underscore == std::string::npos ? keyText : keyText.substr(underscore + 1);
  if (name.empty()) return;
  config.Set(name.c_str(), qualifier.empty() ? nullptr : qualifier.c_str(), equals + 1);
}

KsConfig* MakeEnvironmentConfig() {
  KsConfig* config = new (std::nothrow) KsConfig;
  if (config == nullptr) {
    KsCallMemoryHandler(sizeof(KsConfig));
    return nullptr;
  }
  config->SetFromEnvironment();
  return config;
}

}  // namespace

struct KsConfig::Entries {
  std::map<EntryKey, std::string> values;
};

KsConfig::KsConfig() : entries_(new (std::nothrow) Entries) {
  if (entries_ == nullptr) KsCallMemoryHandler(sizeof(Entries));
}

KsConfig::~KsConfig() {
  delete entries_;
}

void KsConfig::Set(const char* name, const char* qualifier, const char* value) {
  if (name == nullptr || entries_ == nullptr) return;
  try {
    EntryKey key(QualifierText(qualifier), name);
    if (value == nullptr) {
      entries_->values.erase(key);
    } else {
      entries_->values.insert_or_assign(std::move(key), std::string(value));
    }
  } catch (const std::bad_alloc&) {
    KsCallMemoryHandler(
        static_cast<unsigned>(std::strlen(name) + (value != nullptr ? std::strlen(value) : 0)));
  }
}

const char* KsConfig::Get(const char* name, const char* qualifier) const {
  if (name == nullptr || entries_ == nullptr) return nullptr;
  try {
    const std::string qualifierText = QualifierText(qualifier);
    auto found = entries_->values.find(EntryKey(qualifierText, name));
    if (found == entries_->values.end() && !qualifierText.empty()) {
      found = entries_->values.find(EntryKey(std::string(), name));
    }
    return found != entries_->values.end() ? found->second.c_str() : nullptr;
  } catch (const std::bad_alloc&) {
    KsCallMemoryHandler(static_cast<unsigned>(std::strlen(name)));
    return nullptr;
  }
}

int KsConfig::GetBool(const char* name, const char* qualifier, int& value) const {
  const char* text = Get(name, qualifier);
  if (text == nullptr) return 0;
  value = IsTrueText(text) ? 1 : 0;
  return 1;
}

void KsConfig::Clear() {
  if (entries_ != nullptr) entries_->values.clear();
}

void KsConfig::SetFromEnvironment() {
  try {
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
      TakeEnvironmentEntry(*this, *variable);
    }
  } catch (const std::bad_alloc&) {
    KsCallMemoryHandler(0);
  }
}

namespace {

const auto kCurrentConfigRequest = reinterpret_cast<KsConfig*>(~uintptr_t{0});

// The configuration made from the environment belongs to these services: it
// is never deleted, and stays reachable here even after a host replaces it.
// It is made on first use, which may come from several threads at once (the
// first long strings of a process ask for "stringOverflow"): the static's
// guarded initialisation makes exactly one.
KsConfig* EnvironmentConfig() {
  static KsConfig* const config = MakeEnvironmentConfig();
  return config;
}

// The configuration in force; atomic so that lookups on other threads read
// either the old or the new one while a host replaces it.
std::atomic<KsConfig*>& ProcessConfig() {
  static std::atomic<KsConfig*> current{EnvironmentConfig()};
  return current;
}

}  // namespace

KsConfig* DefaultConfig(KsConfig* config) {
  if (config == kCurrentConfigRequest) return ProcessConfig().load(std::memory_order_acquire);
  // The previous configuration is what a request would have answered, so a
  // host that restores it gets the environment configuration back.
  return ProcessConfig().exchange(config, std::memory_order_acq_rel);
}
