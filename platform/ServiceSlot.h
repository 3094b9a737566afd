#pragma once

#include <functional>
#include <memory>

// Holds the implementation of one platform service: the Qt one, made on
// first use, unless a test (or a port) has installed another.
template <class Interface>
class ServiceSlot {
 public:
  using Factory = std::function<std::unique_ptr<Interface>()>;

  explicit ServiceSlot(Factory makeDefault) : makeDefault_(std::move(makeDefault)) {}

  Interface& Get() {
    if (installed_) return *installed_;
    if (!fallback_) fallback_ = makeDefault_();
    return *fallback_;
  }

  // nullptr brings back the default implementation.
  void Install(Interface* implementation) { installed_ = implementation; }

 private:
  Factory makeDefault_;
  Interface* installed_ = nullptr;
  std::unique_ptr<Interface> fallback_;
};
