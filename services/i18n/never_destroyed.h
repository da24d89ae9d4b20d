// Storage for a process-wide object that is built on first use and never
// destroyed.
//
// The services' tables are read by the static initialisers and destructors
// of other translation units (strings built and torn down at load and
// unload). A function-local NeverDestroyed<T> is constructed the first time
// any of them asks, whatever the initialisation order, and is still there
// when the last destructor runs.
#pragma once

#include <new>
#include <utility>

namespace ksi18n {

template <typename T>
class NeverDestroyed {
 public:
  template <typename... Args>
  explicit NeverDestroyed(Args&&... args) {
    new (storage_) T(std::forward<Args>(args)...);
  }
  NeverDestroyed(const NeverDestroyed&) = delete;
  NeverDestroyed& operator=(const NeverDestroyed&) = delete;

  T& operator*() { return *std::launder(reinterpret_cast<T*>(storage_)); }
  T* operator->() { return &**this; }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace ksi18n
